// Arbitrary bytes as a HID report descriptor, as a sysfs device path and as a hot-plug
// broadcast path.

#include <cstddef>
#include <cstdint>
#include <string>

#include "device/device_manager.h"
#include "device/hidraw_identity.h"
#include "device/report_descriptor.h"
#include "tessel/platform/clock.h"

namespace {

struct NoHid final : pellora::HidBackend {
    bool Init() override { return false; }
    void Exit() override {}
    std::vector<pellora::HidNodeInfo> Enumerate() override { return {}; }
    std::unique_ptr<pellora::HidDevice> OpenPath(const std::string&) override { return nullptr; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NoHid no_hid;
    static DUI::ManualClock clock;
    static pellora::DeviceManager& manager = *[] {
        auto* m = new pellora::DeviceManager(no_hid, clock);  // lives for the process
        m->AddCatalogEntry(0x1209, 0x5A01, L"", 1, pellora::kModeCable, L"VX07");
        m->AddCatalogEntry(0x1209, 0x5A02, L"", 1, pellora::kModeReceiver, L"VX07");
        return m;
    }();

    const auto collections = pellora::TopLevelCollections(data, size);
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto identity = pellora::ParseHidrawDevpath(text)) {
        pellora::FormatInterfacePath(*identity, "/dev/hidraw0");
    }
    const pellora::DeviceBroadcast broadcast{text, collections};
    manager.UpdateUSBDevice(&broadcast, pellora::kDeviceArrival, true);
    manager.UpdateUSBDevice(&broadcast, pellora::kDeviceRemoveComplete, true);
    return 0;
}
