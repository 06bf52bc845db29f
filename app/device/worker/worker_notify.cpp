// The idle poll: the mouse's DPI button report (0xD2) and the receiver's link report (0xD1).

#include "device/worker/device_worker.h"
#include "platform/trace.h"
#include "tessel/platform/text.h"

namespace pellora {

void DeviceWorker::IdlePoll() {
    Frame report{};
    int type = 0;
    manager_.ReadNotification(report.data(), type);
    if (report[0] == 0) {
        return;
    }
    Trace(kTraceInfo, "mouse notify data: %02X %02X %02X %02X %02X %02X", report[0], report[1],
          report[2], report[3], report[4], report[5]);
    if (report[0] == kReportDpiButton) {
        OnDpiReport(report[1]);
    } else if (report[0] == kReportLink) {
        OnLinkReport(report.data(), type);
    }
}

void DeviceWorker::OnDpiReport(uint8_t report) {
    const int count = report & 0x0F;
    const int index = report >> 4;
    bool count_changed = false;
    bool index_changed = false;
    {
        std::lock_guard lock(state_mutex_);
        count_changed = count != dpi_count_;
        index_changed = index != dpi_index_;
        if (count_changed)
            dpi_count_ = count;
        if (index_changed)
            dpi_index_ = index;
    }
    const int profile = db_.GetActiveProfile();
    if (count_changed) {
        db_.SetConfigValue(profile, L"dpi_count", std::to_wstring(count));
        WithView([count](DeviceWorkerView& v) { v.ShowDpiCount(count); });
    }
    if (index_changed) {
        db_.SetConfigValue(profile, L"dpi_index", std::to_wstring(index));
        std::wstring text;
        db_.GetConfigValue(profile, L"dpi_group" + std::to_wstring(index) + L"_value", text);
        const int dpi = DUI::WToI(text);
        bool popup = false;
        {
            std::lock_guard lock(state_mutex_);
            popup = model_.show_dpi_tips();
        }
        WithView([&](DeviceWorkerView& v) {
            v.ShowDpiLevel(index, dpi);
            if (popup)
                v.ShowDpiPopup(dpi);
        });
    }
}

void DeviceWorker::OnLinkReport(const uint8_t* report, int device_type) {
    WithView([](DeviceWorkerView& v) { v.ClosePopups(); });
    if (report[1] == 1) {
        bool queue = false;
        {
            std::lock_guard lock(state_mutex_);
            queue = !link_up_;
            link_up_ = true;
        }
        if (queue) {
            QueueTask(task::kArrived);
        }
    } else {
        {
            std::lock_guard lock(state_mutex_);
            link_up_ = false;
        }
        WithView([device_type](DeviceWorkerView& v) {
            v.ShowLinkLost();
            v.SetDeviceState(device_type, kModeReceiver, 0);
        });
        manager_.SetOnlineState(device_type, kModeReceiver, 0);
        // The selection cached the receiver while its mouse was online; forget it so the next
        // polls listen to the receivers for the mouse coming back.
        manager_.ClearCachedHandle();
        manager_.PollReceiverStates();
        WithView([](DeviceWorkerView& v) {
            v.StopMacroRecorder();
            const int online = v.GetOnlineDevCount();
            v.ShowNoDeviceControls(online < 1);
        });
    }
    if (report[2] != 0) {
        const int level = report[2];
        const int charge = report[3];
        WithView([&](DeviceWorkerView& v) { v.SetBatteryInfo(level, charge); });
    }
}

}  // namespace pellora
