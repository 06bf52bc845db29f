#include "contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw.h"
#include "mouse_models.h"

namespace pellora::theme {
namespace {
using namespace colour;

constexpr int kSheetWidth = 1500;
constexpr int kGap = 18;

int ScaleFor(const ImageLayout& layout) {
    return layout.height <= 32 && layout.width() <= 400 ? 2 : 1;
}

// The call-outs as the key page draws them at scale 1, to see that they meet the buttons.
void DrawCallOuts(cairo_t* cr, const char* picture) {
    for (const auto& model : kMouseCallOuts) {
        if (std::strcmp(model.picture, picture) != 0) {
            continue;
        }
        for (const CallOut& c : model.call_outs) {
            Line(cr, c.a, c.c, c.b, c.c, kWhite, 2);
            const Point dot = DotOf(c);
            cairo_arc(cr, dot.x, dot.y, 3, 0, 2 * M_PI);
            SetColour(cr, kWhite);
            cairo_fill(cr);
            const double left = c.direction == 1 ? c.b + 1 : c.a - 67;
            FillRounded(cr, left, c.c - 13, 66, 26, 6, kLabel);
            const double w = TextWidth(cr, c.button, 12, false);
            DrawText(cr, c.button, left + (66 - w) / 2, c.c + 4, 12, kAccent, false);
        }
    }
}
}  // namespace

bool WriteContactSheet(const std::vector<SheetEntry>& entries, const std::filesystem::path& path) {
    // First pass: lay out in rows.
    struct Placed {
        const SheetEntry* entry;
        int x, y, scale;
    };
    std::vector<Placed> placed;
    int x = kGap, y = kGap + 20, row_height = 0;
    for (const auto& e : entries) {
        const int scale = ScaleFor(e.layout);
        const int w = e.layout.width() * scale, h = e.layout.height * scale + 18;
        if (x + w > kSheetWidth - kGap && x > kGap) {
            x = kGap;
            y += row_height + kGap;
            row_height = 0;
        }
        placed.push_back({&e, x, y, scale});
        x += std::max(w, 120) + kGap;
        row_height = std::max(row_height, h);
    }
    const int height = y + row_height + kGap;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSheetWidth, height);
    cairo_t* cr = cairo_create(sheet);
    SetColour(cr, kWindow);
    cairo_paint(cr);
    DrawText(cr, "theme1", kGap, kGap + 4, 14, kWhite, true);
    for (const Placed& p : placed) {
        DrawText(cr, p.entry->layout.name, p.x, p.y + 11, 11, kGlyph, false);
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y + 16);
        cairo_scale(cr, p.scale, p.scale);
        cairo_set_source_surface(cr, p.entry->surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        DrawCallOuts(cr, p.entry->layout.name);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return ok;
}

}  // namespace pellora::theme
