#include "device/worker/device_worker.h"

#include "device/commands/encodings.h"
#include "device/commands/model_defaults.h"
#include "files/language.h"
#include "platform/trace.h"
#include "store/init_profiles.h"
#include "tessel/platform/text.h"

namespace pellora {

namespace {

constexpr std::chrono::milliseconds kArrivalPause{1};
constexpr std::chrono::milliseconds kRemovalPause{500};
constexpr std::chrono::milliseconds kRestorePause{500};
constexpr std::chrono::milliseconds kUpdateDialogPause{100};
constexpr int kProfileWordText = 61;
constexpr int kDpiSliderPositions = 60;

}  // namespace

DeviceWorker::DeviceWorker(DeviceManager& manager, DeviceDatabase& db, DUI::Clock& clock,
                           DeviceWorkerView& view, DeviceCatalog catalog)
    : manager_(manager),
      db_(db),
      clock_(clock),
      catalog_(std::move(catalog)),
      commands_(manager, db, clock),
      view_(&view) {
    commands_.SetCancelFlag(&cancel_);
}

DeviceWorker::~DeviceWorker() {
    Stop();
}

void DeviceWorker::Start() {
    QueueTask(task::kStart);
    cancel_ = false;
    StartThread();
}

bool DeviceWorker::Stop(std::chrono::milliseconds wait) {
    return StopThread(wait);
}

void DeviceWorker::OnStopTimedOut() {
    cancel_ = true;
    std::lock_guard lock(view_mutex_);
    view_ = nullptr;
    Trace(kTraceWarning, "worker stop: task outlasted the wait; window detached");
}

void DeviceWorker::WithView(const std::function<void(DeviceWorkerView&)>& fn) {
    std::lock_guard lock(view_mutex_);
    if (view_ != nullptr) {
        fn(*view_);
    }
}

void DeviceWorker::QueueTask(int code) {
    queue_.Append(code);
    WakeThread();
}

WorkerSnapshot DeviceWorker::Snapshot() const {
    WorkerSnapshot s;
    {
        std::lock_guard lock(state_mutex_);
        s.devices_present = devices_present_;
        s.link_up = link_up_;
        s.link_flag = link_flag_;
        s.battery_level = battery_level_;
        s.charge_state = charge_state_;
        s.read_once = read_once_;
        s.model = model_;
        s.model_loads = model_loads_;
    }
    s.current_type = manager_.GetCurrentDeviceType();
    s.params = commands_.params();
    return s;
}

void DeviceWorker::RememberDpiSelection(int count, int index) {
    std::lock_guard lock(state_mutex_);
    dpi_count_ = count;
    dpi_index_ = index;
}

void DeviceWorker::Pause(std::chrono::milliseconds ms) {
    if (ms.count() > 0 && !cancel_) {
        clock_.sleep_for(ms);
    }
}

bool DeviceWorker::HasLighting() const {
    std::lock_guard lock(state_mutex_);
    return model_.has_lighting();
}

std::wstring DeviceWorker::CurrentKey() const {
    std::lock_guard lock(state_mutex_);
    return model_.device_key;
}

void DeviceWorker::Run() {
    if (const std::optional<int> code = queue_.TakeFront()) {
        RunTask(*code);
        queue_.Done();
        return;
    }
    bool present = false;
    {
        std::lock_guard lock(state_mutex_);
        present = devices_present_;
    }
    if (present && !cancel_) {
        IdlePoll();
    }
}

void DeviceWorker::RunTask(int code) {
    Trace(kTraceDebug, "worker task %d", code);
    switch (code) {
        case task::kStart:
            RebuildCatalog();
            manager_.EnumerateDevice();
            ConnectSequence(code);
            break;
        case task::kArrived:
            ConnectSequence(code);
            break;
        case task::kRemoved:
            ReconnectSequence();
            break;
        case task::kSwitchModel:
            ModelSwitchSequence();
            break;
        case task::kDownloadAll:
            commands_.DownloadAll(HasLighting());
            break;
        case task::kButtons:
            commands_.SendButtonTable();
            break;
        case task::kLighting:
            commands_.SendLighting();
            break;
        case task::kDpiLevels:
            commands_.SendDpiLevels();
            break;
        case task::kDpiColours:
            commands_.SendDpiColours();
            break;
        case task::kReportRate:
            commands_.SendReportRate();
            break;
        case task::kSensor:
            commands_.SendSensorOptions();
            break;
        case task::kPower:
            commands_.SendPowerOptions();
            break;
        case task::kDpiDefaults:
            RestoreDpiDefaults();
            break;
        case task::kFactoryRestore:
            FactoryRestore();
            break;
        case task::kConfirmUpdate:
            Pause(kUpdateDialogPause);
            WithView([](DeviceWorkerView& v) { v.ConfirmUpdateDialog(); });
            Pause(kUpdateDialogPause);
            break;
        default:
            break;  // 14, 23, 24, 26 and unknown codes: taken and ignored
    }
}

void DeviceWorker::ConnectSequence(int code) {
    Pause(code == task::kArrived ? kArrivalPause : std::chrono::milliseconds(0));
    {
        std::lock_guard lock(state_mutex_);
        link_flag_ = 0;
    }
    RefreshDevices();
    if (manager_.GetLinkKind() == -1 || cancel_) {
        return;
    }
    InitProfilesForModel();
    RefreshPages();
    if (!StateRead() || cancel_) {
        return;
    }
    RefreshPages();
    ShowFirmwareCaption();
    WithView([](DeviceWorkerView& v) { v.StartVersionCheck(); });
}

void DeviceWorker::ReconnectSequence() {
    Pause(kRemovalPause);
    {
        std::lock_guard lock(state_mutex_);
        link_flag_ = 0;
    }
    RefreshDevices();
    if (manager_.GetLinkKind() == -1 || cancel_) {
        return;
    }
    if (StateRead()) {
        RefreshPages();
        ShowFirmwareCaption();
    }
}

void DeviceWorker::ModelSwitchSequence() {
    InitProfilesForModel();
    RefreshPages();
    if (!cancel_ && StateRead()) {
        RefreshPages();
    }
}

void DeviceWorker::InitProfilesForModel() {
    const std::wstring key = CurrentKey();
    std::wstring word = GetText(kProfileWordText);
    if (word.empty()) {
        word = L"Profile";
    }
    InitProfiles(db_, word, [&](int profile) {
        if (const std::optional<int> rate = WriteModelDefaults(db_, profile, key)) {
            commands_.SetRateCeiling(*rate);
        }
    });
}

void DeviceWorker::RefreshPages() {
    // The DPI page remembers the stored count and level as it shows them.
    const int profile = db_.GetActiveProfile();
    std::wstring count;
    std::wstring index;
    db_.GetConfigValue(profile, L"dpi_count", count);
    db_.GetConfigValue(profile, L"dpi_index", index);
    RememberDpiSelection(DUI::WToI(count), DUI::WToI(index));
    const bool lighting = HasLighting();
    WithView([lighting](DeviceWorkerView& v) { v.RefreshPages(lighting); });
}

void DeviceWorker::ShowFirmwareCaption() {
    int release = 0;
    const int kind = manager_.GetLinkKind();
    if (kind >= 0 && manager_.GetReleaseNumber(kind, release)) {
        WithView([release](DeviceWorkerView& v) { v.ShowFirmwareVersion(release); });
    }
}

bool DeviceWorker::StateRead() {
    const int type = manager_.GetCurrentDeviceType();
    int level = 0;
    int charge = 0;
    {
        std::lock_guard lock(state_mutex_);
        level = battery_level_;
        charge = charge_state_;
        link_flag_ = 0;
    }
    WithView([&](DeviceWorkerView& v) {
        v.SetBatteryInfo(level, 100);
        v.SetDeviceBattery(type, charge, 100);
    });

    Frame info{};
    if (manager_.RequestDeviceInfo(info.data(), nullptr)) {
        DeviceParams p = commands_.params();
        p.sensor_code = kSensorCode37;
        p.dpi_min = 100;
        p.dpi_max = 10000;
        p.rate_ceiling = RateCeilingFromInfo(info[kInfoRateCeiling]);
        commands_.set_params(p);
        WithView([](DeviceWorkerView& v) {
            v.SetDpiSliderRange(kDpiSliderPositions, L"10000", L"100");
        });
        charge = info[kInfoChargeState];
        level = info[kInfoBatteryLevel];
        {
            std::lock_guard lock(state_mutex_);
            charge_state_ = charge;
            battery_level_ = level;
            link_flag_ = info[kInfoLinkFlag];
        }
        WithView([&](DeviceWorkerView& v) {
            v.SetBatteryInfo(level, charge);
            v.SetDeviceBattery(type, charge, level);
        });
    }
    {
        std::lock_guard lock(state_mutex_);
        if (link_flag_ == 0) {
            Trace(kTraceInfo, "state read: mouse not connected");
            return false;
        }
        if (read_once_.contains(type)) {
            return true;
        }
    }
    if (commands_.ReadSettings() > 0) {
        std::lock_guard lock(state_mutex_);
        read_once_.insert(type);
    }
    return true;
}

void DeviceWorker::RestoreDpiDefaults() {
    const int profile = db_.GetActiveProfile();
    if (const std::optional<int> rate = WriteModelDefaults(db_, profile, CurrentKey())) {
        commands_.SetRateCeiling(*rate);
    }
    RefreshPages();
    commands_.SendDpiLevels();
    Pause(kStepPause);
    commands_.SendDpiColours();
    Pause(kStepPause);
}

void DeviceWorker::FactoryRestore() {
    commands_.SendFactoryReset();
    InitProfilesForModel();
    for (int profile = 1; profile <= 5; ++profile) {
        db_.DeleteKeys(profile);
    }
    if (cancel_)
        return;
    RestoreDpiDefaults();
    if (cancel_)
        return;
    RefreshPages();
    commands_.SendPowerOptions();
    Pause(kRestorePause);
    if (HasLighting() && !cancel_) {
        for (int profile = 0; profile <= 5; ++profile) {
            db_.DeleteLights(profile);
        }
        RefreshPages();
        commands_.SendLighting();
    }
}

}  // namespace pellora
