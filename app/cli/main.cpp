// pellora-cli: the headless front end for scripts and for users without a desktop.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "platform/folders.h"
#include "platform/settings_file.h"
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
        "  attached   exit 0 when a supported mouse is attached, 1 otherwise\n\n"
        "%s",
        pellora::GlobalOptionsUsage());
}

int Show() {
    std::printf("application  %s\n", DUI::WideToUtf8(DUI::GetApplicationName()).c_str());
    std::printf("app folder   %s\n", pellora::AppDir().c_str());
    std::printf("data folder  %s\n", pellora::DataDir().c_str());
    std::printf("settings     %s\n", pellora::SettingsFilePath().c_str());
    std::printf("device       none (device support is not part of this build yet)\n");
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
        return 1;
    std::fprintf(stderr, "pellora-cli: unknown command '%s' (see --help)\n", command.c_str());
    return 2;
}
