#include "tessel/controls/buttons.h"

#include "state_cache.h"
#include "tessel/controls/air_bladder.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mrender.h"
#include "tessel/core/paint_manager.h"

namespace DUI {
namespace {

constexpr DWORD kDisabledText = 0xFF808080;

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               PlatformClock().now().time_since_epoch())
        .count();
}

TextFormat Centred() {
    TextFormat f;
    f.hAlign = DT_CENTER;
    f.vAlign = DT_VCENTER;
    return f;
}

// The siblings a control's radio group is made of: its owner's control list.
std::vector<MControl*> Siblings(MControl& control) {
    MObject* parent = control.GetParantObject();
    if (auto* owner = dynamic_cast<MControl*>(parent)) {
        std::lock_guard lock(owner->ControlLock());
        return owner->GetControls();
    }
    if (PaintManager* manager = control.GetManager()) {
        std::lock_guard lock(manager->ControlLock());
        return manager->GetControls();
    }
    return {};
}

}  // namespace

int ResetRadioGroup(MControl& control, const CString& group) {
    const wchar_t* cls = control.GetClassNameW();
    int count = 0;
    for (MControl* sibling : Siblings(control)) {
        if (sibling == &control || !sibling->IsClass(cls)) {
            continue;
        }
        auto* member = dynamic_cast<RadioMember*>(sibling);
        if (member == nullptr || member->GetGroupName() != group) {
            continue;
        }
        member->SetControlCheck(0);
        sibling->UpdateControl(0, 0);
        ++count;
    }
    return count;
}

// ---- MButton ----

MButton::MButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption, int visible,
                 int enabled)
    : MControlFont(parent, id, rect, caption, visible, enabled, 1) {
    m_tabStop = 1;
    m_state = enabled ? 0 : 3;
}

int MButton::SetIconImage(const wchar_t* file, int count) {
    if (!m_icon.Load(file, count)) {
        return 0;
    }
    SetUpdate(0, 0);
    UpdateControl(1, 0);
    return 1;
}

void MButton::SetState(int state) {
    if (m_state.exchange(state) != state) {
        UpdateControl(0, 0);
    }
}

CRect MButton::LocalRect(const CRect& r, const CRect& slot) const {
    if (r.IsRectEmpty()) {
        return slot;
    }
    const CRect own = GetRect();
    CRect local = r;
    local.OffsetRect(slot.left - own.left, slot.top - own.top);
    return local;
}

void MButton::RenderState(Graphics& g, int state, const CRect& slot) {
    if (ImgResInfo* info = GetImageInfo(); info != nullptr && info->image) {
        const int frames = std::max(1, GetImageCount());
        const int frame = std::min(state, frames - 1);
        const int fw = info->image->GetWidth() / frames;
        MRender::DrawImageFrame(g, info->image.get(), slot, frame * fw, 0, fw,
                                info->image->GetHeight(), m_frameSize);
    }
    if (m_icon.Loaded()) {
        const CRect iconRect = m_iconRect.IsRectEmpty()
                                   ? CRect(slot.left + (slot.Width() - m_icon.FrameWidth()) / 2,
                                           slot.top + (slot.Height() - m_icon.FrameHeight()) / 2,
                                           slot.left + (slot.Width() + m_icon.FrameWidth()) / 2,
                                           slot.top + (slot.Height() + m_icon.FrameHeight()) / 2)
                                   : LocalRect(m_iconRect, slot);
        m_icon.Draw(g, std::min(state, m_icon.Count() - 1), iconRect);
    }
    CRect text = LocalRect(m_textRect, slot);
    if (state == 2) {
        text.OffsetRect(1, 1);
    }
    g.DrawString(GetTitle(), text, MakeFont(), state == 3 ? kDisabledText : GetTextColor(),
                 Centred());
}

void MButton::DrawControl(HDC& hdc, CRect) {
    DrawStates(*this, hdc, StateCount(), CurrentSlot(),
               [this](Graphics& g, int state, const CRect& slot) { RenderState(g, state, slot); });
}

int MButton::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled() || m_pressedInside) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    if (inside) {
        UseHandCursor();
    } else {
        UseArrowCursor();
    }
    const int before = m_state;
    SetState(inside ? 1 : 0);
    if ((before == 1) != inside) {
        OnHoverChanged(inside);
    }
    return inside ? 1 : 0;
}

int MButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    UseHandCursor();
    if (m_state == 1) {
        OnHoverChanged(false);
    }
    SetState(2);
    SendMessageW(1, 0, 0);
    return 1;
}

int MButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    if (GetRect().PtInRect(point)) {
        const bool wasPressed = m_state == 2;
        SetState(1);
        if (wasPressed) {
            SendMessageW(2, 0, 0);
        }
        return 1;
    }
    SetState(0);
    return 0;
}

int MButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifier) {
    if (!IsEnabled()) {
        return 0;
    }
    return MControlFont::OnControlKeyDown(key, repeat, modifier);
}

void MButton::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    m_state = enabled ? 0 : 3;
}

// ---- CImageButton ----

void CImageButton::OnHoverChanged(bool hover) {
    const int mode = m_balloonMode;
    PaintManager* manager = GetManager();
    if (mode == AIRBLADDER_MODE_NONE || manager == nullptr) {
        return;
    }
    if (!hover) {
        ShowAirBladder(manager, 0, GetControlID());
        return;
    }
    MAirBladder* balloon = GetAirBladder(manager);
    if (balloon == nullptr) {
        return;
    }
    const CRect r = GetRect();
    POINT anchor{mode == AIRBLADDER_MODE_LEFT ? r.left : r.right, (r.top + r.bottom) / 2};
    if (HWND hwnd = manager->GetPaintWnd()) {
        ClientToScreen(hwnd, &anchor);
    }
    // Type 1 opens to the right of the anchor, type 2 to its left.
    const AIRBLADDER_TYPE type =
        mode == AIRBLADDER_MODE_LEFT ? AIRBLADDER_RIGHT : AIRBLADDER_CENTER;
    if (type == AIRBLADDER_CENTER) {
        anchor.y -= 15;
    }
    balloon->SetAirBladderMsg(GetTitle().c_str(), anchor, type, static_cast<AIRBLADDER_MODE>(mode));
    SetAirBladderOwner(manager, GetControlID());
    ShowAirBladder(manager, 1, GetControlID());
}

// ---- LongPressButton ----

LongPressButton::LongPressButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                                 int visible, int enabled)
    : MButton(parent, id, rect, caption, visible, enabled) {
    m_runTimer = 1;
}

int LongPressButton::OnControlLButtonDown(unsigned flags, CPoint point) {
    const int result = MButton::OnControlLButtonDown(flags, point);
    if (result != 0) {
        m_lastMs = NowMs();
        m_timerActive = 1;
        AddMTimer();
    }
    return result;
}

int LongPressButton::OnControlLButtonUp(unsigned flags, CPoint point) {
    m_timerActive = 0;
    return MButton::OnControlLButtonUp(flags, point);
}

int LongPressButton::OnControlTimer() {
    if (!m_timerActive || m_state != 2) {
        return 0;
    }
    const long long now = NowMs();
    if (now - m_lastMs > 300) {
        m_lastMs = now;
        SendMessageW(32, 0, 0);
        return 1;
    }
    return 0;
}

// ---- CTextButton ----

CTextButton::CTextButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                         int visible, int enabled)
    : MControlFont(parent, id, rect, caption, visible, enabled, 1),
      m_colors{0, 0, 0, kDisabledText} {
    m_tabStop = 1;
    m_state = enabled ? 0 : 3;
}

void CTextButton::SetTextButtonColor(Color normal, Color hover, Color pressed, Color disabled) {
    m_colors[0] = normal.argb;
    m_colors[1] = hover.argb;
    m_colors[2] = pressed.argb;
    m_colors[3] = disabled.argb;
    m_colorsSet = true;
    SetUpdate(0, 0);
    UpdateControl(1, 0);
}

void CTextButton::DrawControl(HDC& hdc, CRect) {
    DrawStates(*this, hdc, 4, m_state, [this](Graphics& g, int state, const CRect& slot) {
        DWORD color;
        if (m_colorsSet) {
            color = m_colors[state];
        } else {
            const DWORD select = Manager::GetSelectColor().argb;
            const DWORD defaults[4] = {GetTextColor(), select, select, kDisabledText};
            color = defaults[state];
        }
        TextFormat f;
        f.hAlign = m_hAlign;
        f.vAlign = m_vAlign;
        g.DrawString(GetTitle(), slot, MakeFont(), color, f);
    });
}

int CTextButton::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled() || m_pressedInside) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    inside ? UseHandCursor() : UseArrowCursor();
    if (m_state.exchange(inside ? 1 : 0) != (inside ? 1 : 0)) {
        UpdateControl(0, 0);
    }
    return inside ? 1 : 0;
}

int CTextButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_state = 2;
    UpdateControl(0, 0);
    SendMessageW(1, 0, 0);
    return 1;
}

int CTextButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    const bool wasPressed = m_state == 2;
    m_state = inside ? 1 : 0;
    UpdateControl(0, 0);
    if (inside && wasPressed) {
        SendMessageW(2, 0, 0);
    }
    return inside ? 1 : 0;
}

void CTextButton::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    m_state = enabled ? 0 : 3;
}

// ---- CIconButton ----

CIconButton::CIconButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                         int visible, int enabled)
    : MButton(parent, id, rect, caption, visible, enabled) {
    m_hAlign = 1;
}

void CIconButton::SetTextRect(CRect text, CRect icon) {
    m_textRect = text;
    m_iconRect = icon;
    SetUpdate(0, 0);
}

void CIconButton::SetTextButtonColor(Color normal, Color hover, Color pressed, Color disabled) {
    m_colors[0] = normal.argb;
    m_colors[1] = hover.argb;
    m_colors[2] = pressed.argb;
    m_colors[3] = disabled.argb;
    SetUpdate(0, 0);
}

void CIconButton::RenderState(Graphics& g, int state, const CRect& slot) {
    if (ImgResInfo* info = GetImageInfo(); info != nullptr && info->image) {
        const int frames = std::max(1, GetImageCount());
        const int fw = info->image->GetWidth() / frames;
        MRender::DrawImageFrame(g, info->image.get(), slot, std::min(state, frames - 1) * fw, 0, fw,
                                info->image->GetHeight(), m_frameSize);
    }
    CRect iconRect = LocalRect(m_iconRect, slot);
    if (m_iconRect.IsRectEmpty()) {
        const int size = std::min(m_icon.FrameHeight(), slot.Height());
        iconRect =
            CRect(slot.left + 6, slot.top + (slot.Height() - size) / 2,
                  slot.left + 6 + m_icon.FrameWidth(), slot.top + (slot.Height() + size) / 2);
    }
    m_icon.Draw(g, std::min(state, m_icon.Count() - 1), iconRect);
    CRect text = m_textRect.IsRectEmpty()
                     ? CRect(iconRect.right + 4, slot.top, slot.right, slot.bottom)
                     : LocalRect(m_textRect, slot);
    TextFormat f;
    f.hAlign = m_hAlign;
    f.vAlign = DT_VCENTER;
    g.DrawString(GetTitle(), text, MakeFont(), m_colors[state], f);
}

// ---- CTimerButton ----

CTimerButton::CTimerButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                           int visible, int enabled)
    : MButton(parent, id, rect, caption, visible, enabled) {
    m_hAlign = 1;
    m_frameSize = 4;
    m_runTimer = 1;
}

int CTimerButton::SetRun(int run) {
    if (!IsEnabled()) {
        return 0;
    }
    m_running = run ? 1 : 0;
    m_startMs = NowMs();
    if (run) {
        AddMTimer();
    }
    UpdateControl(0, 0);
    return 1;
}

int CTimerButton::OnControlTimer() {
    if (!m_running) {
        return 0;
    }
    const long long elapsed = NowMs() - m_startMs;
    if (elapsed > kRunMs) {
        m_running = 0;
        UpdateControl(0, 0);
        SendMessageW(2, 0, 0);
        return 1;
    }
    if (elapsed > 800) {
        UpdateControl(0, 0);
    }
    return 1;
}

int CTimerButton::SetControlFocus(int focus) {
    m_hasFocus = focus;
    UpdateControl(0, 0);
    return MButton::SetControlFocus(focus);
}

void CTimerButton::DrawControl(HDC& hdc, CRect paint) {
    MButton::DrawControl(hdc, paint);
    if (!m_running || hdc == nullptr) {
        return;
    }
    // The remaining time as a bar along the bottom edge, shrinking towards the end of the run.
    const long long elapsed = std::clamp<long long>(NowMs() - m_startMs, 0, kRunMs);
    const CRect r = GetRect();
    const int width = static_cast<int>((r.Width() - 8) * (kRunMs - elapsed) / kRunMs);
    Graphics g(hdc);
    g.FillRect(CRect(r.left + 4, r.bottom - 4, r.left + 4 + width, r.bottom - 2),
               Manager::GetSelectColor().argb);
}

// ---- CHelpButton ----

CHelpButton::CHelpButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                         int visible, int enabled)
    : MButton(parent, id, rect, caption, visible, enabled) {
    m_frameCount = 1;
}

void CHelpButton::RenderState(Graphics& g, int, const CRect& slot) {
    if (ImgResInfo* info = GetImageInfo(); info != nullptr && info->image) {
        const Image* image = info->image.get();
        const int fw = image->GetWidth() / std::max(1, GetImageCount());
        const int x = slot.left + (slot.Width() - fw) / 2;
        const int y = slot.top + (slot.Height() - image->GetHeight()) / 2;
        g.DrawImage(image, CRect(x, y, x + fw, y + image->GetHeight()), 0, 0, fw,
                    image->GetHeight());
    }
}

void CHelpButton::OnHoverChanged(bool hover) {
    PaintManager* manager = GetManager();
    if (manager == nullptr) {
        return;
    }
    if (!hover) {
        if (GetAirBladderOwner(manager) == GetControlID()) {
            ShowAirBladder(manager, 0, GetControlID());
        }
        return;
    }
    MAirBladder* balloon = GetAirBladder(manager);
    if (balloon == nullptr) {
        return;
    }
    const CRect r = GetRect();
    POINT anchor{r.left + 20, r.top};
    if (HWND hwnd = manager->GetPaintWnd()) {
        ClientToScreen(hwnd, &anchor);
    }
    balloon->SetAirBladderMsg(GetTitle().c_str(), anchor, AIRBLADDER_BESIDE, AIRBLADDER_MODE_RIGHT);
    SetAirBladderOwner(manager, GetControlID());
    ShowAirBladder(manager, 1, GetControlID());
}

// ---- check-type buttons ----

CheckTypeButton::CheckTypeButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                                 int visible, int enabled)
    : MControlFont(parent, id, rect, caption, visible, enabled, 1) {
    m_frameCount = 8;
    m_vAlign = 4;
    m_textColor = 0xFFC8C8C8;
    m_state = enabled ? 0 : 3;
}

int CheckTypeButton::RestingState(bool inside) const {
    const bool checked = m_check != 0;
    return inside ? (checked ? 5 : 1) : (checked ? 4 : 0);
}

void CheckTypeButton::SetState(int state) {
    if (m_state.exchange(state) != state) {
        UpdateControl(0, 0);
    }
}

void CheckTypeButton::RenderState(Graphics& g, int state, const CRect& slot) {
    int boxWidth = 0;
    if (ImgResInfo* info = GetImageInfo(); info != nullptr && info->image) {
        const int frames = std::max(1, GetImageCount());
        const int fw = info->image->GetWidth() / frames;
        const int fh = info->image->GetHeight();
        const int y = slot.top + (slot.Height() - fh) / 2;
        g.DrawImage(info->image.get(), CRect(slot.left, y, slot.left + fw, y + fh),
                    std::min(state, frames - 1) * fw, 0, fw, fh);
        boxWidth = fw;
    }
    // The caption starts a third of the box width past the box.
    const CRect text(slot.left + boxWidth + (boxWidth > 0 ? std::max(4, boxWidth / 3) : 0),
                     slot.top, slot.right, slot.bottom);
    TextFormat f;
    f.hAlign = m_hAlign;
    f.vAlign = m_vAlign;
    const bool disabled = state == 3 || state == 7;
    g.DrawString(GetTitle(), text, MakeFont(), disabled ? kDisabledText : GetTextColor(), f);
}

void CheckTypeButton::DrawControl(HDC& hdc, CRect) {
    DrawStates(*this, hdc, 8, m_state,
               [this](Graphics& g, int state, const CRect& slot) { RenderState(g, state, slot); });
}

int CheckTypeButton::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled() || m_pressing) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    inside ? UseHandCursor() : UseArrowCursor();
    SetState(RestingState(inside));
    return inside ? 1 : 0;
}

int CheckTypeButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressing = 1;
    if (m_check) {
        m_keyToggle = 1;
        SetState(6);
    } else {
        SetState(2);
    }
    return 1;
}

int CheckTypeButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    if (inside && m_pressing) {
        m_pressing = 0;
        if (IsRadio()) {
            m_check = 1;
            ResetRadioGroup(*this, Group());
        } else {
            m_check = m_check ? 0 : 1;
        }
        SetState(RestingState(true));
        SendMessageW(2, 0, 0);
        return 1;
    }
    m_pressing = 0;
    SetState(RestingState(inside));
    return inside ? 1 : 0;
}

int CheckTypeButton::OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifier) {
    if (!IsEnabled()) {
        return 0;
    }
    const bool hotKey = MControlFont::OnControlKeyDown(key, repeat, modifier) != 0;
    const bool space = key == VK_SPACE && modifier == 0 && m_keyToggle;
    if (!hotKey && !space) {
        return 0;
    }
    if (IsRadio()) {
        m_check = 1;
        ResetRadioGroup(*this, Group());
    } else {
        m_check = m_check ? 0 : 1;
    }
    SetState(m_check ? 4 : 0);
    SendMessageW(7, 0, m_check);
    return 1;
}

void CheckTypeButton::SetControlEnabled(int enabled) {
    MControlFont::SetControlEnabled(enabled);
    m_state = enabled ? (m_check ? 4 : 0) : (m_check ? 7 : 3);
}

int CheckTypeButton::SetCheck(int check) {
    if (!IsEnabled()) {
        return m_check;
    }
    check = check ? 1 : 0;
    const int before = m_check.exchange(check);
    m_state = check ? 4 : 0;
    if (IsRadio() && before != check) {
        ResetRadioGroup(*this, Group());
    }
    if (IsVisible()) {
        UpdateControl(0, 0);
    }
    return m_check;
}

void CRadioButton::SetGroupName(const wchar_t* name) {
    std::lock_guard lock(m_groupLock);
    m_group = name != nullptr ? name : L"";
}

CString CRadioButton::GetGroupName() const {
    std::lock_guard lock(m_groupLock);
    return m_group;
}

void CRadioButton::SetControlCheck(int check) {
    m_check = check ? 1 : 0;
    m_state = check ? 4 : 0;
}

int CRadioButton::ResetGroupCheck() {
    return ResetRadioGroup(*this, GetGroupName());
}

// ---- TextCheckButton ----

TextCheckButton::TextCheckButton(MObject* parent, unsigned id, CRect rect, const wchar_t* caption,
                                 int visible, int enabled)
    : CheckTypeButton(parent, id, rect, caption, visible, enabled) {}

void TextCheckButton::SetTextButtonColor(Color normal, Color hover, Color disabled) {
    m_normal = normal.argb;
    m_hover = hover.argb;
    m_disabled = disabled.argb;
    SetUpdate(0, 0);
}

void TextCheckButton::RenderState(Graphics& g, int state, const CRect& slot) {
    DWORD color = m_normal;
    if (state == 3 || state == 7) {
        color = m_disabled;
    } else if (state != 0 && state != 2) {
        color = m_hover;  // hover, and every checked state
    }
    TextFormat f;
    f.hAlign = m_hAlign;
    f.vAlign = m_vAlign;
    g.DrawString(GetTitle(), slot, MakeFont(), color, f);
}

// ---- CSwitchButton ----

CSwitchButton::CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

int CSwitchButton::SetImage(const wchar_t* track, const wchar_t* knob, int count) {
    const bool a = m_track.Load(track, count);
    const bool b = m_knob.Load(knob, count);
    SetUpdate(0, 0);
    UpdateControl(1, 0);
    return a && b ? 1 : 0;
}

int CSwitchButton::SetCheck(int check) {
    m_check = check ? 1 : 0;
    SetUpdate(0, 0);
    UpdateControl(1, 0);
    return m_check;
}

void CSwitchButton::DrawControl(HDC& hdc, CRect) {
    if (BeginCachedDraw(hdc)) {
        Graphics g(GetMemDC());
        const CRect r = GetRect();
        const CRect local(0, 0, r.Width(), r.Height());
        const int frame = m_check ? 1 : 0;
        if (m_track.Loaded()) {
            const int tw = m_track.FrameWidth();
            const int th = m_track.FrameHeight();
            const CRect track((local.Width() - tw) / 2, (local.Height() - th) / 2,
                              (local.Width() + tw) / 2, (local.Height() + th) / 2);
            m_track.Draw(g, std::min(frame, m_track.Count() - 1), track);
            if (m_knob.Loaded()) {
                const int kw = m_knob.FrameWidth();
                const int kh = m_knob.FrameHeight();
                const int margin = (th - kh) / 2;
                const int x = m_check ? track.right - margin - kw : track.left + margin;
                m_knob.DrawAt(g, std::min(frame, m_knob.Count() - 1), x, track.top + margin);
            }
        } else {
            g.RoundRect(1, 1, static_cast<float>(local.Width() - 2),
                        static_cast<float>(local.Height() - 2),
                        static_cast<float>(local.Height() / 2 - 1), 0xFF606060, 1, true,
                        m_check ? Manager::GetSelectColor().argb : 0xFF3A3A3A);
        }
        if (!IsEnabled()) {
            g.FillRect(local, 0x80101010);
        }
    }
    EndCachedDraw(hdc);
}

int CSwitchButton::OnControlMouseMove(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    inside ? UseHandCursor() : UseArrowCursor();
    return inside ? 1 : 0;
}

int CSwitchButton::OnControlLButtonDown(unsigned, CPoint point) {
    if (!IsEnabled() || !GetRect().PtInRect(point)) {
        return 0;
    }
    m_pressing = 1;
    return 1;
}

int CSwitchButton::OnControlLButtonUp(unsigned, CPoint point) {
    const bool click = m_pressing.exchange(0) != 0 && IsEnabled() && GetRect().PtInRect(point);
    if (!click) {
        return 0;
    }
    SetCheck(m_check ? 0 : 1);
    SendMessageW(2, 0, m_check);
    return 1;
}

// ---- MButton2, MButton3 ----

MButton2::MButton2(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MButton(parent, id, rect, L"", visible, enabled) {}

void MButton2::SetGroupName(const wchar_t* name) {
    std::lock_guard lock(m_groupLock);
    m_group = name != nullptr ? name : L"";
}

CString MButton2::GetGroupName() const {
    std::lock_guard lock(m_groupLock);
    return m_group;
}

void MButton2::SetControlCheck(int check) {
    m_check = check ? 1 : 0;
    m_state = IsEnabled() ? 0 : 3;
}

int MButton2::ResetGroupCheck() {
    return ResetRadioGroup(*this, GetGroupName());
}

int MButton2::SetCheck(int check) {
    if (!IsEnabled()) {
        return m_check;
    }
    const int before = m_check.exchange(check ? 1 : 0);
    if (before != m_check) {
        if (m_check) {
            ResetGroupCheck();
        }
        UpdateControl(0, 0);
    }
    return m_check;
}

int MButton2::OnControlMouseMove(unsigned flags, CPoint point) {
    return MButton::OnControlMouseMove(flags, point);
}

int MButton2::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    const bool click = inside && m_state == 2;
    if (click) {
        m_check = 1;
        ResetGroupCheck();
    }
    SetState(inside ? 1 : 0);
    UpdateControl(0, 0);
    if (click) {
        SendMessageW(2, 0, 0);
    }
    return inside ? 1 : 0;
}

void MButton2::SetControlEnabled(int enabled) {
    MButton::SetControlEnabled(enabled);
}

int MButton2::CurrentSlot() const {
    return m_state + (m_check ? 4 : 0);
}

void MButton2::RenderState(Graphics& g, int state, const CRect& slot) {
    // Slots 0..3 unchecked, 4..7 checked: a checked button shows the pressed frame at rest.
    MButton::RenderState(g, state >= 4 ? (state == 7 ? 3 : 2) : state, slot);
}

MButton3::MButton3(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MButton(parent, id, rect, L"", visible, enabled) {}

int MButton3::SetCheck(int check) {
    if (m_check.exchange(check ? 1 : 0) != (check ? 1 : 0)) {
        UpdateControl(0, 0);
    }
    return m_check;
}

int MButton3::OnControlMouseMove(unsigned flags, CPoint point) {
    return MButton::OnControlMouseMove(flags, point);
}

int MButton3::OnControlLButtonUp(unsigned, CPoint point) {
    if (!IsEnabled()) {
        return 0;
    }
    const bool inside = GetRect().PtInRect(point);
    const bool click = inside && m_state == 2;
    if (click) {
        m_check = m_check ? 0 : 1;
    }
    SetState(inside ? 1 : 0);
    UpdateControl(0, 0);
    if (click) {
        SendMessageW(2, 0, m_check);
    }
    return inside ? 1 : 0;
}

void MButton3::SetControlEnabled(int enabled) {
    MButton::SetControlEnabled(enabled);
}

int MButton3::CurrentSlot() const {
    return m_state + (m_check ? 4 : 0);
}

void MButton3::RenderState(Graphics& g, int state, const CRect& slot) {
    MButton::RenderState(g, state >= 4 ? (state == 7 ? 3 : 2) : state, slot);
}

}  // namespace DUI

namespace {
constexpr unsigned kBoth = DUI::kWindowFactory | DUI::kContainerFactory;
}  // namespace

TESSEL_REGISTER_CONTROL(MButton, L"MButton", kBoth, new DUI::MButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CImageButton, L"CImageButton", kBoth,
                        new DUI::CImageButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CTextButton, L"CTextButton", kBoth, new DUI::CTextButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CCheckButton, L"CCheckButton", kBoth,
                        new DUI::CCheckButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CRadioButton, L"CRadioButton", kBoth,
                        new DUI::CRadioButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CSelectButton, L"CSelectButton", kBoth,
                        new DUI::CSelectButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CSwitchButton, L"CSwitchButton", kBoth,
                        new DUI::CSwitchButton(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(CIconButton, L"CIconButton", kBoth, new DUI::CIconButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CTimerButton, L"CTimerButton", kBoth,
                        new DUI::CTimerButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(CHelpButton, L"CHelpButton", kBoth, new DUI::CHelpButton(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(TextCheckButton, L"TextCheckButton", DUI::kWindowFactory,
                        new DUI::TextCheckButton(p, id, r, t, v, 1))
TESSEL_REGISTER_CONTROL(LongPressButton, L"LongPressButton", DUI::kContainerFactory,
                        new DUI::LongPressButton(p, id, r, t, v, 1))
TESSEL_REGISTER_CONTROL(MButton2, L"MButton2", DUI::kContainerFactory,
                        new DUI::MButton2(p, id, r, v, 1))
TESSEL_REGISTER_CONTROL(MButton3, L"MButton3", DUI::kContainerFactory,
                        new DUI::MButton3(p, id, r, v, 1))
