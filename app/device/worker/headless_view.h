#pragma once
// The worker's user interface without windows: it keeps what a window would show (device list,
// battery, captions, DPI widgets) so the command-line tool can print it and tests can check it.
// Safe to read from any thread while the worker writes.

#include <map>
#include <mutex>
#include <vector>

#include "device/worker/worker_view.h"

namespace pellora {

struct HeadlessState {
    struct Device {
        int mode = 0;
        int online = 0;
        int release = 0;
        int charge_state = 0;
        int battery = 0;
    };
    std::map<int, Device> devices;  // listed models (SetDeviceState), by device type
    std::vector<int> order;         // in the order they were listed
    int selected = 0;
    int battery_level = -1;
    int charge_state = -1;
    int link_caption = 0;
    int firmware_release = -1;
    LoadedModel model;
    int models_applied = 0;
    int page_refreshes = 0;
    int dpi_positions = 0;
    int dpi_count_shown = -1;
    int dpi_index_shown = -1;
    int dpi_level_value = 0;
    std::vector<int> popups;  // DPI values the pop-up showed
    int popups_closed = 0;
    int link_lost_shown = 0;
    int no_device_controls = -1;  // 1 shown, 0 device list shown, -1 never decided
    int recorder_stops = 0;
    int version_checks = 0;
    bool update_dialog_open = false;
    int updates_confirmed = 0;
};

class HeadlessView final : public DeviceWorkerView {
  public:
    HeadlessState State() const;
    void SetUpdateDialogOpen(bool open);

    void SetBatteryInfo(int level, int charge_state) override;
    void SetDeviceBattery(int device_type, int charge_state, int level) override;
    void SetAllDeviceState(int state) override;
    void SetDeviceState(int device_type, int mode, int online) override;
    void SetDeviceVersion(int device_type, int release_number) override;
    int GetOnlineDevCount() override;
    void SetSelectDevice(int device_type) override;
    int GetSelectDevice() override;
    void ShowLinkCaption(int text_id) override;
    void ShowFirmwareVersion(int release_number) override;
    void ApplyModel(const LoadedModel& model) override;
    void RefreshPages(bool lighting) override;
    void SetDpiSliderRange(int positions, const std::wstring& max_label,
                           const std::wstring& min_label) override;
    void ShowDpiCount(int count) override;
    void ShowDpiLevel(int index, int dpi) override;
    void ShowDpiPopup(int dpi) override;
    void ClosePopups() override;
    void ShowLinkLost() override;
    void ShowNoDeviceControls(bool no_device) override;
    void StopMacroRecorder() override;
    bool ConfirmUpdateDialog() override;
    void StartVersionCheck() override;

  private:
    mutable std::mutex mutex_;
    HeadlessState state_;
};

}  // namespace pellora
