#pragma once
// The device worker: the one thread that talks to the mouse. The window (or the command-line
// tool) stores a change and queues a task code; the worker takes one task per cycle and runs the
// matching sequence, and when nothing is queued and devices are present it polls for the
// mouse's unsolicited reports (DPI button, receiver link).
//
// Everything it shows goes through DeviceWorkerView. Stopping waits one second for the task in
// progress; when that is not enough the view is detached (no further call reaches the window),
// the remaining steps of the task are skipped, and the stop then waits for the one exchange
// still on the wire (at most 66 ms + 50 × 30 ms). Nothing the worker touches is destroyed before
// its thread has ended.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>

#include "device/commands/device_commands.h"
#include "device/device_manager.h"
#include "device/worker/task_codes.h"
#include "device/worker/task_queue.h"
#include "device/worker/thread_basic.h"
#include "device/worker/worker_view.h"
#include "files/device_catalog.h"
#include "store/device_database.h"

namespace pellora {

// What the worker knows of the connection, for callers that print or check it.
struct WorkerSnapshot {
    bool devices_present = false;
    bool link_up = false;  // the latch
    int link_flag = 0;     // information byte 14
    int battery_level = 0;
    int charge_state = 0;
    int current_type = 0;
    DeviceParams params;
    std::set<int> read_once;
    LoadedModel model;
    int model_loads = 0;
};

class DeviceWorker final : public CThreadBasic {
  public:
    DeviceWorker(DeviceManager& manager, DeviceDatabase& db, DUI::Clock& clock,
                 DeviceWorkerView& view, DeviceCatalog catalog);
    ~DeviceWorker() override;

    // Window start: queues task 1 and starts the thread.
    void Start();
    // Window destruction: ends the thread (see above). True when it ended within the wait.
    bool Stop(std::chrono::milliseconds wait = std::chrono::milliseconds(1000));

    // Any thread.
    void QueueTask(int code);
    std::size_t QueuedTasks() const { return queue_.Count(); }
    bool WaitUntilIdle(std::chrono::milliseconds timeout) const { return queue_.WaitIdle(timeout); }
    WorkerSnapshot Snapshot() const;
    DeviceCommands& commands() { return commands_; }

    // Window thread: the user picked another model in the device list.
    void SelectModel(int device_type);
    // Window thread: a device came or went; queues the task the device manager asks for.
    void OnHotPlug(const DeviceBroadcast& broadcast, int event);

    // One cycle, for tests that drive the worker without its thread.
    void RunOnce() { Run(); }
    // The remembered DPI count and level the 0xD2 report is compared with (the DPI page sets
    // them when it shows the stored values).
    void RememberDpiSelection(int count, int index);

    // Opens the model's store and reads its description: the first half of a refresh, also used
    // by the command-line tool when no device is attached.
    static LoadedModel LoadModel(const DeviceCatalog& catalog, DeviceDatabase& db, int type);

  protected:
    void Run() override;
    void OnStopTimedOut() override;

  private:
    void RunTask(int code);
    void ConnectSequence(int code);
    void ReconnectSequence();
    void ModelSwitchSequence();
    void RestoreDpiDefaults();
    void FactoryRestore();
    bool StateRead();
    void RefreshDevices();
    void RebuildCatalog();
    void MakeModelCurrent(int device_type);
    void InitProfilesForModel();
    void RefreshPages();
    void ShowFirmwareCaption();
    void IdlePoll();
    void OnDpiReport(uint8_t report);
    void OnLinkReport(const uint8_t* report, int device_type);
    void Pause(std::chrono::milliseconds ms);
    bool HasLighting() const;
    std::wstring CurrentKey() const;

    // Calls `fn` with the view unless the stop detached it.
    void WithView(const std::function<void(DeviceWorkerView&)>& fn);

    DeviceManager& manager_;
    DeviceDatabase& db_;
    DUI::Clock& clock_;
    DeviceCatalog catalog_;
    DeviceCommands commands_;
    TaskQueue queue_;
    std::atomic<bool> cancel_{false};

    std::mutex view_mutex_;
    DeviceWorkerView* view_;

    mutable std::mutex state_mutex_;
    bool devices_present_ = false;
    bool link_up_ = false;
    int link_flag_ = 0;
    int battery_level_ = 0;
    int charge_state_ = 0;
    std::set<int> read_once_;
    LoadedModel model_;
    int model_loads_ = 0;
    int dpi_count_ = -1;
    int dpi_index_ = -1;
};

}  // namespace pellora
