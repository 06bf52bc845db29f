// The device worker's own time against the protocol's mandated pauses: a complete settings
// download and a state read with the simulated mouse and a manual clock (which takes the pauses
// without waiting and adds them up). Target: own time below 1 % of the pauses.
//
// "own_percent" is the wall time of the sequence (encoding, store reads and writes, the
// simulated firmware) as a percentage of the pauses the protocol makes the real device wait.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "device/commands/device_commands.h"
#include "device/commands/encodings.h"
#include "device/device_manager.h"
#include "sim_bus.h"
#include "store/init_profiles.h"
#include "tessel/platform/clock.h"
#include "tessel/platform/text.h"

namespace {

namespace fs = std::filesystem;

struct Bench {
    Bench() : bus(clock), manager(bus, clock), commands(manager, db, clock) {
        for (const auto& m : pellora::sim::DefaultModels()) {
            bus.AddMouse(m);
            manager.AddCatalogEntry(m.vendor_id, m.cable_product_id, L"", m.device_type,
                                    pellora::kModeCable, DUI::Utf8ToWide(m.model_code));
        }
        folder = fs::temp_directory_path() / ("pellora-bench-worker-" + std::to_string(::getpid()));
        fs::create_directories(folder / "db");
        db.OpenForDevice(folder, L"bench");
        pellora::InitProfiles(db, L"Profile", nullptr);
        const int profile = db.GetActiveProfile();
        pellora::LightRecord light;
        light.profile = profile;
        light.mode = 2;
        db.AddLight(light);
        commands.SetLightMode(2);
        // A macro of 30 events on button 3, so the download carries multi-packet 0x08.
        const int macro = db.AddMacro(L"bench");
        std::vector<pellora::MacroStep> steps;
        for (int i = 0; i < 30; ++i) {
            pellora::MacroStep s;
            s.macro = macro;
            s.position = i;
            s.kind = i % 2 == 0 ? pellora::kMacroStepKeyDown : pellora::kMacroStepKeyUp;
            s.value = 0x41 + i / 2;
            steps.push_back(s);
        }
        db.AddMacroSteps(steps);
        pellora::KeyRecord key;
        key.profile = profile;
        key.key_code = 3;
        key.macro_type = 4;
        key.macro_value = macro;
        db.SaveKey(key);

        bus.Plug(1, pellora::sim::Link::kCable);
        manager.EnumerateDevice();
        manager.SetReady();
        manager.SetCurrentDeviceType(1);
        pellora::DeviceParams p;
        p.sensor_code = pellora::kSensorCode37;
        p.dpi_min = 100;
        p.dpi_max = 10000;
        commands.set_params(p);
    }
    ~Bench() {
        db.Close();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    DUI::ManualClock clock;
    pellora::sim::SimulatedBus bus;
    pellora::DeviceManager manager;
    fs::path folder;
    pellora::DeviceDatabase db;
    pellora::DeviceCommands commands;
};

template <typename Sequence>
void Measure(benchmark::State& state, Sequence sequence) {
    Bench bench;
    std::chrono::steady_clock::duration own{};
    for (auto _ : state) {
        bench.clock.clear_sleeps();
        const auto start = std::chrono::steady_clock::now();
        sequence(bench.commands);
        own += std::chrono::steady_clock::now() - start;
        state.counters["pauses_ms"] =
            std::chrono::duration<double, std::milli>(bench.clock.total_slept()).count();
    }
    const double pauses = state.counters["pauses_ms"];
    const double own_ms = std::chrono::duration<double, std::milli>(own).count() /
                          static_cast<double>(state.iterations());
    state.counters["own_ms"] = own_ms;
    state.counters["own_percent"] = pauses > 0 ? 100.0 * own_ms / pauses : 0.0;
}

void BM_CompleteDownload(benchmark::State& state) {
    Measure(state, [](pellora::DeviceCommands& c) { c.DownloadAll(true); });
}
BENCHMARK(BM_CompleteDownload)->Unit(benchmark::kMillisecond);

void BM_StateRead(benchmark::State& state) {
    Measure(state, [](pellora::DeviceCommands& c) { c.ReadSettings(); });
}
BENCHMARK(BM_StateRead)->Unit(benchmark::kMillisecond);

}  // namespace
