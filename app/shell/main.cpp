// pellora: the desktop program.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/folders.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const pellora::ParseResult parsed = pellora::ParseGlobalOptions(args);
    if (!parsed.ok()) {
        std::fprintf(stderr, "pellora: %s\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::printf("Usage: pellora [OPTIONS] [-hide]\n\n%s", pellora::GlobalOptionsUsage());
        return 0;
    }
    pellora::ApplyGlobalOptions(parsed.options);
    pellora::EnsureDataFolders();
    std::fprintf(stderr,
                 "pellora: the main window is not part of this build yet; "
                 "use pellora-cli in the meantime\n");
    return 1;
}
