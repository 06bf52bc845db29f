#pragma once
// What `--simulate[=VALUE]` asks for, and the bus that provides it. VALUE is a device type,
// optionally followed by how the mouse is attached: "1", "1:cable", "1:receiver", "1:both".
// Empty means model 1 by cable.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "sim_bus.h"

namespace pellora::sim {

struct SimSetup {
    int device_type = 1;
    bool cable = true;
    bool receiver = false;
    std::optional<std::filesystem::path> state_file;
};

// False with a message for an unknown model, a link the model lacks, or a malformed value.
bool ParseSimulateValue(const std::string& value, SimSetup& setup, std::string& error);

// Every default model's mouse, switched on, with the asked links plugged and the memory file
// loaded.
std::unique_ptr<SimulatedBus> CreateSimulatedBus(const SimSetup& setup, DUI::Clock& clock);

}  // namespace pellora::sim
