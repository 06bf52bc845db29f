// The pictures the theme generator draws, with the geometry the controls rely on. The generator
// refuses to write a picture whose size differs from its row here, and the theme tests read the
// same table, so a control, its picture and the tests cannot drift apart silently.
#pragma once

#include <cstddef>
#include <span>

namespace pellora::theme {

struct ImageLayout {
    const char* name;  // path below the folder it belongs to, with '/' separators
    int frames;        // equal frames side by side (a horizontal strip)
    int frame_width;
    int height;

    constexpr int width() const { return frames * frame_width; }
};

// Below the skin folder skins/theme1/. Button strips hold normal, hover, pressed, disabled;
// check-type strips add the same four checked; tab pictures hold normal, hover, selected.
inline constexpr ImageLayout kThemeImages[] = {
    // Window and panel backgrounds (drawn as nine-grids or stretched; flat insides so any
    // border width the pages choose looks the same).
    {"main_bkg.png", 1, 320, 200},
    {"img_area.png", 4, 100, 28},
    {"img_area3.png", 1, 96, 64},
    {"img_area_caption.png", 1, 96, 48},
    {"img_area_content.png", 1, 360, 100},
    {"img_area_bkg.png", 1, 320, 300},
    {"area_device.png", 1, 300, 200},
    {"bk_prompt.png", 1, 96, 96},
    {"img_upgrade_bkg.png", 1, 391, 130},
    {"img_tab_bkg.png", 1, 64, 64},
    {"img_tabitem_bkg.png", 3, 70, 70},
    {"logo.png", 1, 260, 40},
    {"device_mode.png", 1, 20, 20},
    // Buttons.
    {"img_button.png", 4, 48, 32},
    {"img_button2.png", 4, 48, 32},
    {"btn_reset.png", 4, 30, 30},
    {"img_return.png", 4, 30, 30},
    {"sysbtn_close.png", 4, 30, 30},
    {"sysbtn_min.png", 4, 30, 30},
    {"sysbtn_setting.png", 4, 30, 30},
    {"sysbtn_maximize.png", 4, 30, 30},
    {"sysbtn_restore.png", 4, 30, 30},
    {"btn_checkbox.png", 8, 18, 18},
    {"btn_radiobox.png", 8, 18, 18},
    // Inputs and lists.
    {"img_combobox.png", 4, 80, 30},
    {"img_combobox_bkg.png", 4, 80, 30},
    {"img_edit.png", 4, 60, 30},
    {"img_list_bkg.png", 2, 240, 30},
    {"img_key_bkg.png", 2, 66, 26},
    {"img_dpi_bar.png", 4, 22, 22},
    {"img_slider_bar.png", 4, 20, 20},
    // Balloon tips.
    {"img_tip_bk.png", 1, 32, 32},
    {"img_tip_arrow_left.png", 1, 8, 14},
    {"img_tip_arrow_right.png", 1, 8, 14},
    {"img_tip_arrow_top.png", 1, 14, 8},
    // Icons. Tab pictures are as large as a tab button: the glyph sits in the upper 46 pixels
    // and leaves the band below for the caption.
    {"icon/tab_home.png", 3, 70, 70},
    {"icon/tab_mousekey.png", 3, 70, 70},
    {"icon/tab_mousedpi.png", 3, 70, 70},
    {"icon/tab_macro.png", 3, 70, 70},
    {"icon/tab_light.png", 3, 70, 70},
    {"icon/tab_mouseset.png", 3, 70, 70},
    // Battery: the value picture is cut into four segments of (width - 6) / 4.
    {"icon/icon_battery_bkg.png", 1, 46, 20},
    {"icon/icon_batteryvalue.png", 1, 34, 12},
    {"icon/icon_charge.png", 1, 12, 20},
    {"icon/icon_arrow_up.png", 4, 14, 12},
    {"icon/icon_rec.png", 4, 16, 16},
    {"icon/icon_stop_rec.png", 4, 16, 16},
    // The program icon as a picture for desktop entries; Ostrevan.ico holds the same drawing.
    {"Ostrevan.png", 1, 256, 256},
    // Offered to controls that take a picture without being given one by name.
    {"img_switch_track.png", 2, 40, 20},       // off, on
    {"img_switch_knob.png", 2, 16, 16},        // off, on
    {"img_progress_bkg.png", 1, 40, 8},        // progress track (nine-grid border 4)
    {"img_progress_bar.png", 1, 40, 8},        // progress fill (nine-grid border 4)
    {"img_menu_item.png", 4, 60, 25},          // menu row: normal (empty), hover, pressed, disabled
    {"img_record_bkg.png", 3, 240, 36},        // macro step row: normal, hot, selected
    {"img_loading.png", 12, 32, 32},           // loading window animation
    {"icon/icon_help.png", 1, 18, 18},         // help button
    {"icon/icon_record_kind.png", 8, 18, 18},  // step kinds, plain then selected: other, key,
                                               // mouse button, delay
    {"icon/icon_more.png", 1, 16, 16},         // list rows' "more"
    {"icon/icon_combo_arrow.png", 2, 14, 12},  // colour combo: closed, open
};

// Mouse pictures: placed both in the app folder's device/ (device list) and in the skin
// folder's device/ (key page). Call-out labels need 68 pixels of room left and right of the body.
inline constexpr ImageLayout kMousePictures[] = {
    {"vx7.png", 1, 440, 520},
    {"vx3.png", 1, 440, 520},
};

// Sizes of the icon file's images (all stored as PNG).
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
inline constexpr const char* kIconFile = "Ostrevan.ico";

// Scroll-bar thumbs embedded in the toolkit. Each holds four thumbs (normal, hover, dragged,
// disabled) across its short side: the vertical picture as four 3 x 72 columns side by side,
// the horizontal one as four 22 x 5 rows stacked; thumbs are drawn as nine-grids along the
// long side with a 2-pixel end border.
struct ScrollPicture {
    const char* name;
    int width;
    int height;
};
inline constexpr ScrollPicture kScrollPictures[] = {
    {"scroll_h.png", 22, 20},
    {"scroll_v.png", 12, 72},
};
inline constexpr int kScrollThumbStates = 4;

}  // namespace pellora::theme
