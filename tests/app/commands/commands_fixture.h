#pragma once
// The command catalogue against the simulated mouse (cable, model 1) with a manual clock and a
// store of its own with the first-run profiles.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "device/commands/button_table.h"
#include "device/commands/device_commands.h"
#include "device/commands/encodings.h"
#include "device/device_manager.h"
#include "sim_bus.h"
#include "sim_models.h"
#include "store/init_profiles.h"
#include "support/temp_dir.h"
#include "tessel/platform/clock.h"
#include "tessel/platform/text.h"

namespace pellora::testing {

class CommandsTest : public ::testing::Test {
  protected:
    CommandsTest() : bus(clock), manager(bus, clock), commands(manager, db, clock) {
        for (const sim::SimModel& m : sim::DefaultModels()) {
            bus.AddMouse(m);
            const std::wstring code = DUI::Utf8ToWide(m.model_code);
            manager.AddCatalogEntry(m.vendor_id, m.cable_product_id, L"", m.device_type, kModeCable,
                                    code);
        }
    }

    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "db");
        ASSERT_TRUE(db.OpenForDevice(dir.path(), L"vx7"));
        profile = InitProfiles(db, L"Profile", nullptr).current_profile;
        ASSERT_GT(profile, 0);
        bus.Plug(1, sim::Link::kCable);
        manager.EnumerateDevice();
        manager.SetReady();
        manager.SetCurrentDeviceType(1);
        DeviceParams p;
        p.sensor_code = kSensorCode37;
        p.dpi_min = 100;
        p.dpi_max = 10000;
        commands.set_params(p);
        clock.clear_sleeps();
        sent_before = bus.ReceivedReports(1).size();
    }

    // Frames the mouse received since SetUp.
    std::vector<std::vector<uint8_t>> Sent() {
        auto all = bus.ReceivedReports(1);
        return {all.begin() + static_cast<std::ptrdiff_t>(sent_before), all.end()};
    }
    std::vector<uint8_t> Commands() {
        std::vector<uint8_t> codes;
        for (const auto& r : Sent())
            codes.push_back(r[1]);
        return codes;
    }
    void Set(const wchar_t* key, int value) {
        ASSERT_TRUE(db.SetConfigValue(profile, key, std::to_wstring(value)));
    }
    int Get(const wchar_t* key) {
        std::wstring text;
        db.GetConfigValue(profile, key, text);
        return DUI::WToI(text);
    }
    sim::OnboardMemory Memory() {
        sim::OnboardMemory m;
        bus.GetMemory(1, m);
        return m;
    }

    DUI::ManualClock clock;
    sim::SimulatedBus bus;
    DeviceManager manager;
    TempDir dir{"pellora-commands"};
    DeviceDatabase db;
    DeviceCommands commands;
    int profile = 0;
    std::size_t sent_before = 0;
};

}  // namespace pellora::testing
