#include "platform/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <system_error>

#include "tessel/platform/app_name.h"

namespace fs = std::filesystem;

namespace pellora {
namespace {

std::mutex& OverridesMutex() {
    static std::mutex mutex;
    return mutex;
}

FolderOverrides& Overrides() {
    static FolderOverrides overrides = FolderOverridesFromEnvironment();
    return overrides;
}

std::optional<fs::path> EnvPath(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read-only use
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return fs::path(value);
}

fs::path HomeDir() {
    if (auto home = EnvPath("HOME")) {
        return *home;
    }
    return fs::temp_directory_path();
}

// The XDG base folder named by `variable`, or its documented default under $HOME. A relative
// value is invalid by the XDG rules and ignored.
fs::path XdgBase(const char* variable, const char* fallback_below_home) {
    if (auto value = EnvPath(variable); value && value->is_absolute()) {
        return *value;
    }
    return HomeDir() / fallback_below_home;
}

template <typename Field>
std::optional<fs::path> Override(Field field) {
    std::lock_guard lock(OverridesMutex());
    return Overrides().*field;
}

}  // namespace

FolderOverrides FolderOverridesFromEnvironment() {
    return FolderOverrides{EnvPath(kAppDirEnv), EnvPath(kDataDirEnv), EnvPath(kConfigDirEnv)};
}

void ConfigureFolders(const FolderOverrides& overrides) {
    const FolderOverrides env = FolderOverridesFromEnvironment();
    std::lock_guard lock(OverridesMutex());
    Overrides() = FolderOverrides{overrides.app_dir ? overrides.app_dir : env.app_dir,
                                  overrides.data_dir ? overrides.data_dir : env.data_dir,
                                  overrides.config_dir ? overrides.config_dir : env.config_dir};
}

fs::path ExecutableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    return exe.parent_path();
}

fs::path AppDirForExecutable(const fs::path& exe_dir) {
    std::error_code ec;
    if (fs::is_regular_file(exe_dir / "config.xml", ec)) {
        return exe_dir;
    }
    return (exe_dir / ".." / "share" / "pellora").lexically_normal();
}

fs::path AppDir() {
    if (auto dir = Override(&FolderOverrides::app_dir)) {
        return *dir;
    }
    return AppDirForExecutable(ExecutableDir());
}

fs::path DataDir() {
    if (auto dir = Override(&FolderOverrides::data_dir)) {
        return *dir;
    }
    return XdgBase("XDG_DATA_HOME", ".local/share") / (DUI::ApplicationNameForPath() + " Files");
}

fs::path DbDir() {
    return DataDir() / "db";
}

fs::path ConfigDir() {
    if (auto dir = Override(&FolderOverrides::config_dir)) {
        return *dir;
    }
    return XdgBase("XDG_CONFIG_HOME", ".config") / DUI::ApplicationNameForPath();
}

fs::path SettingsFilePath() {
    return ConfigDir() / kSettingsFileName;
}

bool EnsureDirectory(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return true;
    }
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

bool EnsureDataFolders() {
    return EnsureDirectory(DbDir());
}

}  // namespace pellora
