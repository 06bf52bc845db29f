#pragma once
// The simulated mouse's firmware: decodes the output reports the host writes, applies them to
// the onboard memory and answers as the real firmware does. Knows nothing of cables, receivers
// or threads; the bus (sim_bus.h) carries reports to and from it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "onboard_memory.h"
#include "sim_models.h"

namespace pellora::sim {

inline constexpr std::size_t kInputReportSize = 64;

// Status byte (reply byte 1) of the replies.
enum SimStatus : uint8_t {
    kStatusOk = 0,
    kStatusUnknownCommand = 1,
    kStatusBadChecksum = 2,
    kStatusBadPacket = 3,
    kStatusMacroAreaFull = 4,
};

class MouseFirmware {
  public:
    explicit MouseFirmware(SimModel model);

    // One output report as written (byte 0 report id, at most 65 bytes, zero-padded). Returns
    // the input report to send back, or nothing for commands the host sends without waiting.
    std::optional<std::vector<uint8_t>> HandleOutput(const uint8_t* report, std::size_t length,
                                                     bool link_flag);

    // The DPI button: next level; returns the 0xD2 report.
    std::vector<uint8_t> PressDpiButton();
    // A receiver's link report (0xD1) for link up or down, with the battery.
    std::vector<uint8_t> LinkReport(bool up) const;

    void SetBattery(int level, int charge_state);
    const SimModel& model() const { return model_; }
    const OnboardMemory& memory() const { return memory_; }
    void set_memory(const OnboardMemory& memory) { memory_ = memory; }
    // True once after every change of the onboard memory (to persist it).
    bool TakeMemoryChanged();
    int commands_seen() const { return commands_seen_; }

  private:
    std::vector<uint8_t> Reply(uint8_t command, uint8_t status) const;
    std::vector<uint8_t> InfoBlock(bool link_flag) const;
    uint8_t ApplyWrite(const uint8_t* frame);
    uint8_t ApplyMacroPacket(const uint8_t* frame);
    void FillRead(uint8_t command, std::vector<uint8_t>& reply) const;

    SimModel model_;
    OnboardMemory memory_;
    uint8_t battery_level_ = 80;
    uint8_t charge_state_ = 0;
    bool memory_changed_ = false;
    int commands_seen_ = 0;
    // Macro reassembly: packets received so far of a multi-packet 0x08.
    int macro_packets_expected_ = 0;
    int macro_next_packet_ = 0;
    std::vector<uint8_t> macro_data_;
};

}  // namespace pellora::sim
