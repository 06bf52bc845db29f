#pragma once
// The records the store reads and writes. Lists hand out owned pointers: the caller that asked
// for a list owns its records.

#include <memory>
#include <string>
#include <vector>

namespace pellora {

struct ProfileInfo {
    int id = 0;
    std::wstring name;
    std::wstring app;
    int type = 0;
    int status = 0;  // 1 for the active profile
};

// One button whose function differs from the factory one.
struct KeyRecord {
    int id = 0;
    int profile = 0;
    int layer = 0;
    int key_code = 0;
    int layout_value = 0;
    std::wstring layout_desc;
    int macro_type = 0;  // kind of function assigned
    int macro_value = 0;
    int macro_value2 = 0;
    int macro_value3 = 0;
    std::wstring macro_desc;  // label shown for the assignment
};

inline constexpr int kLightColourCount = 7;

// One lighting effect of a profile; colours are 0x00BBGGRR.
struct LightRecord {
    int id = 0;
    int profile = 0;
    std::wstring name;
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    int color_values[kLightColourCount] = {};
    int config_func = 0;
    int reserved = 0;
    int status = 0;  // 1 = the profile's selected effect
};

// A macro of the library; not tied to a profile.
struct MacroRecord {
    int id = 0;
    std::wstring name;
    int play_type = 0;
    int play_times = 0;
    int delay_type = 0;
    int delay_time = 0;
};

enum MacroStepKind : int {
    kMacroStepDelay = 1,
    kMacroStepKeyDown = 2,
    kMacroStepKeyUp = 3,
    kMacroStepButtonDown = 4,
    kMacroStepButtonUp = 5,
};

struct MacroStep {
    int id = 0;
    int macro = 0;
    int kind = 0;
    int position = 0;   // 0-based order within the macro
    int value = 0;      // milliseconds for a delay, key or button code otherwise
    int timestamp = 0;  // identifies the editor's list item; not a delay
    std::wstring desc;
};

using ProfileList = std::vector<std::unique_ptr<ProfileInfo>>;
using KeyList = std::vector<std::unique_ptr<KeyRecord>>;
using LightList = std::vector<std::unique_ptr<LightRecord>>;
using MacroList = std::vector<std::unique_ptr<MacroRecord>>;
using MacroStepList = std::vector<std::unique_ptr<MacroStep>>;

}  // namespace pellora
