#pragma once
// Everything the device worker does to the user interface, and nothing else. The main window
// implements it with its widgets; the command-line tool and the tests implement it without
// windows (headless_view.h). Calls come from the worker thread.

#include <string>

#include "files/device_description.h"

namespace pellora {

// A model made current: its catalogue name and key, and its description file.
struct LoadedModel {
    int device_type = 0;
    std::wstring name;
    std::wstring device_key;
    ModelDescription description;
    bool has_lighting() const { return description.lighting_page.value_or(false); }
    bool show_dpi_tips() const { return description.custom && description.custom->show_dpi_tips; }
};

class DeviceWorkerView {
  public:
    virtual ~DeviceWorkerView() = default;

    // Battery gauge and device list.
    virtual void SetBatteryInfo(int level, int charge_state) = 0;
    virtual void SetDeviceBattery(int device_type, int charge_state, int level) = 0;
    virtual void SetAllDeviceState(int state) = 0;
    virtual void SetDeviceState(int device_type, int mode, int online) = 0;
    virtual void SetDeviceVersion(int device_type, int release_number) = 0;
    virtual int GetOnlineDevCount() = 0;
    // Selects a model in the device list; GetSelectDevice answers what the list selected
    // (another model when that one is not listed).
    virtual void SetSelectDevice(int device_type) = 0;
    virtual int GetSelectDevice() = 0;

    // Captions: the link state (language texts 50 no device, 51 cable, 52 receiver) and the
    // firmware version (the device's release number).
    virtual void ShowLinkCaption(int text_id) = 0;
    virtual void ShowFirmwareVersion(int release_number) = 0;

    // A model became current: apply its description (picture, tabs, switches, keys, effects).
    virtual void ApplyModel(const LoadedModel& model) = 0;
    // Reload the key, macro and DPI pages (and the lighting page) from the store.
    virtual void RefreshPages(bool lighting) = 0;
    // DPI slider: number of positions and its two end labels.
    virtual void SetDpiSliderRange(int positions, const std::wstring& max_label,
                                   const std::wstring& min_label) = 0;
    // The mouse changed its DPI level count, or its current level (with that level's value).
    virtual void ShowDpiCount(int count) = 0;
    virtual void ShowDpiLevel(int index, int dpi) = 0;
    virtual void ShowDpiPopup(int dpi) = 0;

    // Link lost: close the pop-up windows; caption 50, first tab, page area, tabs and device
    // list hidden, the no-device picture and text shown. Then, from the online count, either the
    // no-device controls or the device list.
    virtual void ClosePopups() = 0;
    virtual void ShowLinkLost() = 0;
    virtual void ShowNoDeviceControls(bool no_device) = 0;
    virtual void StopMacroRecorder() = 0;

    // Update dialog (task 27): confirm it when one is open; false when none is.
    virtual bool ConfirmUpdateDialog() = 0;
    virtual void StartVersionCheck() = 0;
};

}  // namespace pellora
