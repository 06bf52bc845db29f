#include "cli/commands.h"

#include <cstdio>

#include "tessel/platform/text.h"

namespace pellora::cli {

const std::vector<CommandEntry>& AllCommands() {
    static const std::vector<CommandEntry> kCommands = {
        {"devices", Needs::kDevices, CmdDevices,
         "devices                 the attached mice and receivers"},
        {"show", Needs::kDevices, CmdShow,
         "show                    the current profile's settings and the device's state"},
        {"profile", Needs::kStore, CmdProfile,
         "profile list | switch ID | rename ID NAME | export FILE | import FILE"},
        {"dpi", Needs::kStore, CmdDpi,
         "dpi levels V1,V2,... | count N | index LEVEL | color LEVEL RRGGBB | defaults\n"
         "                        (LEVEL counts from 1)"},
        {"rate", Needs::kStore, CmdRate,
         "rate HZ                 125, 250, 500, 1000 (2000, 4000, 8000 where supported)"},
        {"lod", Needs::kStore, CmdLod, "lod 1|2                 lift-off distance in mm"},
        {"sensor", Needs::kStore, CmdSensor,
         "sensor FLAGS            sum of the sensor options 4, 8 and 16"},
        {"power", Needs::kStore, CmdPower,
         "power [sleep=MIN] [wakeup=0|1] [lightoff=0|1] [response=0..20]"},
        {"light", Needs::kStore, CmdLight,
         "light MODE [brightness=B] [speed=S] [color=RRGGBB] [colors=RRGGBB,...]"},
        {"key", Needs::kStore, CmdKey,
         "key BUTTON TYPE VALUE [VALUE2] [DESCRIPTION] | key reset BUTTON | key reset-all"},
        {"macro", Needs::kStore, CmdMacro,
         "macro list | new NAME | delete ID | show ID | record-steps ID STEP... |\n"
         "                        export ID FILE | import FILE | bind BUTTON ID\n"
         "                        (STEP: down:KEY up:KEY press:KEY delay:MS mdown:N mup:N)"},
        {"download", Needs::kStore, CmdDownload,
         "download                send every setting of the current profile"},
        {"factory-reset", Needs::kStore, CmdFactoryReset,
         "factory-reset           restore the mouse's factory settings"},
        {"sim", Needs::kNothing, CmdSim,
         "sim dump [TYPE]         the simulated mouse's onboard memory as JSON"},
        {"attached", Needs::kNothing, CmdAttached,
         "attached                exit 0 when a supported device is attached"},
        {"paths", Needs::kNothing, CmdPaths,
         "paths                   the app, data and settings folders"},
    };
    return kCommands;
}

const CommandEntry* FindCommand(const std::string& name) {
    for (const CommandEntry& entry : AllCommands()) {
        if (name == entry.name)
            return &entry;
    }
    return nullptr;
}

void PrintUsage() {
    std::printf(
        "Usage: pellora-cli [OPTIONS] COMMAND [ARGS]\n"
        "Configure the mouse without the window.\n\nCommands:\n");
    for (const CommandEntry& entry : AllCommands()) {
        std::printf("  %s\n", entry.usage);
    }
    std::printf("\n%s", GlobalOptionsUsage());
}

int ConfigInt(Context& ctx, const std::wstring& key) {
    std::wstring text;
    ctx.db().GetConfigValue(ctx.profile(), key, text);
    return DUI::WToI(text);
}

void StoreInt(Context& ctx, const std::wstring& key, int value) {
    ctx.db().SetConfigValue(ctx.profile(), key, std::to_wstring(value));
}

}  // namespace pellora::cli
