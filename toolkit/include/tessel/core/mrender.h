#pragma once
// Drawing helpers shared by every control: image loading, nine-grid, fills, gradients, rounded
// paths, text, transitions and bitmap files.

#include <memory>

#include "tessel/platform/surface.h"

namespace DUI {

class MRender {
  public:
    static std::unique_ptr<Image> LoadImageFromFile(CString path);
    static std::unique_ptr<Image> LoadImageFromFileEx(CString path, int width, int height);
    static std::unique_ptr<Image> LoadImageFromIDResource(unsigned id, CString type,
                                                          HINSTANCE module);
    // The picture of an icon file (".ico") or of an image file; null when there is none.
    static std::unique_ptr<Image> LoadIconFromFile(CString path);

    static void DrawImageFrame(Graphics& g, const Image* image, const CRect& dest, int sx, int sy,
                               int sw, int sh, int border);
    static void DrawImageFrameMID(Graphics& g, const Image* image, const CRect& dest, int sx,
                                  int sy, int sw, int sh, int left, int top, int right, int bottom);
    static int DrawTextW(HDC hdc, CRect& rect, const wchar_t* text, DWORD color, HFONT font,
                         unsigned format);
    static void DrawColor(HDC hdc, const RECT& rect, DWORD argb);
    static void FillSolidRect(HDC& hdc, const RECT* rect, DWORD color);
    static void FillSolidRect(HDC& hdc, int x, int y, int w, int h, DWORD color);
    static void DrawGradient(HDC hdc, const RECT& rect, DWORD from, DWORD to, bool vertical,
                             int steps);
    static void DrawRoundRectange(Graphics& g, float x, float y, float w, float h, float radius,
                                  Color border, float width, bool fill, Color fillColor);
    static void DrawRoundRectange(Graphics& g, float x, float y, float w, float h, float radius,
                                  Color border, float width);
    static void DrawRoundRectange(Graphics& g, float x, float y, float w, float h, float radius,
                                  Color fillColor);
    static int DrawVerticalTransition(HDC& dst, HDC& src, const CRect& d, const CRect& s, int from,
                                      int to);
    static int DrawHorizontalTransition(HDC& dst, HDC& src, const CRect& d, const CRect& s,
                                        int from, int to);
    static void DrawRightBottomTransition(HDC& dst, HDC& src, CRect rect, int size, DWORD color);
    static HBITMAP CreateARGB32Bitmap(HDC hdc, int width, int height, unsigned char** bits);
    static HDC CreateCompatibleDC(HDC hdc);
    static HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
    static int BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy);
    static CSize GetTextBounds(const Font& font, const TextFormat& format, CString text);
    static CSize GetTextBounds(const Font& font, CString text, int maxWidth);
    static CSize GetTextBounds(const Font& font, CString text);
    static CPoint GetOriginPoint(int w, int h, int cw, int ch, unsigned hAlign, unsigned vAlign);
    static CPoint GetOriginPoint(CRect rect, int cw, int ch, unsigned hAlign, unsigned vAlign);
    static void CheckAlphaColor(DWORD& color);
    static int SaveBitmapToFile(HBITMAP bitmap, CString path);
};

}  // namespace DUI
