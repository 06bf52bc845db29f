// Glyph buttons (caption buttons, reset, return), tab icons, the battery and the small icons.
#include <cmath>

#include "draw.h"

namespace pellora::theme {
namespace {
using namespace colour;

void Stroke(cairo_t* cr, Rgb c, double width) {
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// Caption-type buttons: no plate at rest, a plate under the pointer.
Rgb GlyphButtonPlate(cairo_t* cr, int state, int w, int h, bool danger) {
    if (state == 1) {
        FillRounded(cr, 2, 2, w - 4, h - 4, 6, danger ? kDanger : kAccentDeep);
        if (!danger) {
            StrokeRounded(cr, 2, 2, w - 4, h - 4, 6, kAccent);
        }
        return kWhite;
    }
    if (state == 2) {
        FillRounded(cr, 2, 2, w - 4, h - 4, 6, danger ? kDangerPressed : kAccentPressed);
        return kWhite;
    }
    return state == 3 ? kDisabledGlyph : kGlyph;
}

using Glyph = void (*)(cairo_t* cr, double cx, double cy, Rgb ink);

void CloseGlyph(cairo_t* cr, double cx, double cy, Rgb ink) {
    const double d = 5;
    cairo_move_to(cr, cx - d, cy - d);
    cairo_line_to(cr, cx + d, cy + d);
    cairo_move_to(cr, cx + d, cy - d);
    cairo_line_to(cr, cx - d, cy + d);
    Stroke(cr, ink, 1.8);
}

void MinGlyph(cairo_t* cr, double cx, double cy, Rgb ink) {
    cairo_move_to(cr, cx - 6, cy + 0.5);
    cairo_line_to(cr, cx + 6, cy + 0.5);
    Stroke(cr, ink, 1.8);
}

void MaximizeGlyph(cairo_t* cr, double cx, double cy, Rgb ink) {
    RoundedRect(cr, cx - 5.5, cy - 5.5, 11, 11, 2);
    Stroke(cr, ink, 1.6);
}

void RestoreGlyph(cairo_t* cr, double cx, double cy, Rgb ink) {
    RoundedRect(cr, cx - 6, cy - 3, 9, 9, 1.5);
    Stroke(cr, ink, 1.6);
    cairo_move_to(cr, cx - 3, cy - 5.5);
    cairo_line_to(cr, cx + 4.5, cy - 5.5);
    cairo_arc(cr, cx + 4.5, cy - 4, 1.5, -M_PI / 2, 0);
    cairo_line_to(cr, cx + 6, cy + 3);
    Stroke(cr, ink, 1.6);
}

void GearGlyph(cairo_t* cr, double cx, double cy, Rgb ink) {
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * M_PI / teeth;
        const double a1 = (i + 0.5) * M_PI / teeth;
        const double r = (i % 2 == 0) ? 7.2 : 5.4;
        if (i == 0) {
            cairo_move_to(cr, cx + r * std::cos(a0), cy + r * std::sin(a0));
        } else {
            cairo_line_to(cr, cx + r * std::cos(a0), cy + r * std::sin(a0));
        }
        cairo_line_to(cr, cx + r * std::cos(a1), cy + r * std::sin(a1));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, 2.4, 0, -2 * M_PI);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetColour(cr, ink);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void ReturnGlyph(cairo_t* cr, double cx, double cy, Rgb ink) {
    cairo_move_to(cr, cx + 6, cy);
    cairo_line_to(cr, cx - 6, cy);
    cairo_move_to(cr, cx - 1.5, cy - 5);
    cairo_line_to(cr, cx - 6.5, cy);
    cairo_line_to(cr, cx - 1.5, cy + 5);
    Stroke(cr, ink, 1.9);
}

void ResetGlyph(cairo_t* cr, double cx, double cy, Rgb ink) {
    const double r = 6, start = -M_PI * 0.3, end = M_PI * 1.3;
    cairo_arc(cr, cx, cy, r, start, end);
    Stroke(cr, ink, 1.8);
    // Arrow head at the end of the arc, pointing the way the arc turns.
    const double px = cx + r * std::cos(end), py = cy + r * std::sin(end);
    const double tx = -std::sin(end), ty = std::cos(end);  // direction of travel
    const double nx = std::cos(end), ny = std::sin(end);   // outward
    cairo_move_to(cr, px + tx * 2.5, py + ty * 2.5);
    cairo_line_to(cr, px - tx * 1.5 + nx * 3.2, py - ty * 1.5 + ny * 3.2);
    cairo_line_to(cr, px - tx * 1.5 - nx * 3.2, py - ty * 1.5 - ny * 3.2);
    cairo_close_path(cr);
    SetColour(cr, ink);
    cairo_fill(cr);
}

void GlyphButton(cairo_t* cr, int state, int w, int h, Glyph glyph, bool danger = false) {
    const Rgb ink = GlyphButtonPlate(cr, state, w, h, danger);
    const double nudge = state == 2 ? 0.5 : 0.0;
    glyph(cr, w / 2.0 + nudge, h / 2.0 + nudge, ink);
}

// Tab icons: glyph centred at (35, 26) in a 70 x 70 frame; normal, hover, selected.
Rgb TabInk(int state) {
    return state == 0 ? kGlyph : kWhite;
}

void MouseOutline(cairo_t* cr, double cx, double cy, double w, double h) {
    RoundedRect(cr, cx - w / 2, cy - h / 2, w, h, w / 2);
}

void TabHome(cairo_t* cr, Rgb ink, Rgb accent) {
    cairo_move_to(cr, 24, 27);
    cairo_line_to(cr, 35, 17);
    cairo_line_to(cr, 46, 27);
    Stroke(cr, ink, 2.2);
    cairo_move_to(cr, 27.5, 25);
    cairo_line_to(cr, 27.5, 36);
    cairo_line_to(cr, 42.5, 36);
    cairo_line_to(cr, 42.5, 25);
    Stroke(cr, ink, 2.2);
    FillRounded(cr, 32.5, 29, 5, 7, 1, accent);
}

void TabMouseKey(cairo_t* cr, Rgb ink, Rgb accent) {
    MouseOutline(cr, 35, 27, 18, 26);
    Stroke(cr, ink, 2.0);
    Line(cr, 35, 14, 35, 24, ink, 1.6);
    Line(cr, 26, 24, 44, 24, ink, 1.6);
    // The left button is the one being assigned.
    cairo_move_to(cr, 34.2, 14.8);
    cairo_line_to(cr, 34.2, 23.2);
    cairo_line_to(cr, 26.8, 23.2);
    cairo_arc_negative(cr, 35, 23, 8.2, M_PI, M_PI * 1.5);
    cairo_close_path(cr);
    SetColour(cr, accent);
    cairo_fill(cr);
}

void TabDpi(cairo_t* cr, Rgb ink, Rgb accent) {
    cairo_arc(cr, 35, 31, 12, M_PI * 0.85, M_PI * 2.15);
    Stroke(cr, ink, 2.2);
    for (int i = 0; i <= 4; ++i) {
        const double a = M_PI * (0.95 + 0.275 * i);
        Line(cr, 35 + 8.5 * std::cos(a), 31 + 8.5 * std::sin(a), 35 + 10 * std::cos(a),
             31 + 10 * std::sin(a), ink, 1.4);
    }
    const double needle = M_PI * 1.75;
    Line(cr, 35, 31, 35 + 9 * std::cos(needle), 31 + 9 * std::sin(needle), accent, 2.2);
    cairo_arc(cr, 35, 31, 2.4, 0, 2 * M_PI);
    SetColour(cr, ink);
    cairo_fill(cr);
}

void TabMacro(cairo_t* cr, Rgb ink, Rgb accent) {
    RoundedRect(cr, 22, 18, 26, 18, 3);
    Stroke(cr, ink, 2.0);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            FillRounded(cr, 25.5 + col * 5.2, 21.5 + row * 5, 3.4, 3, 0.6, ink);
        }
    }
    FillRounded(cr, 28, 31.5, 14, 2.5, 1, accent);
}

void TabLight(cairo_t* cr, Rgb ink, Rgb accent) {
    cairo_arc(cr, 35, 24, 7, M_PI * 0.8, M_PI * 2.2);
    cairo_line_to(cr, 38.5, 33);
    cairo_line_to(cr, 31.5, 33);
    cairo_close_path(cr);
    Stroke(cr, ink, 2.0);
    Line(cr, 31.5, 36.5, 38.5, 36.5, ink, 2.0);
    for (int i = 0; i < 5; ++i) {
        const double a = M_PI * (1.0 + 0.25 * i);
        Line(cr, 35 + 10.5 * std::cos(a), 24 + 10.5 * std::sin(a), 35 + 13.5 * std::cos(a),
             24 + 13.5 * std::sin(a), accent, 1.8);
    }
}

void TabMouseSet(cairo_t* cr, Rgb ink, Rgb accent) {
    for (int i = 0; i < 3; ++i) {
        const double y = 18 + i * 8;
        Line(cr, 23, y, 47, y, ink, 2.0);
        const double knob = i == 1 ? 40 : (i == 0 ? 29 : 34);
        cairo_arc(cr, knob, y, 3.2, 0, 2 * M_PI);
        SetColour(cr, i == 1 ? accent : ink);
        cairo_fill(cr);
    }
}

void TabIcon(cairo_t* cr, int state, void (*draw)(cairo_t*, Rgb, Rgb)) {
    // Hover lights the whole glyph; selection adds the accent to its detail.
    draw(cr, TabInk(state), state == 2 ? kAccentLight : TabInk(state));
}

void BatteryBackground(cairo_t* cr, int, int, int) {
    const Rgb rim = Hex(0xCFCBDD);
    StrokeRounded(cr, 0, 0, 42, 20, 4, rim, 2.0);
    FillRounded(cr, 42, 6, 4, 8, 1.5, rim);
}

void BatteryValue(cairo_t* cr, int, int w, int h) {
    // Uniform across: the gauge cuts its segments anywhere in it.
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(p, 0, kBattery.r, kBattery.g, kBattery.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kBatteryDeep.r, kBatteryDeep.g, kBatteryDeep.b);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Charge(cairo_t* cr, int, int, int) {
    cairo_move_to(cr, 7.5, 1);
    cairo_line_to(cr, 1.5, 11.5);
    cairo_line_to(cr, 5.8, 11.5);
    cairo_line_to(cr, 4.5, 19);
    cairo_line_to(cr, 10.5, 8);
    cairo_line_to(cr, 6.2, 8);
    cairo_close_path(cr);
    SetColour(cr, kCharge);
    cairo_fill(cr);
}

Rgb SmallIconInk(int state) {
    const Rgb inks[] = {Hex(0xD8D4E8), kWhite, kAccentLight, kDisabledGlyph};
    return inks[state];
}

void RecordIcon(cairo_t* cr, int state, int w, int h, bool stop) {
    const Rgb fills[] = {kRecord, Hex(0xFF6166), Hex(0xB83338), kDisabledGlyph};
    if (state == 1) {
        cairo_arc(cr, w / 2.0, h / 2.0, w / 2.0, 0, 2 * M_PI);
        SetColour(cr, kRecord, 0.25);
        cairo_fill(cr);
    }
    if (stop) {
        FillRounded(cr, 4, 4, w - 8, h - 8, 1.5, fills[state]);
    } else {
        cairo_arc(cr, w / 2.0, h / 2.0, 5, 0, 2 * M_PI);
        SetColour(cr, fills[state]);
        cairo_fill(cr);
    }
}
}  // namespace

void AddIconPictures(Registry& r) {
    r["sysbtn_close.png"] = [](cairo_t* cr, int s, int w, int h) {
        GlyphButton(cr, s, w, h, CloseGlyph, true);
    };
    r["sysbtn_min.png"] = [](cairo_t* cr, int s, int w, int h) {
        GlyphButton(cr, s, w, h, MinGlyph);
    };
    r["sysbtn_setting.png"] = [](cairo_t* cr, int s, int w, int h) {
        GlyphButton(cr, s, w, h, GearGlyph);
    };
    r["sysbtn_maximize.png"] = [](cairo_t* cr, int s, int w, int h) {
        GlyphButton(cr, s, w, h, MaximizeGlyph);
    };
    r["sysbtn_restore.png"] = [](cairo_t* cr, int s, int w, int h) {
        GlyphButton(cr, s, w, h, RestoreGlyph);
    };
    r["img_return.png"] = [](cairo_t* cr, int s, int w, int h) {
        GlyphButton(cr, s, w, h, ReturnGlyph);
    };
    r["btn_reset.png"] = [](cairo_t* cr, int s, int w, int h) {
        GlyphButton(cr, s, w, h, ResetGlyph);
    };
    r["icon/tab_home.png"] = [](cairo_t* cr, int s, int, int) { TabIcon(cr, s, TabHome); };
    r["icon/tab_mousekey.png"] = [](cairo_t* cr, int s, int, int) { TabIcon(cr, s, TabMouseKey); };
    r["icon/tab_mousedpi.png"] = [](cairo_t* cr, int s, int, int) { TabIcon(cr, s, TabDpi); };
    r["icon/tab_macro.png"] = [](cairo_t* cr, int s, int, int) { TabIcon(cr, s, TabMacro); };
    r["icon/tab_light.png"] = [](cairo_t* cr, int s, int, int) { TabIcon(cr, s, TabLight); };
    r["icon/tab_mouseset.png"] = [](cairo_t* cr, int s, int, int) { TabIcon(cr, s, TabMouseSet); };
    r["icon/icon_battery_bkg.png"] = BatteryBackground;
    r["icon/icon_batteryvalue.png"] = BatteryValue;
    r["icon/icon_charge.png"] = Charge;
    r["icon/icon_arrow_up.png"] = [](cairo_t* cr, int s, int w, int h) {
        cairo_move_to(cr, 2.5, h - 3.5);
        cairo_line_to(cr, w / 2.0, 3.5);
        cairo_line_to(cr, w - 2.5, h - 3.5);
        Stroke(cr, SmallIconInk(s), 2.0);
    };
    r["icon/icon_rec.png"] = [](cairo_t* cr, int s, int w, int h) {
        RecordIcon(cr, s, w, h, false);
    };
    r["icon/icon_stop_rec.png"] = [](cairo_t* cr, int s, int w, int h) {
        RecordIcon(cr, s, w, h, true);
    };
    r["Ostrevan.png"] = [](cairo_t* cr, int, int w, int) { DrawProgramIcon(cr, w); };
}

}  // namespace pellora::theme
