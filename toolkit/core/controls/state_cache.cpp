#include "state_cache.h"

#include <algorithm>

#include "tessel/platform/window.h"

namespace DUI {

void DrawStates(MControl& control, HDC& frame, int states, int current,
                const StateRenderer& render) {
    if (frame == nullptr) {
        return;
    }
    const CRect rect = control.GetRect();
    const int w = std::max(1, rect.Width());
    const int h = std::max(1, rect.Height());
    states = std::max(1, states);
    current = std::clamp(current, 0, states - 1);
    Surface* mem = control.GetMemDC();
    if (!control.GetUpdate() || mem == nullptr || mem->GetWidth() != w * states ||
        mem->GetHeight() != h) {
        control.UpdateMemDC(frame, w * states, h);
        mem = control.GetMemDC();
        for (int i = 0; i < states; ++i) {
            mem->CopyFrom(*frame, rect, i * w, 0);
        }
        Graphics g(mem);
        for (int i = 0; i < states; ++i) {
            const CRect slot(i * w, 0, (i + 1) * w, h);
            g.SetClip(slot);
            render(g, i, slot);
            g.ResetClip();
        }
    }
    frame->CopyFrom(*mem, CRect(current * w, 0, (current + 1) * w, h), rect.left, rect.top);
}

void UseHandCursor() {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
}
void UseArrowCursor() {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace DUI
