#include "device/udev_monitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/hidraw_identity.h"
#include "device/report_descriptor.h"
#include "platform/trace.h"

namespace pellora {
namespace {

std::vector<HidUsagePair> ReadCollections(udev_device* device) {
    const char* syspath = udev_device_get_syspath(device);
    if (syspath == nullptr) {
        return {};
    }
    // The hidraw node's "device" link leads to the HID device, which publishes its descriptor.
    std::ifstream in(std::string(syspath) + "/device/report_descriptor", std::ios::binary);
    if (!in) {
        return {};
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    return TopLevelCollections(bytes.data(), bytes.size());
}

}  // namespace

UdevHotPlugMonitor::~UdevHotPlugMonitor() {
    Stop();
}

bool UdevHotPlugMonitor::Start(HotPlugHandler handler) {
    if (thread_.joinable()) {
        return true;
    }
    udev_ = udev_new();
    if (udev_ == nullptr) {
        return false;
    }
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        Trace(kTraceWarning, "hot-plug: udev monitor unavailable");
        Stop();
        return false;
    }
    wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_fd_ < 0) {
        Stop();
        return false;
    }
    handler_ = std::move(handler);
    thread_ = std::thread([this] { Loop(); });
    return true;
}

void UdevHotPlugMonitor::Stop() {
    if (thread_.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = write(wake_fd_, &one, sizeof one);
        thread_.join();
    }
    if (wake_fd_ >= 0) {
        close(wake_fd_);
        wake_fd_ = -1;
    }
    if (monitor_ != nullptr) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
    if (udev_ != nullptr) {
        udev_unref(udev_);
        udev_ = nullptr;
    }
}

void UdevHotPlugMonitor::Loop() {
    pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {wake_fd_, POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (device == nullptr) {
            continue;
        }
        const char* action = udev_device_get_action(device);
        const char* devpath = udev_device_get_devpath(device);
        const char* node = udev_device_get_devnode(device);
        int event = 0;
        if (action != nullptr && std::strcmp(action, "add") == 0) {
            event = kDeviceArrival;
        } else if (action != nullptr && std::strcmp(action, "remove") == 0) {
            event = kDeviceRemoveComplete;
        }
        if (event != 0 && devpath != nullptr) {
            if (const auto identity = ParseHidrawDevpath(devpath)) {
                DeviceBroadcast broadcast;
                broadcast.path = FormatInterfacePath(*identity, node != nullptr ? node : "");
                if (event == kDeviceArrival) {
                    broadcast.collections = ReadCollections(device);
                }
                handler_(broadcast, event);
            }
        }
        udev_device_unref(device);
    }
}

}  // namespace pellora
