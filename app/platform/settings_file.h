#pragma once
// The per-user settings file that stands in for the registry key "SOFTWARE\<application name>".
// It keeps the registry's rules so callers behave as they would there:
//  - reading a value from a missing file creates the (empty) file and gives 0;
//  - a missing or non-numeric value reads as 0 (leading digits count, as _wtoi does);
//  - writing never creates the file and silently does nothing when it cannot be opened.
// Writes replace the file atomically (temporary file, then rename), so a crash in the middle of a
// write leaves the previous contents intact. Value names compare without regard to ASCII case,
// like registry value names.
//
// The file is UTF-8 text, one "name=value" line per value; backslash escapes keep newlines and
// '=' in names representable.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace pellora {

class SettingsFile {
  public:
    explicit SettingsFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    int ReadInt(const std::wstring& name) const;
    std::optional<std::wstring> ReadString(const std::wstring& name) const;
    // False when nothing was written (file missing, unreadable or not writable).
    bool WriteString(const std::wstring& name, const std::wstring& value) const;
    bool DeleteValue(const std::wstring& name) const;

  private:
    using Values = std::map<std::string, std::pair<std::wstring, std::wstring>>;  // by folded name
    std::optional<Values> Load(bool create_if_missing) const;
    bool Store(const Values& values) const;

    std::filesystem::path path_;
};

// The registry operations on the settings file at SettingsFilePath().
int ReadAppRegInt(const std::wstring& name);
void WriteAppRegString(const std::wstring& name, const std::wstring& value);

}  // namespace pellora
