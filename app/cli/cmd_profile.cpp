// profile list | switch ID | rename ID NAME | export FILE | import FILE

#include <algorithm>
#include <cstdio>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "files/exchange/profile_exchange.h"
#include "files/language.h"
#include "store/init_profiles.h"
#include "tessel/platform/text.h"

namespace pellora::cli {

namespace {

bool ProfileExists(Context& ctx, int id) {
    ProfileList profiles;
    ctx.db().ListProfiles(profiles);
    return std::any_of(profiles.begin(), profiles.end(),
                       [id](const auto& p) { return p && p->id == id; });
}

int ProfileArg(Context& ctx, const std::string& text, int& id) {
    if (!ParseInt(text, 1, 1 << 30, id)) {
        return ctx.Fail(kExitBadArgument, "bad profile '%s'", text.c_str());
    }
    if (!ProfileExists(ctx, id)) {
        return ctx.Fail(kExitBadArgument, "no profile %d (see 'profile list')", id);
    }
    return kExitOk;
}

}  // namespace

int CmdProfile(Context& ctx, const Args& args) {
    const std::string sub = args.empty() ? "" : args[0];
    if (sub == "list" && args.size() == 1) {
        ProfileList profiles;
        ctx.db().ListProfiles(profiles);
        Json list = Json::Array();
        for (const auto& p : profiles) {
            const bool current = p->id == ctx.profile();
            if (ctx.json()) {
                list.Push(Json::Object()
                              .Add("id", Json::Number(p->id))
                              .Add("name", Json::String(DUI::WideToUtf8(p->name)))
                              .Add("current", Json::Bool(current)));
            } else {
                std::printf("%c %d %s\n", current ? '*' : ' ', p->id,
                            DUI::WideToUtf8(p->name).c_str());
            }
        }
        if (ctx.json())
            std::printf("%s\n", list.Dump().c_str());
        return kExitOk;
    }
    if (sub == "switch" && args.size() == 2) {
        int id = 0;
        if (const int code = ProfileArg(ctx, args[1], id))
            return code;
        if (!ctx.db().SetActiveProfile(id)) {
            return ctx.Fail(kExitFailed, "could not switch to profile %d", id);
        }
        ctx.worker().commands().SetLightMode(ctx.db().GetActiveLightMode(id));
        ctx.Send(task::kDownloadAll);
        return kExitOk;
    }
    if (sub == "rename" && args.size() == 3) {
        int id = 0;
        if (const int code = ProfileArg(ctx, args[1], id))
            return code;
        if (args[2].empty() || !DUI::IsValidUtf8(args[2])) {
            return ctx.Fail(kExitBadArgument, "bad profile name");
        }
        if (!ctx.db().RenameProfile(id, DUI::Utf8ToWide(args[2]))) {
            return ctx.Fail(kExitFailed, "could not rename profile %d", id);
        }
        return kExitOk;
    }
    if (sub == "export" && args.size() == 2) {
        std::wstring name;
        ctx.db().GetProfileName(ctx.profile(), name);
        std::wstring word = GetText(61);
        if (word.empty())
            word = L"Profile";
        if (!ExportProfile(ctx.db(), args[1], ctx.profile(), DisplayProfileName(name, word),
                           ctx.model().has_lighting())) {
            return ctx.Fail(kExitFailed, "could not write %s", args[1].c_str());
        }
        return kExitOk;
    }
    if (sub == "import" && args.size() == 2) {
        const ProfileImportResult result =
            ImportProfile(ctx.db(), args[1], ctx.profile(), ctx.model().has_lighting());
        if (!result.imported) {
            return ctx.Fail(kExitFailed, "%s is not a profile file that can be imported",
                            args[1].c_str());
        }
        ctx.worker().commands().SetLightMode(ctx.db().GetActiveLightMode(ctx.profile()));
        ctx.Send(result.task_to_queue != 0 ? result.task_to_queue : task::kDownloadAll);
        return kExitOk;
    }
    return ctx.Fail(kExitBadArgument,
                    "usage: profile list | switch ID | rename ID NAME | export FILE | import FILE");
}

}  // namespace pellora::cli
