// Arbitrary input reports into the device manager: replies to the information request during
// enumeration, replies to commands, and unsolicited reports on cables and receivers.
//
// Input: byte 0 chooses the attached devices and the current model; then reports, each a length
// byte followed by that many bytes, handed out by the device in order.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "device/device_manager.h"
#include "tessel/platform/clock.h"

namespace {

using pellora::HidDevice;
using pellora::HidNodeInfo;

struct Script {
    std::deque<std::vector<uint8_t>> reports;
    bool fail_writes = false;
};

class ScriptedDevice final : public HidDevice {
  public:
    explicit ScriptedDevice(Script& script) : script_(script) {}
    int Write(const uint8_t*, std::size_t length) override {
        return script_.fail_writes ? -1 : static_cast<int>(length);
    }
    int ReadTimeout(uint8_t* data, std::size_t length, int) override {
        if (script_.reports.empty()) {
            return 0;
        }
        const std::vector<uint8_t> report = std::move(script_.reports.front());
        script_.reports.pop_front();
        if (report.empty()) {
            return -1;  // an empty report stands for a read error
        }
        const std::size_t n = std::min(length, report.size());
        std::copy_n(report.begin(), n, data);
        return static_cast<int>(n);
    }

  private:
    Script& script_;
};

class ScriptedBackend final : public pellora::HidBackend {
  public:
    ScriptedBackend(Script& script, std::vector<HidNodeInfo> nodes)
        : script_(script), nodes_(std::move(nodes)) {}
    bool Init() override { return true; }
    void Exit() override {}
    std::vector<HidNodeInfo> Enumerate() override { return nodes_; }
    std::unique_ptr<HidDevice> OpenPath(const std::string&) override {
        return std::make_unique<ScriptedDevice>(script_);
    }

  private:
    Script& script_;
    std::vector<HidNodeInfo> nodes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t setup = data[0];
    Script script;
    script.fail_writes = (setup & 0x40) != 0;
    for (std::size_t i = 1; i < size;) {
        const std::size_t length = std::min<std::size_t>(data[i], size - i - 1);
        script.reports.emplace_back(data + i + 1, data + i + 1 + length);
        i += 1 + length;
    }

    std::vector<HidNodeInfo> nodes;
    if ((setup & 0x01) != 0) {
        nodes.push_back({"cable", 0x1209, 0x5A01, 0x0105, 0xFF01, 0x0010, 2});
    }
    if ((setup & 0x02) != 0) {
        nodes.push_back({"receiver", 0x1209, 0x5A02, 0x0105, 0x0001, 0x0000, 2});
    }
    DUI::ManualClock clock;
    ScriptedBackend backend(script, nodes);
    pellora::DeviceManager manager(backend, clock);
    manager.AddCatalogEntry(0x1209, 0x5A01, L"", 1, pellora::kModeCable,
                            (setup & 0x08) != 0 ? L"" : L"VX07");
    manager.AddCatalogEntry(0x1209, 0x5A02, L"", 1, pellora::kModeReceiver, L"VX07");
    manager.EnumerateDevice();
    manager.SetReady();
    manager.SetCurrentDeviceType((setup & 0x04) != 0 ? 1 : 0);

    pellora::Frame frame = pellora::MakeReadRequest(0x13);
    manager.SendCommand(frame.data(), pellora::kShortSubmission, (setup & 0x10) == 0);
    pellora::Frame block{};
    manager.RequestDeviceInfo(block.data(), nullptr);
    for (int i = 0; i < 4 && !script.reports.empty(); ++i) {
        pellora::Frame buffer{};
        int type = 0;
        manager.ReadNotification(buffer.data(), type);
        manager.PollReceiverStates();
    }
    frame = pellora::MakeReadRequest(0x12);
    manager.SendCommand(frame.data(), pellora::kLongSubmission, true);
    std::vector<pellora::DeviceRecord> records;
    manager.ListOnlineDevices(records);
    manager.GetLinkKind();
    return 0;
}
