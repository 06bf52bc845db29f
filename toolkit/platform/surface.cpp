#include "tessel/platform/surface.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/text_engine.h"
#include "tessel/platform/text.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace DUI {
namespace {

void SetSourceColor(cairo_t* cr, DWORD argb) {
    cairo_set_source_rgba(cr, ColorR(argb) / 255.0, ColorG(argb) / 255.0, ColorB(argb) / 255.0,
                          ColorA(argb) / 255.0);
}

std::uint32_t Premultiply(DWORD argb) {
    const std::uint32_t a = ColorA(argb);
    if (a == 255) {
        return argb;
    }
    const auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul(ColorR(argb)) << 16) | (mul(ColorG(argb)) << 8) | mul(ColorB(argb));
}

DWORD Unpremultiply(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    if (a == 0) {
        return 0;
    }
    if (a == 255) {
        return p;
    }
    const auto div = [a](std::uint32_t c) {
        return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a);
    };
    return (a << 24) | (div((p >> 16) & 0xFF) << 16) | (div((p >> 8) & 0xFF) << 8) | div(p & 0xFF);
}

}  // namespace

Surface::Surface(int width, int height)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_, height_)) {}

Surface::~Surface() {
    cairo_surface_destroy(surface_);
}

int Surface::Stride() const {
    return cairo_image_surface_get_stride(surface_);
}

std::uint32_t* Surface::Data() {
    cairo_surface_flush(surface_);
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_));
}

const std::uint32_t* Surface::Data() const {
    cairo_surface_flush(surface_);
    return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_));
}

void Surface::MarkDirty() {
    cairo_surface_mark_dirty(surface_);
}

DWORD Surface::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    const auto* row =
        reinterpret_cast<const std::uint8_t*>(Data()) + static_cast<std::size_t>(y) * Stride();
    return Unpremultiply(reinterpret_cast<const std::uint32_t*>(row)[x]);
}

void Surface::SetPixel(int x, int y, DWORD argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    auto* row = reinterpret_cast<std::uint8_t*>(Data()) + static_cast<std::size_t>(y) * Stride();
    reinterpret_cast<std::uint32_t*>(row)[x] = Premultiply(argb);
    MarkDirty();
}

void Surface::Clear(DWORD argb) {
    cairo_t* cr = cairo_create(surface_);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    SetSourceColor(cr, argb);
    cairo_paint(cr);
    cairo_destroy(cr);
}

void Surface::CopyFrom(const Surface& source, const CRect& sourceRect, int destX, int destY) {
    CRect src;
    if (!src.IntersectRect(sourceRect, CRect(0, 0, source.width_, source.height_))) {
        return;
    }
    destX += src.left - sourceRect.left;
    destY += src.top - sourceRect.top;
    CRect dst;
    if (!dst.IntersectRect(CRect(destX, destY, destX + src.Width(), destY + src.Height()),
                           CRect(0, 0, width_, height_))) {
        return;
    }
    src.left += dst.left - destX;
    src.top += dst.top - destY;
    const auto* in = reinterpret_cast<const std::uint8_t*>(source.Data());
    auto* out = reinterpret_cast<std::uint8_t*>(Data());
    const int inStride = source.Stride();
    const int outStride = Stride();
    const std::size_t bytes = static_cast<std::size_t>(dst.Width()) * 4;
    for (int row = 0; row < dst.Height(); ++row) {
        std::memcpy(out + static_cast<std::size_t>(dst.top + row) * outStride +
                        static_cast<std::size_t>(dst.left) * 4,
                    in + static_cast<std::size_t>(src.top + row) * inStride +
                        static_cast<std::size_t>(src.left) * 4,
                    bytes);
    }
    MarkDirty();
}

std::unique_ptr<Surface> Surface::Clone() const {
    auto copy = std::make_unique<Surface>(width_, height_);
    copy->CopyFrom(*this, CRect(0, 0, width_, height_), 0, 0);
    return copy;
}

bool Surface::SavePng(const std::string& path) const {
    cairo_surface_flush(surface_);
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool Surface::SaveBmp(const std::string& path) const {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width_) * height_ * 4);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const DWORD p = GetPixel(x, y);
            unsigned char* o = &rgba[(static_cast<std::size_t>(y) * width_ + x) * 4];
            o[0] = ColorR(p);
            o[1] = ColorG(p);
            o[2] = ColorB(p);
            o[3] = ColorA(p);
        }
    }
    return stbi_write_bmp(path.c_str(), width_, height_, 4, rgba.data()) != 0;
}

// ---- Graphics ----

Graphics::Graphics(Surface* target) : target_(target), cr_(cairo_create(target->Native())) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

Graphics::~Graphics() {
    cairo_destroy(cr_);
}

void Graphics::SetClip(const CRect& rect) {
    cairo_reset_clip(cr_);
    cairo_rectangle(cr_, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_clip(cr_);
}

void Graphics::ResetClip() {
    cairo_reset_clip(cr_);
}

void Graphics::Translate(int dx, int dy) {
    cairo_translate(cr_, dx, dy);
}

void Graphics::DrawImage(const Image* image, const CRect& dest, int sx, int sy, int sw, int sh,
                         BYTE alpha) {
    if (image == nullptr || sw <= 0 || sh <= 0 || dest.IsRectEmpty()) {
        return;
    }
    cairo_save(cr_);
    cairo_rectangle(cr_, dest.left, dest.top, dest.Width(), dest.Height());
    cairo_clip(cr_);
    cairo_translate(cr_, dest.left, dest.top);
    const double scaleX = static_cast<double>(dest.Width()) / sw;
    const double scaleY = static_cast<double>(dest.Height()) / sh;
    cairo_scale(cr_, scaleX, scaleY);
    cairo_set_source_surface(cr_, image->Native(), -sx, -sy);
    cairo_pattern_t* pattern = cairo_get_source(cr_);
    // Pixels outside the source rectangle must not bleed into scaled edges.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    const bool unscaled = dest.Width() == sw && dest.Height() == sh;
    cairo_pattern_set_filter(pattern, unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    if (!unscaled) {
        // Restrict sampling to the source rectangle so neighbouring frames never leak in.
        cairo_surface_t* sub = cairo_surface_create_for_rectangle(image->Native(), sx, sy, sw, sh);
        cairo_set_source_surface(cr_, sub, 0, 0);
        pattern = cairo_get_source(cr_);
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
        cairo_surface_destroy(sub);
    }
    cairo_rectangle(cr_, 0, 0, sw, sh);
    cairo_clip(cr_);
    if (alpha == 255) {
        cairo_paint(cr_);
    } else {
        cairo_paint_with_alpha(cr_, alpha / 255.0);
    }
    cairo_restore(cr_);
}

void Graphics::DrawImage(const Image* image, int x, int y) {
    if (image == nullptr) {
        return;
    }
    DrawImage(image, CRect(x, y, x + image->GetWidth(), y + image->GetHeight()), 0, 0,
              image->GetWidth(), image->GetHeight());
}

void Graphics::DrawImage(const Image* image, const CRect& dest) {
    if (image == nullptr) {
        return;
    }
    DrawImage(image, dest, 0, 0, image->GetWidth(), image->GetHeight());
}

void Graphics::TileImage(const Image* image, const CRect& dest, int sx, int sy, int sw, int sh) {
    if (image == nullptr || sw <= 0 || sh <= 0 || dest.IsRectEmpty()) {
        return;
    }
    cairo_surface_t* sub = cairo_surface_create_for_rectangle(image->Native(), sx, sy, sw, sh);
    cairo_save(cr_);
    cairo_set_source_surface(cr_, sub, dest.left, dest.top);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_REPEAT);
    cairo_rectangle(cr_, dest.left, dest.top, dest.Width(), dest.Height());
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(sub);
}

void Graphics::FillRect(const CRect& rect, DWORD argb) {
    if (ColorA(argb) == 0 || rect.IsRectEmpty()) {
        return;
    }
    SetSourceColor(cr_, argb);
    cairo_rectangle(cr_, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr_);
}

void Graphics::FillRectOpaque(const CRect& rect, DWORD argb) {
    // Written straight into the pixels (surface coordinates, no clip): exact colours for the
    // window background and cheap enough to run on every paint.
    CRect area;
    if (!area.IntersectRect(rect, CRect(0, 0, target_->GetWidth(), target_->GetHeight()))) {
        return;
    }
    cairo_surface_flush(target_->Native());
    const std::uint32_t pixel = Premultiply(argb);
    auto* base = reinterpret_cast<std::uint8_t*>(cairo_image_surface_get_data(target_->Native()));
    const int stride = target_->Stride();
    for (int y = area.top; y < area.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(base + static_cast<std::size_t>(y) * stride);
        std::fill(row + area.left, row + area.right, pixel);
    }
    cairo_surface_mark_dirty(target_->Native());
}

void Graphics::FillGradient(const CRect& rect, DWORD from, DWORD to, bool vertical) {
    if (rect.IsRectEmpty()) {
        return;
    }
    cairo_pattern_t* pattern = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                        : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
    cairo_pattern_add_color_stop_rgba(pattern, 0, ColorR(from) / 255.0, ColorG(from) / 255.0,
                                      ColorB(from) / 255.0, ColorA(from) / 255.0);
    cairo_pattern_add_color_stop_rgba(pattern, 1, ColorR(to) / 255.0, ColorG(to) / 255.0,
                                      ColorB(to) / 255.0, ColorA(to) / 255.0);
    cairo_set_source(cr_, pattern);
    cairo_rectangle(cr_, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr_);
    cairo_pattern_destroy(pattern);
}

void Graphics::DrawRect(const CRect& rect, DWORD argb, float width) {
    SetSourceColor(cr_, argb);
    cairo_set_line_width(cr_, width);
    cairo_rectangle(cr_, rect.left + width / 2.0, rect.top + width / 2.0, rect.Width() - width,
                    rect.Height() - width);
    cairo_stroke(cr_);
}

void Graphics::FillEllipse(float x, float y, float w, float h, DWORD argb) {
    if (w <= 0 || h <= 0) {
        return;
    }
    cairo_save(cr_);
    cairo_translate(cr_, x + w / 2.0, y + h / 2.0);
    cairo_scale(cr_, w / 2.0, h / 2.0);
    cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr_);
    SetSourceColor(cr_, argb);
    cairo_fill(cr_);
}

void Graphics::DrawLine(float x1, float y1, float x2, float y2, DWORD argb, float width) {
    SetSourceColor(cr_, argb);
    cairo_set_line_width(cr_, width);
    cairo_move_to(cr_, x1, y1);
    cairo_line_to(cr_, x2, y2);
    cairo_stroke(cr_);
}

void Graphics::RoundRect(float x, float y, float w, float h, float radius, DWORD border,
                         float width, bool fill, DWORD fillColor) {
    if (w <= 0 || h <= 0) {
        return;
    }
    const double r = std::clamp<double>(radius, 0, std::min(w, h) / 2.0);
    cairo_new_path(cr_);
    cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr_);
    if (fill && ColorA(fillColor) != 0) {
        SetSourceColor(cr_, fillColor);
        cairo_fill_preserve(cr_);
    }
    if (width > 0 && ColorA(border) != 0) {
        SetSourceColor(cr_, border);
        cairo_set_line_width(cr_, width);
        cairo_stroke_preserve(cr_);
    }
    cairo_new_path(cr_);
}

namespace {

PangoLayout* MakeLayout(const std::wstring& text, const Font& font, int width, bool wordWrap,
                        bool ellipsis, UINT hAlign) {
    PangoLayout* layout = pango_layout_new(detail::TextContext());
    const std::string utf8 = WideToUtf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    PangoFontDescription* desc = pango_font_description_new();
    const std::string family = WideToUtf8(font.family);
    pango_font_description_set_family(desc, family.c_str());
    pango_font_description_set_absolute_size(desc, std::max(1.0f, font.size) * PANGO_SCALE);
    int weight = font.weight;
    if ((font.style & 1) != 0) {
        weight = std::max(weight, 700);
    }
    pango_font_description_set_weight(desc, static_cast<PangoWeight>(weight));
    pango_font_description_set_style(
        desc, (font.style & 2) != 0 ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    if ((font.style & 12) != 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        if ((font.style & 4) != 0) {
            pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        }
        if ((font.style & 8) != 0) {
            pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        }
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    if (width > 0 && (wordWrap || ellipsis || hAlign != 0)) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        if (wordWrap) {
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        }
        if (ellipsis && !wordWrap) {
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        }
    }
    pango_layout_set_alignment(layout, hAlign == 1   ? PANGO_ALIGN_CENTER
                                       : hAlign == 2 ? PANGO_ALIGN_RIGHT
                                                     : PANGO_ALIGN_LEFT);
    return layout;
}

}  // namespace

void Graphics::DrawString(const std::wstring& text, const CRect& layoutRect, const Font& font,
                          DWORD argb, const TextFormat& format) {
    if (text.empty() || ColorA(argb) == 0) {
        return;
    }
    std::lock_guard lock(detail::TextLock());
    pango_cairo_update_context(cr_, detail::TextContext());
    PangoLayout* layout =
        MakeLayout(text, font, layoutRect.Width(), format.wordWrap, format.ellipsis, format.hAlign);
    int w = 0;
    int h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    double y = layoutRect.top;
    if (format.vAlign == 4) {
        y += (layoutRect.Height() - h) / 2.0;
    } else if (format.vAlign == 8) {
        y += layoutRect.Height() - h;
    }
    double x = layoutRect.left;
    if (pango_layout_get_width(layout) < 0) {
        // Without a layout width Pango cannot align; place the line ourselves.
        if (format.hAlign == 1) {
            x += (layoutRect.Width() - w) / 2.0;
        } else if (format.hAlign == 2) {
            x += layoutRect.Width() - w;
        }
    }
    cairo_save(cr_);
    cairo_rectangle(cr_, layoutRect.left, layoutRect.top, layoutRect.Width(), layoutRect.Height());
    cairo_clip(cr_);
    SetSourceColor(cr_, argb);
    cairo_move_to(cr_, std::round(x), std::round(y));
    pango_cairo_show_layout(cr_, layout);
    cairo_restore(cr_);
    g_object_unref(layout);
}

CSize MeasureString(const std::wstring& text, const Font& font, int maxWidth, bool wordWrap) {
    if (text.empty()) {
        return {0, 0};
    }
    std::lock_guard lock(detail::TextLock());
    PangoLayout* layout = MakeLayout(text, font, wordWrap ? maxWidth : 0, wordWrap, false, 0);
    int w = 0;
    int h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    g_object_unref(layout);
    return {w, h};
}

}  // namespace DUI
