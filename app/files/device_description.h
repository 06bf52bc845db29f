#pragma once
// A model's description file <app folder>/device/<device key>.xml: its picture, which pages and
// pop-ups it has, its firmware location, its buttons with their call-outs and factory
// functions, its lighting effects, and the defaults a new profile starts from.
//
// Children are looked up in the order the file must present them (image_file, menu, custom,
// firmware, mouse_key, mouse_info): each search continues after the previous match, so an
// element out of order is not seen.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/records.h"

namespace pellora {

struct ButtonDefinition {
    std::wstring name_attr;       // `name`: number of the text naming the button
    int key_value = 0;            // the button's code
    int direction = 0;            // side of the picture the call-out is drawn on
    std::array<int, 3> rect{};    // call-out geometry, "first#second#third"
    std::wstring func_desc_attr;  // `func_desc`: number of the text describing the function
    int func_type = 0;
    int func_value = 0;

    int NameText() const;
    int FunctionText() const;
};

struct CustomSwitches {
    bool show_dpi_tips = false;
    bool show_save_tips = false;
    bool show_lod = false;
    bool show_sensor = false;
};

inline constexpr int kLightEffectCount = 6;

struct ModelDescription {
    bool loaded = false;                  // file read and its root is `mouse`
    std::optional<std::wstring> picture;  // "device/<mouse_img>", relative to the app folder
    std::optional<bool> lighting_page;    // `menu` light = 1
    std::optional<CustomSwitches> custom;
    std::optional<std::wstring> firmware_url;
    bool has_keys = false;
    std::vector<ButtonDefinition> buttons;
    std::optional<std::array<bool, kLightEffectCount>> light_effects;
};

std::filesystem::path DescriptionPath(const std::wstring& device_key);

ModelDescription ReadModelDescription(const std::wstring& device_key);

// The factory assignment of a button: key code and layout value are its code, the layout and
// function descriptions the text numbers as written in the file.
KeyRecord FactoryKeyRecord(const ButtonDefinition& button);

// Where a description is applied: the main window and its pages. Calls come in the order of
// the file; a description that did not load calls nothing.
class ModelDescriptionTarget {
  public:
    virtual ~ModelDescriptionTarget() = default;
    // The window places the picture at its right when it is wider than 1 pixel: left = client
    // width - (picture width + 150), top 120, at the picture's size.
    virtual void SetMousePicture(const std::wstring& picture) = 0;
    // Shows or hides the lighting tab (index 4) and lays the window out again.
    virtual void SetLightingPage(bool shown) = 0;
    virtual void SetCustomSwitches(const CustomSwitches& switches) = 0;
    virtual void SetFirmwareUrl(const std::wstring& url) = 0;
    // Empties the picture's call-outs, the key list and the factory key records.
    virtual void ClearKeys() = 0;
    virtual void AddKey(const ButtonDefinition& button, const std::wstring& name,
                        const std::wstring& function) = 0;
    virtual void AddFactoryKey(const KeyRecord& record) = 0;
    // Selects the first item of both key controls and sizes the list to its items.
    virtual void KeysAdded() = 0;
    virtual void SetLightEffects(const std::array<bool, kLightEffectCount>& enabled) = 0;
};

// Applies a description, looking the button and function names up with GetText.
void ApplyModelDescription(const ModelDescription& description, ModelDescriptionTarget& target);

// The defaults a profile starts from, as configuration key and decimal text, in the order
// written: dpi_index, dpi_flag, dpi_count, dpi_groupN_value / dpi_groupN_rgb for the levels the
// file has, then with `full_set` report_rate, sleep_light, move_wakeup, move_closelight. Only
// what the file gives is listed.
using ConfigDefaults = std::vector<std::pair<std::wstring, std::wstring>>;
ConfigDefaults ReadModelDefaults(const std::wstring& device_key, bool full_set);

// "#RRGGBB" to the stored 0x00BBGGRR; leading hexadecimal digits count, 0 without any.
int ColorTextToBgr(std::wstring_view text);

// "a#b#c" to three numbers; missing parts read as 0.
std::array<int, 3> ParseRect(std::wstring_view text);

}  // namespace pellora
