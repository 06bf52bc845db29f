#pragma once
// The options both programs understand, wherever they stand on the command line:
//   --app-dir DIR, --data-dir DIR, --config-dir DIR   redirect the folders (see folders.h)
//   --simulate[=DEVICE_TYPE]                          use the simulated mouse instead of hidapi
//   --sim-state FILE                                  the simulated mouse's onboard memory
//   --trace                                           diagnostic trace on standard error
//   --json                                            machine-readable output (pellora-cli)
//   --help, -h
// Everything else is returned in order for the program's own parsing. "--" ends option parsing.
// Options with a value take it as "--opt=VALUE" or as the next argument.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/folders.h"

namespace pellora {

inline constexpr const char* kSimulateEnv = "PELLORA_SIMULATE";
inline constexpr const char* kSimStateEnv = "PELLORA_SIM_STATE";
inline constexpr const char* kTraceEnv = "PELLORA_TRACE";

struct GlobalOptions {
    FolderOverrides folders;
    // Set when the simulated mouse is wanted; holds the device type asked for, or empty for the
    // simulator's default model.
    std::optional<std::string> simulate;
    std::optional<std::filesystem::path> sim_state;
    bool trace = false;
    bool json = false;
    bool help = false;
    std::vector<std::string> rest;
};

struct ParseResult {
    GlobalOptions options;
    std::string error;  // empty on success
    bool ok() const { return error.empty(); }
};

// Parses argv (without the program name). Environment variables fill what the command line
// leaves unset: PELLORA_SIMULATE ("1" or a device type), PELLORA_SIM_STATE, PELLORA_TRACE=1.
ParseResult ParseGlobalOptions(const std::vector<std::string>& args);

// Redirects the folders and turns the trace on as the options ask.
void ApplyGlobalOptions(const GlobalOptions& options);

// The usage lines of the global options, for both programs' --help.
const char* GlobalOptionsUsage();

}  // namespace pellora
