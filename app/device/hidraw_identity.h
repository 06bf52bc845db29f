#pragma once
// Who a hidraw node belongs to, read from its sysfs device path alone so that removals (whose
// sysfs entries are already gone) are understood as well as arrivals. A path looks like
//   /devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1209:5A02.0007/hidraw/hidraw3
// where "1-2:1.2" is USB configuration 1, interface 2 and "0003:1209:5A02.0007" is the HID
// device (bus, vendor, product, instance).

#include <cstdint>
#include <optional>
#include <string>

namespace pellora {

struct HidrawIdentity {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    int interface_number = -1;  // -1 when not below a USB interface
};

std::optional<HidrawIdentity> ParseHidrawDevpath(const std::string& devpath);

// The identity text the hot-plug handler matches: "HID#VID_1209&PID_5A02&MI_02#/dev/hidraw3"
// (without "&MI_xx" when the interface number is unknown).
std::string FormatInterfacePath(const HidrawIdentity& identity, const std::string& node);

}  // namespace pellora
