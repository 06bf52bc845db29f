// Stopping the worker while a task outlasts the wait: the window is cut loose at once, the rest
// of the task is skipped, and the thread is gone when Stop returns.

#include <gtest/gtest.h>

#include "device/device_manager.h"
#include "device/worker/device_worker.h"
#include "device/worker/headless_view.h"
#include "files/device_catalog.h"
#include "platform/folders.h"
#include "sim_bus.h"
#include "sim_models.h"
#include "support/temp_dir.h"
#include "support/wait.h"

namespace pellora::testing {
namespace {

using namespace std::chrono_literals;

TEST(WorkerStop, ATaskOutlastingTheWaitNoLongerReachesTheWindow) {
    TempDir dir{"pellora-worker-stop"};
    ConfigureFolders({.app_dir = std::filesystem::path(PELLORA_TEST_APP_DIR),
                      .data_dir = dir.path() / "data",
                      .config_dir = dir.path() / "config"});
    EnsureDirectory(dir.path() / "config");
    // Real time: the point is a task that really takes longer than the wait.
    DUI::Clock& clock = DUI::Clock::Real();
    sim::SimulatedBus bus(clock);
    for (const sim::SimModel& m : sim::DefaultModels())
        bus.AddMouse(m);
    bus.Plug(1, sim::Link::kCable);
    DeviceManager manager(bus, clock);
    DeviceDatabase db;
    auto view = std::make_unique<HeadlessView>();
    auto worker = std::make_unique<DeviceWorker>(manager, db, clock, *view, ReadDeviceCatalog());
    worker->Start();
    ASSERT_TRUE(worker->WaitUntilIdle(30s));
    ASSERT_EQ(view->State().link_caption, 51);

    // The mouse stops answering; the reconnect pauses 500 ms, then its enumeration waits out
    // the information requests. Stop with a wait far shorter than that.
    bus.SetFault(1, {sim::FaultKind::kNeverAnswer});
    worker->QueueTask(task::kRemoved);
    ASSERT_TRUE(WaitFor([&] { return worker->QueuedTasks() == 0; }));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(worker->Stop(50ms));
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_FALSE(worker->IsRunning());
    // The refresh after the wait would have shown "no device"; the window never heard of it.
    EXPECT_EQ(view->State().link_caption, 51);
    EXPECT_LT(took, 10s);
    view.reset();    // the window is gone
    worker.reset();  // and the worker with it: nothing may touch the view any more
    ConfigureFolders({});
}

TEST(WorkerStop, AnIdleWorkerStopsWithinTheWait) {
    TempDir dir{"pellora-worker-stop"};
    ConfigureFolders({.app_dir = std::filesystem::path(PELLORA_TEST_APP_DIR),
                      .data_dir = dir.path() / "data",
                      .config_dir = dir.path() / "config"});
    DUI::ManualClock clock;
    sim::SimulatedBus bus(clock);
    DeviceManager manager(bus, clock);
    DeviceDatabase db;
    HeadlessView view;
    DeviceWorker worker(manager, db, clock, view, ReadDeviceCatalog());
    worker.Start();
    ASSERT_TRUE(worker.WaitUntilIdle(30s));
    EXPECT_TRUE(worker.Stop());
    EXPECT_TRUE(worker.Stop());  // twice is harmless
    ConfigureFolders({});
}

}  // namespace
}  // namespace pellora::testing
