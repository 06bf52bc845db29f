#include "tessel/core/mrender.h"

#include <algorithm>
#include <cmath>

#include "tessel/platform/image_io.h"
#include "tessel/platform/messages.h"
#include "tessel/platform/resources.h"
#include "tessel/platform/text.h"

namespace DUI {

std::unique_ptr<Image> MRender::LoadImageFromFile(CString path) {
    return LoadImageFile(WideToUtf8(path));
}

std::unique_ptr<Image> MRender::LoadImageFromFileEx(CString path, int width, int height) {
    auto image = LoadImageFile(WideToUtf8(path));
    if (!image || (width == 0 && height == 0)) {
        return image;
    }
    return ScaleImage(*image, width, height);
}

std::unique_ptr<Image> MRender::LoadImageFromIDResource(unsigned id, CString type,
                                                        HINSTANCE module) {
    const ResourceData data = FindResource(module, id, type);
    if (!data) {
        return nullptr;
    }
    return LoadImageData(data.data, data.size);
}

std::unique_ptr<Image> MRender::LoadIconFromFile(CString path) {
    return LoadImageFile(WideToUtf8(path));
}

void MRender::DrawImageFrame(Graphics& g, const Image* image, const CRect& dest, int sx, int sy,
                             int sw, int sh, int border) {
    DrawImageFrameMID(g, image, dest, sx, sy, sw, sh, border, border, border, border);
}

void MRender::DrawImageFrameMID(Graphics& g, const Image* image, const CRect& d, int sx, int sy,
                                int sw, int sh, int left, int top, int right, int bottom) {
    if (image == nullptr) {
        return;
    }
    const int L = d.left;
    const int T = d.top;
    const int R = d.right;
    const int B = d.bottom;
    const auto draw = [&](int srcX, int srcY, int srcW, int srcH, int x, int y, int w, int h) {
        if (srcW > 0 && srcH > 0 && w > 0 && h > 0) {
            g.DrawImage(image, CRect(x, y, x + w, y + h), srcX, srcY, srcW, srcH);
        }
    };
    // Order: top-left, left, bottom-left, top, top-right, right, bottom-right, bottom, centre.
    draw(sx, sy, left, top, L, T, left, top);
    draw(sx, sy + top, left, sh - top - bottom, L, T + top, left, B - T - top - bottom);
    draw(sx, sy + sh - bottom, left, bottom, L, B - bottom, left, bottom);
    draw(sx + left, sy, sw - left - right, top, L + left, T, R - L - left - right, top);
    draw(sx + sw - right, sy, right, top, R - right, T, right, top);
    draw(sx + sw - right, sy + top, right, sh - top - bottom, R - right, T + top, right,
         B - T - top - bottom);
    draw(sx + sw - right, sy + sh - bottom, right, bottom, R - right, B - bottom, right, bottom);
    draw(sx + left, sy + sh - bottom, sw - left - right, bottom, L + left, B - bottom,
         R - L - left - right, bottom);
    draw(sx + left, sy + top, sw - left - right, sh - top - bottom, L + left, T + top,
         R - L - left - right, B - T - top - bottom);
}

int MRender::DrawTextW(HDC hdc, CRect& rect, const wchar_t* text, DWORD color, HFONT font,
                       unsigned format) {
    if (text == nullptr || hdc == nullptr) {
        return 0;
    }
    Font f = font != nullptr ? *font : Font{};
    const bool wrap = (format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0;
    if ((format & DT_CALCRECT) != 0) {
        const CSize size = MeasureString(text, f, rect.Width(), wrap);
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        return size.cy;
    }
    TextFormat tf;
    tf.hAlign = format & 3;
    tf.vAlign = format & 12;
    tf.wordWrap = wrap;
    tf.ellipsis = (format & DT_END_ELLIPSIS) != 0;
    Graphics g(hdc);
    // The classic path takes 0x00BBGGRR and draws opaque text.
    g.DrawString(text, rect, f, MakeARGB(255, GetRValue(color), GetGValue(color), GetBValue(color)),
                 tf);
    return MeasureString(text, f, rect.Width(), wrap).cy;
}

void MRender::DrawColor(HDC hdc, const RECT& rect, DWORD argb) {
    if (hdc == nullptr || ColorA(argb) == 0) {
        return;
    }
    Graphics g(hdc);
    g.FillRect(rect, argb);
}

void MRender::FillSolidRect(HDC& hdc, const RECT* rect, DWORD color) {
    if (hdc == nullptr || rect == nullptr) {
        return;
    }
    Graphics g(hdc);
    g.FillRectOpaque(*rect, MakeARGB(255, GetRValue(color), GetGValue(color), GetBValue(color)));
}

void MRender::FillSolidRect(HDC& hdc, int x, int y, int w, int h, DWORD color) {
    const RECT r = CRect(x, y, x + w, y + h);
    FillSolidRect(hdc, &r, color);
}

void MRender::DrawGradient(HDC hdc, const RECT& rect, DWORD from, DWORD to, bool vertical, int) {
    if (hdc == nullptr) {
        return;
    }
    const int meanAlpha = (ColorA(from) + ColorA(to)) / 2;
    if (meanAlpha == 0) {
        return;
    }
    // The linear gradient is always available here: the banded fallback is never needed.
    Graphics g(hdc);
    const auto opaque = [](DWORD c) { return c | 0xFF000000; };
    if (meanAlpha < 255) {
        Surface band(CRect(rect).Width(), CRect(rect).Height());
        {
            Graphics bg(&band);
            bg.FillGradient(CRect(0, 0, band.GetWidth(), band.GetHeight()), opaque(from),
                            opaque(to), vertical);
        }
        g.DrawImage(&band, rect, 0, 0, band.GetWidth(), band.GetHeight(),
                    static_cast<BYTE>(meanAlpha));
        return;
    }
    g.FillGradient(rect, opaque(from), opaque(to), vertical);
}

void MRender::DrawRoundRectange(Graphics& g, float x, float y, float w, float h, float radius,
                                Color border, float width, bool fill, Color fillColor) {
    g.RoundRect(x, y, w, h, radius, border.GetValue(), width, fill, fillColor.GetValue());
}

void MRender::DrawRoundRectange(Graphics& g, float x, float y, float w, float h, float radius,
                                Color border, float width) {
    g.RoundRect(x, y, w, h, radius, border.GetValue(), width, false, 0);
}

void MRender::DrawRoundRectange(Graphics& g, float x, float y, float w, float h, float radius,
                                Color fillColor) {
    g.RoundRect(x, y, w, h, radius, 0, 0, true, fillColor.GetValue());
}

namespace {

int Transition(HDC& dst, HDC& src, const CRect& d, const CRect& s, int from, int to, bool rows) {
    if (dst == nullptr || src == nullptr) {
        return 0;
    }
    const int first = 255 - std::min(from, to) * 255 / 100;
    const int last = (100 - std::max(from, to)) * 255 / 100;
    const int lines = rows ? std::min(d.Height(), s.Height()) : std::min(d.Width(), s.Width());
    Graphics g(dst);
    int alpha = first;
    for (int i = 0; i < lines; ++i) {
        alpha = lines > 1 ? first + (last - first) * i / (lines - 1) : first;
        const CRect dest = rows ? CRect(d.left, d.top + i, d.right, d.top + i + 1)
                                : CRect(d.left + i, d.top, d.left + i + 1, d.bottom);
        if (rows) {
            g.DrawImage(src, dest, s.left, s.top + i, d.Width(), 1,
                        static_cast<BYTE>(std::clamp(alpha, 0, 255)));
        } else {
            g.DrawImage(src, dest, s.left + i, s.top, 1, d.Height(),
                        static_cast<BYTE>(std::clamp(alpha, 0, 255)));
        }
    }
    return alpha;
}

}  // namespace

int MRender::DrawVerticalTransition(HDC& dst, HDC& src, const CRect& d, const CRect& s, int from,
                                    int to) {
    return Transition(dst, src, d, s, from, to, true);
}

int MRender::DrawHorizontalTransition(HDC& dst, HDC& src, const CRect& d, const CRect& s, int from,
                                      int to) {
    return Transition(dst, src, d, s, from, to, false);
}

void MRender::DrawRightBottomTransition(HDC& dst, HDC& src, CRect rect, int size, DWORD) {
    if (dst == nullptr || src == nullptr || size <= 0) {
        return;
    }
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const int dx = rect.right - 1 - x;
            const int dy = rect.bottom - 1 - y;
            const int dist = std::min(dx, dy);
            const DWORD p = src->GetPixel(x, y);
            if (dist >= size) {
                dst->SetPixel(x, y, p);
            } else {
                const int a = ColorA(p) * dist / size;
                dst->SetPixel(x, y, (p & 0x00FFFFFF) | (static_cast<DWORD>(a) << 24));
            }
        }
    }
}

HBITMAP MRender::CreateARGB32Bitmap(HDC, int width, int height, unsigned char** bits) {
    auto* bitmap = new Surface(width, height);
    if (bits != nullptr) {
        *bits = reinterpret_cast<unsigned char*>(bitmap->Data());
    }
    return bitmap;
}

HDC MRender::CreateCompatibleDC(HDC hdc) {
    return new Surface(hdc != nullptr ? hdc->GetWidth() : 1, hdc != nullptr ? hdc->GetHeight() : 1);
}

HBITMAP MRender::CreateCompatibleBitmap(HDC, int width, int height) {
    return new Surface(width, height);
}

int MRender::BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy) {
    if (dst == nullptr || src == nullptr) {
        return 0;
    }
    dst->CopyFrom(*src, CRect(sx, sy, sx + w, sy + h), x, y);
    return 1;
}

CSize MRender::GetTextBounds(const Font& font, const TextFormat& format, CString text) {
    return MeasureString(text, font, 0, format.wordWrap);
}

CSize MRender::GetTextBounds(const Font& font, CString text, int maxWidth) {
    return MeasureString(text, font, maxWidth, maxWidth > 0);
}

CSize MRender::GetTextBounds(const Font& font, CString text) {
    return MeasureString(text, font, 0, false);
}

CPoint MRender::GetOriginPoint(int w, int h, int cw, int ch, unsigned hAlign, unsigned vAlign) {
    const int x = hAlign == 1 ? (w - cw) / 2 : hAlign == 2 ? w - cw : 0;
    const int y = vAlign == 4 ? (h - ch) / 2 : vAlign == 8 ? h - ch : 0;
    return {x, y};
}

CPoint MRender::GetOriginPoint(CRect rect, int cw, int ch, unsigned hAlign, unsigned vAlign) {
    const CPoint p = GetOriginPoint(rect.Width(), rect.Height(), cw, ch, hAlign, vAlign);
    return {rect.left + p.x, rect.top + p.y + 2};
}

void MRender::CheckAlphaColor(DWORD& color) {
    if ((color & 0x00FFFFFF) == 0) {
        color += 1;
    }
}

int MRender::SaveBitmapToFile(HBITMAP bitmap, CString path) {
    if (bitmap == nullptr) {
        return 0;
    }
    return bitmap->SaveBmp(WideToUtf8(path)) ? 1 : 0;
}

}  // namespace DUI
