#include "device/commands/device_commands.h"

#include <algorithm>

#include "device/commands/button_table.h"
#include "device/commands/encodings.h"
#include "platform/trace.h"
#include "tessel/platform/text.h"

namespace pellora {

namespace {

constexpr int kSentDpiLevels = 6;  // level 6 exists in the store and on the page only

std::wstring LevelKey(int n, const wchar_t* suffix) {
    return L"dpi_group" + std::to_wstring(n) + suffix;
}

}  // namespace

DeviceCommands::DeviceCommands(DeviceManager& manager, DeviceDatabase& db, DUI::Clock& clock)
    : manager_(manager), db_(db), clock_(clock) {}

DeviceParams DeviceCommands::params() const {
    std::lock_guard lock(params_mutex_);
    return params_;
}

void DeviceCommands::set_params(const DeviceParams& params) {
    std::lock_guard lock(params_mutex_);
    params_ = params;
}

void DeviceCommands::SetLightMode(int mode) {
    std::lock_guard lock(params_mutex_);
    params_.light_mode = mode;
}

void DeviceCommands::SetRateCeiling(int ceiling) {
    std::lock_guard lock(params_mutex_);
    params_.rate_ceiling = ceiling;
}

int DeviceCommands::CurrentProfile() {
    return db_.GetActiveProfile();
}

int DeviceCommands::ConfigInt(int profile, const wchar_t* key) {
    std::wstring text;
    db_.GetConfigValue(profile, key, text);
    return DUI::WToI(text);
}

void DeviceCommands::StoreInt(int profile, const std::wstring& key, int value) {
    db_.SetConfigValue(profile, key, std::to_wstring(value));
}

void DeviceCommands::Pause(std::chrono::milliseconds ms) {
    clock_.sleep_for(ms);
}

bool DeviceCommands::Send(Frame& frame, std::size_t length, bool wait, const char* what) {
    if (!wait) {
        // The mouse never answers these; what can fail is finding a device to write to.
        const bool reachable = manager_.IsReady() && manager_.GetCurrentHandle() != nullptr;
        manager_.SendCommand(frame.data(), length, false);
        if (!reachable) {
            ++failed_sends_;
            Trace(kTraceWarning, "%s: no device", what);
        }
        return reachable;
    }
    const bool ok = manager_.SendCommand(frame.data(), length, true);
    if (!ok) {
        ++failed_sends_;
        Trace(kTraceWarning, "%s: no reply", what);
    }
    return ok;
}

bool DeviceCommands::SendReportRate() {
    const int profile = CurrentProfile();
    const uint8_t payload[] = {static_cast<uint8_t>(ConfigInt(profile, L"report_rate"))};
    Frame frame = MakeWriteFrame(command::kSetReportRate, 1, payload);
    return Send(frame, kShortSubmission, false, "report rate 0x02");
}

bool DeviceCommands::SendDpiLevels() {
    const int profile = CurrentProfile();
    const DeviceParams p = params();
    std::array<uint8_t, 2 + 4 * kSentDpiLevels> payload{};
    payload[1] = static_cast<uint8_t>(((ConfigInt(profile, L"dpi_index") & 0x0F) << 4) |
                                      (ConfigInt(profile, L"dpi_count") & 0x0F));
    for (int n = 0; n < kSentDpiLevels; ++n) {
        const int stored = ConfigInt(profile, LevelKey(n, L"_value").c_str());
        const int dpi = stored < p.dpi_min ? p.dpi_min : std::min(stored, p.dpi_max);
        const uint16_t raw = EncodeDpiStep(p.sensor_code, dpi);
        for (int copy = 0; copy < 2; ++copy) {
            payload[2 + 4 * n + 2 * copy] = static_cast<uint8_t>(raw & 0xFF);
            payload[3 + 4 * n + 2 * copy] = static_cast<uint8_t>(raw >> 8);
        }
    }
    Frame frame = MakeWriteFrame(command::kSetDpiLevels, 0x26, payload);
    return Send(frame, kShortSubmission, false, "DPI levels 0x03");
}

bool DeviceCommands::SendDpiColours() {
    const int profile = CurrentProfile();
    std::array<uint8_t, 3 * kSentDpiLevels> payload{};
    for (int n = 0; n < kSentDpiLevels; ++n) {
        const auto rgb = ColourToWire(ConfigInt(profile, LevelKey(n, L"_rgb").c_str()));
        std::copy(rgb.begin(), rgb.end(), payload.begin() + 3 * n);
    }
    Frame frame = MakeWriteFrame(command::kSetDpiColours, 18, payload);
    return Send(frame, kShortSubmission, false, "DPI colours 0x04");
}

bool DeviceCommands::SendLighting() {
    const int profile = CurrentProfile();
    const int mode = params().light_mode;
    db_.SetActiveLightMode(profile, mode);
    LightRecord light;
    if (!db_.GetLight(profile, mode, light)) {
        Trace(kTraceInfo, "lighting 0x05: no record for mode %d", mode);
        return false;
    }
    std::array<uint8_t, kPayloadSize> payload{};
    payload[0] = static_cast<uint8_t>(mode);
    payload[1] = static_cast<uint8_t>(((light.brightness & 0x0F) << 4) | (light.speed & 0x0F));
    uint8_t length = 0;
    switch (mode) {
        case 0:
        case 4:
        case 5:
            length = 2;
            break;
        case 1:
            length = 3;
            break;
        case 2:
            length = 24;
            payload[2] = kLightColourCount;
            for (int k = 0; k < kLightColourCount; ++k) {
                const auto rgb = ColourToWire(light.color_values[k]);
                std::copy(rgb.begin(), rgb.end(), payload.begin() + 3 + 3 * k);
            }
            break;
        case 3: {
            length = 5;
            const auto rgb = ColourToWire(light.color_values[0]);
            std::copy(rgb.begin(), rgb.end(), payload.begin() + 2);
            break;
        }
        default:
            payload = {};
            break;
    }
    Frame frame = MakeWriteFrame(command::kSetLighting, length, payload);
    return Send(frame, kLongSubmission, true, "lighting 0x05");
}

bool DeviceCommands::SendSensorOptions() {
    const int profile = CurrentProfile();
    const int flags = ConfigInt(profile, L"sensor_flag");
    const uint8_t payload[] = {static_cast<uint8_t>(ConfigInt(profile, L"liftoff_height")),
                               static_cast<uint8_t>((flags & 8) ? 1 : 0),
                               static_cast<uint8_t>((flags & 4) ? 1 : 0)};
    Frame frame = MakeWriteFrame(command::kSetSensor, 5, payload);
    return Send(frame, kLongSubmission, true, "sensor options 0x06");
}

bool DeviceCommands::SendPowerOptions() {
    const int profile = CurrentProfile();
    const uint8_t payload[] = {static_cast<uint8_t>(ConfigInt(profile, L"sleep_light")),
                               static_cast<uint8_t>(ConfigInt(profile, L"move_wakeup")),
                               static_cast<uint8_t>(ConfigInt(profile, L"move_closelight")),
                               static_cast<uint8_t>(ConfigInt(profile, L"button_respondtime"))};
    Frame frame = MakeWriteFrame(command::kSetPower, 4, payload);
    return Send(frame, kLongSubmission, true, "power options 0x07");
}

bool DeviceCommands::SendFactoryReset() {
    const uint8_t payload[] = {0xFF};
    Frame frame = MakeWriteFrame(command::kFactoryReset, 1, payload);
    return Send(frame, kShortSubmission, true, "factory reset 0x0F");
}

bool DeviceCommands::ReadOne(uint8_t code, Frame& reply) {
    reply = MakeReadRequest(code);
    const bool ok = manager_.SendCommand(reply.data(), kShortSubmission, true);
    if (!ok) {
        ++failed_sends_;
        Trace(kTraceWarning, "read 0x%02X failed", code);
    }
    return ok;
}

void DeviceCommands::StoreRead(int profile, uint8_t code, const Frame& r) {
    switch (code) {
        case 0x12:
            StoreInt(profile, L"report_rate", r[4]);
            StoreInt(profile, L"report_rate_wireless", r[4]);
            break;
        case 0x13:
            StoreInt(profile, L"dpi_flag", r[4] & 0x0F);
            StoreInt(profile, L"dpi_count", r[4] & 0x0F);
            StoreInt(profile, L"dpi_index", r[4] >> 4);
            for (int n = 0; n < kSentDpiLevels; ++n) {
                const auto raw = static_cast<uint16_t>(r[5 + 4 * n] | (r[6 + 4 * n] << 8));
                const int dpi = DecodeDpiStep(params().sensor_code, raw);
                if (dpi >= 50) {
                    StoreInt(profile, LevelKey(n, L"_value"), dpi);
                }
            }
            break;
        case 0x14:
            for (int n = 0; n < kSentDpiLevels; ++n) {
                StoreInt(profile, LevelKey(n, L"_rgb"),
                         ColourFromWire(r[4 + 3 * n], r[5 + 3 * n], r[6 + 3 * n]));
            }
            break;
        case 0x15: {
            SetLightMode(r[4]);
            db_.SetActiveLightMode(profile, r[4]);
            LightRecord light;
            if (db_.GetLight(profile, r[4], light)) {
                light.brightness = r[5] >> 4;
                light.speed = r[5] & 0x0F;
                db_.UpdateLight(r[4], light);
            }
            break;
        }
        case 0x16: {
            // Only bits 8 and 4 travel; the page's other option bits stay as the user set them.
            const int kept = ConfigInt(profile, L"sensor_flag") & ~(8 | 4);
            StoreInt(profile, L"liftoff_height", r[4]);
            StoreInt(profile, L"sensor_flag", kept | (r[5] == 1 ? 8 : 0) | (r[6] == 1 ? 4 : 0));
            break;
        }
        case 0x17:
            StoreInt(profile, L"sleep_light", r[4]);
            StoreInt(profile, L"move_closelight", r[6]);
            StoreInt(profile, L"button_respondtime", r[7]);
            break;
        default:
            break;
    }
}

int DeviceCommands::ReadSettings() {
    const int profile = CurrentProfile();
    int succeeded = 0;
    for (uint8_t code = command::kReadFirst; code <= command::kReadLast; ++code) {
        if (Cancelled())
            break;
        Frame reply{};
        if (ReadOne(code, reply)) {
            ++succeeded;
            auto hold = db_.Lock();
            StoreRead(profile, code, reply);
        }
    }
    return succeeded;
}

void DeviceCommands::SetPendingMacroButton(int button) {
    std::lock_guard lock(pending_mutex_);
    pending_macro_button_ = button;
}

int DeviceCommands::PendingMacroButton() const {
    std::lock_guard lock(pending_mutex_);
    return pending_macro_button_;
}

int DeviceCommands::EncodeMacro(int macro, std::vector<uint8_t>& events) {
    MacroStepList steps;
    db_.ListMacroSteps(macro, steps);
    return EncodeMacroSteps(steps, events);
}

bool DeviceCommands::SendMacro(int button, int macro) {
    std::vector<uint8_t> events;
    const int count = EncodeMacro(macro, events);
    const std::vector<Frame> frames = BuildMacroFrames(button, events);
    if (frames.empty()) {
        Trace(kTraceError, "macro %d has %d events; the mouse takes at most %d", macro, count,
              kMaxMacroEvents);
        ++failed_sends_;
        return false;
    }
    bool result = false;
    for (Frame frame : frames) {
        result = Send(frame, kShortSubmission, true, "macro 0x08");
    }
    return result;
}

bool DeviceCommands::SendButtonTable() {
    const int profile = CurrentProfile();
    KeyList keys;
    db_.ListKeys(profile, keys);
    MacroList macros;
    db_.ListMacros(macros);

    int pending = -1;
    {
        std::lock_guard lock(pending_mutex_);
        std::swap(pending, pending_macro_button_);
    }
    if (pending >= 0) {
        for (const auto& key : keys) {
            if (key->macro_type != 4 || key->key_code != pending)
                continue;
            const bool exists = std::any_of(macros.begin(), macros.end(), [&](const auto& m) {
                return m->id == key->macro_value;
            });
            if (exists)
                SendMacro(key->key_code, key->macro_value);
            break;
        }
    }

    const ButtonTable table = BuildButtonTable(keys, macros);
    Frame frame = MakeWriteFrame(command::kSetButtons, 15,
                                 std::span<const uint8_t>(table.data(), kPayloadSize));
    return Send(frame, kShortSubmission, true, "button table 0x09");
}

void DeviceCommands::DownloadAll(bool has_lighting) {
    const int profile = CurrentProfile();
    {
        KeyList keys;
        db_.ListKeys(profile, keys);
        MacroList macros;
        db_.ListMacros(macros);
        for (const auto& key : keys) {
            if (Cancelled())
                return;
            if (key->macro_type != 4 || key->key_code < 0 || key->key_code >= kButtonSlots) {
                continue;
            }
            const bool exists = std::any_of(macros.begin(), macros.end(), [&](const auto& m) {
                return m->id == key->macro_value;
            });
            if (exists)
                SendMacro(key->key_code, key->macro_value);
        }
    }
    using Step = bool (DeviceCommands::*)();
    static constexpr Step kSteps[] = {
        &DeviceCommands::SendButtonTable,   &DeviceCommands::SendDpiLevels,
        &DeviceCommands::SendDpiColours,    &DeviceCommands::SendReportRate,
        &DeviceCommands::SendSensorOptions, &DeviceCommands::SendPowerOptions,
    };
    for (Step step : kSteps) {
        if (Cancelled())
            return;
        (this->*step)();
        Pause(kStepPause);
    }
    if (has_lighting && !Cancelled()) {
        SendLighting();
        Pause(kStepPause);
        if (!Cancelled())
            SendLighting();
    }
}

}  // namespace pellora
