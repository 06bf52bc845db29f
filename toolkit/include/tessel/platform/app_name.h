#pragma once
// The one holder of the application name. It names the data folder, the settings file, window
// titles and the tray tip; the configuration file replaces the default once it has been read,
// so everyone asks for the name when they need it instead of keeping a copy.

#include <string>

namespace DUI {

inline constexpr const wchar_t* kDefaultApplicationName = L"Quorvel";

void SetApplicationName(const std::wstring& name);
std::wstring GetApplicationName();
// The name made safe to use as one file-name component (no separators, never empty).
std::string ApplicationNameForPath();

}  // namespace DUI
