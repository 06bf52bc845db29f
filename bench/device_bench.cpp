// Costs of the device link apart from the protocol's own pauses (a manual clock takes those):
// sealing a frame, one command exchange with the simulated mouse, and a full enumeration.

#include <benchmark/benchmark.h>

#include "device/device_manager.h"
#include "sim_bus.h"
#include "tessel/platform/clock.h"
#include "tessel/platform/text.h"

namespace {

using pellora::sim::Link;

void FillCatalog(pellora::DeviceManager& manager) {
    for (const auto& m : pellora::sim::DefaultModels()) {
        const std::wstring code = DUI::Utf8ToWide(m.model_code);
        manager.AddCatalogEntry(m.vendor_id, m.cable_product_id, L"", m.device_type,
                                pellora::kModeCable, code);
        if (m.receiver_product_id != 0) {
            manager.AddCatalogEntry(m.vendor_id, m.receiver_product_id, L"", m.device_type,
                                    pellora::kModeReceiver, code);
        }
    }
}

void BM_SealFrame(benchmark::State& state) {
    pellora::Frame frame{};
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint8_t>(i * 7);
    }
    for (auto _ : state) {
        pellora::SealFrame(frame.data());
        benchmark::DoNotOptimize(frame[32]);
        ++frame[5];
    }
}
BENCHMARK(BM_SealFrame);

void BM_SendCommandRoundTrip(benchmark::State& state) {
    DUI::ManualClock clock;
    pellora::sim::SimulatedBus bus(clock);
    for (const auto& m : pellora::sim::DefaultModels()) {
        bus.AddMouse(m);
    }
    bus.Plug(1, Link::kCable);
    pellora::DeviceManager manager(bus, clock);
    FillCatalog(manager);
    manager.EnumerateDevice();
    manager.SetReady();
    manager.SetCurrentDeviceType(1);
    for (auto _ : state) {
        pellora::Frame frame = pellora::MakeReadRequest(0x13);
        benchmark::DoNotOptimize(
            manager.SendCommand(frame.data(), pellora::kShortSubmission, true));
        clock.clear_sleeps();
    }
}
BENCHMARK(BM_SendCommandRoundTrip);

void BM_EnumerateThreeDevices(benchmark::State& state) {
    DUI::ManualClock clock;
    pellora::sim::SimulatedBus bus(clock);
    for (const auto& m : pellora::sim::DefaultModels()) {
        bus.AddMouse(m);
    }
    bus.Plug(1, Link::kCable);
    bus.Plug(1, Link::kReceiver);
    bus.Plug(2, Link::kCable);
    pellora::DeviceManager manager(bus, clock);
    FillCatalog(manager);
    for (auto _ : state) {
        manager.CloseAllDevices();
        manager.EnumerateDevice();
        clock.clear_sleeps();
    }
}
BENCHMARK(BM_EnumerateThreeDevices);

}  // namespace
