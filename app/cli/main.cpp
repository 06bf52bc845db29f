// pellora-cli: the headless front end for scripts and for users without a desktop.

#include <cstdio>
#include <string>
#include <vector>

#include "device/device_manager.h"
#include "platform/command_line.h"
#include "platform/folders.h"
#include "platform/settings_file.h"
#include "sim_setup.h"
#include "tessel/platform/app_name.h"
#include "tessel/platform/text.h"

namespace {

void PrintUsage() {
    std::printf(
        "Usage: pellora-cli [OPTIONS] COMMAND [ARGS]\n"
        "Configure the mouse without the window.\n\n"
        "Commands:\n"
        "  show       the program's folders and the settings it uses\n"
        "  paths      the app, data and settings folders, one per line\n"
        "  attached   exit 0 when a supported mouse is attached, 1 otherwise\n"
        "  sim-dump [TYPE]  the simulated mouse's onboard memory as JSON (with --simulate)\n\n"
        "%s",
        pellora::GlobalOptionsUsage());
}

pellora::sim::SimulatedBus* g_simulated_bus = nullptr;

// The HID layer for this run: the simulated bus when --simulate (or PELLORA_SIMULATE) asks for
// it, hidapi otherwise. Must run before the device manager is first used.
bool ChooseHidLayer(const pellora::GlobalOptions& options) {
    if (!options.simulate) {
        return true;
    }
    pellora::sim::SimSetup setup;
    std::string error;
    if (!pellora::sim::ParseSimulateValue(*options.simulate, setup, error)) {
        std::fprintf(stderr, "pellora-cli: --simulate: %s\n", error.c_str());
        return false;
    }
    setup.state_file = options.sim_state;
    auto bus = pellora::sim::CreateSimulatedBus(setup, DUI::Clock::Real());
    g_simulated_bus = bus.get();
    pellora::DeviceManager::InstallProcessBackend(std::move(bus));
    return true;
}

// Enumerates the attached catalogued devices. The models are the ones the shipped catalogue
// lists; reading config.xml takes over when the device worker drives the manager.
std::vector<pellora::DeviceRecord> AttachedDevices() {
    pellora::DeviceManager& manager = pellora::DeviceManager::Instance();
    manager.ClearCatalog();
    for (const pellora::sim::SimModel& m : pellora::sim::DefaultModels()) {
        const std::wstring code = DUI::Utf8ToWide(m.model_code);
        manager.AddCatalogEntry(m.vendor_id, m.cable_product_id, L"", m.device_type,
                                pellora::kModeCable, code);
        if (m.receiver_product_id != 0) {
            manager.AddCatalogEntry(m.vendor_id, m.receiver_product_id, L"", m.device_type,
                                    pellora::kModeReceiver, code);
        }
    }
    manager.CloseAllDevices();
    manager.EnumerateDevice();
    manager.SetReady();
    manager.SetCurrentDeviceType(0);
    std::vector<pellora::DeviceRecord> records;
    manager.ListDevices(records);
    return records;
}

int Attached() {
    return AttachedDevices().empty() ? 1 : 0;
}

int SimDump(const std::vector<std::string>& args) {
    if (g_simulated_bus == nullptr) {
        std::fprintf(stderr, "pellora-cli: sim-dump needs --simulate\n");
        return 2;
    }
    const int type = args.size() > 1 ? DUI::AToI(args[1].c_str()) : 1;
    const std::string json = g_simulated_bus->DumpJson(type);
    if (json.empty()) {
        std::fprintf(stderr, "pellora-cli: no simulated mouse of type %d\n", type);
        return 1;
    }
    std::fputs(json.c_str(), stdout);
    return 0;
}

int Show() {
    std::printf("application  %s\n", DUI::WideToUtf8(DUI::GetApplicationName()).c_str());
    std::printf("app folder   %s\n", pellora::AppDir().c_str());
    std::printf("data folder  %s\n", pellora::DataDir().c_str());
    std::printf("settings     %s\n", pellora::SettingsFilePath().c_str());
    const std::vector<pellora::DeviceRecord> devices = AttachedDevices();
    if (devices.empty()) {
        std::printf("device       none\n");
    }
    for (const pellora::DeviceRecord& d : devices) {
        std::printf("device       %04X:%04X %s type %d release %X.%02X%s\n", d.vendor_id,
                    d.product_id, d.mode == pellora::kModeReceiver ? "receiver" : "cable",
                    d.device_type, d.release_number >> 8, d.release_number & 0xFF,
                    g_simulated_bus != nullptr ? " (simulated)" : "");
    }
    return 0;
}

int Paths() {
    std::printf("%s\n%s\n%s\n", pellora::AppDir().c_str(), pellora::DataDir().c_str(),
                pellora::SettingsFilePath().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const pellora::ParseResult parsed = pellora::ParseGlobalOptions(args);
    if (!parsed.ok()) {
        std::fprintf(stderr, "pellora-cli: %s\n", parsed.error.c_str());
        return 2;
    }
    const pellora::GlobalOptions& options = parsed.options;
    if (options.help) {
        PrintUsage();
        return 0;
    }
    pellora::ApplyGlobalOptions(options);
    if (!ChooseHidLayer(options)) {
        return 2;
    }

    if (options.rest.empty()) {
        PrintUsage();
        return 2;
    }
    const std::string& command = options.rest.front();
    if (command == "show")
        return Show();
    if (command == "paths")
        return Paths();
    if (command == "attached")
        return Attached();
    if (command == "sim-dump")
        return SimDump(options.rest);
    std::fprintf(stderr, "pellora-cli: unknown command '%s' (see --help)\n", command.c_str());
    return 2;
}
