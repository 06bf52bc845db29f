// Backgrounds and panels. Their insides are flat (or change only smoothly) so that the pages can
// draw them as nine-grids with whatever border they choose, or stretch them, without seams.
#include <cmath>

#include "draw.h"

namespace pellora::theme {
namespace {
using namespace colour;

void MainBackground(cairo_t* cr, int, int w, int h) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(p, 0, kWindowTop.r, kWindowTop.g, kWindowTop.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kWindow.r, kWindow.g, kWindow.b);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // A faint accent glow behind the page area; smooth, so stretching keeps it clean.
    cairo_pattern_t* glow =
        cairo_pattern_create_radial(w * 0.5, h * 0.2, 0, w * 0.5, h * 0.2, w * 0.6);
    cairo_pattern_add_color_stop_rgba(glow, 0, kAccent.r, kAccent.g, kAccent.b, 0.10);
    cairo_pattern_add_color_stop_rgba(glow, 1, kAccent.r, kAccent.g, kAccent.b, 0.0);
    cairo_rectangle(cr, 6, 6, w - 12, h - 12);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    StrokeRounded(cr, 0, 0, w, h, 0, kAccent, 1.0);
}

// The connection-state label: four looks, stretched to the caption's width.
void StateLabel(cairo_t* cr, int state, int w, int h) {
    const Rgb fills[] = {Hex(0x1A1725), Hex(0x221D33), kAccentPressed, kDisabledFill};
    const Rgb borders[] = {Hex(0x3A3356), kAccentHover, kAccent, kDisabledBorder};
    FillRounded(cr, 0, 0, w, h, 6, fills[state]);
    StrokeRounded(cr, 0, 0, w, h, 6, borders[state]);
}

void Panel(cairo_t* cr, int w, int h, double radius, Rgb fill, Rgb border, double alpha = 1.0) {
    FillRounded(cr, 0, 0, w, h, radius, fill, alpha);
    StrokeRounded(cr, 0, 0, w, h, radius, border);
}

void CaptionBand(cairo_t* cr, int, int w, int h) {
    cairo_rectangle(cr, 0, 0, w, h);
    SetColour(cr, Hex(0x0F0E15));
    cairo_fill(cr);
    Line(cr, 0, 0.5, w, 0.5, kPanelBorder, 1.0);
}

// Dialog backgrounds: a panel with an accent rim and an accent wash under the title.
void Dialog(cairo_t* cr, int w, int h, double wash_height) {
    FillRounded(cr, 0, 0, w, h, 10, kPanel);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, wash_height);
    cairo_pattern_add_color_stop_rgba(p, 0, kAccent.r, kAccent.g, kAccent.b, 0.22);
    cairo_pattern_add_color_stop_rgba(p, 1, kAccent.r, kAccent.g, kAccent.b, 0.0);
    RoundedRect(cr, 0, 0, w, h, 10);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    StrokeRounded(cr, 0, 0, w, h, 10, kAccent, 1.0);
}

void DeviceArea(cairo_t* cr, int, int w, int h) {
    cairo_save(cr);
    cairo_translate(cr, w / 2.0, h / 2.0);
    cairo_scale(cr, w / 2.0, h / 2.0);
    cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(glow, 0, kAccent.r, kAccent.g, kAccent.b, 0.14);
    cairo_pattern_add_color_stop_rgba(glow, 1, kAccent.r, kAccent.g, kAccent.b, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    cairo_restore(cr);
}

void TabItem(cairo_t* cr, int state, int w, int h) {
    if (state == 1) {
        FillRounded(cr, 4, 2, w - 8, h - 4, 8, Hex(0x221E33));
    } else if (state == 2) {
        FillRoundedGradient(cr, 4, 2, w - 8, h - 4, 8, Hex(0x5A47AE), kAccentPressed);
        StrokeRounded(cr, 4, 2, w - 8, h - 4, 8, kAccentBright);
        FillRounded(cr, 0, 18, 3, h - 36, 1.5, kAccentLight);
    }
}

void Logo(cairo_t* cr, int, int, int h) {
    // The mark: a ring with a cut tail, the brand's initial drawn as a sensor's orbit.
    cairo_pattern_t* p = cairo_pattern_create_linear(6, 6, 34, 34);
    cairo_pattern_add_color_stop_rgb(p, 0, kAccentLight.r, kAccentLight.g, kAccentLight.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kAccent.r, kAccent.g, kAccent.b);
    cairo_arc(cr, 19, 19, 12.5, 0.9, 0.9 + 2 * M_PI - 0.75);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, 4.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    Line(cr, 24, 25, 33, 34, kAccentLight, 4.5);
    cairo_arc(cr, 19, 19, 3.2, 0, 2 * M_PI);
    SetColour(cr, kWhite);
    cairo_fill(cr);
    DrawText(cr, "QUORVEL", 48, h - 12, 22, kWhite, true, 3.0);
}

void DeviceMode(cairo_t* cr, int, int, int) {
    const Rgb ink = Hex(0xD8D4E8);
    FillRounded(cr, 6.5, 10, 7, 9, 1.5, ink);
    FillRounded(cr, 8, 8, 4, 3, 0.8, ink);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 2; ++i) {
        const double r = 3.5 + i * 3;
        cairo_arc(cr, 10, 8, r, -M_PI * 0.8, -M_PI * 0.2);
        SetColour(cr, i == 0 ? ink : kAccentLight);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
}
}  // namespace

void AddPanelPictures(Registry& r) {
    r["main_bkg.png"] = MainBackground;
    r["img_area.png"] = StateLabel;
    r["img_area3.png"] = [](cairo_t* cr, int, int w, int h) {
        Panel(cr, w, h, 10, kPanel, kPanelBorder);
    };
    r["img_area_caption.png"] = CaptionBand;
    r["img_area_content.png"] = [](cairo_t* cr, int, int w, int h) {
        Panel(cr, w, h, 8, kPanel, kPanelBorder);
    };
    r["img_area_bkg.png"] = [](cairo_t* cr, int, int w, int h) {
        Panel(cr, w, h, 10, kPanelDeep, Hex(0x242036), 0.96);
    };
    r["area_device.png"] = DeviceArea;
    r["bk_prompt.png"] = [](cairo_t* cr, int, int w, int h) { Dialog(cr, w, h, 30); };
    r["img_upgrade_bkg.png"] = [](cairo_t* cr, int, int w, int h) { Dialog(cr, w, h, 60); };
    r["img_tab_bkg.png"] = [](cairo_t* cr, int, int w, int h) {
        Panel(cr, w, h, 10, Hex(0x121019), Hex(0x231F33));
    };
    r["img_tabitem_bkg.png"] = TabItem;
    r["logo.png"] = Logo;
    r["device_mode.png"] = DeviceMode;
}

}  // namespace pellora::theme
