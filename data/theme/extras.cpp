// Pictures for controls that take a picture but are not given one by name: switch, progress
// bar, menu rows, help button, macro step list, loading window, colour combo.
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

void SwitchTrack(cairo_t* cr, int on, int w, int h) {
    FillRounded(cr, 0, 0, w, h, h / 2.0, on ? kAccent : Hex(0x1C1A27));
    StrokeRounded(cr, 0, 0, w, h, h / 2.0, on ? kAccentBright : kFieldBorder);
}

void SwitchKnob(cairo_t* cr, int on, int w, int h) {
    cairo_arc(cr, w / 2.0, h / 2.0, w / 2.0 - 1, 0, 2 * M_PI);
    SetColour(cr, on ? kWhite : kGlyph);
    cairo_fill(cr);
}

void ProgressTrack(cairo_t* cr, int, int w, int h) {
    FillRounded(cr, 0, 0, w, h, h / 2.0, Hex(0x1C1A27));
}

void ProgressBar(cairo_t* cr, int, int w, int h) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(p, 0, kAccentBright.r, kAccentBright.g, kAccentBright.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kAccent.r, kAccent.g, kAccent.b);
    RoundedRect(cr, 0, 0, w, h, h / 2.0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Menu rows: nothing at rest, the accent under the pointer.
void MenuRow(cairo_t* cr, int state, int w, int h) {
    if (state == 1) {
        FillRounded(cr, 0, 0, w, h, 4, kAccent);
    } else if (state == 2) {
        FillRounded(cr, 0, 0, w, h, 4, kAccentPressed);
    } else if (state == 3) {
        FillRounded(cr, 0, 0, w, h, 4, kDisabledFill, 0.5);
    }
}

void Help(cairo_t* cr, int, int w, int h) {
    cairo_arc(cr, w / 2.0, h / 2.0, w / 2.0 - 1, 0, 2 * M_PI);
    Stroke(cr, kGlyph, 1.5);
    cairo_arc(cr, w / 2.0, 7, 2.6, M_PI, M_PI * 2.25);
    cairo_line_to(cr, w / 2.0, 11);
    Stroke(cr, kGlyph, 1.6);
    cairo_arc(cr, w / 2.0, 13.8, 1.1, 0, 2 * M_PI);
    SetColour(cr, kGlyph);
    cairo_fill(cr);
}

// Step kinds, each plain then selected: other, key, mouse button, delay.
void StepKind(cairo_t* cr, int frame, int w, int h) {
    const bool selected = frame % 2 == 1;
    const Rgb ink = selected ? kWhite : kGlyph;
    const double cx = w / 2.0, cy = h / 2.0;
    switch (frame / 2) {
        case 0:
            FillRounded(cr, cx - 4, cy - 4, 8, 8, 2, ink);
            break;
        case 1:
            RoundedRect(cr, 2.5, 4.5, w - 5, h - 9, 2);
            Stroke(cr, ink, 1.4);
            Line(cr, 6, cy + 1.5, w - 6, cy + 1.5, ink, 1.4);
            break;
        case 2:
            RoundedRect(cr, cx - 5, 2.5, 10, h - 5, 5);
            Stroke(cr, ink, 1.4);
            Line(cr, cx, 3, cx, 8, ink, 1.4);
            break;
        default:
            cairo_arc(cr, cx, cy, 6.5, 0, 2 * M_PI);
            Stroke(cr, ink, 1.4);
            cairo_move_to(cr, cx, cy - 4);
            cairo_line_to(cr, cx, cy);
            cairo_line_to(cr, cx + 3, cy + 1.5);
            Stroke(cr, ink, 1.4);
            break;
    }
}

// Macro step rows: normal, hot, selected; stretched like list rows.
void StepRow(cairo_t* cr, int state, int w, int h) {
    const Rgb fills[] = {Hex(0x17151F), Hex(0x221E33), kAccent};
    cairo_rectangle(cr, 0, 0, w, h);
    SetColour(cr, fills[state]);
    cairo_fill(cr);
    Line(cr, 0, h - 0.5, w, h - 0.5, state == 2 ? kAccentBright : Hex(0x262238), 1.0);
}

void More(cairo_t* cr, int, int w, int h) {
    for (int i = -1; i <= 1; ++i) {
        cairo_arc(cr, w / 2.0 + i * 4.5, h / 2.0, 1.6, 0, 2 * M_PI);
        SetColour(cr, kGlyph);
        cairo_fill(cr);
    }
}

// Loading spinner: twelve frames, the bright spoke stepping round.
void Loading(cairo_t* cr, int frame, int w, int h) {
    const int spokes = 12;
    for (int i = 0; i < spokes; ++i) {
        const double a = 2 * M_PI * i / spokes - M_PI / 2;
        const int age = (frame - i + spokes) % spokes;
        const double alpha = std::max(0.15, 1.0 - age * 0.12);
        Line(cr, w / 2.0 + 7 * std::cos(a), h / 2.0 + 7 * std::sin(a), w / 2.0 + 13 * std::cos(a),
             h / 2.0 + 13 * std::sin(a), age == 0 ? kAccentLight : kAccentBright, 2.6, alpha);
    }
}

void ComboArrow(cairo_t* cr, int open, int w, int h) {
    const double d = open ? -1 : 1;
    cairo_move_to(cr, 2.5, h / 2.0 - d * 2.5);
    cairo_line_to(cr, w / 2.0, h / 2.0 + d * 2.5);
    cairo_line_to(cr, w - 2.5, h / 2.0 - d * 2.5);
    Stroke(cr, open ? kAccentLight : kGlyph, 1.8);
}
}  // namespace

void AddExtraPictures(Registry& r) {
    r["img_switch_track.png"] = SwitchTrack;
    r["img_switch_knob.png"] = SwitchKnob;
    r["img_progress_bkg.png"] = ProgressTrack;
    r["img_progress_bar.png"] = ProgressBar;
    r["img_menu_item.png"] = MenuRow;
    r["img_record_bkg.png"] = StepRow;
    r["img_loading.png"] = Loading;
    r["icon/icon_help.png"] = Help;
    r["icon/icon_record_kind.png"] = StepKind;
    r["icon/icon_more.png"] = More;
    r["icon/icon_combo_arrow.png"] = ComboArrow;
}

}  // namespace pellora::theme
