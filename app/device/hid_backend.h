#pragma once
// The HID layer the device link talks through. hidapi serves real mice; the simulated mouse
// (sim/) serves tests and demos. Both programs pick one at start; nothing else knows which.
//
// The interface mirrors the hidapi calls the device link needs: init/exit, enumerate (the list
// is returned by value, so freeing it is the vector's job), open by path, write, read with a
// time-out, and close (destroying the handle).
//
// Header only, with no link dependency, so the simulator can implement it without linking the
// application library.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pellora {

// One top-level collection of one HID interface, as hid_enumerate lists it.
struct HidNodeInfo {
    std::string path;
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t release_number = 0;  // bcdDevice
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    int interface_number = -1;  // -1 when the node is not a USB interface
};

// An open interface. Used from one thread at a time (the device worker).
class HidDevice {
  public:
    virtual ~HidDevice() = default;  // hid_close

    // hid_write: data[0] is the report id. Returns the bytes written or -1.
    virtual int Write(const uint8_t* data, std::size_t length) = 0;

    // hid_read_timeout: copies one input report without its report id 0. Returns the bytes
    // copied, 0 when nothing arrived within `milliseconds`, -1 on error (device gone).
    virtual int ReadTimeout(uint8_t* data, std::size_t length, int milliseconds) = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;

    virtual bool Init() = 0;  // hid_init
    virtual void Exit() = 0;  // hid_exit

    // Every HID top-level collection on the machine, in the platform's order.
    virtual std::vector<HidNodeInfo> Enumerate() = 0;

    // nullptr when the path cannot be opened (gone, no permission).
    virtual std::unique_ptr<HidDevice> OpenPath(const std::string& path) = 0;
};

}  // namespace pellora
