// The program icon: a mouse in the accent colour on a dark tile. Drawn on a 256 grid and scaled,
// with the small sizes keeping only the shapes that survive at 16 pixels.
#include <cmath>

#include "draw.h"

namespace pellora::theme {

void DrawProgramIcon(cairo_t* cr, int size) {
    using namespace colour;
    cairo_save(cr);
    cairo_scale(cr, size / 256.0, size / 256.0);
    FillRoundedGradient(cr, 8, 8, 240, 240, 52, Hex(0x221C38), Hex(0x0E0D14));
    StrokeRounded(cr, 8, 8, 240, 240, 52, kAccent, 8);

    // Mouse body.
    RoundedRect(cr, 78, 40, 100, 176, 50);
    cairo_pattern_t* body = cairo_pattern_create_linear(78, 40, 178, 216);
    cairo_pattern_add_color_stop_rgb(body, 0, kAccentLight.r, kAccentLight.g, kAccentLight.b);
    cairo_pattern_add_color_stop_rgb(body, 1, kAccent.r, kAccent.g, kAccent.b);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Button split and wheel.
    Line(cr, 128, 44, 128, 112, Hex(0x1A1528), 8);
    Line(cr, 82, 112, 174, 112, Hex(0x1A1528), 8);
    FillRounded(cr, 118, 64, 20, 36, 10, kWhite);
    // Sensor glow on the palm.
    cairo_arc(cr, 128, 164, 14, 0, 2 * M_PI);
    SetColour(cr, kWhite, 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace pellora::theme
