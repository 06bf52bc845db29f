#pragma once
// One run of the tool: the HID layer it talks through, the configuration it read, the device
// worker it started, the store it opened, and the exit code it ends with. Commands store their
// change first and then ask for it to be sent (Send), as the window does; Finish waits until the
// worker has sent everything and turns what went wrong into the one-line reason.

#include <memory>
#include <string>
#include <vector>

#include "device/worker/device_worker.h"
#include "device/worker/headless_view.h"
#include "files/device_catalog.h"
#include "platform/command_line.h"
#include "sim_bus.h"

namespace pellora::cli {

enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitBadArgument = 2, kExitNoModel = 3 };

class Context {
  public:
    explicit Context(GlobalOptions options);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    const GlobalOptions& options() const { return options_; }
    bool json() const { return options_.json; }

    // Picks hidapi or the simulated bus (wrapped for --trace); before anything uses the device
    // manager. False with a message printed for a bad --simulate value.
    bool SetUpHidLayer();
    // config.xml, the language and the device catalogue, as the program starts.
    void ReadConfiguration();
    const DeviceCatalog& catalog() const { return catalog_; }
    sim::SimulatedBus* simulated_bus() const { return bus_; }

    // Starts the worker (task 1) and waits until it has found the devices and read the mouse.
    bool StartDevice();
    bool HasDevice() const;
    DeviceWorker& worker() { return *worker_; }
    const HeadlessView& view() const { return view_; }

    // Opens the store of the connected model, else of the remembered one, with its profiles.
    // Returns kExitOk or the exit code after printing why not; `quiet` leaves an unknown model
    // unreported (for `show`, which reports the missing device instead).
    int OpenStore(bool quiet = false);
    DeviceDatabase& db() { return DeviceDatabase::Instance(); }
    int profile() const { return profile_; }
    const LoadedModel& model() const { return model_; }

    // Queues a task for a change that is already stored.
    void Send(int task_code);
    // Waits for the queued tasks and gives the run's exit code.
    int Finish();

    // Prints "pellora-cli: <reason>" on standard error and returns `code`.
    int Fail(int code, const char* format, ...) __attribute__((format(printf, 3, 4)));

  private:
    GlobalOptions options_;
    sim::SimulatedBus* bus_ = nullptr;
    DeviceCatalog catalog_;
    HeadlessView view_;
    std::unique_ptr<DeviceWorker> worker_;
    LoadedModel model_;
    int profile_ = 0;
    std::vector<int> sent_;
    int failures_before_ = 0;
};

}  // namespace pellora::cli
