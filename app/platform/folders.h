#pragma once
// Where the program finds its own files and keeps the user's.
//
//   app folder      config.xml, device/, language/, skins/, font/ — beside the executable when
//                   config.xml is there, else ../share/pellora/ (an installed layout).
//   data folder     the user's databases: $XDG_DATA_HOME/<application name> Files/ with db/.
//   config folder   the settings file standing in for the registry key "SOFTWARE\<name>":
//                   $XDG_CONFIG_HOME/<application name>/.
//
// Each can be redirected (command line or environment) so that tests and experiments never
// touch the user's real folders. The application name is asked for at every call because the
// configuration file sets it only after start-up has begun.

#include <filesystem>
#include <optional>
#include <string>

namespace pellora {

inline constexpr const char* kAppDirEnv = "PELLORA_APP_DIR";
inline constexpr const char* kDataDirEnv = "PELLORA_DATA_DIR";
inline constexpr const char* kConfigDirEnv = "PELLORA_CONFIG_DIR";
inline constexpr const char* kSettingsFileName = "settings.ini";

struct FolderOverrides {
    std::optional<std::filesystem::path> app_dir;
    std::optional<std::filesystem::path> data_dir;    // the data folder itself (db/ goes inside)
    std::optional<std::filesystem::path> config_dir;  // the folder that holds the settings file
};

// Sets the redirections for the process; unset fields fall back to the environment variables
// above, then to the defaults. Calling it again replaces earlier overrides.
void ConfigureFolders(const FolderOverrides& overrides);
FolderOverrides FolderOverridesFromEnvironment();

std::filesystem::path AppDir();
std::filesystem::path DataDir();
std::filesystem::path DbDir();
std::filesystem::path ConfigDir();
std::filesystem::path SettingsFilePath();

// Where the running executable lives (empty when the platform cannot say).
std::filesystem::path ExecutableDir();

// Picks the app folder for an executable folder: itself when it holds config.xml, else the
// installed ../share/pellora/.
std::filesystem::path AppDirForExecutable(const std::filesystem::path& exe_dir);

// Creates a folder and every missing parent; true when it exists afterwards.
bool EnsureDirectory(const std::filesystem::path& path);
// Creates the data folder and its db/ sub-folder.
bool EnsureDataFolders();

}  // namespace pellora
