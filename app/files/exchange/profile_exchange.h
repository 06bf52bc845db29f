#pragma once
// Profile files: a profile's button assignments, lighting effects, DPI levels and performance
// options as XML, to move them between machines. The window supplies the file names (its file
// dialogs) and the values only it knows, and applies the effects an import reports back.

#include <filesystem>
#include <string>

#include "store/device_database.h"

namespace pellora {

// The device worker's task that writes the current profile to the mouse.
inline constexpr int kWriteProfileTask = 5;

// Writes the profile to the file, exactly under the given name. `caption` is the name the
// profile button shows; lighting effects are written only for models with a lighting page.
// False when the file could not be written.
bool ExportProfile(DeviceDatabase& db, const std::filesystem::path& file, int profile,
                   const std::wstring& caption, bool has_lighting_page);

struct ProfileImportResult {
    bool imported = false;      // false: the profile was left exactly as it was
    std::wstring profile_name;  // the profile's new name, for the profile button
    int task_to_queue = 0;      // kWriteProfileTask after an import
};

// Reads a profile file into the given profile, which is renamed after the file. A file that
// does not load, is not a profile file, or cannot be stored completely changes nothing.
ProfileImportResult ImportProfile(DeviceDatabase& db, const std::filesystem::path& file,
                                  int profile, bool has_lighting_page);

// The name an imported profile takes: the file's name without its ".xml".
std::wstring ProfileNameFromFile(const std::filesystem::path& file);

}  // namespace pellora
