#include "draw.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace pellora::theme {

void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void FillRounded(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c,
                 double alpha) {
    RoundedRect(cr, x, y, w, h, r);
    SetColour(cr, c, alpha);
    cairo_fill(cr);
}

void StrokeRounded(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c,
                   double width, double alpha) {
    const double half = width / 2;
    RoundedRect(cr, x + half, y + half, w - width, h - width, std::max(0.0, r - half));
    SetColour(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillRoundedGradient(cairo_t* cr, double x, double y, double w, double h, double r, Rgb top,
                         Rgb bottom, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    RoundedRect(cr, x, y, w, h, r);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb c, double width,
          double alpha) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    SetColour(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

ButtonLook SolidButtonLook(int state) {
    using namespace colour;
    switch (state) {
        case 1:
            return {Hex(0x5E4AB4), Hex(0x4C3B9A), kAccentBright, kWhite};
        case 2:
            return {Hex(0x33276A), kAccentPressed, kAccent, kWhite};
        case 3:
            return {kDisabledFill, kDisabledFill, kDisabledBorder, kDisabledGlyph};
        default:
            return {Hex(0x2E2648), Hex(0x231D38), Hex(0x4A3D86), kWhite};
    }
}

ButtonLook GhostButtonLook(int state) {
    using namespace colour;
    switch (state) {
        case 1:
            return {Hex(0x241F36), Hex(0x1F1B2F), kAccentHover, kWhite};
        case 2:
            return {kAccent, kAccentPressed, kAccentBright, kWhite};
        case 3:
            return {kDisabledFill, kDisabledFill, kDisabledBorder, kDisabledGlyph};
        default:
            return {Hex(0x1A1825), Hex(0x16141F), Hex(0x332E48), kGlyph};
    }
}

namespace {
struct Fonts {
    FT_Library library = nullptr;
    FT_Face faces[2] = {nullptr, nullptr};
    cairo_font_face_t* cairo_faces[2] = {nullptr, nullptr};
};
Fonts& TheFonts() {
    static Fonts fonts;
    return fonts;
}

bool LoadFace(int index, const std::string& path) {
    Fonts& f = TheFonts();
    if (FT_New_Face(f.library, path.c_str(), 0, &f.faces[index]) != 0) {
        return false;
    }
    f.cairo_faces[index] = cairo_ft_font_face_create_for_ft_face(f.faces[index], 0);
    return cairo_font_face_status(f.cairo_faces[index]) == CAIRO_STATUS_SUCCESS;
}

void SelectFont(cairo_t* cr, double size, bool bold) {
    cairo_set_font_face(cr, TheFonts().cairo_faces[bold ? 1 : 0]);
    cairo_set_font_size(cr, size);
    // Unhinted outlines: the same pixels whatever the library's hinting defaults are.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double AdvanceOf(cairo_t* cr, const std::string& text, double tracking) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char one[2] = {text[i], '\0'};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        width += e.x_advance + (i + 1 < text.size() ? tracking : 0);
    }
    return width;
}
}  // namespace

bool SetFontFiles(const std::string& semibold, const std::string& bold) {
    Fonts& f = TheFonts();
    if (f.library == nullptr && FT_Init_FreeType(&f.library) != 0) {
        return false;
    }
    return LoadFace(0, semibold) && LoadFace(1, bold);
}

void DrawText(cairo_t* cr, const std::string& text, double x, double baseline, double size, Rgb c,
              bool bold, double tracking) {
    SelectFont(cr, size, bold);
    SetColour(cr, c);
    // Letter by letter so tracking (spacing for capitals) stays exact.
    for (char ch : text) {
        const char one[2] = {ch, '\0'};
        cairo_move_to(cr, x, baseline);
        cairo_show_text(cr, one);
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        x += e.x_advance + tracking;
    }
}

double TextWidth(cairo_t* cr, const std::string& text, double size, bool bold, double tracking) {
    SelectFont(cr, size, bold);
    return AdvanceOf(cr, text, tracking);
}

void ReleaseFonts() {
    Fonts& f = TheFonts();
    for (int i = 0; i < 2; ++i) {
        if (f.cairo_faces[i] != nullptr) {
            cairo_font_face_destroy(f.cairo_faces[i]);
            f.cairo_faces[i] = nullptr;
        }
    }
    // cairo keeps faces in a cache until it is reset; only then may FreeType go.
    cairo_debug_reset_static_data();
    for (auto& face : f.faces) {
        if (face != nullptr) {
            FT_Done_Face(face);
            face = nullptr;
        }
    }
    if (f.library != nullptr) {
        FT_Done_FreeType(f.library);
        f.library = nullptr;
    }
}

}  // namespace pellora::theme
