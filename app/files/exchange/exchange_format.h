#pragma once
// Names and small helpers shared by the profile and macro files.

#include <array>
#include <string>

namespace pellora::exchange {

inline constexpr const wchar_t* kDeclaration = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// The performance options of a profile file, in the order they are written and must be read.
inline constexpr std::array<const wchar_t*, 9> kMouseOptions = {
    L"button_respondtime", L"report_rate", L"sensor_flag", L"liftoff_height",  L"scroll_flag",
    L"e-sports_flag",      L"sleep_light", L"move_wakeup", L"move_closelight",
};

inline constexpr int kDpiLevels = 6;

inline std::wstring DpiValueKey(int level) {
    return L"dpi_group" + std::to_wstring(level) + L"_value";
}
inline std::wstring DpiColourKey(int level) {
    return L"dpi_group" + std::to_wstring(level) + L"_rgb";
}
inline std::wstring DpiElement(int level) {
    return L"DPI" + std::to_wstring(level + 1);
}
inline std::wstring ColourAttribute(int index) {
    return L"color_value" + std::to_wstring(index + 1);
}

}  // namespace pellora::exchange
