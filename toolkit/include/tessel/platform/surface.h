#pragma once
// The 32-bit ARGB drawing surface and the drawing calls the toolkit paints with. A Surface is the
// frame buffer of a paint, a control's cache, a decoded image or a window's last frame; Graphics
// draws on one with anti-aliasing (images with source rectangles, fills, gradients, rounded
// paths, text). Pixels read back are straight (not premultiplied) 0xAARRGGBB.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tessel/platform/types.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace DUI {

class Surface {
  public:
    // A fully transparent surface; sizes below 1 make a 1 x 1 surface so drawing never fails.
    Surface(int width, int height);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int Stride() const;
    // Premultiplied pixels, one uint32 per pixel, rows Stride() bytes apart.
    std::uint32_t* Data();
    const std::uint32_t* Data() const;
    // Callers that write Data() directly say so before the next drawing call.
    void MarkDirty();

    DWORD GetPixel(int x, int y) const;
    void SetPixel(int x, int y, DWORD argb);
    void Clear(DWORD argb = 0);
    // Copies pixels without blending (the classic block copy).
    void CopyFrom(const Surface& source, const CRect& sourceRect, int destX, int destY);
    std::unique_ptr<Surface> Clone() const;

    bool SavePng(const std::string& path) const;
    bool SaveBmp(const std::string& path) const;

    cairo_surface_t* Native() const { return surface_; }

  private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
};

using Image = Surface;

// Text layout flags: alignment uses the DT_ numbers (0/1/2 horizontal, 0/4/8 vertical).
struct TextFormat {
    UINT hAlign = 0;
    UINT vAlign = 0;
    bool wordWrap = false;
    bool ellipsis = false;
};

// A font as text is drawn with it. Family is a family name the font system knows (a private or
// an installed one); weight and italic come from the face the family name was registered with.
struct Font {
    std::wstring family = L"Open Sans Semibold";
    float size = 14;   // pixel height
    int style = 0;     // 1 bold, 2 italic, 4 underline, 8 strike-out
    int weight = 400;  // CSS-style weight of the face; bold raises it to at least 700
};

class Graphics {
  public:
    explicit Graphics(Surface* target);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Surface* Target() const { return target_; }
    cairo_t* Native() const { return cr_; }

    void SetClip(const CRect& rect);
    void ResetClip();
    void Translate(int dx, int dy);

    // Source rectangle (sx, sy, sw, sh) of the image scaled into dest, alpha-blended.
    void DrawImage(const Image* image, const CRect& dest, int sx, int sy, int sw, int sh,
                   BYTE alpha = 255);
    void DrawImage(const Image* image, int x, int y);
    void DrawImage(const Image* image, const CRect& dest);
    void TileImage(const Image* image, const CRect& dest, int sx, int sy, int sw, int sh);

    void FillRect(const CRect& rect, DWORD argb);
    void FillRectOpaque(const CRect& rect, DWORD argb);
    void FillGradient(const CRect& rect, DWORD from, DWORD to, bool vertical);
    void DrawRect(const CRect& rect, DWORD argb, float width);
    void FillEllipse(float x, float y, float w, float h, DWORD argb);
    void DrawLine(float x1, float y1, float x2, float y2, DWORD argb, float width);
    void RoundRect(float x, float y, float w, float h, float radius, DWORD border, float width,
                   bool fill, DWORD fillColor);

    void DrawString(const std::wstring& text, const CRect& layout, const Font& font, DWORD argb,
                    const TextFormat& format);

  private:
    Surface* target_;
    cairo_t* cr_;
};

// Size the text takes when laid out in maxWidth pixels (0 = no limit, no wrapping).
CSize MeasureString(const std::wstring& text, const Font& font, int maxWidth, bool wordWrap);

}  // namespace DUI
