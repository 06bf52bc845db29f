#pragma once
// Small helpers the device widgets share: colour byte orders, the clock in milliseconds, text
// layouts and the two pointer cursors.

#include <chrono>
#include <string>

#include "tessel/controls/medit.h"
#include "tessel/core/paint_manager.h"
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

// Makes an owner's in-place edit the window's focus before it opens. Were the owner to keep
// the focus, the edit's own hand-over would take it from the owner, and an owner losing the
// focus takes it from its children, closing the edit as it opens.
inline void FocusInlineEdit(MControl& owner, MEdit& edit) {
    PaintManager* manager = owner.GetManager();
    if (manager == nullptr) {
        return;
    }
    MControl* previous = manager->GetFocusControl();
    if (previous != nullptr && previous != &owner && previous != &edit) {
        previous->SetControlFocus(0);
    }
    manager->SetFocusRecord(&edit);
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
