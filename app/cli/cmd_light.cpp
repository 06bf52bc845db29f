// light MODE [brightness=B] [speed=S] [color=RRGGBB] [colors=RRGGBB,...]

#include <map>

#include "cli/args.h"
#include "cli/commands.h"
#include "device/commands/encodings.h"

namespace pellora::cli {

namespace {
constexpr int kLastMode = 5;
}

int CmdLight(Context& ctx, const Args& args) {
    int mode = 0;
    std::map<std::string, std::string> options;
    std::string bad;
    if (args.empty() || !ParseInt(args[0], 0, kLastMode, mode) ||
        !ParseOptions(Args(args.begin() + 1, args.end()), options, bad)) {
        return ctx.Fail(kExitBadArgument,
                        "usage: light MODE(0-%d) [brightness=0-15] [speed=0-15] [color=RRGGBB] "
                        "[colors=RRGGBB,...]%s%s",
                        kLastMode, bad.empty() ? "" : ": bad ", bad.c_str());
    }
    if (!ctx.model().has_lighting()) {
        return ctx.Fail(kExitBadArgument, "this model has no lighting");
    }
    LightRecord light;
    const bool exists = ctx.db().GetLight(ctx.profile(), mode, light);
    if (!exists) {
        light = LightRecord{};
        light.profile = ctx.profile();
        light.mode = mode;
    }
    for (const auto& [name, text] : options) {
        int value = 0;
        if (name == "brightness" || name == "speed") {
            if (!ParseInt(text, 0, 15, value)) {
                return ctx.Fail(kExitBadArgument, "bad %s '%s': 0 to 15", name.c_str(),
                                text.c_str());
            }
            (name == "brightness" ? light.brightness : light.speed) = value;
        } else if (name == "color") {
            if ((value = ParseRgbText(text.c_str())) < 0) {
                return ctx.Fail(kExitBadArgument, "bad colour '%s': RRGGBB", text.c_str());
            }
            light.color_values[0] = value;
        } else if (name == "colors") {
            const std::vector<std::string> parts = SplitList(text);
            if (parts.size() > static_cast<std::size_t>(kLightColourCount)) {
                return ctx.Fail(kExitBadArgument, "at most %d colours", kLightColourCount);
            }
            for (std::size_t k = 0; k < parts.size(); ++k) {
                if ((value = ParseRgbText(parts[k].c_str())) < 0) {
                    return ctx.Fail(kExitBadArgument, "bad colour '%s': RRGGBB", parts[k].c_str());
                }
                light.color_values[k] = value;
            }
        } else {
            return ctx.Fail(kExitBadArgument, "unknown light option '%s'", name.c_str());
        }
    }
    {
        auto hold = ctx.db().Lock();
        const bool stored =
            exists ? ctx.db().UpdateLight(mode, light) : ctx.db().AddLight(light) > 0;
        if (!stored) {
            return ctx.Fail(kExitFailed, "could not store the lighting");
        }
        ctx.db().SetActiveLightMode(ctx.profile(), mode);
    }
    ctx.worker().commands().SetLightMode(mode);
    ctx.Send(task::kLighting);
    return kExitOk;
}

}  // namespace pellora::cli
