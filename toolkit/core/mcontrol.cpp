#include "tessel/core/mcontrol.h"

#include <algorithm>
#include <cwchar>

#include "tessel/core/paint_manager.h"
#include "tessel/platform/window.h"

namespace DUI {

MControl::MControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled,
                   int responsive)
    : m_parent(parent),
      m_id(id),
      m_rect(rect),
      m_visible(visible),
      m_enabled(enabled),
      m_responsive(responsive) {}

MControl::~MControl() {
    RemoveAllControl();
    if (PaintManager* manager = GetManager()) {
        manager->ForgetControl(this);
    }
}

// ---- virtual defaults ----

void MControl::InitControl(PaintManager*) {}

int MControl::PtInRect(CPoint point) {
    if (!m_visible) {
        return 0;
    }
    return GetRect().PtInRect(point) ? 1 : 0;
}

int MControl::DrawSubControls(HDC& hdc, CRect paint) {
    std::lock_guard lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child->IsVisible()) {
            child->Draw(hdc, paint);
        }
    }
    return 1;
}

int MControl::IsDraw(CPoint) {
    return 0;
}

void MControl::SetUpdate(int valid, unsigned long arg) {
    m_cacheValid = valid;
    const CRect own = GetRect();
    std::lock_guard lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child->GetRect().Intersects(own)) {
            child->SetUpdate(valid, arg);
        }
    }
}

int MControl::SetControlFocus(int focus) {
    if (focus == 0) {
        std::lock_guard lock(m_controlLock);
        for (MControl* child : m_controls) {
            child->SetControlFocus(0);
        }
    }
    return 0;
}

void MControl::InitUI(CRect) {}
int MControl::OnMousePointChange(CPoint&) {
    return 0;
}
int MControl::OnCheckMouseResponse(unsigned, CPoint) {
    return 1;
}
long MControl::OnWindowMessage(unsigned, unsigned, long) {
    return 0;
}
long MControl::OnMessage(unsigned, unsigned, unsigned, long) {
    return 0;
}

void MControl::SetControlRect(CRect rect) {
    std::lock_guard lock(m_rectLock);
    m_rect = rect;
}

void MControl::SetControlVisible(int visible) {
    m_visible = visible;
}
void MControl::SetControlWndVisible(int) {}
void MControl::SetControlEnabled(int enabled) {
    m_enabled = enabled;
}
int MControl::OnControlTimer() {
    return 0;
}
HBITMAP MControl::GetControlDropBitmap() {
    return nullptr;
}
int MControl::OnControlMouseMove(unsigned, CPoint) {
    return 0;
}

int MControl::OnControlSetCursor(unsigned, CPoint point) {
    HCURSOR cursor = m_cursor.load();
    if (cursor != nullptr && GetRect().PtInRect(point)) {
        ::DUI::SetCursor(cursor);
        return 1;
    }
    return 0;
}

int MControl::OnControlLButtonDown(unsigned, CPoint) {
    return 0;
}
int MControl::OnControlLButtonUp(unsigned, CPoint) {
    return 0;
}
int MControl::OnControlLButtonDblClk(unsigned, CPoint) {
    return 0;
}
int MControl::OnControlScroll(int, unsigned, CPoint) {
    return 0;
}
int MControl::OnControlRButtonDown(unsigned, CPoint) {
    return 0;
}
int MControl::OnControlRButtonUp(unsigned, CPoint) {
    return 0;
}
int MControl::OnControlRButtonDblClk(unsigned, CPoint) {
    return 0;
}

int MControl::OnControlKeyDown(unsigned key, unsigned, unsigned modifier) {
    const unsigned hotKey = m_hotKey;
    return (hotKey != 0 && key == hotKey && modifier == m_hotKeyModifier) ? 1 : 0;
}

void MControl::OnPositionChange() {}

void MControl::InvalidateRect(const RECT* rect, int erase) {
    PaintManager* manager = GetManager();
    if (manager == nullptr) {
        return;
    }
    HWND hwnd = manager->GetPaintWnd();
    if (!IsWindow(hwnd)) {
        return;
    }
    if (manager->IsLayered()) {
        ::DUI::InvalidateRect(hwnd, nullptr, true);
    } else {
        ::DUI::InvalidateRect(hwnd, rect, erase != 0);
    }
}

// ---- tree ----

void MControl::SetManager(PaintManager* manager) {
    m_manager = manager;
    InitControl(manager);
}

CRect MControl::GetRect() const {
    std::lock_guard lock(m_rectLock);
    return m_rect;
}

MControl* MControl::GetControl(unsigned id) {
    {
        std::lock_guard lock(m_controlLock);
        for (MControl* child : m_controls) {
            if (child->GetControlID() == id) {
                return child;
            }
            if (MControl* found = child->GetControl(id)) {
                return found;
            }
        }
    }
    std::lock_guard lock(m_areaLock);
    for (MControl* child : m_areas) {
        if (child->GetControlID() == id) {
            return child;
        }
        if (MControl* found = child->GetControl(id)) {
            return found;
        }
    }
    return nullptr;
}

int MControl::RemoveControl(MControl* control) {
    if (control == nullptr) {
        return 0;
    }
    PaintManager* manager = GetManager();
    if (manager != nullptr && manager->GetFocusControl() == control) {
        control->SetControlFocus(0);
        manager->SetFocusRecord(nullptr);
    }
    MControl* doomed = nullptr;
    {
        std::lock_guard lock(m_controlLock);
        const auto it = std::find(m_controls.begin(), m_controls.end(), control);
        if (it != m_controls.end()) {
            doomed = *it;
            m_controls.erase(it);
        }
        if (m_active == control) {
            m_active = nullptr;
        }
    }
    delete doomed;
    return 0;
}

void MControl::RemoveAllControl() {
    std::vector<MControl*> areas;
    {
        std::lock_guard lock(m_areaLock);
        areas.swap(m_areas);
    }
    for (MControl* child : areas) {
        delete child;
    }
    std::vector<MControl*> controls;
    {
        std::lock_guard lock(m_controlLock);
        controls.swap(m_controls);
        m_active = nullptr;
    }
    for (MControl* child : controls) {
        delete child;
    }
}

int MControl::IsParentVisible() {
    MObject* parent = GetParantObject();
    if (parent == nullptr) {
        return 0;
    }
    if (parent->IsClass(L"MDialog")) {
        return 1;
    }
    auto* control = dynamic_cast<MControl*>(parent);
    if (control == nullptr) {
        return 0;
    }
    return (control->IsVisible() && control->IsParentVisible()) ? 1 : 0;
}

void MControl::AppendChild(MControl* child, unsigned kind) {
    if (child == nullptr) {
        return;
    }
    if (kind == 0) {
        std::lock_guard lock(m_areaLock);
        m_areas.push_back(child);
    } else if (kind == 1) {
        std::lock_guard lock(m_controlLock);
        m_controls.push_back(child);
    }
}

// ---- state setters ----

void MControl::SetRect(CRect rect) {
    CRect both;
    both.UnionRect(GetRect(), rect);
    SetControlRect(rect);
    if (m_visible) {
        if (MObject* parent = GetParantObject()) {
            parent->OnControlUpdate(both, 1, this);
        }
    }
}

void MControl::SetRect(int x, int y, int width, int height) {
    SetRect(CRect(x, y, x + width, y + height));
}

void MControl::SetVisible(int visible) {
    SetVisible(visible, 1);
}

void MControl::SetVisible(int visible, int notify) {
    if (m_visible == visible) {
        return;
    }
    SetControlVisible(visible);
    if (notify != 0) {
        if (MObject* parent = GetParantObject()) {
            parent->OnControlUpdate(GetRect(), 1, this);
        }
    }
}

void MControl::SetEnabled(int enabled) {
    if (m_enabled == enabled) {
        return;
    }
    SetControlEnabled(enabled);
    if (m_visible) {
        if (MObject* parent = GetParantObject()) {
            parent->OnControlUpdate(GetRect(), 1, this);
        }
    }
}

void MControl::UpdateControl(int flag, int force) {
    if (m_visible || force) {
        if (MObject* parent = GetParantObject()) {
            parent->OnControlUpdate(GetRect(), flag, this);
        }
    }
}

void MControl::UpdateControl(CRect rect, int force, int flag) {
    if (m_visible || force) {
        if (MObject* parent = GetParantObject()) {
            parent->OnControlUpdate(rect, flag, this);
        }
    }
}

void MControl::UpdateAControl(int full, int force) {
    if (m_visible || force) {
        m_animate = full == 0 ? 1 : 0;
        if (MObject* parent = GetParantObject()) {
            parent->OnControlUpdate(GetRect(), 0, this);
        }
    }
}

int MControl::SetCursorEx(const wchar_t* name) {
    if (name == nullptr) {
        return 0;
    }
    static const struct {
        const wchar_t* name;
        const wchar_t* id;
    } kCursors[] = {{L"arrow", IDC_ARROW},   {L"wait", IDC_WAIT},     {L"cross", IDC_CROSS},
                    {L"sizewe", IDC_SIZEWE}, {L"sizens", IDC_SIZENS}, {L"hand", IDC_HAND},
                    {L"help", IDC_HELP}};
    for (const auto& c : kCursors) {
        if (std::wcscmp(c.name, name) == 0) {
            m_cursor = LoadCursorW(nullptr, c.id);
            break;
        }
    }
    return 0;
}

void MControl::SetTooltip(const wchar_t* text) {
    std::lock_guard lock(m_textLock);
    m_tooltip = text != nullptr ? text : L"";
}

std::wstring MControl::GetTooltip() const {
    std::lock_guard lock(m_textLock);
    return m_tooltip;
}

void MControl::SetTooltip(CString text, CRect rect) {
    if (PaintManager* manager = GetManager()) {
        manager->SetTooltip(text.c_str(), rect);
        manager->SetTooltipCtrlID(m_id);
    }
}

void MControl::ClearTooltip() {
    if (PaintManager* manager = GetManager()) {
        manager->ClearTooltip();
    }
}

int MControl::IsFocusControl() {
    PaintManager* manager = GetManager();
    return (manager != nullptr && manager->GetFocusControl() == this) ? 1 : 0;
}

void MControl::AddMTimer() {
    if (PaintManager* manager = GetManager()) {
        manager->AddMTimer(this);
    }
}

long MControl::SendMessageW(unsigned code, unsigned wParam, long lParam) {
    MObject* parent = GetParantObject();
    return parent != nullptr ? parent->OnBaseMessage(m_id, code, wParam, lParam) : 0;
}

// ---- caches ----

void MControl::UpdateMemDC(HDC&, int width, int height) {
    m_cacheValid = 1;
    if (!m_memDC || m_memDC->GetWidth() != std::max(1, width) ||
        m_memDC->GetHeight() != std::max(1, height)) {
        m_memDC = std::make_unique<Surface>(width, height);
    }
}

void MControl::UpdateAnimateDC(HDC&, int width, int height) {
    m_animateDC = std::make_unique<Surface>(width, height);
    m_animate = 1;
}

bool MControl::BeginCachedDraw(HDC& frame) {
    const CRect rect = GetRect();
    if (m_cacheValid && m_memDC && m_memDC->GetWidth() == std::max(1, rect.Width()) &&
        m_memDC->GetHeight() == std::max(1, rect.Height())) {
        return false;
    }
    UpdateMemDC(frame, rect.Width(), rect.Height());
    if (frame != nullptr) {
        m_memDC->CopyFrom(*frame, rect, 0, 0);
    }
    return true;
}

void MControl::EndCachedDraw(HDC& frame) {
    if (frame == nullptr || !m_memDC) {
        return;
    }
    const CRect rect = GetRect();
    frame->CopyFrom(*m_memDC, CRect(0, 0, rect.Width(), rect.Height()), rect.left, rect.top);
}

int MControl::PositionItem2Value(const POSITION_ITEM& item, int low, int high) {
    const int v = static_cast<int>(item.value);
    switch (item.type) {
        case 0:
            return item.fromEnd != 0 ? high - v : low + v;
        case 1:
            return item.fromEnd != 0 ? low + (high - low) / 2 - v : low + (high - low) / 2 + v;
        case 2: {
            const int value =
                low + static_cast<int>(static_cast<float>(high - low) * item.value / 100.0f);
            return std::min(value, high);
        }
        default:
            return 0;
    }
}

// ---- dispatch ----

CPoint MControl::PointFor(const MControl* child, CPoint raw, CPoint translated) {
    const unsigned id = child->GetControlID();
    return (id == 1 || id == 2) ? raw : translated;
}

int MControl::OnMouseMove(unsigned flags, CPoint point) {
    if (!m_visible || !m_responsive) {
        return 0;
    }
    const CPoint raw = point;
    OnMousePointChange(point);
    MControl* before = m_active;
    if (before != nullptr) {
        const CPoint p = PointFor(before, raw, point);
        if (before->PtInRect(p) && before->OnCheckMouseResponse(flags, p)) {
            return before->OnMouseMove(flags, p);
        }
        if (m_pressedInside) {
            return before->OnMouseMove(flags, p);
        }
    }
    m_active = nullptr;
    int result = 0;
    PaintManager* manager = GetManager();
    if (manager != nullptr) {
        const std::wstring tip = GetTooltip();
        if (!tip.empty() && GetRect().PtInRect(raw) && OnCheckMouseResponse(flags, raw) &&
            manager->GetTooltipCtrlID() != m_id) {
            manager->SetTooltip(tip.c_str(), GetRect());
            manager->SetTooltipCtrlID(m_id);
        }
    }
    result |= OnControlSetCursor(flags, raw);
    result |= OnControlMouseMove(flags, point);
    if (!m_pressedInside) {
        std::lock_guard lock(m_controlLock);
        for (MControl* child : m_controls) {
            const CPoint p = PointFor(child, raw, point);
            const int r = child->OnMouseMove(flags, p);
            result |= r;
            if (r != 0 && child->PtInRect(p)) {
                m_active = child;
            }
        }
    }
    return (m_active.load() != nullptr || before != nullptr) ? 1 : result;
}

int MControl::DispatchButtonDown(unsigned flags, CPoint point, bool right) {
    if (!m_visible || !m_responsive) {
        return 0;
    }
    const CPoint raw = point;
    OnMousePointChange(point);
    m_pressedInside = GetRect().PtInRect(raw) ? 1 : 0;
    {
        std::lock_guard lock(m_controlLock);
        for (MControl* child : m_controls) {
            const CPoint p = PointFor(child, raw, point);
            if (child->PtInRect(p) && child->IsVisible() && child->IsEnabled() &&
                child->GetRresponse()) {
                m_active = child;
            }
        }
    }
    if (MControl* active = m_active) {
        const CPoint p = PointFor(active, raw, point);
        return right ? active->OnRButtonDown(flags, p) : active->OnLButtonDown(flags, p);
    }
    if (PaintManager* manager = GetManager()) {
        MControl* previous = manager->GetFocusControl();
        if (previous != this) {
            if (previous != nullptr) {
                previous->SetControlFocus(0);
            }
            SetControlFocus(1);
            manager->SetFocusRecord(this);
        }
    }
    return right ? OnControlRButtonDown(flags, point) : OnControlLButtonDown(flags, point);
}

int MControl::DispatchButtonUp(unsigned flags, CPoint point, bool right) {
    if (!m_visible || !m_responsive) {
        return 0;
    }
    const CPoint raw = point;
    OnMousePointChange(point);
    m_pressedInside = 0;
    if (MControl* active = m_active) {
        const CPoint p = PointFor(active, raw, point);
        return right ? active->OnRButtonUp(flags, p) : active->OnLButtonUp(flags, p);
    }
    return right ? OnControlRButtonUp(flags, point) : OnControlLButtonUp(flags, point);
}

int MControl::DispatchDblClk(unsigned flags, CPoint point, bool right) {
    if (!m_visible || !m_responsive) {
        return 0;
    }
    const CPoint raw = point;
    OnMousePointChange(point);
    m_pressedInside = 0;
    MControl* active = m_active;
    if (active == nullptr) {
        if (!m_dblClkEnabled) {
            return right ? OnControlRButtonDown(flags, point) : OnControlLButtonDown(flags, point);
        }
        if (!right && GetRect().PtInRect(raw) && m_dblClkNotify) {
            CPoint click = point;
            SendMessageW(3, flags, reinterpret_cast<long>(&click));
        }
        return right ? OnControlRButtonDblClk(flags, point) : OnControlLButtonDblClk(flags, point);
    }
    const CPoint p = PointFor(active, raw, point);
    int result = right ? active->OnRButtonDblClk(flags, p) : active->OnLButtonDblClk(flags, p);
    if (result == 0 && !active->GetDblClk()) {
        result = right ? active->OnRButtonDown(flags, p) : active->OnLButtonDown(flags, p);
    }
    return result;
}

int MControl::OnLButtonDown(unsigned flags, CPoint point) {
    return DispatchButtonDown(flags, point, false);
}
int MControl::OnRButtonDown(unsigned flags, CPoint point) {
    return DispatchButtonDown(flags, point, true);
}
int MControl::OnLButtonUp(unsigned flags, CPoint point) {
    return DispatchButtonUp(flags, point, false);
}
int MControl::OnRButtonUp(unsigned flags, CPoint point) {
    return DispatchButtonUp(flags, point, true);
}
int MControl::OnLButtonDblClk(unsigned flags, CPoint point) {
    return DispatchDblClk(flags, point, false);
}
int MControl::OnRButtonDblClk(unsigned flags, CPoint point) {
    return DispatchDblClk(flags, point, true);
}

int MControl::OnScroll(int kind, unsigned direction, CPoint point) {
    if (!m_visible || !m_responsive || !m_enabled) {
        return 0;
    }
    const CPoint raw = point;
    OnMousePointChange(point);
    if (MControl* active = m_active) {
        const CPoint p = PointFor(active, raw, point);
        if (active->PtInRect(p) && active->OnCheckMouseResponse(0, p)) {
            return active->OnScroll(kind, direction, p);
        }
    }
    if (!GetRect().PtInRect(raw)) {
        return 0;
    }
    if (const int own = OnControlScroll(kind, direction, point); own != 0) {
        return own;
    }
    std::lock_guard lock(m_controlLock);
    for (MControl* child : m_controls) {
        const CPoint p = PointFor(child, raw, point);
        if (child->PtInRect(p) && child->OnScroll(kind, direction, p) != 0) {
            return 1;
        }
    }
    return 0;
}

int MControl::OnKeyDown(unsigned key, unsigned repeat, unsigned modifier) {
    MControl* target = this;
    for (;;) {
        if (!target->m_visible || !target->m_responsive) {
            break;
        }
        MControl* focused = nullptr;
        {
            std::lock_guard lock(target->m_controlLock);
            for (MControl* child : target->m_controls) {
                if (child->IsFocused()) {
                    focused = child;
                    break;
                }
            }
        }
        if (focused == nullptr) {
            break;
        }
        target = focused;
    }
    const auto notify = [target, key, modifier] {
        if (target->m_keyNotify) {
            target->SendMessageW(14, key, static_cast<long>(modifier));
        }
    };
    if (MControl* active = target->m_active;
        active != nullptr && active->OnKeyDown(key, repeat, modifier) != 0) {
        return 1;
    }
    if (target->OnControlKeyDown(key, repeat, modifier) != 0) {
        notify();
        return 1;
    }
    {
        std::lock_guard lock(target->m_controlLock);
        for (MControl* child : target->m_controls) {
            if (child->OnKeyDown(key, repeat, modifier) != 0) {
                notify();
                return 1;
            }
        }
    }
    notify();
    return 0;
}

int MControl::OnTimer() {
    const int own = OnControlTimer();
    bool any = false;
    std::lock_guard lock(m_controlLock);
    for (MControl* child : m_controls) {
        if (child->IsRunTimer() && child->IsVisible()) {
            any = child->OnTimer() != 0 || any;
        }
    }
    return any ? 1 : own;
}

void MControl::Draw(HDC& hdc, CRect paint) {
    const CRect rect = GetRect();
    if (!m_visible || !rect.Intersects(paint)) {
        return;
    }
    {
        std::lock_guard lock(m_areaLock);
        for (MControl* child : m_areas) {
            if (child->GetRect().Intersects(rect)) {
                child->Draw(hdc, paint);
            }
        }
    }
    DrawControl(hdc, paint);
    DrawSubControls(hdc, paint);
}

}  // namespace DUI
