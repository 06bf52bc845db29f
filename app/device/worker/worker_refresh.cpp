// Refresh after start or hot plug, and making a model current.

#include "device/worker/device_worker.h"
#include "platform/folders.h"
#include "platform/settings_file.h"
#include "platform/trace.h"

namespace pellora {

namespace {

constexpr int kCaptionNoDevice = 50;
constexpr int kCaptionCable = 51;
constexpr int kCaptionReceiver = 52;

int CaptionForLink(int kind) {
    return kind == 0 ? kCaptionCable : kind == 1 ? kCaptionReceiver : kCaptionNoDevice;
}

}  // namespace

LoadedModel DeviceWorker::LoadModel(const DeviceCatalog& catalog, DeviceDatabase& db, int type) {
    LoadedModel model;
    model.device_type = type;
    if (const DeviceEntry* entry = FindModel(catalog, type)) {
        model.name = entry->name;
        model.device_key = entry->device_key;
    }
    EnsureDataFolders();
    db.OpenForDevice(DataDir(), model.device_key);
    model.description = ReadModelDescription(model.device_key);
    return model;
}

void DeviceWorker::MakeModelCurrent(int device_type) {
    LoadedModel model = LoadModel(catalog_, db_, device_type);
    {
        std::lock_guard lock(state_mutex_);
        model_ = model;
        ++model_loads_;
    }
    WithView([&](DeviceWorkerView& v) { v.ApplyModel(model); });
}

void DeviceWorker::RebuildCatalog() {
    manager_.ClearCatalog();
    for (const DeviceRegistration& r : catalog_.registrations) {
        manager_.AddCatalogEntry(r.vendor_id, r.product_id, r.path, r.device_type, r.mode,
                                 r.device_id);
    }
}

void DeviceWorker::RefreshDevices() {
    const int saved = ReadAppRegInt(L"DeviceType");
    manager_.ClearCachedHandle();
    manager_.CloseAllDevices();
    manager_.EnumerateDevice();
    manager_.SetReady();

    manager_.SetCurrentDeviceType(0);
    std::vector<DeviceRecord> records;
    manager_.ListDevices(records);
    manager_.SetCurrentDeviceType(saved);

    bool any_typed = false;
    WithView([&](DeviceWorkerView& v) {
        v.SetAllDeviceState(0);
        for (const DeviceRecord& r : records) {
            if (r.device_type > 0) {
                v.SetDeviceState(r.device_type, r.mode, r.online);
                v.SetDeviceVersion(r.device_type, r.release_number);
            }
        }
    });
    for (const DeviceRecord& r : records) {
        any_typed = any_typed || r.device_type > 0;
    }
    if (any_typed) {
        int selected = saved;
        WithView([&](DeviceWorkerView& v) {
            v.GetOnlineDevCount();
            v.SetSelectDevice(saved);
            selected = v.GetSelectDevice();
        });
        manager_.SetCurrentDeviceType(selected);
        WriteAppRegString(L"DeviceType", std::to_wstring(selected));
        MakeModelCurrent(selected);
    }

    const int kind = manager_.GetLinkKind();
    {
        std::lock_guard lock(state_mutex_);
        devices_present_ = !records.empty();
        link_up_ = kind != -1;
    }
    WithView([kind](DeviceWorkerView& v) { v.ShowLinkCaption(CaptionForLink(kind)); });
}

void DeviceWorker::SelectModel(int device_type) {
    if (device_type == manager_.GetCurrentDeviceType()) {
        return;
    }
    manager_.SetCurrentDeviceType(device_type);
    WriteAppRegString(L"DeviceType", std::to_wstring(device_type));
    MakeModelCurrent(device_type);
    if (manager_.GetLinkKind() == 1) {
        WithView([](DeviceWorkerView& v) { v.ShowLinkCaption(kCaptionReceiver); });
        QueueTask(task::kSwitchModel);
    } else {
        WithView([](DeviceWorkerView& v) { v.ShowLinkCaption(kCaptionCable); });
    }
}

void DeviceWorker::OnHotPlug(const DeviceBroadcast& broadcast, int event) {
    bool present = false;
    {
        std::lock_guard lock(state_mutex_);
        present = devices_present_;
    }
    if (const int code = manager_.UpdateUSBDevice(&broadcast, event, present)) {
        QueueTask(code);
    }
}

}  // namespace pellora
