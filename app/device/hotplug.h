#pragma once
// Device arrival and removal as the device manager's hot-plug handler sees them. On Linux the
// libudev monitor produces them from hidraw events; the simulated devices raise the same.
//
// Header only, shared with the simulator like hid_backend.h.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pellora {

inline constexpr int kDeviceArrival = 0x8000;
inline constexpr int kDeviceRemoveComplete = 0x8004;

struct HidUsagePair {
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    friend bool operator==(const HidUsagePair&, const HidUsagePair&) = default;
};

// One interface that came or went.
struct DeviceBroadcast {
    // Identity of the interface, "HID#VID_xxxx&PID_xxxx&MI_xx#<node>", so that a catalogued
    // VID/PID and the interface number can be found in it as text.
    std::string path;
    // The interface's top-level collections, read from its report descriptor when it arrived;
    // empty for removals and when the descriptor could not be read.
    std::vector<HidUsagePair> collections;
};

using HotPlugHandler = std::function<void(const DeviceBroadcast& broadcast, int event)>;

// A source of arrival and removal events. The handler runs on the source's own thread (udev) or
// on the thread that plugged the simulated device; it must only hand the event on.
class HotPlugSource {
  public:
    virtual ~HotPlugSource() = default;
    virtual bool Start(HotPlugHandler handler) = 0;
    virtual void Stop() = 0;
};

}  // namespace pellora
