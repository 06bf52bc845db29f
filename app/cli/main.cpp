// pellora-cli: the headless front end for scripts and for users without a desktop. It starts
// like the program (configuration, language, catalogue, task 1), waits for the device, does one
// thing, waits until the worker has sent it, and exits 0 on success or non-zero with a one-line
// reason.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/context.h"
#include "platform/command_line.h"

int main(int argc, char** argv) {
    using namespace pellora::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const pellora::ParseResult parsed = pellora::ParseGlobalOptions(args);
    if (!parsed.ok()) {
        std::fprintf(stderr, "pellora-cli: %s\n", parsed.error.c_str());
        return kExitBadArgument;
    }
    if (parsed.options.help) {
        PrintUsage();
        return kExitOk;
    }
    if (parsed.options.rest.empty()) {
        PrintUsage();
        return kExitBadArgument;
    }
    const std::string name = parsed.options.rest.front();
    const CommandEntry* entry = FindCommand(name);
    if (entry == nullptr) {
        std::fprintf(stderr, "pellora-cli: unknown command '%s' (see --help)\n", name.c_str());
        return kExitBadArgument;
    }
    const Args command_args(parsed.options.rest.begin() + 1, parsed.options.rest.end());

    pellora::ApplyGlobalOptions(parsed.options);
    Context ctx(parsed.options);
    if (!ctx.SetUpHidLayer()) {
        return kExitBadArgument;
    }
    ctx.ReadConfiguration();
    if (entry->needs == Needs::kNothing) {
        return entry->handler(ctx, command_args);
    }
    if (!ctx.StartDevice()) {
        return kExitFailed;
    }
    if (entry->needs == Needs::kStore) {
        if (const int code = ctx.OpenStore(); code != kExitOk) {
            return code;
        }
    }
    const int code = entry->handler(ctx, command_args);
    if (code != kExitOk) {
        return code;
    }
    return ctx.Finish();
}
