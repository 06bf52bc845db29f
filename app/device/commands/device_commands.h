#pragma once
// The command catalogue: every settings write and read the program exchanges with the mouse,
// built from the current profile's stored values and sent through the device manager. Runs on
// the device worker only; the store serialises its own operations.
//
// Results: a write sent with a reply wait reports whether the mouse answered; one sent without
// a wait reports whether it could be handed to a device at all (the mouse never answers it).
// Failures are traced and skipped; the stored values stay and go out with the next download.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "device/commands/device_params.h"
#include "device/device_manager.h"
#include "store/device_database.h"
#include "tessel/platform/clock.h"

namespace pellora {

namespace command {
inline constexpr uint8_t kSetReportRate = 0x02;
inline constexpr uint8_t kSetDpiLevels = 0x03;
inline constexpr uint8_t kSetDpiColours = 0x04;
inline constexpr uint8_t kSetLighting = 0x05;
inline constexpr uint8_t kSetSensor = 0x06;
inline constexpr uint8_t kSetPower = 0x07;
inline constexpr uint8_t kSetMacro = 0x08;
inline constexpr uint8_t kSetButtons = 0x09;
inline constexpr uint8_t kFactoryReset = 0x0F;
inline constexpr uint8_t kReadFirst = 0x11;
inline constexpr uint8_t kReadLast = 0x17;
}  // namespace command

inline constexpr std::chrono::milliseconds kStepPause{100};

class DeviceCommands {
  public:
    DeviceCommands(DeviceManager& manager, DeviceDatabase& db, DUI::Clock& clock);

    // Sensor code, DPI limits, rate ceiling and lighting mode. Any thread: the state read sets
    // them on the worker, the pages set the lighting mode and the ceiling.
    DeviceParams params() const;
    void set_params(const DeviceParams& params);
    void SetLightMode(int mode);
    void SetRateCeiling(int ceiling);

    // Long sequences stop between steps once this flag is set (the worker is being stopped).
    void SetCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }
    bool Cancelled() const { return cancel_ != nullptr && cancel_->load(); }

    // The profile the commands read from: the store's active profile.
    int CurrentProfile();

    // Writes.
    bool SendReportRate();
    bool SendDpiLevels();
    bool SendDpiColours();
    bool SendLighting();
    bool SendSensorOptions();
    bool SendPowerOptions();
    bool SendFactoryReset();

    // 0x11..0x17 in order, storing each value whose read succeeded. Returns the count of reads
    // that succeeded.
    int ReadSettings();

    // Buttons and macros.
    bool SendButtonTable();
    bool SendMacro(int button, int macro);
    int EncodeMacro(int macro, std::vector<uint8_t>& events);
    // A macro button the key page asked to send with the next button table; -1 for none. Any
    // thread.
    void SetPendingMacroButton(int button);
    int PendingMacroButton() const;

    // Task 5: macros and key table, DPI levels, colours, rate, sensor, power, and with lighting
    // the lighting twice, 100 ms apart.
    void DownloadAll(bool has_lighting);

    // Frames handed to SendCommand that came back false although a reply was expected, or that
    // found no device: counts failures for callers that report them.
    int failed_sends() const { return failed_sends_.load(); }

  private:
    int ConfigInt(int profile, const wchar_t* key);
    void StoreInt(int profile, const std::wstring& key, int value);
    bool Send(Frame& frame, std::size_t length, bool wait, const char* what);
    bool ReadOne(uint8_t command, Frame& reply);
    void StoreRead(int profile, uint8_t command, const Frame& reply);
    void Pause(std::chrono::milliseconds ms);

    DeviceManager& manager_;
    DeviceDatabase& db_;
    DUI::Clock& clock_;
    mutable std::mutex params_mutex_;
    DeviceParams params_;
    const std::atomic<bool>* cancel_ = nullptr;
    std::atomic<int> failed_sends_{0};
    mutable std::mutex pending_mutex_;
    int pending_macro_button_ = -1;
};

}  // namespace pellora
