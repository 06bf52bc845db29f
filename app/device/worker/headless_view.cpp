#include "device/worker/headless_view.h"

#include <algorithm>

namespace pellora {

HeadlessState HeadlessView::State() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void HeadlessView::SetUpdateDialogOpen(bool open) {
    std::lock_guard lock(mutex_);
    state_.update_dialog_open = open;
}

void HeadlessView::SetBatteryInfo(int level, int charge_state) {
    std::lock_guard lock(mutex_);
    state_.battery_level = level;
    state_.charge_state = charge_state;
}

void HeadlessView::SetDeviceBattery(int device_type, int charge_state, int level) {
    std::lock_guard lock(mutex_);
    const auto it = state_.devices.find(device_type);
    if (it != state_.devices.end()) {
        it->second.charge_state = charge_state;
        it->second.battery = level;
    }
}

void HeadlessView::SetAllDeviceState(int state) {
    std::lock_guard lock(mutex_);
    for (auto& [type, device] : state_.devices) {
        device.online = state;
    }
}

void HeadlessView::SetDeviceState(int device_type, int mode, int online) {
    std::lock_guard lock(mutex_);
    if (!state_.devices.contains(device_type)) {
        state_.order.push_back(device_type);
    }
    HeadlessState::Device& device = state_.devices[device_type];
    device.mode = mode;
    device.online = online;
}

void HeadlessView::SetDeviceVersion(int device_type, int release_number) {
    std::lock_guard lock(mutex_);
    state_.devices[device_type].release = release_number;
}

int HeadlessView::GetOnlineDevCount() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(state_.devices.begin(), state_.devices.end(),
                                          [](const auto& d) { return d.second.online == 1; }));
}

void HeadlessView::SetSelectDevice(int device_type) {
    std::lock_guard lock(mutex_);
    const auto listed = [this](int type) {
        const auto it = state_.devices.find(type);
        return it != state_.devices.end() && it->second.online > 0;
    };
    if (listed(device_type)) {
        state_.selected = device_type;
        return;
    }
    // Like the device list: the remembered model when it is there, else the first one listed.
    for (int type : state_.order) {
        if (listed(type)) {
            state_.selected = type;
            return;
        }
    }
}

int HeadlessView::GetSelectDevice() {
    std::lock_guard lock(mutex_);
    return state_.selected;
}

void HeadlessView::ShowLinkCaption(int text_id) {
    std::lock_guard lock(mutex_);
    state_.link_caption = text_id;
}

void HeadlessView::ShowFirmwareVersion(int release_number) {
    std::lock_guard lock(mutex_);
    state_.firmware_release = release_number;
}

void HeadlessView::ApplyModel(const LoadedModel& model) {
    std::lock_guard lock(mutex_);
    state_.model = model;
    ++state_.models_applied;
}

void HeadlessView::RefreshPages(bool) {
    std::lock_guard lock(mutex_);
    ++state_.page_refreshes;
}

void HeadlessView::SetDpiSliderRange(int positions, const std::wstring&, const std::wstring&) {
    std::lock_guard lock(mutex_);
    state_.dpi_positions = positions;
}

void HeadlessView::ShowDpiCount(int count) {
    std::lock_guard lock(mutex_);
    state_.dpi_count_shown = count;
}

void HeadlessView::ShowDpiLevel(int index, int dpi) {
    std::lock_guard lock(mutex_);
    state_.dpi_index_shown = index;
    state_.dpi_level_value = dpi;
}

void HeadlessView::ShowDpiPopup(int dpi) {
    std::lock_guard lock(mutex_);
    state_.popups.push_back(dpi);
}

void HeadlessView::ClosePopups() {
    std::lock_guard lock(mutex_);
    ++state_.popups_closed;
}

void HeadlessView::ShowLinkLost() {
    std::lock_guard lock(mutex_);
    ++state_.link_lost_shown;
    state_.link_caption = 50;
}

void HeadlessView::ShowNoDeviceControls(bool no_device) {
    std::lock_guard lock(mutex_);
    state_.no_device_controls = no_device ? 1 : 0;
}

void HeadlessView::StopMacroRecorder() {
    std::lock_guard lock(mutex_);
    ++state_.recorder_stops;
}

bool HeadlessView::ConfirmUpdateDialog() {
    std::lock_guard lock(mutex_);
    if (!state_.update_dialog_open) {
        return false;
    }
    state_.update_dialog_open = false;
    ++state_.updates_confirmed;
    return true;
}

void HeadlessView::StartVersionCheck() {
    std::lock_guard lock(mutex_);
    ++state_.version_checks;
}

}  // namespace pellora
