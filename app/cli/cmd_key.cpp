// key BUTTON TYPE VALUE [VALUE2] [DESCRIPTION] | key reset BUTTON | key reset-all

#include <algorithm>

#include "cli/args.h"
#include "cli/commands.h"
#include "device/commands/button_table.h"
#include "tessel/platform/text.h"

namespace pellora::cli {

namespace {

constexpr int kMacroFunction = 4;
constexpr int kDisabledFunction = 9;

// The model's buttons when its description lists them, else every slot of the table.
int ButtonArg(Context& ctx, const std::string& text, int& button) {
    if (!ParseInt(text, 0, kButtonSlots - 1, button)) {
        return ctx.Fail(kExitBadArgument, "bad button '%s': 0 to %d", text.c_str(),
                        kButtonSlots - 1);
    }
    const auto& buttons = ctx.model().description.buttons;
    if (!buttons.empty() &&
        std::none_of(buttons.begin(), buttons.end(),
                     [button](const ButtonDefinition& b) { return b.key_value == button; })) {
        return ctx.Fail(kExitBadArgument, "this model has no button %d", button);
    }
    return kExitOk;
}

}  // namespace

bool MacroExists(Context& ctx, int id) {
    MacroRecord record;
    return id > 0 && ctx.db().GetMacro(id, record);
}

int AssignKey(Context& ctx, int button, int type, int value, int value2,
              const std::wstring& description) {
    KeyRecord key;
    key.profile = ctx.profile();
    key.key_code = button;
    key.layout_value = button;
    key.macro_type = type;
    // A row with both values 0 means "factory function"; a disabled button still needs its row.
    key.macro_value = (type == kDisabledFunction && value == 0 && value2 == 0) ? 1 : value;
    key.macro_value2 = value2;
    key.macro_desc = description;
    if (ctx.db().SaveKey(key) <= 0 && (key.macro_value != 0 || key.macro_value2 != 0)) {
        return ctx.Fail(kExitFailed, "could not store the button");
    }
    if (type == kMacroFunction) {
        ctx.worker().commands().SetPendingMacroButton(button);
    }
    ctx.Send(task::kButtons);
    return kExitOk;
}

int CmdKey(Context& ctx, const Args& args) {
    if (args.size() == 1 && args[0] == "reset-all") {
        if (!ctx.db().DeleteKeys(ctx.profile())) {
            return ctx.Fail(kExitFailed, "could not reset the buttons");
        }
        ctx.Send(task::kButtons);
        return kExitOk;
    }
    int button = 0;
    if (args.size() == 2 && args[0] == "reset") {
        if (const int code = ButtonArg(ctx, args[1], button))
            return code;
        KeyRecord factory;
        factory.profile = ctx.profile();
        factory.key_code = button;
        ctx.db().SaveKey(factory);  // values 0: back to the factory function
        ctx.Send(task::kButtons);
        return kExitOk;
    }
    int type = 0;
    int value = 0;
    int value2 = 0;
    if (args.size() < 3 || args.size() > 5) {
        return ctx.Fail(kExitBadArgument,
                        "usage: key BUTTON TYPE VALUE [VALUE2] [DESCRIPTION] | "
                        "key reset BUTTON | key reset-all");
    }
    if (const int code = ButtonArg(ctx, args[0], button))
        return code;
    if (!ParseInt(args[1], 1, 9, type)) {
        return ctx.Fail(kExitBadArgument, "bad function type '%s': 1 to 9", args[1].c_str());
    }
    if (!ParseInt(args[2], 0, 0xFFFF, value)) {
        return ctx.Fail(kExitBadArgument, "bad value '%s'", args[2].c_str());
    }
    std::wstring description;
    if (args.size() >= 4) {
        if (!ParseInt(args[3], 0, 0xFFFF, value2)) {
            if (args.size() == 5) {
                return ctx.Fail(kExitBadArgument, "bad second value '%s'", args[3].c_str());
            }
            description = DUI::Utf8ToWide(args[3]);  // VALUE2 left out
        }
    }
    if (args.size() == 5)
        description = DUI::Utf8ToWide(args[4]);
    if (type == kMacroFunction && !MacroExists(ctx, value)) {
        return ctx.Fail(kExitBadArgument, "no macro %d (see 'macro list')", value);
    }
    return AssignKey(ctx, button, type, value, value2, description);
}

}  // namespace pellora::cli
