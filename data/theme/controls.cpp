// Buttons, boxes, fields, list rows, slider thumbs, balloon tips and the scroll-bar thumbs.
#include <cmath>

#include "draw.h"

namespace pellora::theme {
namespace {
using namespace colour;

void Button(cairo_t* cr, const ButtonLook& look, int w, int h) {
    FillRoundedGradient(cr, 0, 0, w, h, 6, look.top, look.bottom);
    StrokeRounded(cr, 0, 0, w, h, 6, look.border);
}

void PushButton(cairo_t* cr, int state, int w, int h) {
    Button(cr, SolidButtonLook(state), w, h);
    if (state == 0 || state == 1) {
        // A one-pixel sheen under the top edge gives the raised look; pressed loses it.
        Line(cr, 6, 1.5, w - 6, 1.5, kWhite, 1.0, state == 1 ? 0.18 : 0.08);
    }
}

void GhostButton(cairo_t* cr, int state, int w, int h) {
    Button(cr, GhostButtonLook(state), w, h);
}

// States 0-3 unchecked, 4-7 checked, each normal, hover, pressed, disabled.
void CheckBox(cairo_t* cr, int frame, int w, int h, bool round) {
    const bool checked = frame >= 4;
    const int state = frame % 4;
    const double r = round ? w / 2.0 : 4;
    const double inset = 1;
    const double s = w - 2 * inset;
    if (!checked) {
        const Rgb fills[] = {Hex(0x14131C), Hex(0x1C192A), Hex(0x241F38), kDisabledFill};
        const Rgb borders[] = {Hex(0x6A6680), kAccentBright, kAccent, kDisabledBorder};
        FillRounded(cr, inset, inset, s, s, r, fills[state]);
        StrokeRounded(cr, inset, inset, s, s, r, borders[state], 1.5);
        return;
    }
    const Rgb fills[] = {kAccent, kAccentHover, kAccentPressed, Hex(0x2A2538)};
    const Rgb marks[] = {kWhite, kWhite, Hex(0xD9D4F2), kDisabledGlyph};
    FillRounded(cr, inset, inset, s, s, r, fills[state]);
    if (state == 1) {
        StrokeRounded(cr, inset, inset, s, s, r, kAccentLight, 1.0);
    }
    if (round) {
        cairo_arc(cr, w / 2.0, h / 2.0, 3.5, 0, 2 * M_PI);
        SetColour(cr, marks[state]);
        cairo_fill(cr);
        return;
    }
    cairo_move_to(cr, 4.5, 9.5);
    cairo_line_to(cr, 7.8, 12.8);
    cairo_line_to(cr, 13.5, 5.8);
    SetColour(cr, marks[state]);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Chevron(cairo_t* cr, double cx, double cy, double size, Rgb c, bool up) {
    const double d = up ? -1 : 1;
    cairo_move_to(cr, cx - size, cy - d * size / 2);
    cairo_line_to(cr, cx, cy + d * size / 2);
    cairo_line_to(cr, cx + size, cy - d * size / 2);
    SetColour(cr, c);
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// The combo's right 35 pixels hold the drop button; its nine-grid keeps them unscaled.
void Combo(cairo_t* cr, int state, int w, int h) {
    const Rgb fills[] = {kField, Hex(0x16141F), Hex(0x1A1728), kDisabledFill};
    const Rgb borders[] = {kFieldBorder, kAccentHover, kAccentBright, kDisabledBorder};
    const Rgb arrows[] = {kGlyph, kWhite, kAccentLight, kDisabledGlyph};
    FillRounded(cr, 0, 0, w, h, 5, fills[state]);
    if (state == 1 || state == 2) {
        RoundedRect(cr, w - 35, 1, 34, h - 2, 4);
        SetColour(cr, state == 2 ? kAccentPressed : kAccentDeep);
        cairo_fill(cr);
    }
    Line(cr, w - 34.5, 6, w - 34.5, h - 6, borders[state], 1.0, 0.8);
    StrokeRounded(cr, 0, 0, w, h, 5, borders[state]);
    Chevron(cr, w - 17.5, h / 2.0 + 0.5, 4.5, arrows[state], false);
}

void Edit(cairo_t* cr, int state, int w, int h) {
    const Rgb fills[] = {kField, Hex(0x14131C), Hex(0x15131F), kDisabledFill};
    const Rgb borders[] = {kFieldBorder, Hex(0x5A4AA0), kAccentBright, kDisabledBorder};
    FillRounded(cr, 0, 0, w, h, 4, fills[state]);
    StrokeRounded(cr, 0, 0, w, h, 4, borders[state], state == 2 ? 1.5 : 1.0);
}

// List rows are stretched over the whole row, so they avoid corners and keep to gradients.
void ListRow(cairo_t* cr, int frame, int w, int h) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
    if (frame == 0) {
        cairo_pattern_add_color_stop_rgb(p, 0, 0x1A / 255.0, 0x17 / 255.0, 0x25 / 255.0);
        cairo_pattern_add_color_stop_rgb(p, 1, 0x15 / 255.0, 0x13 / 255.0, 0x1D / 255.0);
    } else {
        cairo_pattern_add_color_stop_rgb(p, 0, 0x5E / 255.0, 0x4A / 255.0, 0xB4 / 255.0);
        cairo_pattern_add_color_stop_rgb(p, 1, kAccentPressed.r, kAccentPressed.g,
                                         kAccentPressed.b);
    }
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    Line(cr, 0, h - 0.5, w, h - 0.5, frame == 0 ? Hex(0x262238) : kAccentBright, 1.0);
}

// Call-out labels on the mouse picture: light chips, because the label text is the accent
// colour (normal) or near-black (hovered and selected).
void KeyLabel(cairo_t* cr, int frame, int w, int h) {
    if (frame == 0) {
        FillRounded(cr, 0, 0, w, h, 6, kLabel);
        StrokeRounded(cr, 0, 0, w, h, 6, Hex(0xB4AAE6));
    } else {
        FillRounded(cr, 0, 0, w, h, 6, kAccentLight);
        StrokeRounded(cr, 0, 0, w, h, 6, kWhite, 1.5);
    }
}

// Slider thumbs: normal, hover, dragged, disabled.
void SliderThumb(cairo_t* cr, int state, int w, int h) {
    const double cx = w / 2.0, cy = h / 2.0;
    if (state == 1 || state == 2) {
        cairo_arc(cr, cx, cy, w / 2.0, 0, 2 * M_PI);
        SetColour(cr, kAccentHover, state == 2 ? 0.45 : 0.3);
        cairo_fill(cr);
    }
    const Rgb rims[] = {kAccent, kAccentHover, kAccentBright, kDisabledBorder};
    const Rgb cores[] = {kWhite, kWhite, kLabel, kDisabledGlyph};
    cairo_arc(cr, cx, cy, w / 2.0 - 2, 0, 2 * M_PI);
    SetColour(cr, rims[state]);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, w / 2.0 - 5, 0, 2 * M_PI);
    SetColour(cr, cores[state]);
    cairo_fill(cr);
}

// The DPI thumb: a rounded handle with grip lines.
void DpiThumb(cairo_t* cr, int state, int w, int h) {
    const Rgb tops[] = {kAccentHover, Hex(0x7B66D1), kAccentBright, kDisabledFill};
    const Rgb bottoms[] = {kAccentPressed, kAccent, kAccentHover, kDisabledFill};
    const Rgb rims[] = {kAccentBright, kAccentLight, kWhite, kDisabledBorder};
    FillRoundedGradient(cr, 3, 1, w - 6, h - 2, 5, tops[state], bottoms[state]);
    StrokeRounded(cr, 3, 1, w - 6, h - 2, 5, rims[state], state == 2 ? 1.5 : 1.0);
    for (int i = -1; i <= 1; ++i) {
        const double x = w / 2.0 + i * 3.0;
        Line(cr, x, 7, x, h - 7, state == 3 ? kDisabledGlyph : kWhite, 1.0, 0.85);
    }
}

const Rgb kTipFill = Hex(0x231E36);
const Rgb kTipRim = kAccentHover;

void TipArrow(cairo_t* cr, int w, int h, int direction) {
    // direction: 0 points left, 1 right, 2 up; the open side joins the balloon's body.
    cairo_save(cr);
    if (direction == 1) {
        cairo_translate(cr, w, 0);
        cairo_scale(cr, -1, 1);
    }
    if (direction == 2) {
        cairo_translate(cr, w, 0);
        cairo_rotate(cr, M_PI / 2);
        std::swap(w, h);
    }
    cairo_move_to(cr, w + 0.5, 0);
    cairo_line_to(cr, 0.8, h / 2.0);
    cairo_line_to(cr, w + 0.5, h);
    cairo_close_path(cr);
    SetColour(cr, kTipFill, 0.97);
    cairo_fill(cr);
    cairo_move_to(cr, w, 0.5);
    cairo_line_to(cr, 1.0, h / 2.0);
    cairo_line_to(cr, w, h - 0.5);
    SetColour(cr, kTipRim);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_restore(cr);
}
}  // namespace

void DrawScrollPicture(cairo_t* cr, const ScrollPicture& picture) {
    const Rgb thumbs[] = {Hex(0x4A4560), kAccentHover, kAccentBright, Hex(0x2A2833)};
    const bool vertical = picture.height > picture.width;
    const int across = (vertical ? picture.width : picture.height) / kScrollThumbStates;
    for (int i = 0; i < kScrollThumbStates; ++i) {
        if (vertical) {
            FillRounded(cr, i * across, 0, across, picture.height, across / 2.0, thumbs[i]);
        } else {
            // Rows of 5: a 3-pixel thumb centred, the same thickness as the vertical one.
            FillRounded(cr, 0, i * across + 1, picture.width, across - 2, (across - 2) / 2.0,
                        thumbs[i]);
        }
    }
}

void AddControlPictures(Registry& r) {
    r["img_button.png"] = PushButton;
    r["img_button2.png"] = GhostButton;
    r["btn_checkbox.png"] = [](cairo_t* cr, int f, int w, int h) { CheckBox(cr, f, w, h, false); };
    r["btn_radiobox.png"] = [](cairo_t* cr, int f, int w, int h) { CheckBox(cr, f, w, h, true); };
    r["img_combobox.png"] = Combo;
    r["img_combobox_bkg.png"] = Combo;
    r["img_edit.png"] = Edit;
    r["img_list_bkg.png"] = ListRow;
    r["img_key_bkg.png"] = KeyLabel;
    r["img_dpi_bar.png"] = DpiThumb;
    r["img_slider_bar.png"] = SliderThumb;
    r["img_tip_bk.png"] = [](cairo_t* cr, int, int w, int h) {
        FillRounded(cr, 0, 0, w, h, 6, kTipFill, 0.97);
        StrokeRounded(cr, 0, 0, w, h, 6, kTipRim);
    };
    r["img_tip_arrow_left.png"] = [](cairo_t* cr, int, int w, int h) { TipArrow(cr, w, h, 0); };
    r["img_tip_arrow_right.png"] = [](cairo_t* cr, int, int w, int h) { TipArrow(cr, w, h, 1); };
    r["img_tip_arrow_top.png"] = [](cairo_t* cr, int, int w, int h) { TipArrow(cr, w, h, 2); };
}

}  // namespace pellora::theme
