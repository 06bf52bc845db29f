// macro list | new NAME | delete ID | show ID | record-steps ID STEP... | export ID FILE |
// import FILE | bind BUTTON ID

#include <cstdio>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "device/commands/button_table.h"
#include "files/exchange/macro_exchange.h"
#include "tessel/platform/text.h"

namespace pellora::cli {

namespace {

constexpr int kMacroFunction = 4;

int MacroArg(Context& ctx, const std::string& text, int& id) {
    if (!ParseInt(text, 1, 1 << 30, id)) {
        return ctx.Fail(kExitBadArgument, "bad macro '%s'", text.c_str());
    }
    if (!MacroExists(ctx, id)) {
        return ctx.Fail(kExitBadArgument, "no macro %d (see 'macro list')", id);
    }
    return kExitOk;
}

int CountEvents(const std::vector<MacroStep>& steps) {
    int n = 0;
    for (const MacroStep& s : steps)
        n += s.kind != kMacroStepDelay ? 1 : 0;
    return n;
}

}  // namespace

int CmdMacro(Context& ctx, const Args& args) {
    const std::string sub = args.empty() ? "" : args[0];
    DeviceDatabase& db = ctx.db();
    int id = 0;
    if (sub == "list" && args.size() == 1) {
        MacroList macros;
        db.ListMacros(macros);
        Json list = Json::Array();
        for (const auto& m : macros) {
            MacroStepList steps;
            const int count = db.ListMacroSteps(m->id, steps);
            if (ctx.json()) {
                list.Push(Json::Object()
                              .Add("id", Json::Number(m->id))
                              .Add("name", Json::String(DUI::WideToUtf8(m->name)))
                              .Add("steps", Json::Number(count)));
            } else {
                std::printf("%d %s (%d steps)\n", m->id, DUI::WideToUtf8(m->name).c_str(), count);
            }
        }
        if (ctx.json())
            std::printf("%s\n", list.Dump().c_str());
        return kExitOk;
    }
    if (sub == "new" && args.size() == 2) {
        if (args[1].empty() || !DUI::IsValidUtf8(args[1])) {
            return ctx.Fail(kExitBadArgument, "bad macro name");
        }
        id = db.AddMacro(DUI::Utf8ToWide(args[1]));
        if (id <= 0)
            return ctx.Fail(kExitFailed, "could not store the macro");
        std::printf("%d\n", id);
        return kExitOk;
    }
    if (sub == "delete" && args.size() == 2) {
        if (const int code = MacroArg(ctx, args[1], id))
            return code;
        if (!db.DeleteMacro(id))
            return ctx.Fail(kExitFailed, "could not delete macro %d", id);
        return kExitOk;
    }
    if (sub == "show" && args.size() == 2) {
        if (const int code = MacroArg(ctx, args[1], id))
            return code;
        MacroRecord macro;
        db.GetMacro(id, macro);
        MacroStepList steps;
        db.ListMacroSteps(id, steps);
        if (ctx.json()) {
            Json list = Json::Array();
            for (const auto& s : steps)
                list.Push(Json::String(DescribeMacroStep(*s)));
            std::printf("%s\n", Json::Object()
                                    .Add("id", Json::Number(id))
                                    .Add("name", Json::String(DUI::WideToUtf8(macro.name)))
                                    .Add("play_type", Json::Number(macro.play_type))
                                    .Add("play_times", Json::Number(macro.play_times))
                                    .Add("steps", std::move(list))
                                    .Dump()
                                    .c_str());
        } else {
            std::printf("%d %s (play type %d, times %d)\n", id, DUI::WideToUtf8(macro.name).c_str(),
                        macro.play_type, macro.play_times);
            for (const auto& s : steps)
                std::printf("  %s\n", DescribeMacroStep(*s).c_str());
        }
        return kExitOk;
    }
    if (sub == "record-steps" && args.size() >= 3) {
        if (const int code = MacroArg(ctx, args[1], id))
            return code;
        std::vector<MacroStep> steps;
        for (std::size_t i = 2; i < args.size(); ++i) {
            if (!ParseMacroStep(args[i], steps)) {
                return ctx.Fail(kExitBadArgument,
                                "bad step '%s' (down:KEY up:KEY press:KEY "
                                "delay:MS mdown:N mup:N)",
                                args[i].c_str());
            }
        }
        if (CountEvents(steps) > kMaxMacroEvents) {
            return ctx.Fail(kExitBadArgument,
                            "a macro holds at most %d events, these steps "
                            "make %d",
                            kMaxMacroEvents, CountEvents(steps));
        }
        for (std::size_t i = 0; i < steps.size(); ++i) {
            steps[i].macro = id;
            steps[i].position = static_cast<int>(i);
            steps[i].timestamp = static_cast<int>(i);
        }
        {
            auto hold = db.Lock();
            db.DeleteMacroSteps(id);
            db.AddMacroSteps(steps);
        }
        // Buttons playing this macro get it again.
        KeyList keys;
        db.ListKeys(ctx.profile(), keys);
        for (const auto& key : keys) {
            if (key->macro_type == kMacroFunction && key->macro_value == id) {
                ctx.worker().commands().SetPendingMacroButton(key->key_code);
                ctx.Send(task::kButtons);
                break;
            }
        }
        return kExitOk;
    }
    if (sub == "export" && args.size() == 3) {
        if (const int code = MacroArg(ctx, args[1], id))
            return code;
        MacroRecord macro;
        db.GetMacro(id, macro);
        if (!ExportMacro(db, args[2], id, macro.name)) {
            return ctx.Fail(kExitFailed, "could not write %s", args[2].c_str());
        }
        return kExitOk;
    }
    if (sub == "import" && args.size() == 2) {
        const MacroImportResult result = ImportMacro(db, args[1]);
        if (result.macro_id == 0) {
            return ctx.Fail(kExitFailed, "%s is not a macro file that can be imported",
                            args[1].c_str());
        }
        std::printf("%d\n", result.macro_id);
        return kExitOk;
    }
    if (sub == "bind" && args.size() == 3) {
        int button = 0;
        if (!ParseInt(args[1], 0, kButtonSlots - 1, button)) {
            return ctx.Fail(kExitBadArgument, "bad button '%s'", args[1].c_str());
        }
        if (const int code = MacroArg(ctx, args[2], id))
            return code;
        MacroStepList steps;
        db.ListMacroSteps(id, steps);
        std::vector<uint8_t> events;
        if (EncodeMacroSteps(steps, events) > kMaxMacroEvents) {
            return ctx.Fail(kExitBadArgument, "macro %d has more than %d events", id,
                            kMaxMacroEvents);
        }
        MacroRecord macro;
        db.GetMacro(id, macro);
        return AssignKey(ctx, button, kMacroFunction, id, 0, macro.name);
    }
    return ctx.Fail(kExitBadArgument,
                    "usage: macro list | new NAME | delete ID | show ID | record-steps ID STEP... "
                    "| export ID FILE | import FILE | bind BUTTON ID");
}

}  // namespace pellora::cli
