#include "tessel/controls/range_controls.h"

#include "state_cache.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

constexpr DWORD kTrackColor = 0xFF3A3D42;

void DrawArrow(Graphics& g, const CRect& r, bool up, DWORD color) {
    const float cx = static_cast<float>(r.left + r.right) / 2;
    const float cy = static_cast<float>(r.top + r.bottom) / 2;
    const float d = up ? -2.5f : 2.5f;
    g.DrawLine(cx - 4, cy - d, cx, cy + d, color, 1.5f);
    g.DrawLine(cx, cy + d, cx + 4, cy - d, color, 1.5f);
}

}  // namespace

// ---- MSlider ----

MSlider::MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_thumb.Load(L"img_slider_bar.png", 4);
    m_state = enabled ? 0 : 3;
}

MSlider::~MSlider() {
    if (PaintManager* manager = GetManager()) {
        manager->KillTimer(this);
    }
}

int MSlider::SetThumbImage(const wchar_t* file, int count) {
    if (!m_thumb.Load(file, count)) {
        return 0;
    }
    UpdateControl(1, 0);
    return 1;
}

int MSlider::SetProgress(int value) {
    const int offset = value - m_min;
    if (offset >= 0 && offset <= m_max - m_min && offset != m_offset) {
        m_offset = offset;
        UpdateControl(1, 0);
    }
    return m_offset;
}

void MSlider::SetMaxProgress(int max) {
    m_max = std::max(max, m_min.load());
    m_offset = std::clamp(m_offset.load(), 0, m_max - m_min);
    UpdateControl(1, 0);
}

void MSlider::SetMinProgress(int min) {
    m_min = std::min(min, m_max.load());
    m_offset = std::clamp(m_offset.load(), 0, m_max - m_min);
    UpdateControl(1, 0);
}

void MSlider::SetShowText(int show) {
    m_showText = show;
    UpdateControl(1, 0);
}

void MSlider::SetScale(int scale) {
    m_scale = scale == 0 ? 1 : scale;
    UpdateControl(1, 0);
}

int MSlider::ThumbWidth() const {
    return m_thumb.Loaded() ? m_thumb.FrameWidth() : 12;
}

CRect MSlider::GetThumbRect() const {
    const CRect r = GetRect();
    const int tw = ThumbWidth();
    const int th = m_thumb.Loaded() ? m_thumb.FrameHeight() : 12;
    const int span = std::max(1, m_max - m_min);
    const int travel = std::max(0, r.Width() - tw);
    const int x = r.left + static_cast<int>(static_cast<long long>(travel) *
                                            std::clamp(m_offset.load(), 0, span) / span);
    const int y = r.top + (r.Height() - th) / 2;
    return CRect(x, y, x + tw, y + th);
}

void MSlider::MoveThumbPos(CPoint point) {
    const CRect r = GetRect();
    const int tw = ThumbWidth();
    const int travel = std::max(1, r.Width() - tw);
    const int span = m_max - m_min;
    const int at = std::clamp(point.x - r.left - tw / 2, 0, travel);
    const int offset = static_cast<int>((static_cast<long long>(at) * span + travel / 2) / travel);
    if (m_offset.exchange(offset) != offset) {
        UpdateControl(1, 0);
    }
}

void MSlider::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        CRect thumb = GetThumbRect();
        thumb.OffsetRect(-r.left, -r.top);
        const int trackH = 6;
        const CRect track(ThumbWidth() / 2, (r.Height() - trackH) / 2, r.Width() - ThumbWidth() / 2,
                          (r.Height() + trackH) / 2);
        if (ImgResInfo* info = GetImageInfo(); info != nullptr && info->image) {
            const int frames = std::max(1, GetImageCount());
            const int fw = info->image->GetWidth() / frames;
            const int fh = info->image->GetHeight();
            const CRect t(track.left, (r.Height() - fh) / 2, track.right, (r.Height() + fh) / 2);
            MRender::DrawImageFrame(g, info->image.get(), t, 0, 0, fw, fh, std::min(4, fh / 2));
            if (frames > 1) {
                const CRect filled(t.left, t.top, (thumb.left + thumb.right) / 2, t.bottom);
                MRender::DrawImageFrame(g, info->image.get(), filled, fw, 0, fw, fh,
                                        std::min(4, fh / 2));
            }
        } else {
            g.RoundRect(static_cast<float>(track.left), static_cast<float>(track.top),
                        static_cast<float>(track.Width()), static_cast<float>(track.Height()), 3, 0,
                        0, true, kTrackColor);
            const int fill = (thumb.left + thumb.right) / 2 - track.left;
            if (fill > 0) {
                g.RoundRect(static_cast<float>(track.left), static_cast<float>(track.top),
                            static_cast<float>(fill), static_cast<float>(track.Height()), 3, 0, 0,
                            true, IsEnabled() ? Manager::GetSelectColor().argb : 0xFF5A5A5A);
            }
        }
        const int state = !IsEnabled() ? 3 : m_state.load();
        if (m_thumb.Loaded()) {
            m_thumb.Draw(g, std::min(state, m_thumb.Count() - 1), thumb);
        } else {
            g.FillEllipse(static_cast<float>(thumb.left), static_cast<float>(thumb.top),
                          static_cast<float>(thumb.Width()), static_cast<float>(thumb.Height()),
                          0xFFE6E6E6);
        }
        if (m_showText) {
            TextFormat f;
            f.hAlign = DT_CENTER;
            f.vAlign = DT_BOTTOM;
            g.DrawString(std::to_wstring(GetProgress() * m_scale),
                         CRect(thumb.left - 20, 0, thumb.right + 20, thumb.top), MakeFont(),
                         GetTextColor(), f);
        }
    }
    EndCachedDraw(hdc);
}

int MSlider::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    if (m_state == 2) {
        MoveThumbPos(point);
        return 1;
    }
    const int hover = GetThumbRect().PtInRect(point) ? 1 : 0;
    if (m_state.exchange(hover) != hover) {
        UpdateControl(1, 0);
    }
    return GetRect().PtInRect(point) ? 1 : 0;
}

int MSlider::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    if (!GetThumbRect().PtInRect(point)) {
        MoveThumbPos(point);
    }
    m_state = 2;
    UpdateControl(1, 0);
    if (PaintManager* manager = GetManager()) {
        manager->SetTimer(this, kDragTimer, kDragPollMs);
    }
    return 1;
}

int MSlider::OnControlLButtonUp(unsigned, CPoint point) {
    if (m_state != 2) {
        return 0;
    }
    if (PaintManager* manager = GetManager()) {
        manager->KillTimer(this, kDragTimer);
    }
    m_state = GetThumbRect().PtInRect(point) ? 1 : 0;
    UpdateControl(1, 0);
    SendMessageW(2, static_cast<unsigned>(GetProgress()), 0);
    return 1;
}

int MSlider::OnControlTimer() {
    if (m_state != 2) {
        return 0;
    }
    // The pointer may have left the window while dragging: follow where it is now.
    PaintManager* manager = GetManager();
    POINT p;
    if (manager == nullptr || manager->GetPaintWnd() == nullptr || !GetCursorPos(&p)) {
        return 0;
    }
    ScreenToClient(manager->GetPaintWnd(), &p);
    MoveThumbPos(p);
    return 1;
}

int MSlider::OnControlScroll(int, unsigned direction, CPoint) {
    if (!IsEnabled()) {
        return 0;
    }
    const int before = GetProgress();
    SetProgress(before + (direction == 1 ? -1 : 1));
    if (GetProgress() != before) {
        SendMessageW(2, static_cast<unsigned>(GetProgress()), 0);
    }
    return 1;
}

void MSlider::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    m_state = enabled ? 0 : 3;
}

// ---- MSpinButton ----

MSpinButton::MSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, visible, enabled, 1) {
    m_scrollEnabled = 0;
    m_edit = new MEdit(this, id, CRect(rect.left, rect.top, rect.right - 18, rect.bottom), L"0", 1,
                       enabled);
    m_edit->SetNumberOnly(1);
    m_edit->SetLimitText(6);
    m_edit->SetAlignment(1);
    m_edit->SetTextColor(0xFFE6E6E6);
    AppendChild(m_edit, 1);
}

void MSpinButton::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    if (m_edit != nullptr) {
        m_edit->SetControlRect(CRect(rect.left, rect.top, rect.right - 18, rect.bottom));
    }
}

CRect MSpinButton::UpRect() const {
    const CRect r = GetRect();
    return CRect(r.right - 18, r.top, r.right, r.top + r.Height() / 2);
}

CRect MSpinButton::DownRect() const {
    const CRect r = GetRect();
    return CRect(r.right - 18, r.top + r.Height() / 2, r.right, r.bottom);
}

int MSpinButton::SetCurValue(int value) {
    value = std::clamp(value, m_min.load(), m_max.load());
    const int before = m_value.exchange(value);
    m_edit->SetEditText(std::to_wstring(value).c_str());
    if (before != value) {
        UpdateControl(1, 0);
        SendMessageW(28, 0, 0);
    }
    return value;
}

void MSpinButton::SetRange(int low, int high) {
    if (low > high) {
        std::swap(low, high);
    }
    m_min = low;
    m_max = high;
    SetCurValue(m_value);
}

void MSpinButton::SetLimitLength(int length) {
    m_edit->SetLimitText(length);
}

int MSpinButton::CalcValue(int delta) {
    return SetCurValue(m_value + delta);
}

long MSpinButton::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (id == GetControlID() && code == 29) {
        const CString text = m_edit->GetEditText();
        SetCurValue(text.empty() ? m_min.load() : WToI(text.c_str()));
        return 0;
    }
    if (id == GetControlID() && (code == 26 || code == 30 || code == 1 || code == 2)) {
        return 0;
    }
    return MPanel::OnMessage(id, code, wParam, lParam);
}

int MSpinButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    if (UpRect().PtInRect(point)) {
        CalcValue(1);
        return 1;
    }
    if (DownRect().PtInRect(point)) {
        CalcValue(-1);
        return 1;
    }
    return 0;
}

int MSpinButton::OnControlScroll(int, unsigned direction, CPoint) {
    if (!IsEnabled()) {
        return 0;
    }
    CalcValue(direction == 1 ? -1 : 1);
    return 1;
}

void MSpinButton::DrawControl(HDC& hdc, CRect) {
    if (hdc == nullptr) {
        return;
    }
    Graphics g(hdc);
    g.FillRect(UpRect(), 0xFF2E3136);
    g.FillRect(DownRect(), 0xFF2A2D31);
    DrawArrow(g, UpRect(), true, IsEnabled() ? 0xFFC8C8C8 : 0xFF606060);
    DrawArrow(g, DownRect(), false, IsEnabled() ? 0xFFC8C8C8 : 0xFF606060);
}

// ---- MProgress ----

MProgress::MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {
    m_frameCount = 2;
    m_textColor = 0xFF808080;
    m_runTimer = 1;
}

int MProgress::SetBackGroundImage(const wchar_t* file) {
    const bool ok = m_backImage.Load(file, 1);
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}
int MProgress::SetBackGroundImage(unsigned id, CString type) {
    const bool ok = m_backImage.Load(id, type, 1);
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}
int MProgress::SetForeGroundImage(const wchar_t* file) {
    const bool ok = m_foreImage.Load(file, 1);
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}
int MProgress::SetForeGroundImage(unsigned id, CString type) {
    const bool ok = m_foreImage.Load(id, type, 1);
    UpdateControl(1, 0);
    return ok ? 1 : 0;
}

void MProgress::SetProgress(int progress) {
    progress = std::clamp(progress, 0, m_max.load());
    if (m_progress.exchange(progress) != progress) {
        UpdateControl(1, 0);
    }
}

void MProgress::SetMaxProgress(int max) {
    m_max = std::max(1, max);
    m_progress = std::min(m_progress.load(), m_max.load());
    UpdateControl(1, 0);
}

void MProgress::EnableShowText(int show) {
    m_showText = show;
    UpdateControl(1, 0);
}

int MProgress::SetRun(int run, int progress) {
    if (!IsEnabled()) {
        return 0;
    }
    m_run = run ? 1 : 0;
    m_ticks = 0;
    if (progress >= 0 && progress <= m_max) {
        m_progress = progress;
    }
    if (run) {
        AddMTimer();
    }
    UpdateControl(1, 0);
    return 1;
}

int MProgress::OnControlTimer() {
    if (!m_run) {
        return 0;
    }
    if (++m_ticks % 3 != 0) {
        return 0;
    }
    const int next = m_progress + 1;
    m_progress = next >= m_max ? 0 : next;
    UpdateControl(1, 0);
    return 1;
}

void MProgress::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const CRect local(0, 0, r.Width(), r.Height());
        const int border = std::min(4, r.Height() / 2);
        if (m_backImage.Loaded()) {
            m_backImage.DrawNine(g, 0, local, border, border, border, border);
        } else {
            g.FillRect(local, m_backColor);
        }
        const int width = static_cast<int>(static_cast<long long>(r.Width()) * m_progress /
                                           std::max(1, m_max.load()));
        if (width > 0) {
            const CRect bar(0, 0, width, r.Height());
            if (m_foreImage.Loaded()) {
                m_foreImage.DrawNine(g, 0, bar, std::min(border, width / 2), border,
                                     std::min(border, width / 2), border);
            } else {
                g.FillRect(bar,
                           m_barColor != 0 ? m_barColor.load() : Manager::GetSelectColor().argb);
            }
        }
        if (m_showText) {
            TextFormat f;
            f.hAlign = DT_CENTER;
            f.vAlign = DT_VCENTER;
            g.DrawString(std::to_wstring(m_progress * 100 / std::max(1, m_max.load())) + L"%",
                         local, MakeFont(), GetTextColor(), f);
        }
    }
    EndCachedDraw(hdc);
}

void MProgress2::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const int textW = m_showText ? 44 : 0;
        const float h = static_cast<float>(std::min(8, r.Height()));
        const float y = (static_cast<float>(r.Height()) - h) / 2;
        const float w = static_cast<float>(r.Width() - textW);
        g.RoundRect(0, y, w, h, h / 2, 0, 0, true, 0xFF303338);
        const float fill =
            w * static_cast<float>(m_progress) / static_cast<float>(std::max(1, m_max.load()));
        if (fill >= 1) {
            g.RoundRect(0, y, std::max(fill, h), h, h / 2, 0, 0, true,
                        m_barColor != 0 ? m_barColor.load() : Manager::GetSelectColor().argb);
        }
        if (m_showText) {
            TextFormat f;
            f.hAlign = DT_RIGHT;
            f.vAlign = DT_VCENTER;
            g.DrawString(std::to_wstring(m_progress * 100 / std::max(1, m_max.load())) + L"%",
                         CRect(r.Width() - textW, 0, r.Width(), r.Height()), MakeFont(),
                         GetTextColor(), f);
        }
    }
    EndCachedDraw(hdc);
}

// ---- MLevelCtrl ----

MLevelCtrl::MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

int MLevelCtrl::SetLevelValue(int value) {
    value = std::clamp(value, m_min.load(), m_max.load());
    if (m_level.exchange(value) != value) {
        UpdateControl(1, 0);
    }
    return value;
}

void MLevelCtrl::SetRangeValue(int min, int max) {
    if (min > max) {
        std::swap(min, max);
    }
    m_min = min;
    m_max = max;
    SetLevelValue(m_level);
    UpdateControl(1, 0);
}

int MLevelCtrl::LevelAt(CPoint point) const {
    const CRect r = GetRect();
    const int count = m_max - m_min + 1;
    const int segment = std::max(1, r.Width() / std::max(1, count));
    return std::clamp(m_min + (point.x - r.left) / segment, m_min.load(), m_max.load());
}

void MLevelCtrl::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const int count = m_max - m_min + 1;
        const int segment = r.Width() / std::max(1, count);
        for (int i = 0; i < count; ++i) {
            const CRect box(i * segment + 1, 2, (i + 1) * segment - 2, r.Height() - 2);
            const bool lit = m_min + i <= m_level;
            g.RoundRect(
                static_cast<float>(box.left), static_cast<float>(box.top),
                static_cast<float>(box.Width()), static_cast<float>(box.Height()), 2, 0, 0, true,
                lit ? (IsEnabled() ? Manager::GetSelectColor().argb : 0xFF6A6A6A) : 0xFF34373C);
        }
    }
    EndCachedDraw(hdc);
}

int MLevelCtrl::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressing = 1;
    return 1;
}

int MLevelCtrl::OnControlLButtonUp(unsigned, CPoint point) {
    if (m_pressing.exchange(0) == 0 || !GetRect().PtInRect(point)) {
        return 0;
    }
    SetLevelValue(LevelAt(point));
    SendMessageW(2, static_cast<unsigned>(m_level.load()), 0);
    return 1;
}

}  // namespace DUI

namespace {
constexpr unsigned kBoth = DUI::kWindowFactory | DUI::kContainerFactory;
}  // namespace

TESSEL_REGISTER_CONTROL(MSlider, L"MSlider", kBoth, new DUI::MSlider(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(MSpinButton, L"MSpinButton", kBoth, new DUI::MSpinButton(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(MProgress, L"MProgress", kBoth, new DUI::MProgress(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(MProgress2, L"MProgress2", DUI::kWindowFactory,
                        new DUI::MProgress2(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(MLevelCtrl, L"MLevelCtrl", kBoth, new DUI::MLevelCtrl(p, id, r, v, e))
