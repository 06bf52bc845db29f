#pragma once
// Small helpers the device widgets share: colour byte orders, the clock in milliseconds, text
// layouts and the two pointer cursors.

#include <chrono>
#include <string>

#include "tessel/platform/surface.h"
#include "tessel/platform/window.h"

namespace DUI::widgets {

// 0x00BBGGRR (the order item colours are stored in) to opaque ARGB, and back.
inline DWORD BgrToArgb(DWORD bgr) {
    return MakeARGB(0xFF, GetRValue(bgr), GetGValue(bgr), GetBValue(bgr));
}
inline DWORD ArgbToBgr(DWORD argb) {
    return RGB(ColorR(argb), ColorG(argb), ColorB(argb));
}

inline long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               PlatformClock().now().time_since_epoch())
        .count();
}

inline TextFormat Layout(UINT h, bool ellipsis = true) {
    TextFormat f;
    f.hAlign = h;
    f.vAlign = DT_VCENTER;
    f.ellipsis = ellipsis;
    return f;
}

inline std::wstring Number(int value) {
    return std::to_wstring(value);
}

inline void HandCursor() {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
}
inline void ArrowCursor() {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

// The largest rectangle of the image's aspect inside box, centred.
inline CRect FitInside(int imageWidth, int imageHeight, const CRect& box) {
    if (imageWidth <= 0 || imageHeight <= 0 || box.IsRectEmpty()) {
        return CRect();
    }
    const double sx = static_cast<double>(box.Width()) / imageWidth;
    const double sy = static_cast<double>(box.Height()) / imageHeight;
    const double s = sx < sy ? sx : sy;
    const int w = static_cast<int>(imageWidth * s);
    const int h = static_cast<int>(imageHeight * s);
    const int x = box.left + (box.Width() - w) / 2;
    const int y = box.top + (box.Height() - h) / 2;
    return CRect(x, y, x + w, y + h);
}

}  // namespace DUI::widgets
