#pragma once
// A device worker on the simulated bus with a manual clock, a store and settings in a temporary
// folder, the shipped model descriptions, and the headless view. Tests drive it cycle by cycle
// (RunOnce) unless they start its thread.

#include <gtest/gtest.h>

#include <memory>

#include "device/device_manager.h"
#include "device/worker/device_worker.h"
#include "device/worker/headless_view.h"
#include "files/device_catalog.h"
#include "platform/folders.h"
#include "sim_bus.h"
#include "sim_models.h"
#include "support/temp_dir.h"
#include "tessel/platform/clock.h"
#include "tessel/platform/text.h"

namespace pellora::testing {

using namespace std::chrono_literals;
using sim::Link;

class WorkerTest : public ::testing::Test {
  protected:
    WorkerTest() : bus(clock), manager(bus, clock) {
        ConfigureFolders({.app_dir = std::filesystem::path(PELLORA_TEST_APP_DIR),
                          .data_dir = dir.path() / "data",
                          .config_dir = dir.path() / "config"});
        EnsureDirectory(dir.path() / "config");
        for (const sim::SimModel& m : sim::DefaultModels()) {
            bus.AddMouse(m);
        }
        worker = std::make_unique<DeviceWorker>(manager, db, clock, view, ReadDeviceCatalog());
    }
    ~WorkerTest() override {
        worker.reset();
        ConfigureFolders({});
    }

    // Runs cycles until the queue is empty (bounded).
    void Drain() {
        for (int i = 0; i < 100 && (worker->QueuedTasks() > 0); ++i) {
            worker->RunOnce();
        }
    }
    void Task(int code) {
        worker->QueueTask(code);
        Drain();
    }
    std::vector<uint8_t> CommandsSince(std::size_t from, int type = 1) {
        std::vector<uint8_t> codes;
        const auto all = bus.ReceivedReports(type);
        for (std::size_t i = from; i < all.size(); ++i)
            codes.push_back(all[i][1]);
        return codes;
    }
    std::size_t Mark(int type = 1) { return bus.ReceivedReports(type).size(); }
    int Get(const wchar_t* key) {
        std::wstring text;
        db.GetConfigValue(db.GetActiveProfile(), key, text);
        return DUI::WToI(text);
    }

    TempDir dir{"pellora-worker"};
    DUI::ManualClock clock;
    sim::SimulatedBus bus;
    DeviceManager manager;
    DeviceDatabase db;
    HeadlessView view;
    std::unique_ptr<DeviceWorker> worker;
};

}  // namespace pellora::testing
