#pragma once
// The small value types the toolkit's interface is written in: rectangles and points in client
// pixels, ARGB colours, window and drawing handles, and the message record of the window queue.
// They keep the names the toolkit's callers already use, so a dialog written against the toolkit
// reads the same on every platform.

#include <algorithm>
#include <cstdint>
#include <string>

namespace DUI {

using CString = std::wstring;
using DWORD = std::uint32_t;
using BYTE = std::uint8_t;
using UINT = unsigned;
using WPARAM = unsigned;
using LPARAM = long;
using LRESULT = long;

struct POINT {
    int x = 0;
    int y = 0;
};

struct SIZE {
    int cx = 0;
    int cy = 0;
};

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class CPoint : public POINT {
  public:
    CPoint() = default;
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(const POINT& p) : POINT(p) {}  // NOLINT(google-explicit-constructor)
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

class CSize : public SIZE {
  public:
    CSize() = default;
    CSize(int w, int h) : SIZE{w, h} {}
    bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

class CRect : public RECT {
  public:
    CRect() = default;
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}  // NOLINT(google-explicit-constructor)

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    CPoint TopLeft() const { return {left, top}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { *this = CRect(); }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void DeflateRect(int dx, int dy) {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
    }
    void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
    // Both follow the platform rule: an empty result is all zeros and reports false.
    bool IntersectRect(const RECT& a, const RECT& b) {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    bool UnionRect(const RECT& a, const RECT& b) {
        const CRect ra(a);
        const CRect rb(b);
        if (ra.IsRectEmpty()) {
            *this = rb;
        } else if (rb.IsRectEmpty()) {
            *this = ra;
        } else {
            *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top),
                          std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        }
        return !IsRectEmpty();
    }
    bool Intersects(const RECT& other) const {
        CRect r;
        return r.IntersectRect(*this, other);
    }
    bool operator==(const CRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Colours are 0xAARRGGBB unless a call says otherwise.
inline constexpr DWORD MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b) {
    return (DWORD(a) << 24) | (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b);
}
inline constexpr BYTE ColorA(DWORD c) {
    return BYTE(c >> 24);
}
inline constexpr BYTE ColorR(DWORD c) {
    return BYTE(c >> 16);
}
inline constexpr BYTE ColorG(DWORD c) {
    return BYTE(c >> 8);
}
inline constexpr BYTE ColorB(DWORD c) {
    return BYTE(c);
}
// A 0x00BBGGRR value (red in the low byte) as the toolkit's setters that say so take it.
inline constexpr DWORD RGB(BYTE r, BYTE g, BYTE b) {
    return DWORD(r) | (DWORD(g) << 8) | (DWORD(b) << 16);
}
inline constexpr BYTE GetRValue(DWORD c) {
    return BYTE(c);
}
inline constexpr BYTE GetGValue(DWORD c) {
    return BYTE(c >> 8);
}
inline constexpr BYTE GetBValue(DWORD c) {
    return BYTE(c >> 16);
}

// An ARGB colour value as the drawing calls take it.
struct Color {
    DWORD argb = 0xFF000000;
    Color() = default;
    Color(DWORD value) : argb(value) {}  // NOLINT(google-explicit-constructor)
    Color(BYTE a, BYTE r, BYTE g, BYTE b) : argb(MakeARGB(a, r, g, b)) {}
    DWORD GetValue() const { return argb; }
    BYTE GetA() const { return ColorA(argb); }
    BYTE GetR() const { return ColorR(argb); }
    BYTE GetG() const { return ColorG(argb); }
    BYTE GetB() const { return ColorB(argb); }
    bool operator==(const Color& o) const { return argb == o.argb; }
};

class Surface;
struct NativeWindow;
struct Font;
struct CursorHandle;

using HWND = NativeWindow*;
// A drawing target: the frame buffer of a paint or a control's cache.
using HDC = Surface*;
using HBITMAP = Surface*;
using HICON = Surface*;
using HFONT = Font*;
using HCURSOR = const CursorHandle*;
using HINSTANCE = void*;
using HMENU = void*;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::uint64_t time = 0;
    POINT pt;
};

struct CREATESTRUCTW {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    long style = 0;
    const wchar_t* lpszName = nullptr;
    const wchar_t* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

}  // namespace DUI
