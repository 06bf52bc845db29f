#include "platform/text_engine.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

namespace DUI::detail {
namespace {

PangoFontMap* g_map = nullptr;
PangoContext* g_context = nullptr;

void EnsureCreated() {
    if (g_map != nullptr) {
        return;
    }
    FcInit();
    g_map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    if (g_map == nullptr) {
        g_map = pango_cairo_font_map_new();
    }
    g_context = pango_font_map_create_context(g_map);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(g_context, options);
    cairo_font_options_destroy(options);
}

}  // namespace

std::recursive_mutex& TextLock() {
    static std::recursive_mutex lock;
    return lock;
}

PangoFontMap* TextFontMap() {
    EnsureCreated();
    return g_map;
}

PangoContext* TextContext() {
    EnsureCreated();
    return g_context;
}

void TextFontsChanged() {
    EnsureCreated();
    if (PANGO_IS_FC_FONT_MAP(g_map)) {
        pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(g_map));
    }
    pango_context_changed(g_context);
}

}  // namespace DUI::detail
