#pragma once
// Hot-plug on Linux: a libudev monitor on the hidraw subsystem. Every hidraw node that appears
// or disappears becomes one DeviceBroadcast with kDeviceArrival or kDeviceRemoveComplete; the
// handler runs on the monitor's own thread.

#include <atomic>
#include <memory>
#include <thread>

#include "device/hotplug.h"

struct udev;
struct udev_monitor;

namespace pellora {

class UdevHotPlugMonitor final : public HotPlugSource {
  public:
    UdevHotPlugMonitor() = default;
    ~UdevHotPlugMonitor() override;
    UdevHotPlugMonitor(const UdevHotPlugMonitor&) = delete;
    UdevHotPlugMonitor& operator=(const UdevHotPlugMonitor&) = delete;

    // False when udev or the netlink socket is unavailable (containers, no permission); the
    // program then goes without hot-plug.
    bool Start(HotPlugHandler handler) override;
    void Stop() override;

  private:
    void Loop();

    HotPlugHandler handler_;
    std::thread thread_;
    int wake_fd_ = -1;
    ::udev* udev_ = nullptr;
    ::udev_monitor* monitor_ = nullptr;
};

}  // namespace pellora
