#include "preview.h"

#include <cmath>
#include <cstring>
#include <string>

#include "draw.h"
#include "mouse_models.h"

namespace pellora::theme {
namespace {
using namespace colour;

class Pictures {
  public:
    explicit Pictures(const std::vector<SheetEntry>& entries) : entries_(entries) {}
    const SheetEntry* Find(const char* name) const {
        for (const auto& e : entries_) {
            if (std::strcmp(e.layout.name, name) == 0) {
                return &e;
            }
        }
        return nullptr;
    }

  private:
    const std::vector<SheetEntry>& entries_;
};

void Part(cairo_t* cr, cairo_surface_t* src, double sx, double sy, double sw, double sh, double dx,
          double dy, double dw, double dh) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) {
        return;
    }
    cairo_save(cr);
    cairo_rectangle(cr, dx, dy, dw, dh);
    cairo_clip(cr);
    cairo_translate(cr, dx, dy);
    cairo_scale(cr, dw / sw, dh / sh);
    cairo_set_source_surface(cr, src, -sx, -sy);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_restore(cr);
}

// Frame `frame` of a strip as a nine-grid with four borders.
void NineGrid(cairo_t* cr, const SheetEntry* e, int frame, double x, double y, double w, double h,
              int l, int t, int r, int b) {
    if (e == nullptr) {
        return;
    }
    const double sx = frame * e->layout.frame_width, sw = e->layout.frame_width,
                 sh = e->layout.height;
    cairo_surface_t* s = e->surface;
    Part(cr, s, sx, 0, l, t, x, y, l, t);
    Part(cr, s, sx, t, l, sh - t - b, x, y + t, l, h - t - b);
    Part(cr, s, sx, sh - b, l, b, x, y + h - b, l, b);
    Part(cr, s, sx + l, 0, sw - l - r, t, x + l, y, w - l - r, t);
    Part(cr, s, sx + sw - r, 0, r, t, x + w - r, y, r, t);
    Part(cr, s, sx + sw - r, t, r, sh - t - b, x + w - r, y + t, r, h - t - b);
    Part(cr, s, sx + sw - r, sh - b, r, b, x + w - r, y + h - b, r, b);
    Part(cr, s, sx + l, sh - b, sw - l - r, b, x + l, y + h - b, w - l - r, b);
    Part(cr, s, sx + l, t, sw - l - r, sh - t - b, x + l, y + t, w - l - r, h - t - b);
}

void Grid(cairo_t* cr, const SheetEntry* e, int frame, double x, double y, double w, double h,
          int border) {
    NineGrid(cr, e, frame, x, y, w, h, border, border, border, border);
}

void Frame(cairo_t* cr, const SheetEntry* e, int frame, double x, double y) {
    if (e != nullptr) {
        Part(cr, e->surface, frame * e->layout.frame_width, 0, e->layout.frame_width,
             e->layout.height, x, y, e->layout.frame_width, e->layout.height);
    }
}

void Stretch(cairo_t* cr, const SheetEntry* e, int frame, double x, double y, double w, double h) {
    if (e != nullptr) {
        Part(cr, e->surface, frame * e->layout.frame_width, 0, e->layout.frame_width,
             e->layout.height, x, y, w, h);
    }
}

void Centred(cairo_t* cr, const std::string& text, double x, double y, double w, double h,
             double size, Rgb c) {
    const double tw = TextWidth(cr, text, size, false);
    DrawText(cr, text, x + (w - tw) / 2, y + h / 2 + size * 0.36, size, c, false);
}

void Left(cairo_t* cr, const std::string& text, double x, double y, double h, double size, Rgb c) {
    DrawText(cr, text, x, y + h / 2 + size * 0.36, size, c, false);
}

void Button(cairo_t* cr, const Pictures& p, const char* strip, int state, const char* text,
            double x, double y, double w, double h) {
    Grid(cr, p.Find(strip), state, x, y, w, h, 8);
    const double nudge = state == 2 ? 1 : 0;
    Centred(cr, text, x + nudge, y + nudge, w, h, 13, state == 3 ? Hex(0x808080) : kWhite);
}

void Check(cairo_t* cr, const Pictures& p, const char* strip, int frame, const char* text, double x,
           double y) {
    Frame(cr, p.Find(strip), frame, x, y + 4);
    Left(cr, text, x + 26, y, 26, 13, frame % 4 == 3 ? Hex(0x808080) : Hex(0xC8C8C8));
}

void Combo(cairo_t* cr, const Pictures& p, int state, const char* text, double x, double y,
           double w) {
    NineGrid(cr, p.Find("img_combobox.png"), state, x, y, w, 30, 4, 4, 35, 4);
    Centred(cr, text, x, y, w - 35, 30, 13, state == 3 ? Hex(0x808080) : kWhite);
}

void TitleBar(cairo_t* cr, const Pictures& p, int W) {
    Stretch(cr, p.Find("img_area.png"), 0, 25, 11, 86, 27);
    Centred(cr, "USB cable", 25, 11, 86, 27, 12, kWhite);
    Frame(cr, p.Find("icon/icon_battery_bkg.png"), 0, 175, 14);
    const SheetEntry* value = p.Find("icon/icon_batteryvalue.png");
    for (int i = 0; i < 3; ++i) {
        Part(cr, value->surface, i * 9, 0, 7, 12, 175 + 4 + i * 9, 18, 7, 12);
    }
    Frame(cr, p.Find("icon/icon_charge.png"), 0, 175 + 47, 14);
    Frame(cr, p.Find("logo.png"), 0, W / 2 - 90, 10);
    Frame(cr, p.Find("sysbtn_setting.png"), 1, W - 114, 10);
    Frame(cr, p.Find("sysbtn_min.png"), 0, W - 82, 10);
    Frame(cr, p.Find("sysbtn_close.png"), 0, W - 50, 10);
}

void Tabs(cairo_t* cr, const Pictures& p) {
    Grid(cr, p.Find("img_tab_bkg.png"), 0, 25, 75, 70, 440, 12);
    const char* icons[] = {"icon/tab_home.png",  "icon/tab_mousekey.png", "icon/tab_mousedpi.png",
                           "icon/tab_macro.png", "icon/tab_light.png",    "icon/tab_mouseset.png"};
    const char* captions[] = {"Home", "Keys", "DPI", "Macro", "Light", "Mouse"};
    for (int i = 0; i < 6; ++i) {
        const int state = i == 1 ? 2 : (i == 3 ? 1 : 0);
        const double y = 80 + i * 72;
        Frame(cr, p.Find("img_tabitem_bkg.png"), state, 25, y);
        Frame(cr, p.Find(icons[i]), state, 25, y);
        Centred(cr, captions[i], 25, y + 46, 70, 20, 11, state == 0 ? kGlyph : kWhite);
    }
}

void KeyPage(cairo_t* cr, const Pictures& p, int W, int H) {
    const double left = 180, top = 80, right = W - 20, bottom = H - 50;
    Grid(cr, p.Find("img_area_bkg.png"), 0, left, top, right - left, bottom - top, 10);
    Stretch(cr, p.Find("img_area_caption.png"), 0, left + 1, top + 1, right - left - 2, 44);
    Left(cr, "Button assignment", left + 20, top, 46, 16, kWhite);
    Frame(cr, p.Find("btn_reset.png"), 1, right - 44, top + 8);

    const char* names[] = {"Left button", "Right button", "Middle button",
                           "Back",        "Forward",      "DPI button"};
    const char* descs[] = {"Left click", "Right click", "Middle click",
                           "Back",       "Forward",     "DPI cycle"};
    for (int i = 0; i < 6; ++i) {
        const double y = top + 64 + i * 40;
        const int frame = i == 0 ? 1 : 0;
        Stretch(cr, p.Find("img_list_bkg.png"), frame, left + 20, y, 300, 30);
        Left(cr, names[i], left + 30, y, 30, 12, kWhite);
        Left(cr, descs[i], left + 130, y, 30, 12, Hex(0xB8D3EF));
    }
    Button(cr, p, "img_button.png", 0, "Restore all keys", left + 20, top + 320, 150, 30);
    Button(cr, p, "img_button.png", 1, "Apply", left + 180, top + 320, 100, 30);

    // Editor panel under the list.
    const double ey = top + 370;
    Grid(cr, p.Find("img_area_content.png"), 0, left + 20, ey, 440, bottom - ey - 16, 10);
    Left(cr, "Mouse button", left + 36, ey + 12, 30, 13, Hex(0xC8C8C8));
    Combo(cr, p, 1, "Left click", left + 150, ey + 12, 180);
    Left(cr, "DPI", left + 36, ey + 50, 30, 13, Hex(0xC8C8C8));
    Combo(cr, p, 0, "DPI +", left + 150, ey + 50, 180);
    Button(cr, p, "img_button2.png", 2, "Keyboard", left + 150, ey + 90, 88, 28);
    Button(cr, p, "img_button2.png", 0, "Numbers", left + 242, ey + 90, 88, 28);
    Check(cr, p, "btn_checkbox.png", 4, "Start with the system", left + 36, ey + 126);
    Check(cr, p, "btn_radiobox.png", 5, "Hide to tray", left + 230, ey + 126);

    // The mouse and its call-outs where the key page puts them.
    const SheetEntry* mouse = p.Find("vx7.png");
    const double mx = W - (mouse->layout.width() + 150), my = 120;
    Frame(cr, mouse, 0, mx, my);
    const SheetEntry* label = p.Find("img_key_bkg.png");
    for (const CallOut& c : kVx7CallOuts) {
        const bool selected = std::strcmp(c.button, "left") == 0;
        const Rgb pen = selected ? kAccent : kWhite;
        Line(cr, mx + c.a, my + c.c, mx + c.b, my + c.c, pen, 2);
        const Point dot = DotOf(c);
        cairo_arc(cr, mx + dot.x, my + dot.y, 3, 0, 2 * M_PI);
        SetColour(cr, pen);
        cairo_fill(cr);
        const double lx = c.direction == 1 ? c.b + 1 : c.a - 67;
        Grid(cr, label, selected ? 1 : 0, mx + lx, my + c.c - 13, 66, 26, 6);
        Centred(cr, c.button, mx + lx, my + c.c - 13, 66, 26, 12,
                selected ? Hex(0x050505) : kAccent);
    }
}

void BottomBand(cairo_t* cr, const Pictures& p, int W, int H) {
    Grid(cr, p.Find("img_area_caption.png"), 0, 1, H - 50, W - 2, 49, 10);
    Left(cr, "Firmware V1.02", 25, H - 38, 26, 12, kGlyph);
    Grid(cr, p.Find("img_button.png"), 0, W - 170, H - 38, 150, 26, 8);
    Centred(cr, "Profile 1", W - 170, H - 38, 130, 26, 13, kWhite);
    Frame(cr, p.Find("icon/icon_arrow_up.png"), 0, W - 170 + 110, H - 38 + 8);
    Button(cr, p, "img_button.png", 3, "Reset", W - 300, H - 38, 110, 26);
}
}  // namespace

bool WritePreview(const std::vector<SheetEntry>& entries, const std::filesystem::path& path) {
    const Pictures p(entries);
    if (p.Find("vx7.png") == nullptr || p.Find("icon/icon_batteryvalue.png") == nullptr) {
        return false;
    }
    const int W = 1280, H = 788;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
    cairo_t* cr = cairo_create(s);
    Grid(cr, p.Find("main_bkg.png"), 0, 0, 0, W, H, 6);
    TitleBar(cr, p, W);
    Tabs(cr, p);
    KeyPage(cr, p, W, H);
    BottomBand(cr, p, W, H);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace pellora::theme
