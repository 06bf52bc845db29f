// The catalogued mice seen from above: VX7 Wireless, a right-handed wireless shape with a light
// chevron on the palm, and VX3, a symmetric wired shape with a colour band round the back. The
// buttons sit where mouse_models.h says, so the call-outs land on them.
#include <cmath>

#include "draw.h"

namespace pellora::theme {
namespace {
using namespace colour;

struct Bezier {
    double x1, y1, x2, y2, x, y;
};

struct Shape {
    double start_x, start_y;
    const Bezier* curves;
    int count;
    double button_rear;  // y of the rear edge of the two main buttons at the centre line
    double wheel_y, wheel_h, dpi_y;
    double side_x, forward_y, back_y;
    bool wired;
};

constexpr Bezier kVx7Outline[] = {
    {262, 56, 298, 78, 306, 120},   {316, 170, 320, 220, 314, 268}, {310, 300, 316, 350, 314, 390},
    {312, 440, 272, 474, 220, 474}, {168, 474, 122, 446, 116, 400}, {110, 360, 106, 330, 118, 296},
    {126, 262, 122, 200, 128, 150}, {134, 96, 170, 58, 220, 58},
};

constexpr Bezier kVx3Outline[] = {
    {258, 70, 290, 92, 294, 140},   {298, 200, 290, 250, 292, 300}, {296, 360, 300, 420, 270, 456},
    {250, 474, 190, 474, 170, 456}, {140, 420, 144, 360, 148, 300}, {150, 250, 142, 200, 146, 140},
    {150, 92, 182, 70, 220, 72},
};

const Shape kVx7{220, 58, kVx7Outline, 8, 222, 102, 58, 178, 110, 236, 282, false};
const Shape kVx3{220, 72, kVx3Outline, 7, 214, 100, 54, 172, 134, 232, 276, true};

void BodyPath(cairo_t* cr, const Shape& s) {
    cairo_new_path(cr);
    cairo_move_to(cr, s.start_x, s.start_y);
    for (int i = 0; i < s.count; ++i) {
        const Bezier& b = s.curves[i];
        cairo_curve_to(cr, b.x1, b.y1, b.x2, b.y2, b.x, b.y);
    }
    cairo_close_path(cr);
}

void Shadow(cairo_t* cr, const Shape& s) {
    cairo_save(cr);
    cairo_translate(cr, 0, 10);
    for (int i = 7; i >= 0; --i) {
        BodyPath(cr, s);
        SetColour(cr, Hex(0x000000), 0.07);
        cairo_set_line_width(cr, 4 + i * 4);
        cairo_stroke_preserve(cr);
        cairo_new_path(cr);
    }
    BodyPath(cr, s);
    SetColour(cr, Hex(0x000000), 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Cable(cairo_t* cr, const Shape& s) {
    cairo_move_to(cr, 220, s.start_y - 16);
    cairo_curve_to(cr, 220, 36, 236, 22, 232, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColour(cr, Hex(0x2E2A40));
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    SetColour(cr, Hex(0x16141F));
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    FillRoundedGradient(cr, 212, s.start_y - 22, 16, 26, 5, Hex(0x2E2A40), Hex(0x1A1826));
}

void Body(cairo_t* cr, const Shape& s) {
    cairo_pattern_t* fill = cairo_pattern_create_radial(205, 250, 10, 220, 270, 260);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0x2D / 255.0, 0x29 / 255.0, 0x42 / 255.0);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0x12 / 255.0, 0x11 / 255.0, 0x18 / 255.0);
    BodyPath(cr, s);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

// Rounding: the rim falls away into shade, and a soft light comes from the upper left.
void BodyShading(cairo_t* cr, const Shape& s) {
    cairo_save(cr);
    BodyPath(cr, s);
    cairo_clip(cr);
    for (int i = 0; i < 6; ++i) {
        BodyPath(cr, s);
        SetColour(cr, Hex(0x000000), 0.09);
        cairo_set_line_width(cr, 6 + i * 7);
        cairo_stroke(cr);
    }
    cairo_pattern_t* light = cairo_pattern_create_radial(180, 150, 0, 180, 150, 170);
    cairo_pattern_add_color_stop_rgba(light, 0, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(light, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, light);
    cairo_paint(cr);
    cairo_pattern_destroy(light);
    cairo_restore(cr);
}

// The two main buttons: slightly lighter plates split by a groove, with a curved rear edge.
void MainButtons(cairo_t* cr, const Shape& s) {
    cairo_save(cr);
    BodyPath(cr, s);
    cairo_clip(cr);
    const double rear = s.button_rear;
    for (int side = 0; side < 2; ++side) {
        const double inner = side == 0 ? 218.5 : 221.5;
        const double outer = side == 0 ? 80 : 360;
        cairo_move_to(cr, inner, 0);
        cairo_line_to(cr, inner, rear + 4);
        cairo_curve_to(cr, (inner + outer) / 2, rear + 2, outer, rear - 6, outer, rear - 10);
        cairo_line_to(cr, outer, 0);
        cairo_close_path(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 40, 0, rear);
        cairo_pattern_add_color_stop_rgb(p, 0, 0x34 / 255.0, 0x2F / 255.0, 0x4C / 255.0);
        cairo_pattern_add_color_stop_rgb(p, 1, 0x1F / 255.0, 0x1C / 255.0, 0x2E / 255.0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    // Rear edge and centre groove.
    for (int side = 0; side < 2; ++side) {
        const double inner = side == 0 ? 218.5 : 221.5;
        const double outer = side == 0 ? 80 : 360;
        cairo_move_to(cr, inner, rear + 4);
        cairo_curve_to(cr, (inner + outer) / 2, rear + 2, outer, rear - 6, outer, rear - 10);
    }
    SetColour(cr, Hex(0x09080D));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    Line(cr, 220, 40, 220, rear + 4, Hex(0x09080D), 3);
    // A sheen across the front of the buttons.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, s.start_y, 0, s.start_y + 70);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0.0);
    cairo_rectangle(cr, 80, s.start_y, 280, 70);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
}

void Wheel(cairo_t* cr, const Shape& s) {
    const double y = s.wheel_y, h = s.wheel_h;
    FillRounded(cr, 206, y - 6, 28, h + 12, 12, Hex(0x09080D));
    StrokeRounded(cr, 206, y - 6, 28, h + 12, 12, kAccentHover, 1.5, 0.7);
    cairo_pattern_t* p = cairo_pattern_create_linear(211, 0, 229, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0x3A / 255.0, 0x37 / 255.0, 0x48 / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0x78 / 255.0, 0x74 / 255.0, 0x8C / 255.0);
    cairo_pattern_add_color_stop_rgb(p, 1, 0x3A / 255.0, 0x37 / 255.0, 0x48 / 255.0);
    RoundedRect(cr, 211, y, 18, h, 9);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (double ry = y + 6; ry < y + h - 4; ry += 5) {
        Line(cr, 212.5, ry, 227.5, ry, Hex(0x1A1826), 1.2, 0.9);
    }
}

void DpiButton(cairo_t* cr, const Shape& s) {
    const double y = s.dpi_y;
    FillRoundedGradient(cr, 212, y, 16, 24, 5, Hex(0x3A3452), Hex(0x262238));
    StrokeRounded(cr, 212, y, 16, 24, 5, Hex(0x5A5280));
    // The level indicator beside it, in three of the default level colours.
    const Rgb leds[] = {Hex(0xF10900), Hex(0x006BEF), Hex(0x00F54C)};
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, 236, y + 5 + i * 7, 2, 0, 2 * M_PI);
        SetColour(cr, leds[i]);
        cairo_fill(cr);
    }
}

void SideButtons(cairo_t* cr, const Shape& s) {
    for (double y : {s.forward_y, s.back_y}) {
        FillRoundedGradient(cr, s.side_x, y, 14, 38, 7, Hex(0x4A4466), Hex(0x2A2640));
        StrokeRounded(cr, s.side_x, y, 14, 38, 7, kAccentBright, 1.2);
        Line(cr, s.side_x + 4, y + 8, s.side_x + 4, y + 30, kWhite, 1.0, 0.25);
    }
}

void Outline(cairo_t* cr, const Shape& s) {
    BodyPath(cr, s);
    SetColour(cr, Hex(0x3C3656));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void PalmMark(cairo_t* cr) {
    cairo_arc(cr, 220, 330, 10, 0.9, 0.9 + 2 * M_PI - 0.75);
    SetColour(cr, Hex(0x4E4868));
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    Line(cr, 224, 334, 230, 340, Hex(0x4E4868), 3);
}

void Glow(cairo_t* cr, cairo_pattern_t* colour_source) {
    for (int pass = 0; pass < 3; ++pass) {
        const double widths[] = {12, 7, 3};
        const double alphas[] = {0.15, 0.3, 1.0};
        cairo_save(cr);
        cairo_set_source(cr, colour_source);
        cairo_set_line_width(cr, widths[pass]);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_push_group(cr);
        cairo_stroke_preserve(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alphas[pass]);
        cairo_restore(cr);
    }
    cairo_new_path(cr);
}

void Vx7Light(cairo_t* cr) {
    cairo_pattern_t* p =
        cairo_pattern_create_rgb(kAccentBright.r, kAccentBright.g, kAccentBright.b);
    cairo_move_to(cr, 170, 398);
    cairo_line_to(cr, 220, 440);
    cairo_line_to(cr, 270, 398);
    Glow(cr, p);
    cairo_pattern_destroy(p);
}

void Vx3Light(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(160, 0, 280, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0xF1 / 255.0, 0x09 / 255.0, 0x00);
    cairo_pattern_add_color_stop_rgb(p, 0.35, 0x4C / 255.0, 0xF5 / 255.0, 0x00);
    cairo_pattern_add_color_stop_rgb(p, 0.7, 0x20 / 255.0, 0xA3 / 255.0, 1.0);
    cairo_pattern_add_color_stop_rgb(p, 1, kAccentBright.r, kAccentBright.g, kAccentBright.b);
    cairo_move_to(cr, 162, 380);
    cairo_curve_to(cr, 164, 430, 190, 452, 220, 452);
    cairo_curve_to(cr, 250, 452, 276, 430, 278, 380);
    Glow(cr, p);
    cairo_pattern_destroy(p);
}

void Mouse(cairo_t* cr, const Shape& s) {
    Shadow(cr, s);
    if (s.wired) {
        Cable(cr, s);
    }
    Body(cr, s);
    MainButtons(cr, s);
    BodyShading(cr, s);
    if (s.wired) {
        Vx3Light(cr);
    } else {
        Vx7Light(cr);
    }
    PalmMark(cr);
    Outline(cr, s);
    Wheel(cr, s);
    DpiButton(cr, s);
    SideButtons(cr, s);
}
}  // namespace

void AddMousePictures(Registry& r) {
    r["vx7.png"] = [](cairo_t* cr, int, int, int) { Mouse(cr, kVx7); };
    r["vx3.png"] = [](cairo_t* cr, int, int, int) { Mouse(cr, kVx3); };
}

}  // namespace pellora::theme
