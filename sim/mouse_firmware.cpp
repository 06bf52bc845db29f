#include "mouse_firmware.h"

#include <algorithm>
#include <cstring>

#include "device/frame.h"

namespace pellora::sim {
namespace {

// Output report as the firmware sees it: report id at 0, so frame numbering holds.
constexpr std::size_t kOutputFrame = 65;

Rgb ColourAt(const uint8_t* frame, std::size_t offset) {
    return {frame[offset], frame[offset + 1], frame[offset + 2]};
}

}  // namespace

MouseFirmware::MouseFirmware(SimModel model) : model_(std::move(model)), memory_(FactoryMemory()) {}

std::vector<uint8_t> MouseFirmware::Reply(uint8_t command, uint8_t status) const {
    std::vector<uint8_t> reply(kInputReportSize, 0);
    reply[0] = command;
    reply[1] = status;
    return reply;
}

std::vector<uint8_t> MouseFirmware::InfoBlock(bool link_flag) const {
    std::vector<uint8_t> block = Reply(kCommandDeviceInfo, kStatusOk);
    for (std::size_t i = 0; i < 4 && i < model_.model_code.size(); ++i) {
        block[kInfoModelCode + i] = static_cast<uint8_t>(model_.model_code[i]);
    }
    block[8] = static_cast<uint8_t>(model_.release_number >> 8);
    block[9] = static_cast<uint8_t>(model_.release_number & 0xFF);
    block[kInfoRateCeiling] = model_.rate_ceiling;
    block[kInfoChargeState] = charge_state_;
    block[kInfoBatteryLevel] = battery_level_;
    block[kInfoLinkFlag] = link_flag ? 1 : 0;
    return block;
}

std::optional<std::vector<uint8_t>> MouseFirmware::HandleOutput(const uint8_t* report,
                                                                std::size_t length,
                                                                bool link_flag) {
    uint8_t frame[kOutputFrame] = {};
    std::memcpy(frame, report, std::min(length, kOutputFrame));
    ++commands_seen_;
    const uint8_t command = frame[kFrameCommand];
    const bool checksum_ok = frame[kChecksumOffset] == FrameChecksum(frame);

    if (command == kCommandDeviceInfo) {
        return checksum_ok ? InfoBlock(link_flag) : Reply(command, kStatusBadChecksum);
    }
    if (command >= 0x11 && command <= 0x17) {
        if (!checksum_ok) {
            return Reply(command, kStatusBadChecksum);
        }
        std::vector<uint8_t> reply = Reply(command, kStatusOk);
        FillRead(command, reply);
        return reply;
    }
    // Writes the host sends without waiting get no answer, so no stale reply can be taken for
    // the answer to the next command.
    const bool answered = !(command == 0x02 || command == 0x03 || command == 0x04);
    uint8_t status = kStatusOk;
    if (!checksum_ok) {
        status = kStatusBadChecksum;
    } else if (command == 0x08) {
        status = ApplyMacroPacket(frame);
    } else {
        status = ApplyWrite(frame);
    }
    if (!answered) {
        return std::nullopt;
    }
    return Reply(command, status);
}

void MouseFirmware::FillRead(uint8_t command, std::vector<uint8_t>& r) const {
    const OnboardMemory& m = memory_;
    switch (command) {
        case 0x11:  // firmware version
            r[4] = static_cast<uint8_t>(model_.release_number >> 8);
            r[5] = static_cast<uint8_t>(model_.release_number & 0xFF);
            break;
        case 0x12:
            r[4] = m.report_rate;
            break;
        case 0x13:
            r[4] = static_cast<uint8_t>((m.dpi_index << 4) | (m.dpi_count & 0x0F));
            for (int n = 0; n < kDpiLevels; ++n) {
                r[5 + 4 * n] = static_cast<uint8_t>(m.dpi_raw[n] & 0xFF);
                r[6 + 4 * n] = static_cast<uint8_t>(m.dpi_raw[n] >> 8);
                r[7 + 4 * n] = r[5 + 4 * n];
                r[8 + 4 * n] = r[6 + 4 * n];
            }
            break;
        case 0x14:
            for (int n = 0; n < kDpiLevels; ++n) {
                std::copy(m.dpi_colour[n].begin(), m.dpi_colour[n].end(), r.begin() + 4 + 3 * n);
            }
            break;
        case 0x15:
            r[4] = m.light_mode;
            r[5] = m.light_params[m.light_mode % kLightModes];
            break;
        case 0x16:
            r[4] = m.liftoff;
            r[5] = m.sensor_flag_8;
            r[6] = m.sensor_flag_4;
            break;
        case 0x17:
            r[4] = m.sleep_light;
            r[5] = m.move_wakeup;
            r[6] = m.move_closelight;
            r[7] = m.button_respondtime;
            break;
        default:
            break;
    }
}

uint8_t MouseFirmware::ApplyWrite(const uint8_t* f) {
    OnboardMemory m = memory_;
    switch (f[kFrameCommand]) {
        case 0x02:
            m.report_rate = f[5];
            break;
        case 0x03:
            m.dpi_index = static_cast<uint8_t>(f[6] >> 4);
            m.dpi_count = static_cast<uint8_t>(f[6] & 0x0F);
            for (int n = 0; n < kDpiLevels; ++n) {
                m.dpi_raw[n] = static_cast<uint16_t>(f[7 + 4 * n] | (f[8 + 4 * n] << 8));
            }
            break;
        case 0x04:
            for (int n = 0; n < kDpiLevels; ++n) {
                m.dpi_colour[n] = ColourAt(f, 5 + 3 * n);
            }
            break;
        case 0x05: {
            const uint8_t mode = f[5];
            m.light_mode = mode;
            m.light_params[mode % kLightModes] = f[6];
            if (mode == 2) {
                const int count = std::min<int>(f[7], kLightColours);
                for (int k = 0; k < count; ++k) {
                    m.light_colours[k] = ColourAt(f, 8 + 3 * k);
                }
            } else if (mode == 3) {
                m.light_colour = ColourAt(f, 7);
            }
            break;
        }
        case 0x06:
            m.liftoff = f[5];
            m.sensor_flag_8 = f[6] != 0 ? 1 : 0;
            m.sensor_flag_4 = f[7] != 0 ? 1 : 0;
            break;
        case 0x07:
            m.sleep_light = f[5];
            m.move_wakeup = f[6];
            m.move_closelight = f[7];
            m.button_respondtime = f[8];
            break;
        case 0x09:
            // Nine 3-byte entries fit the frame; the rest of the table keeps its contents.
            std::copy(f + kPayloadOffset, f + kPayloadOffset + kPayloadSize, m.buttons.begin());
            break;
        case 0x0F:
            if (f[5] != 0xFF) {
                return kStatusBadPacket;
            }
            m = FactoryMemory();
            break;
        default:
            return kStatusUnknownCommand;
    }
    if (!(m == memory_)) {
        memory_ = std::move(m);
        memory_changed_ = true;
    }
    return kStatusOk;
}

uint8_t MouseFirmware::ApplyMacroPacket(const uint8_t* f) {
    const int index = f[kFrameDescriptor] >> 4;
    const int count = f[kFrameDescriptor] & 0x0F;
    const int length = f[kFrameLength];
    auto reset = [this] {
        macro_packets_expected_ = 0;
        macro_next_packet_ = 0;
        macro_data_.clear();
    };
    if (count == 0 || index >= count || length == 0 || length > static_cast<int>(kPayloadSize)) {
        reset();
        return kStatusBadPacket;
    }
    if (index == 0) {
        reset();
        macro_packets_expected_ = count;
    } else if (count != macro_packets_expected_ || index != macro_next_packet_) {
        reset();
        return kStatusBadPacket;
    }
    macro_data_.insert(macro_data_.end(), f + kPayloadOffset, f + kPayloadOffset + length);
    macro_next_packet_ = index + 1;
    if (macro_next_packet_ < macro_packets_expected_) {
        return kStatusOk;
    }
    std::vector<uint8_t> data = std::move(macro_data_);
    reset();
    if ((data.size() - 1) % 4 != 0) {
        return kStatusBadPacket;
    }
    const uint8_t button = data[0];
    std::vector<uint8_t> events(data.begin() + 1, data.end());
    OnboardMemory m = memory_;
    if (events.empty()) {
        m.macros.erase(button);
    } else {
        m.macros[button] = std::move(events);
    }
    if (MacroAreaUsed(m) > kMacroArea) {
        return kStatusMacroAreaFull;
    }
    if (!(m == memory_)) {
        memory_ = std::move(m);
        memory_changed_ = true;
    }
    return kStatusOk;
}

std::vector<uint8_t> MouseFirmware::PressDpiButton() {
    const int count = std::clamp<int>(memory_.dpi_count, 1, kDpiLevels);
    memory_.dpi_index = static_cast<uint8_t>((memory_.dpi_index + 1) % count);
    memory_changed_ = true;
    std::vector<uint8_t> report(kInputReportSize, 0);
    report[0] = kReportDpiButton;
    report[1] = static_cast<uint8_t>((memory_.dpi_index << 4) | (memory_.dpi_count & 0x0F));
    return report;
}

std::vector<uint8_t> MouseFirmware::LinkReport(bool up) const {
    std::vector<uint8_t> report(kInputReportSize, 0);
    report[0] = kReportLink;
    report[1] = up ? 1 : 0;
    report[2] = battery_level_;
    report[3] = charge_state_;
    return report;
}

void MouseFirmware::SetBattery(int level, int charge_state) {
    battery_level_ = static_cast<uint8_t>(std::clamp(level, 0, 100));
    charge_state_ = static_cast<uint8_t>(charge_state);
}

bool MouseFirmware::TakeMemoryChanged() {
    const bool changed = memory_changed_;
    memory_changed_ = false;
    return changed;
}

}  // namespace pellora::sim
