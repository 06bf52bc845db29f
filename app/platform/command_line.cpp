#include "platform/command_line.h"

#include <cstdlib>

#include "platform/trace.h"

namespace pellora {
namespace {

const char* Env(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): start-up only
    return (value != nullptr && *value != '\0') ? value : nullptr;
}

}  // namespace

ParseResult ParseGlobalOptions(const std::vector<std::string>& args) {
    ParseResult result;
    GlobalOptions& o = result.options;
    bool options_ended = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            o.rest.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        const auto eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const bool has_inline = eq != std::string::npos;
        const std::string inline_value = has_inline ? arg.substr(eq + 1) : std::string();

        // Takes the option's value from "=VALUE" or from the next argument.
        auto value = [&](std::string& out) {
            if (has_inline) {
                out = inline_value;
            } else if (i + 1 < args.size()) {
                out = args[++i];
            } else {
                result.error = name + " needs a value";
                return false;
            }
            if (out.empty()) {
                result.error = name + " needs a value";
                return false;
            }
            return true;
        };

        std::string v;
        if (name == "--app-dir" || name == "--data-dir" || name == "--config-dir" ||
            name == "--sim-state") {
            if (!value(v)) {
                return result;
            }
            if (name == "--app-dir")
                o.folders.app_dir = v;
            if (name == "--data-dir")
                o.folders.data_dir = v;
            if (name == "--config-dir")
                o.folders.config_dir = v;
            if (name == "--sim-state")
                o.sim_state = v;
        } else if (name == "--simulate") {
            o.simulate = inline_value;
        } else if (arg == "--trace") {
            o.trace = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else {
            o.rest.push_back(arg);
        }
    }

    if (!o.simulate) {
        if (const char* sim = Env(kSimulateEnv)) {
            const std::string s = sim;
            if (s != "0") {
                o.simulate = (s == "1") ? std::string() : s;
            }
        }
    }
    if (!o.sim_state) {
        if (const char* state = Env(kSimStateEnv)) {
            o.sim_state = state;
        }
    }
    if (!o.trace) {
        if (const char* trace = Env(kTraceEnv)) {
            o.trace = std::string(trace) != "0";
        }
    }
    return result;
}

void ApplyGlobalOptions(const GlobalOptions& options) {
    ConfigureFolders(options.folders);
    if (options.trace) {
        TraceToStderr();
    }
}

const char* GlobalOptionsUsage() {
    return "Options:\n"
           "  --simulate[=DEVICE_TYPE]  use the simulated mouse (default model when no type)\n"
           "  --sim-state FILE          keep the simulated mouse's onboard memory in FILE\n"
           "  --app-dir DIR             program data (config.xml, device/, language/, skins/)\n"
           "  --data-dir DIR            the user's data folder (databases in DIR/db)\n"
           "  --config-dir DIR          the folder of the per-user settings file\n"
           "  --trace                   print the diagnostic trace on standard error\n"
           "  --json                    machine-readable output\n"
           "  -h, --help                show this help\n"
           "Environment: PELLORA_SIMULATE, PELLORA_SIM_STATE, PELLORA_TRACE, PELLORA_APP_DIR,\n"
           "PELLORA_DATA_DIR, PELLORA_CONFIG_DIR do the same as the options.\n";
}

}  // namespace pellora
