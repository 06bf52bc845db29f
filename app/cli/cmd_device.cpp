// Device commands: paths, attached, sim dump, devices, show, download, factory-reset.

#include <cstdio>

#include "cli/args.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "device/commands/encodings.h"
#include "platform/folders.h"
#include "tessel/platform/app_name.h"
#include "tessel/platform/text.h"

namespace pellora::cli {

namespace {

std::string Utf8(const std::wstring& text) {
    return DUI::WideToUtf8(text);
}

std::string ReleaseText(int release) {
    char text[16];
    std::snprintf(text, sizeof text, "%X.%02X", (release >> 8) & 0xFF, release & 0xFF);
    return text;
}

std::string ModelName(const Context& ctx, int type) {
    const DeviceEntry* entry = FindModel(ctx.catalog(), type);
    return entry != nullptr ? Utf8(entry->name) : std::string();
}

std::vector<DeviceRecord> AllRecords() {
    DeviceManager& manager = DeviceManager::Instance();
    const int current = manager.GetCurrentDeviceType();
    manager.SetCurrentDeviceType(0);
    std::vector<DeviceRecord> records;
    manager.ListDevices(records);
    manager.SetCurrentDeviceType(current);
    return records;
}

std::string RgbText(int bgr) {
    const auto wire = ColourToWire(bgr);
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", wire[0], wire[1], wire[2]);
    return text;
}

}  // namespace

int CmdPaths(Context&, const Args&) {
    std::printf("%s\n%s\n%s\n", AppDir().c_str(), DataDir().c_str(), SettingsFilePath().c_str());
    return kExitOk;
}

int CmdAttached(Context& ctx, const Args&) {
    DeviceManager& manager = DeviceManager::Instance();
    manager.ClearCatalog();
    for (const DeviceRegistration& r : ctx.catalog().registrations) {
        manager.AddCatalogEntry(r.vendor_id, r.product_id, r.path, r.device_type, r.mode,
                                r.device_id);
    }
    manager.CloseAllDevices();
    manager.EnumerateDevice();
    manager.SetReady();
    return AllRecords().empty() ? kExitFailed : kExitOk;
}

int CmdSim(Context& ctx, const Args& args) {
    if (args.empty() || args[0] != "dump" || args.size() > 2) {
        return ctx.Fail(kExitBadArgument, "usage: sim dump [TYPE]");
    }
    if (ctx.simulated_bus() == nullptr) {
        return ctx.Fail(kExitBadArgument, "sim dump needs --simulate");
    }
    int type = 1;
    if (args.size() == 2 && !ParseInt(args[1], 1, 1000, type)) {
        return ctx.Fail(kExitBadArgument, "bad device type '%s'", args[1].c_str());
    }
    const std::string json = ctx.simulated_bus()->DumpJson(type);
    if (json.empty()) {
        return ctx.Fail(kExitFailed, "no simulated mouse of type %d", type);
    }
    std::fputs(json.c_str(), stdout);
    if (json.back() != '\n')
        std::fputc('\n', stdout);
    return kExitOk;
}

int CmdDevices(Context& ctx, const Args& args) {
    if (!args.empty()) {
        return ctx.Fail(kExitBadArgument, "devices takes no arguments");
    }
    const std::vector<DeviceRecord> records = AllRecords();
    const int current = DeviceManager::Instance().GetCurrentDeviceType();
    Json list = Json::Array();
    for (const DeviceRecord& r : records) {
        const std::string link = r.mode == kModeReceiver ? "receiver" : "cable";
        if (ctx.json()) {
            list.Push(Json::Object()
                          .Add("type", Json::Number(r.device_type))
                          .Add("model", Json::String(ModelName(ctx, r.device_type)))
                          .Add("link", Json::String(link))
                          .Add("vendor_id", Json::Number(r.vendor_id))
                          .Add("product_id", Json::Number(r.product_id))
                          .Add("online", Json::Bool(r.online == kOnline))
                          .Add("release", Json::String(ReleaseText(r.release_number)))
                          .Add("current", Json::Bool(r.device_type == current && current != 0)));
        } else {
            std::printf("%c type %-3d %-16s %-8s %04X:%04X %s release %s\n",
                        r.device_type == current && current != 0 ? '*' : ' ', r.device_type,
                        r.device_type > 0 ? ModelName(ctx, r.device_type).c_str() : "(unknown)",
                        link.c_str(), r.vendor_id, r.product_id,
                        r.online == kOnline ? "online" : "offline",
                        ReleaseText(r.release_number).c_str());
        }
    }
    if (ctx.json())
        std::printf("%s\n", list.Dump().c_str());
    if (records.empty()) {
        return ctx.Fail(kExitFailed, "no device");
    }
    return kExitOk;
}

int CmdShow(Context& ctx, const Args& args) {
    if (!args.empty()) {
        return ctx.Fail(kExitBadArgument, "show takes no arguments");
    }
    const bool device = ctx.HasDevice();
    const int store = ctx.OpenStore(/*quiet=*/true);
    if (store != kExitOk && store != kExitNoModel) {
        return store;
    }
    DeviceManager& manager = DeviceManager::Instance();
    const WorkerSnapshot snapshot = ctx.worker().Snapshot();
    const int kind = manager.GetLinkKind();
    int release = 0;
    const bool has_release = kind >= 0 && manager.GetReleaseNumber(kind, release);

    Json out = Json::Object();
    out.Add("application", Json::String(Utf8(DUI::GetApplicationName())));
    out.Add("app_folder", Json::String(AppDir().string()));
    out.Add("data_folder", Json::String(DataDir().string()));
    out.Add("settings", Json::String(SettingsFilePath().string()));
    Json dev = Json::Object();
    dev.Add("model", Json::String(Utf8(ctx.model().name)));
    dev.Add("type", Json::Number(ctx.model().device_type));
    dev.Add("link", Json::String(kind == 0 ? "cable" : kind == 1 ? "receiver" : "none"));
    dev.Add("connected", Json::Bool(device));
    if (device) {
        dev.Add("battery", Json::Number(snapshot.battery_level));
        dev.Add("charge_state", Json::Number(snapshot.charge_state));
    }
    if (has_release)
        dev.Add("firmware", Json::String(ReleaseText(release)));
    if (ctx.simulated_bus() != nullptr)
        dev.Add("simulated", Json::Bool(true));
    out.Add("device", std::move(dev));

    if (store == kExitOk) {
        std::wstring name;
        ctx.db().GetProfileName(ctx.profile(), name);
        Json settings = Json::Object();
        settings.Add("profile", Json::Number(ctx.profile()));
        settings.Add("profile_name", Json::String(Utf8(name)));
        Json levels = Json::Array();
        Json colours = Json::Array();
        for (int n = 0; n < 6; ++n) {
            levels.Push(
                Json::Number(ConfigInt(ctx, L"dpi_group" + std::to_wstring(n) + L"_value")));
            colours.Push(
                Json::String(RgbText(ConfigInt(ctx, L"dpi_group" + std::to_wstring(n) + L"_rgb"))));
        }
        settings.Add("dpi_levels", std::move(levels));
        settings.Add("dpi_colors", std::move(colours));
        settings.Add("dpi_count", Json::Number(ConfigInt(ctx, L"dpi_count")));
        settings.Add("dpi_level", Json::Number(ConfigInt(ctx, L"dpi_index") + 1));
        settings.Add("report_rate_hz", Json::Number(ReportRateHz(ConfigInt(ctx, L"report_rate"))));
        settings.Add("lod", Json::Number(ConfigInt(ctx, L"liftoff_height")));
        settings.Add("sensor", Json::Number(ConfigInt(ctx, L"sensor_flag")));
        settings.Add("sleep", Json::Number(ConfigInt(ctx, L"sleep_light")));
        settings.Add("wakeup", Json::Number(ConfigInt(ctx, L"move_wakeup")));
        settings.Add("lightoff", Json::Number(ConfigInt(ctx, L"move_closelight")));
        settings.Add("response", Json::Number(ConfigInt(ctx, L"button_respondtime")));
        if (ctx.model().has_lighting()) {
            settings.Add("light_mode", Json::Number(snapshot.params.light_mode));
        }
        out.Add("settings", std::move(settings));
    }

    if (ctx.json()) {
        std::printf("%s\n", out.Dump().c_str());
    } else {
        std::printf("application  %s\n", Utf8(DUI::GetApplicationName()).c_str());
        std::printf("app folder   %s\n", AppDir().c_str());
        std::printf("data folder  %s\n", DataDir().c_str());
        std::printf("settings     %s\n", SettingsFilePath().c_str());
        std::printf("model        %s (type %d)%s\n",
                    ctx.model().name.empty() ? "none" : Utf8(ctx.model().name).c_str(),
                    ctx.model().device_type, ctx.simulated_bus() ? " (simulated)" : "");
        std::printf("link         %s\n", !device ? "none" : kind == 0 ? "cable" : "receiver");
        if (device) {
            std::printf("battery      %d%% (charge state %d)\n", snapshot.battery_level,
                        snapshot.charge_state);
        }
        if (has_release)
            std::printf("firmware     %s\n", ReleaseText(release).c_str());
        if (store == kExitOk) {
            std::wstring name;
            ctx.db().GetProfileName(ctx.profile(), name);
            std::printf("profile      %d %s\n", ctx.profile(), Utf8(name).c_str());
            std::printf("dpi levels  ");
            for (int n = 0; n < 6; ++n) {
                std::printf("%s%d", n ? "," : " ",
                            ConfigInt(ctx, L"dpi_group" + std::to_wstring(n) + L"_value"));
            }
            std::printf("  (count %d, level %d)\n", ConfigInt(ctx, L"dpi_count"),
                        ConfigInt(ctx, L"dpi_index") + 1);
            std::printf("dpi colors  ");
            for (int n = 0; n < 6; ++n) {
                std::printf(
                    "%s%s", n ? "," : " ",
                    RgbText(ConfigInt(ctx, L"dpi_group" + std::to_wstring(n) + L"_rgb")).c_str());
            }
            std::printf("\nreport rate  %d Hz\n", ReportRateHz(ConfigInt(ctx, L"report_rate")));
            std::printf("lod          %d\n", ConfigInt(ctx, L"liftoff_height"));
            std::printf("sensor       %d\n", ConfigInt(ctx, L"sensor_flag"));
            std::printf("power        sleep=%d wakeup=%d lightoff=%d response=%d\n",
                        ConfigInt(ctx, L"sleep_light"), ConfigInt(ctx, L"move_wakeup"),
                        ConfigInt(ctx, L"move_closelight"), ConfigInt(ctx, L"button_respondtime"));
            if (ctx.model().has_lighting()) {
                std::printf("light mode   %d\n", snapshot.params.light_mode);
            }
        }
    }
    return device ? kExitOk : ctx.Fail(kExitFailed, "no device");
}

int CmdDownload(Context& ctx, const Args& args) {
    if (!args.empty())
        return ctx.Fail(kExitBadArgument, "download takes no arguments");
    ctx.worker().commands().SetLightMode(ctx.db().GetActiveLightMode(ctx.profile()));
    ctx.Send(task::kDownloadAll);
    return kExitOk;
}

int CmdFactoryReset(Context& ctx, const Args& args) {
    if (!args.empty())
        return ctx.Fail(kExitBadArgument, "factory-reset takes no arguments");
    ctx.Send(task::kFactoryRestore);
    return kExitOk;
}

}  // namespace pellora::cli
