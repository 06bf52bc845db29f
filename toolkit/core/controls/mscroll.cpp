#include "tessel/controls/mscroll.h"

#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/resources.h"

namespace DUI {
namespace {

constexpr int kThumbEnd = 2;
constexpr int kMinThumb = 12;

// Every panel gets its two bars from here.
const bool kScrollBarsInstalled = [] {
    MPanel::SetScrollBarMaker([](MPanel* panel, bool vertical) -> MControl* {
        const CRect r = panel->GetRect();
        if (vertical) {
            return new CScrollVertical(panel, 1, CRect(r.right - 5, r.top, r.right, r.bottom), 0);
        }
        return new CScrollHorizontal(panel, 2, CRect(r.left, r.bottom - 5, r.right, r.bottom), 0);
    });
    return true;
}();

}  // namespace

MScroll::MScroll(MObject* parent, unsigned id, CRect rect, int visible, int enabled, bool vertical)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1), m_vertical(vertical) {
    (void)kScrollBarsInstalled;
    m_thumb.Load(vertical ? kScrollVerticalResource : kScrollHorizontalResource, L"PNG", 1, false);
}

int MScroll::SetImage(const wchar_t* file) {
    if (!m_thumb.Load(file, 1)) {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

int MScroll::SetImage(unsigned id, CString type) {
    if (!m_thumb.Load(id, type, 1) && !m_thumb.Load(id, type, 1, false)) {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

void MScroll::SetScrollMaxRange(int range) {
    m_range = std::max(0, range);
    m_pos = std::clamp(m_pos.load(), 0, m_range.load());
    UpdateControl(1, 0);
}

bool MScroll::MoveTo(int pos) {
    pos = std::clamp(pos, 0, m_range.load());
    if (m_pos.exchange(pos) == pos) {
        return false;
    }
    UpdateControl(1, 0);
    if (auto* panel = dynamic_cast<MPanel*>(GetParantObject())) {
        panel->OnScrollBarMoved();
    }
    return true;
}

void MScroll::SetScrollCurrentPos(int pos) {
    MoveTo(pos);
}

void MScroll::SetScrollCurrentPosEx(int pos) {
    if (MoveTo(pos)) {
        SendMessageW(8, m_pos, 0);
    }
}

void MScroll::SetScrollFinalPos(int pos) {
    m_final = std::clamp(pos, 0, m_range.load());
}

void MScroll::SetScrollSize(int size) {
    m_size = std::max(0, size);
    UpdateControl(1, 0);
}

void MScroll::SetScrollInfo(int range, int size, int pos) {
    m_range = std::max(0, range);
    m_size = std::max(0, size);
    MoveTo(pos);
    UpdateControl(1, 0);
}

void MScroll::ScrollRow(int rows) {
    MoveRange(rows * kStep);
}

void MScroll::MoveRange(int delta) {
    MoveTo(m_pos + delta);
    SendMessageW(8, m_pos, 0);
}

void MScroll::SetPanelExtent(int range, int view) {
    m_view = view;
    const bool show = range > view;
    m_range = show ? range : 0;
    m_size = view;
    if (!show) {
        m_pos = 0;
    } else {
        m_pos = std::clamp(m_pos.load(), 0, range);
    }
    SetUpdate(0, 0);
    SetVisible(show ? 1 : 0, 1);
}

int MScroll::GetPanelOffset() const {
    const int range = m_range;
    const int overflow = range - m_view;
    if (range <= 0 || overflow <= 0) {
        return 0;
    }
    return static_cast<int>(static_cast<long long>(m_pos) * overflow / range);
}

int MScroll::StepPanel(unsigned direction) {
    if (m_range <= 0) {
        return 0;
    }
    return MoveTo(m_pos + (direction == 1 ? kStep : -kStep)) ? 1 : 0;
}

CRect MScroll::GetThumbRect() const {
    const CRect r = GetRect();
    const int length = m_vertical ? r.Height() : r.Width();
    const int range = m_range;
    int thumb = length;
    if (range > 0 && m_size > 0) {
        thumb = std::clamp(static_cast<int>(static_cast<long long>(length) * m_size / range),
                           kMinThumb, length);
    }
    const int offset =
        range > 0 ? static_cast<int>(static_cast<long long>(length - thumb) * m_pos / range) : 0;
    return m_vertical ? CRect(r.left, r.top + offset, r.right, r.top + offset + thumb)
                      : CRect(r.left + offset, r.top, r.left + offset + thumb, r.bottom);
}

void MScroll::DrawControl(HDC& hdc, CRect) {
    if (hdc == nullptr) {
        return;
    }
    Graphics g(hdc);
    const CRect thumb = GetThumbRect();
    const int state = !IsEnabled() ? 3 : m_dragging ? 2 : m_state.load();
    const Image* image = m_thumb.Get();
    if (image == nullptr) {
        g.FillRect(thumb, 0xFF5A5D62);
        return;
    }
    // Vertical strip: four columns side by side; horizontal: four rows stacked.
    if (m_vertical) {
        const int fw = image->GetWidth() / 4;
        MRender::DrawImageFrameMID(g, image, thumb, state * fw, 0, fw, image->GetHeight(), 0,
                                   kThumbEnd, 0, kThumbEnd);
    } else {
        const int fh = image->GetHeight() / 4;
        MRender::DrawImageFrameMID(g, image, thumb, 0, state * fh, image->GetWidth(), fh, kThumbEnd,
                                   0, kThumbEnd, 0);
    }
}

int MScroll::PosFromPoint(CPoint point) const {
    const CRect r = GetRect();
    const CRect thumb = GetThumbRect();
    const int length = m_vertical ? r.Height() : r.Width();
    const int thumbLength = m_vertical ? thumb.Height() : thumb.Width();
    const int travel = length - thumbLength;
    if (travel <= 0) {
        return 0;
    }
    const int at = (m_vertical ? point.y - r.top : point.x - r.left) - m_dragGrab;
    return static_cast<int>(static_cast<long long>(at) * m_range / travel);
}

int MScroll::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    if (m_dragging) {
        if (MoveTo(PosFromPoint(point))) {
            SendMessageW(8, m_pos, 0);
        }
        return 1;
    }
    const int hover = GetThumbRect().PtInRect(point) ? 1 : 0;
    if (m_state.exchange(hover) != hover) {
        UpdateControl(0, 0);
    }
    return GetRect().PtInRect(point) ? 1 : 0;
}

int MScroll::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    const CRect thumb = GetThumbRect();
    if (thumb.PtInRect(point)) {
        m_dragGrab = m_vertical ? point.y - thumb.top : point.x - thumb.left;
        m_dragging = 1;
        UpdateControl(0, 0);
        return 1;
    }
    // A press on the track pages towards the point.
    const bool before = m_vertical ? point.y < thumb.top : point.x < thumb.left;
    const int page = std::max(kStep, m_size.load());
    if (MoveTo(m_pos + (before ? -page : page))) {
        SendMessageW(8, m_pos, 0);
    }
    return 1;
}

int MScroll::OnControlLButtonUp(unsigned, CPoint) {
    if (m_dragging.exchange(0)) {
        UpdateControl(0, 0);
        return 1;
    }
    return 0;
}

int MScroll::OnControlScroll(int, unsigned direction, CPoint) {
    if (!IsEnabled() || m_range <= 0) {
        return 0;
    }
    if (MoveTo(m_pos + (direction == 1 ? kStep : -kStep))) {
        SendMessageW(8, m_pos, 0);
    }
    return 1;
}

// ---- the scrolling of MPanel ----

void MPanel::UpdateScrollBars() {
    const CRect rect = GetRect();
    int width = 0;
    int height = 0;
    {
        std::lock_guard lock(m_controlLock);
        for (MControl* child : m_controls) {
            if (child == m_scrollV || child == m_scrollH) {
                continue;
            }
            const CRect r = child->GetRect();
            width = std::max(width, r.right - rect.left);
            height = std::max(height, r.bottom - rect.top);
        }
    }
    m_virtualWidth = width;
    m_virtualHeight = height;
    const bool enabled = m_scrollEnabled != 0;
    if (auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollV)) {
        bar->SetPanelExtent(enabled ? height : 0, rect.Height());
    }
    if (auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollH)) {
        bar->SetPanelExtent(enabled ? width : 0, rect.Width());
    }
    OnScrollBarMoved();
}

void MPanel::OnScrollBarMoved() {
    int x = 0;
    int y = 0;
    if (auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollH)) {
        x = bar->GetPanelOffset();
    }
    if (auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollV)) {
        y = bar->GetPanelOffset();
    }
    SetScrollOffset(x, y);
}

int MPanel::OnControlScroll(int, unsigned direction, CPoint) {
    if (!m_scrollEnabled || m_virtualHeight <= GetRect().Height()) {
        return 0;
    }
    auto* bar = dynamic_cast<PanelScrollBar*>(m_scrollV);
    return bar != nullptr ? (bar->StepPanel(direction), 1) : 0;
}

int MPanel::DrawSubControls(HDC& hdc, CRect paint) {
    const CRect rect = GetRect();
    const bool overflow = m_virtualWidth > rect.Width() || m_virtualHeight > rect.Height();
    if (hdc == nullptr || !overflow || rect.IsRectEmpty()) {
        return MControl::DrawSubControls(hdc, paint);
    }
    // Content is drawn at its own coordinates into a scratch surface, then the visible window of
    // it is copied into the panel: children never paint outside the panel.
    const int dx = m_scrollX;
    const int dy = m_scrollY;
    Surface scratch(rect.right + dx, rect.bottom + dy);
    scratch.CopyFrom(*hdc, rect, rect.left + dx, rect.top + dy);
    HDC target = &scratch;
    CRect contentPaint = paint;
    contentPaint.OffsetRect(dx, dy);
    std::vector<MControl*> bars;
    {
        std::lock_guard lock(m_controlLock);
        for (MControl* child : m_controls) {
            if (child == m_scrollV || child == m_scrollH) {
                bars.push_back(child);
                continue;
            }
            if (child->IsVisible()) {
                child->Draw(target, contentPaint);
            }
        }
    }
    hdc->CopyFrom(scratch, CRect(rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy),
                  rect.left, rect.top);
    for (MControl* bar : bars) {
        bar->Draw(hdc, paint);
    }
    return 1;
}

}  // namespace DUI
