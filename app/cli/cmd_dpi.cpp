// The DPI page's settings: dpi, rate, lod, sensor, power.

#include <cstdio>
#include <map>

#include "cli/args.h"
#include "cli/commands.h"
#include "device/commands/encodings.h"

namespace pellora::cli {

namespace {

constexpr int kLevels = 6;

std::wstring LevelKey(int n, const wchar_t* suffix) {
    return L"dpi_group" + std::to_wstring(n) + suffix;
}

int LevelArg(Context& ctx, const std::string& text, int& level) {
    if (!ParseInt(text, 1, kLevels, level)) {
        return ctx.Fail(kExitBadArgument, "bad level '%s': levels are 1 to %d", text.c_str(),
                        kLevels);
    }
    return kExitOk;
}

}  // namespace

int CmdDpi(Context& ctx, const Args& args) {
    const std::string sub = args.empty() ? "" : args[0];
    const DeviceParams params = ctx.worker().commands().params();
    if (sub == "levels" && args.size() == 2) {
        const std::vector<std::string> parts = SplitList(args[1]);
        if (parts.size() > static_cast<std::size_t>(kLevels)) {
            return ctx.Fail(kExitBadArgument, "at most %d levels", kLevels);
        }
        std::vector<int> values;
        for (const std::string& part : parts) {
            int dpi = 0;
            if (!ParseInt(part, params.dpi_min, params.dpi_max, dpi)) {
                return ctx.Fail(kExitBadArgument, "bad DPI '%s': %d to %d", part.c_str(),
                                params.dpi_min, params.dpi_max);
            }
            values.push_back(dpi);
        }
        auto hold = ctx.db().Lock();
        for (std::size_t n = 0; n < values.size(); ++n) {
            StoreInt(ctx, LevelKey(static_cast<int>(n), L"_value"), values[n]);
        }
        ctx.Send(task::kDpiLevels);
        return kExitOk;
    }
    if (sub == "count" && args.size() == 2) {
        int count = 0;
        if (!ParseInt(args[1], 1, kLevels, count)) {
            return ctx.Fail(kExitBadArgument, "bad count '%s': 1 to %d", args[1].c_str(), kLevels);
        }
        auto hold = ctx.db().Lock();
        StoreInt(ctx, L"dpi_count", count);
        if (ConfigInt(ctx, L"dpi_index") >= count) {
            StoreInt(ctx, L"dpi_index", 0);
        }
        ctx.Send(task::kDpiLevels);
        return kExitOk;
    }
    if (sub == "index" && args.size() == 2) {
        int level = 0;
        if (const int code = LevelArg(ctx, args[1], level))
            return code;
        if (level > ConfigInt(ctx, L"dpi_count")) {
            return ctx.Fail(kExitBadArgument, "level %d is not active (count %d)", level,
                            ConfigInt(ctx, L"dpi_count"));
        }
        StoreInt(ctx, L"dpi_index", level - 1);
        ctx.Send(task::kDpiLevels);
        return kExitOk;
    }
    if (sub == "color" && args.size() == 3) {
        int level = 0;
        if (const int code = LevelArg(ctx, args[1], level))
            return code;
        const int bgr = ParseRgbText(args[2].c_str());
        if (bgr < 0) {
            return ctx.Fail(kExitBadArgument, "bad colour '%s': RRGGBB", args[2].c_str());
        }
        StoreInt(ctx, LevelKey(level - 1, L"_rgb"), bgr);
        ctx.Send(task::kDpiColours);
        return kExitOk;
    }
    if (sub == "defaults" && args.size() == 1) {
        ctx.Send(task::kDpiDefaults);
        return kExitOk;
    }
    return ctx.Fail(kExitBadArgument,
                    "usage: dpi levels V1,V2,... | count N | index LEVEL | "
                    "color LEVEL RRGGBB | defaults");
}

int CmdRate(Context& ctx, const Args& args) {
    int hz = 0;
    if (args.size() != 1 || !ParseInt(args[0], 1, 100000, hz) || ReportRateCode(hz) == 0) {
        return ctx.Fail(kExitBadArgument, "usage: rate HZ (125, 250, 500, 1000, 2000, 4000, 8000)");
    }
    const int ceiling = ctx.worker().commands().params().rate_ceiling;
    if (!RateAllowedByCeiling(hz, ceiling)) {
        return ctx.Fail(kExitBadArgument, "this mouse supports at most 1000 Hz");
    }
    auto hold = ctx.db().Lock();
    StoreInt(ctx, L"report_rate", ReportRateCode(hz));
    StoreInt(ctx, L"report_rate_wireless", ReportRateCode(hz));
    ctx.Send(task::kReportRate);
    return kExitOk;
}

int CmdLod(Context& ctx, const Args& args) {
    int lod = 0;
    if (args.size() != 1 || !ParseInt(args[0], 1, 2, lod)) {
        return ctx.Fail(kExitBadArgument, "usage: lod 1|2");
    }
    StoreInt(ctx, L"liftoff_height", lod);
    ctx.Send(task::kSensor);
    return kExitOk;
}

int CmdSensor(Context& ctx, const Args& args) {
    int flags = 0;
    if (args.size() != 1 || !ParseInt(args[0], 0, 28, flags) || (flags & ~(4 | 8 | 16)) != 0) {
        return ctx.Fail(kExitBadArgument, "usage: sensor FLAGS (a sum of 4, 8 and 16)");
    }
    StoreInt(ctx, L"sensor_flag", flags);
    ctx.Send(task::kSensor);
    return kExitOk;
}

int CmdPower(Context& ctx, const Args& args) {
    std::map<std::string, std::string> options;
    std::string bad;
    if (args.empty() || !ParseOptions(args, options, bad)) {
        return ctx.Fail(kExitBadArgument,
                        "usage: power [sleep=MIN] [wakeup=0|1] [lightoff=0|1] "
                        "[response=0..20]%s%s",
                        bad.empty() ? "" : ": bad ", bad.c_str());
    }
    struct Field {
        const char* name;
        const wchar_t* key;
        int low;
        int high;
    };
    static constexpr Field kFields[] = {{"sleep", L"sleep_light", 1, 30},
                                        {"wakeup", L"move_wakeup", 0, 1},
                                        {"lightoff", L"move_closelight", 0, 1},
                                        {"response", L"button_respondtime", 0, 20}};
    std::vector<std::pair<const wchar_t*, int>> values;
    for (const auto& [name, text] : options) {
        const Field* field = nullptr;
        for (const Field& f : kFields) {
            if (name == f.name)
                field = &f;
        }
        int value = 0;
        if (field == nullptr) {
            return ctx.Fail(kExitBadArgument, "unknown power option '%s'", name.c_str());
        }
        if (!ParseInt(text, field->low, field->high, value)) {
            return ctx.Fail(kExitBadArgument, "bad %s '%s': %d to %d", name.c_str(), text.c_str(),
                            field->low, field->high);
        }
        if (name == "sleep" && value != 1 && value != 2 && value != 3 && value != 5 && value != 6 &&
            value != 10 && value != 20 && value != 30) {
            return ctx.Fail(kExitBadArgument, "bad sleep '%s': 1, 2, 3, 5, 6, 10, 20 or 30",
                            text.c_str());
        }
        values.emplace_back(field->key, value);
    }
    auto hold = ctx.db().Lock();
    for (const auto& [key, value] : values) {
        StoreInt(ctx, key, value);
    }
    ctx.Send(task::kPower);
    return kExitOk;
}

}  // namespace pellora::cli
