#pragma once
// A device manager on the simulated bus with a manual clock: the catalogue lists the simulated
// models, nothing is plugged until a test says so, and no pause costs real time.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "device/device_manager.h"
#include "platform/trace.h"
#include "sim_bus.h"
#include "sim_models.h"
#include "tessel/platform/clock.h"
#include "tessel/platform/text.h"

namespace pellora::testing {

using namespace std::chrono_literals;
using sim::Link;

inline void FillCatalog(DeviceManager& manager) {
    for (const sim::SimModel& m : sim::DefaultModels()) {
        const std::wstring code = DUI::Utf8ToWide(m.model_code);
        manager.AddCatalogEntry(m.vendor_id, m.cable_product_id, L"", m.device_type, kModeCable,
                                code);
        if (m.receiver_product_id != 0) {
            manager.AddCatalogEntry(m.vendor_id, m.receiver_product_id, L"", m.device_type,
                                    kModeReceiver, code);
        }
    }
}

class DeviceTest : public ::testing::Test {
  protected:
    DeviceTest() : bus(clock), manager(std::make_unique<DeviceManager>(bus, clock)) {
        for (const sim::SimModel& m : sim::DefaultModels()) {
            bus.AddMouse(m);
        }
        FillCatalog(*manager);
    }

    // The refresh the worker runs: close, enumerate, ready, then the given model current.
    void Refresh(int current_type) {
        manager->CloseAllDevices();
        manager->EnumerateDevice();
        manager->SetReady();
        manager->SetCurrentDeviceType(current_type);
        clock.clear_sleeps();
    }

    std::vector<DeviceRecord> Records() {
        const int current = manager->GetCurrentDeviceType();
        manager->SetCurrentDeviceType(0);
        std::vector<DeviceRecord> all;
        manager->ListDevices(all);
        manager->SetCurrentDeviceType(current);
        return all;
    }

    // Reports the mouse received whose command byte is `command`.
    int Received(int device_type, uint8_t command) {
        int n = 0;
        for (const auto& r : bus.ReceivedReports(device_type)) {
            n += (r.size() > 1 && r[1] == command) ? 1 : 0;
        }
        return n;
    }

    DUI::ManualClock clock;
    sim::SimulatedBus bus;
    std::unique_ptr<DeviceManager> manager;
};

// Collects trace lines for the life of the object.
class TraceCapture {
  public:
    TraceCapture() {
        SetTraceSink([this](int, const std::string& line) {
            std::lock_guard lock(mutex_);
            lines_.push_back(line);
        });
    }
    ~TraceCapture() { SetTraceSink(nullptr); }
    std::vector<std::string> lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace pellora::testing
