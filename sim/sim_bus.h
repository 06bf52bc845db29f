#pragma once
// The simulated USB bus: mice of the simulated models, each reachable by its cable and, for
// models that have one, by its 2.4 GHz receiver. It is a HID layer (the same seam hidapi sits
// behind) and a hot-plug source, and it has the controls of a test bench: plug and unplug,
// switch the mouse, press its DPI button, set its battery, and make it misbehave.
//
// Every attached cable or receiver is a composite device of three interfaces, one hidraw node
// each: 0 mouse (0x0001/0x0002), 1 keyboard and consumer keys, 2 the vendor interface whose
// collections the model names (by default 0xFF01/0x0010 and 0x0001/0x0000). Only interface 2
// talks the protocol. Input reports go to every open handle of their node, as hidraw does, at
// most 64 waiting per handle.
//
// Time: reads wait on the clock handed in, so with a ManualClock a silent device costs no real
// time. All members are safe to call from any thread.

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_backend.h"
#include "device/hotplug.h"
#include "onboard_memory.h"
#include "sim_models.h"
#include "tessel/platform/clock.h"

namespace pellora::sim {

enum class Link { kCable, kReceiver };

enum class FaultKind {
    kNone,
    kNeverAnswer,           // commands are taken but never answered
    kAnswerLate,            // answers arrive `delay` after the command
    kErrorStatus,           // answers carry `status` instead of 0
    kGarbage,               // junk reports (too short, status != 0) come before each answer
    kDisconnectMidCommand,  // the link carrying the next command drops right after the write
};

struct Fault {
    FaultKind kind = FaultKind::kNone;
    std::chrono::milliseconds delay{0};
    uint8_t status = 0x01;
};

class SimulatedBus final : public HidBackend, public HotPlugSource {
  public:
    explicit SimulatedBus(DUI::Clock& clock);
    ~SimulatedBus() override;
    SimulatedBus(const SimulatedBus&) = delete;
    SimulatedBus& operator=(const SimulatedBus&) = delete;

    // A mouse of this model exists (switched on, nothing plugged). False when already there.
    bool AddMouse(const SimModel& model);

    // Plugging raises one arrival per node, unplugging one removal per node. False when the
    // mouse is unknown, the model has no such link, or it is already in that state.
    bool Plug(int device_type, Link link);
    bool Unplug(int device_type, Link link);
    // The mouse's power switch: off, it no longer answers through its receiver (the cable still
    // powers it). A receiver reports the change with 0xD1.
    bool SetMousePower(int device_type, bool on);
    bool PressDpiButton(int device_type);
    bool SetBattery(int device_type, int level, int charge_state);
    bool SetFault(int device_type, const Fault& fault);
    // Queues an input report on every open handle of the link's vendor node, as if the device
    // had sent it (for tests of odd reports).
    bool InjectReport(int device_type, Link link, const std::vector<uint8_t>& report);

    // Onboard memory: a readable dump, direct access for tests, and persistence.
    std::string DumpJson(int device_type) const;
    bool GetMemory(int device_type, OnboardMemory& out) const;
    bool SetMemory(int device_type, const OnboardMemory& memory);
    // Loads the memories kept in `file` (a missing or damaged entry leaves the factory state)
    // and saves them there after every change.
    void SetStateFile(const std::filesystem::path& file);
    // Output reports the mouse has received (through either link), in order, as written.
    std::vector<std::vector<uint8_t>> ReceivedReports(int device_type) const;
    int OpenHandleCount() const;

    // HidBackend
    bool Init() override;
    void Exit() override;
    std::vector<HidNodeInfo> Enumerate() override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

    // HotPlugSource
    bool Start(HotPlugHandler handler) override;
    void Stop() override;

    struct Core;  // shared with the open handles

  private:
    std::shared_ptr<Core> core_;
};

}  // namespace pellora::sim
