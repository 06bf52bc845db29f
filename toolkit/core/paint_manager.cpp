#include "tessel/core/paint_manager.h"

#include <algorithm>

#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mwindow.h"
#include "tessel/core/tooltip_window.h"
#include "tessel/platform/fonts.h"
#include "tessel/platform/image_io.h"
#include "tessel/platform/resources.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace DUI {
namespace {

// The manager's own native timers.
constexpr unsigned kCaretTimer = 6553;
constexpr unsigned kSelfStopTimer = 66;
constexpr unsigned kFadeTimer = 88;
constexpr unsigned kProgressTimer = 99;

unsigned ModifierCode() {
    unsigned code = 0;
    if ((GetKeyState(VK_MENU) & 0x8000) != 0) {
        code = 18;
    } else if ((GetKeyState(VK_SHIFT) & 0x8000) != 0) {
        code = 16;
    }
    if ((GetKeyState(VK_CONTROL) & 0x8000) != 0) {
        code |= 17;
    }
    return code;
}

}  // namespace

PaintManager::PaintManager() = default;

PaintManager::~PaintManager() {
    // Timer callbacks call into this object: stop them while it is still whole.
    CMTimer::KillTimer();
    DestroyData();
    m_tooltip.reset();
    delete m_dragBitmap;
}

void PaintManager::Init(HWND hwnd, MWindow* dialog) {
    m_hwnd = hwnd;
    m_dialog = dialog;
    const CString fontFolder = Manager::GetExeFolder() + L"font/";
    AddTempFont(L"Open Sans", (fontFolder + L"OpenSans-Regular.ttf").c_str());
    AddTempFont(L"Open Sans Semibold", (fontFolder + L"OpenSans-Semibold.ttf").c_str());
    m_initialised = 1;
    SetScrollResID(102, 101);
    AddGDITempFont(kFontResource, L"TTF");
    if (hwnd != nullptr) {
        RECT client;
        ::DUI::GetClientRect(hwnd, &client);
        SetClientRect(client);
    }
}

void PaintManager::DestroyData() {
    if (!m_initialised) {
        return;
    }
    m_initialised = 0;
    {
        std::lock_guard lock(m_backLock);
        m_backImage.reset();
        m_frame.reset();
    }
    KillMTimer();
    ClearTimers();
    ClearAreaControls();
    ClearControls();
    ClearImgResInfo();
    ClearTempFont();
    if (m_tooltip) {
        m_tooltip->Destroy();
    }
    m_hover = nullptr;
    m_focus = nullptr;
}

// ---- factory and lists ----

MControl* PaintManager::CreateControl(unsigned kind, MObject* parent, const wchar_t* className,
                                      unsigned id, CRect rect, const wchar_t* title, int visible,
                                      int enabled) {
    const ControlCreator creator = FindControlClass(className, kWindowFactory);
    if (creator == nullptr) {
        return nullptr;
    }
    MControl* control = creator(parent, id, rect, title, visible, enabled);
    if (control == nullptr) {
        return nullptr;
    }
    control->SetManager(this);
    if (kind == 0) {
        std::lock_guard lock(m_areaLock);
        m_areas.push_back(control);
    } else if (kind == 1) {
        std::lock_guard lock(m_controlLock);
        m_controls.push_back(control);
    }
    return control;
}

MControl* PaintManager::CreateArea(MObject* parent, const wchar_t* className, unsigned id,
                                   CRect rect, const wchar_t* title, int visible, int enabled) {
    return CreateControl(0, parent, className, id, rect, title, visible, enabled);
}

MControl* PaintManager::CreateControl(MObject* parent, const wchar_t* className, unsigned id,
                                      CRect rect, const wchar_t* title, int visible, int enabled) {
    return CreateControl(1, parent, className, id, rect, title, visible, enabled);
}

void PaintManager::AddControl(MControl* control, unsigned kind) {
    if (control == nullptr) {
        return;
    }
    control->SetManager(this);
    if (kind == 0) {
        std::lock_guard lock(m_areaLock);
        m_areas.push_back(control);
    } else {
        std::lock_guard lock(m_controlLock);
        m_controls.push_back(control);
    }
}

MControl* PaintManager::GetControl(unsigned id) {
    {
        std::lock_guard lock(m_controlLock);
        for (MControl* c : m_controls) {
            if (c->GetControlID() == id) {
                return c;
            }
            if (MControl* found = c->GetControl(id)) {
                return found;
            }
        }
    }
    std::lock_guard lock(m_areaLock);
    for (MControl* c : m_areas) {
        if (c->GetControlID() == id) {
            return c;
        }
        if (MControl* found = c->GetControl(id)) {
            return found;
        }
    }
    return nullptr;
}

int PaintManager::RemoveControl(MControl* control) {
    if (control == nullptr) {
        return 0;
    }
    if (m_focus == control) {
        control->SetControlFocus(0);
        m_focus = nullptr;
    }
    MControl* doomed = nullptr;
    {
        std::lock_guard lock(m_controlLock);
        const auto it = std::find(m_controls.begin(), m_controls.end(), control);
        if (it != m_controls.end()) {
            doomed = *it;
            m_controls.erase(it);
        }
    }
    delete doomed;
    return 0;
}

void PaintManager::ClearControls() {
    std::vector<MControl*> list;
    {
        std::lock_guard lock(m_controlLock);
        list.swap(m_controls);
    }
    m_hover = nullptr;
    m_focus = nullptr;
    for (MControl* c : list) {
        delete c;
    }
}

void PaintManager::ClearAreaControls() {
    std::vector<MControl*> list;
    {
        std::lock_guard lock(m_areaLock);
        list.swap(m_areas);
    }
    for (MControl* c : list) {
        delete c;
    }
}

void PaintManager::ForgetControl(MControl* control) {
    MControl* expected = control;
    m_hover.compare_exchange_strong(expected, nullptr);
    expected = control;
    m_focus.compare_exchange_strong(expected, nullptr);
    DeleteTimer(control);
    KillTimer(control);
    if (m_tooltipOwner == control->GetControlID() && control->GetControlID() != 0) {
        // The tooltip stays until the pointer moves on; only its owner record goes.
        m_tooltipOwner = 0;
    }
}

// ---- repaint requests ----

void PaintManager::MarkLaterSiblings(const CRect& rect, MControl* control, CRect& region) {
    bool passed = false;
    {
        std::lock_guard lock(m_areaLock);
        for (MControl* c : m_areas) {
            if (c == control) {
                passed = true;
                continue;
            }
            if (passed && c->IsVisible() && c->GetRect().Intersects(rect)) {
                region.UnionRect(region, c->GetRect());
                c->SetUpdate(0, m_backBorder);
            }
        }
    }
    std::lock_guard lock(m_controlLock);
    for (MControl* c : m_controls) {
        if (c == control) {
            passed = true;
            continue;
        }
        if (passed && c->IsVisible() && c->GetRect().Intersects(rect)) {
            region.UnionRect(region, c->GetRect());
            c->SetUpdate(0, m_backBorder);
        }
    }
}

long PaintManager::OnControlUpdate(CRect rect, int flag, MControl* control) {
    if (flag != 0 && control != nullptr) {
        control->SetUpdate(0, m_backBorder);
    }
    HWND hwnd = m_hwnd;
    if (hwnd == nullptr) {
        return 0;
    }
    if (m_initialised) {
        // Later overlapping siblings are found when the window thread next paints, not here:
        // requests come from inside dispatch walks that hold a container's lock (and from the
        // worker and timer threads), and taking the window's list locks under those would
        // invert the window-then-container lock order.
        std::lock_guard lock(m_pendingLock);
        m_pending.push_back(PendingUpdate{rect, control});
    }
    if (m_layered) {
        ::DUI::InvalidateRect(hwnd, nullptr, true);
    } else {
        ::DUI::InvalidateRect(hwnd, &rect, false);
    }
    return 1;
}

void PaintManager::ApplyPendingUpdates() {
    std::vector<PendingUpdate> pending;
    {
        std::lock_guard lock(m_pendingLock);
        pending.swap(m_pending);
    }
    HWND hwnd = m_hwnd;
    for (const auto& update : pending) {
        CRect region = update.rect;
        MarkLaterSiblings(update.rect, const_cast<MControl*>(update.control), region);
        if (hwnd != nullptr && !m_layered) {
            ::DUI::InvalidateRect(hwnd, &region, false);
        }
    }
}

// ---- routing ----

long PaintManager::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    {
        std::lock_guard lock(m_controlLock);
        for (MControl* c : m_controls) {
            if (c->OnWindowMessage(msg, wParam, lParam) != 0) {
                return 0;
            }
        }
    }
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (msg) {
        case WM_CREATE:
        case WM_DESTROY:
        case WM_SIZE:
        case WM_CHAR:
        case WM_RBUTTONDBLCLK:
        case WM_MOUSEHOVER:
            return 1;
        case WM_NCDESTROY:
            DestroyData();
            return 1;
        case WM_PAINT:
            return Paint();
        case WM_GETMINMAXINFO:
            HandleMinMax(reinterpret_cast<MINMAXINFO*>(lParam));
            return 1;
        case WM_NCACTIVATE:
            if (wParam == 0) {
                HandleDeactivate();
            }
            return 1;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            HandleKeyDown(wParam);
            return 1;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return 0;
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            auto child = reinterpret_cast<HWND>(lParam);
            if (child != nullptr && IsWindow(child)) {
                return ::DUI::SendMessageW(child, msg + OCM_BASE, wParam, lParam);
            }
            return 0;
        }
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_MOUSEMOVE:
            HandleMouseMove(point, wParam);
            return 1;
        case WM_LBUTTONDOWN:
            HandleButtonDown(point, wParam, false);
            return 1;
        case WM_LBUTTONUP:
            HandleButtonUp(point, wParam, false);
            return 1;
        case WM_LBUTTONDBLCLK:
            HandleDblClk(point, wParam, false);
            return 1;
        case WM_RBUTTONDOWN:
            HandleButtonDown(point, wParam, true);
            return 1;
        case WM_RBUTTONUP:
            HandleButtonUp(point, wParam, true);
            return 1;
        case WM_MOUSEWHEEL:
            return HandleWheel(wParam, lParam);
        case WM_MOUSELEAVE:
            HandleLeave();
            return 1;
        default:
            return 0;
    }
}

void PaintManager::HandleMouseMove(CPoint point, unsigned flags) {
    HWND hwnd = m_hwnd;
    if (!m_tracking && hwnd != nullptr) {
        TrackMouseEvent(hwnd, TME_HOVER | TME_LEAVE, 400);
        m_tracking = 1;
    }
    if (m_dragArmed && (flags & MK_LBUTTON) != 0) {
        // An OLE drag starts unless the pointer moved more than 2 pixels in both axes since the
        // previous such move; the drag itself comes with the drop-target support.
        const bool jumped =
            std::abs(point.x - m_lastDragPoint.x) > 2 && std::abs(point.y - m_lastDragPoint.y) > 2;
        m_lastDragPoint = point;
        if (!jumped) {
            return;
        }
    }
    MControl* hover = m_hover;
    if (hover != nullptr && hover->PtInRect(point) && hover->OnCheckMouseResponse(flags, point) &&
        m_tracking) {
        hover->OnMouseMove(flags, point);
        return;
    }
    ClearTooltip();
    if (m_pressing) {
        return;
    }
    if (!m_tracking) {
        m_hover = nullptr;
        return;
    }
    MControl* found = nullptr;
    std::lock_guard lock(m_controlLock);
    for (MControl* c : m_controls) {
        c->OnMouseMove(flags, point);
        if (c->PtInRect(point) && c->GetRresponse()) {
            found = c;
        }
    }
    m_hover = found;
}

void PaintManager::HandleButtonDown(CPoint point, unsigned flags, bool right) {
    if (!right) {
        m_dblClkSeen = 0;
    } else {
        m_rightPressing = 1;
    }
    MControl* hover = m_hover;
    if (MControl* focus = m_focus; focus != nullptr && focus != hover) {
        focus->SetControlFocus(0);
        m_focus = nullptr;
    }
    if (hover != nullptr && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(point) &&
        hover->OnCheckMouseResponse(flags, point)) {
        if (!right && hover->IsDragDrop() && hover->IsEnabled()) {
            m_dragArmed = 1;
            delete m_dragBitmap;
            m_dragBitmap = hover->GetControlDropBitmap();
        }
        m_pressing = 1;
        m_focus = hover;
        const int result =
            right ? hover->OnRButtonDown(flags, point) : hover->OnLButtonDown(flags, point);
        MControl* now = m_hover;
        if (!m_captured && (now == nullptr || now->OnCheckMouseResponse(flags, point))) {
            SetCapture();
        }
        (void)result;
        return;
    }
    if (!right && m_windowDrag && GetCaptionRect().PtInRect(point)) {
        ReleaseCapture();
        if (HWND hwnd = m_hwnd) {
            ::DUI::SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        }
    }
}

void PaintManager::HandleButtonUp(CPoint point, unsigned flags, bool right) {
    if (m_captured) {
        ReleaseCapture();
    }
    m_pressing = 0;
    m_dragArmed = 0;
    if (right) {
        m_rightPressing = 0;
    }
    MControl* hover = m_hover;
    if (hover != nullptr && hover->IsVisible() && hover->GetRresponse()) {
        const bool inside = hover->PtInRect(point) != 0;
        if (right) {
            hover->OnRButtonUp(flags, point);
        } else {
            hover->OnLButtonUp(flags, point);
        }
        if (!inside) {
            m_hover = nullptr;
        }
    }
    if (!right) {
        m_dblClkSeen = 0;
    }
}

void PaintManager::HandleDblClk(CPoint point, unsigned flags, bool right) {
    m_dblClkSeen = 1;
    MControl* hover = m_hover;
    if (hover != nullptr && hover->IsVisible() && hover->GetRresponse()) {
        if (right) {
            hover->OnRButtonDblClk(flags, point);
        } else {
            hover->OnLButtonDblClk(flags, point);
        }
        if (!hover->PtInRect(point)) {
            m_hover = nullptr;
        }
    }
}

int PaintManager::HandleWheel(unsigned wParam, long lParam) {
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (HWND hwnd = m_hwnd) {
        ::DUI::ScreenToClient(hwnd, &screen);
    }
    const CPoint point(screen);
    const int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    const unsigned direction = steps <= 0 ? 1 : 0;
    int taken = 0;
    for (int i = 0; i < std::abs(steps); ++i) {
        MControl* hover = m_hover;
        if (hover != nullptr && hover->OnScroll(1, direction, point) != 0) {
            taken = 1;
            continue;
        }
        std::lock_guard lock(m_controlLock);
        for (MControl* c : m_controls) {
            if (c->OnScroll(1, direction, point) != 0) {
                taken = 1;
                break;
            }
        }
    }
    return taken;
}

void PaintManager::HandleLeave() {
    ClearTooltip();
    m_tracking = 0;
    if (!m_pressing) {
        if (MControl* hover = m_hover) {
            hover->OnMouseMove(0, CPoint(-1, -1));
        }
        m_hover = nullptr;
    }
    m_pressing = 0;
}

void PaintManager::HandleDeactivate() {
    m_tracking = 0;
    m_captured = 0;
    m_dblClkSeen = 0;
    MControl* hover = m_hover;
    if (m_pressing) {
        m_pressing = 0;
        if (hover != nullptr) {
            hover->OnLButtonUp(0, CPoint(-1, -1));
        }
    } else if (hover != nullptr) {
        hover->OnMouseMove(0, CPoint(-1, -1));
    }
    m_hover = nullptr;
    if (HWND hwnd = m_hwnd) {
        if (m_layered) {
            ::DUI::InvalidateRect(hwnd, nullptr, true);
        } else {
            ::DUI::InvalidateRect(hwnd, nullptr, false);
        }
    }
}

void PaintManager::HandleKeyDown(unsigned key) {
    const unsigned modifier = ModifierCode();
    MControl* hover = m_hover;
    if (hover != nullptr && hover->OnKeyDown(key, 1, modifier) != 0) {
        return;
    }
    std::lock_guard lock(m_controlLock);
    for (MControl* c : m_controls) {
        if (c->OnKeyDown(key, 1, modifier) != 0) {
            return;
        }
    }
}

void PaintManager::HandleMinMax(MINMAXINFO* info) {
    if (info == nullptr) {
        return;
    }
    if (m_minW > 0 || m_minH > 0) {
        info->ptMinTrackSize = {m_minW, m_minH};
    }
    if (m_maxW > 0 || m_maxH > 0) {
        info->ptMaxTrackSize = {m_maxW, m_maxH};
    }
    RECT work;
    CRect area(0, 0, 1280, 720);
    if (GetWorkArea(&work)) {
        area = work;
    }
    info->ptMaxSize = {area.Width(), area.Height()};
    info->ptMaxPosition = {area.left, area.top};
}

int PaintManager::PreTranslateMessage(MSG* msg) {
    if (msg == nullptr) {
        return 0;
    }
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_TAB) {
        const unsigned modifier = ModifierCode();
        MControl* next = nullptr;
        if (modifier == 0) {
            next = GetNextFocusableControl();
        } else if (modifier == 16) {
            next = GetPrevFocusableControl();
        } else {
            return 0;
        }
        if (next != nullptr && next != m_focus) {
            SetFocusControl(next);
            return 1;
        }
        return 0;
    }
    switch (msg->message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEWHEEL:
            if (m_tooltip) {
                m_tooltip->RelayEvent(*msg);
            }
            break;
        default:
            break;
    }
    return 0;
}

// ---- focus ----

void PaintManager::SetFocusControl(MControl* control) {
    MControl* old = m_focus;
    if (old == control) {
        return;
    }
    if (old != nullptr) {
        old->SetControlFocus(0);
    }
    if (control != nullptr) {
        control->SetControlFocus(1);
    }
    m_focus = control;
}

MControl* PaintManager::GetNextFocusableControl() {
    MControl* focus = m_focus;
    std::lock_guard lock(m_controlLock);
    bool passed = false;
    bool found = focus == nullptr;
    for (MControl* c : m_controls) {
        if (passed && c->IsVisible() && c->IsEnabled() && c->IsTabStop()) {
            return c;
        }
        if (c == focus) {
            passed = true;
            found = true;
        }
    }
    if (!found) {
        return nullptr;
    }
    for (MControl* c : m_controls) {
        if (c->IsVisible() && c->IsEnabled() && c->IsTabStop()) {
            return c;
        }
    }
    return nullptr;
}

MControl* PaintManager::GetPrevFocusableControl() {
    MControl* focus = m_focus;
    std::lock_guard lock(m_controlLock);
    bool passed = false;
    bool found = focus == nullptr;
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        MControl* c = *it;
        if (passed && c->IsVisible() && c->IsEnabled() && c->IsTabStop()) {
            return c;
        }
        if (c == focus) {
            passed = true;
            found = true;
        }
    }
    if (!found) {
        return nullptr;
    }
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        if ((*it)->IsVisible() && (*it)->IsEnabled() && (*it)->IsTabStop()) {
            return *it;
        }
    }
    return nullptr;
}

void PaintManager::SetCapture() {
    if (HWND hwnd = m_hwnd) {
        ::DUI::SetCapture(hwnd);
        m_captured = 1;
    }
}

void PaintManager::ReleaseCapture() {
    if (m_captured) {
        ::DUI::ReleaseCapture();
    }
    m_captured = 0;
}

// ---- window properties ----

void PaintManager::SetCaptionRect(CRect rect) {
    std::lock_guard lock(m_rectLock);
    m_caption = rect;
}

CRect PaintManager::GetCaptionRect() const {
    std::lock_guard lock(m_rectLock);
    return m_caption;
}

void PaintManager::SetWindowMaxSize(int w, int h) {
    m_maxW = w;
    m_maxH = h;
}

void PaintManager::SetWindowMixSize(int w, int h) {
    m_minW = w;
    m_minH = h;
}

void PaintManager::GetWindowMinSize(int& w, int& h) const {
    w = m_minW;
    h = m_minH;
}

void PaintManager::GetWindowManSize(int& w, int& h) const {
    w = m_maxW;
    h = m_maxH;
}

CRect PaintManager::GetClientRect() const {
    HWND hwnd = m_hwnd;
    RECT r{};
    if (hwnd != nullptr && ::DUI::GetClientRect(hwnd, &r)) {
        return r;
    }
    std::lock_guard lock(m_rectLock);
    return m_client;
}

CRect PaintManager::GetWindowRect() const {
    RECT r{};
    if (HWND hwnd = m_hwnd) {
        ::DUI::GetWindowRect(hwnd, &r);
    }
    return r;
}

CSize PaintManager::GetClientSize() const {
    const CRect r = GetClientRect();
    return {r.Width(), r.Height()};
}

void PaintManager::SetClientRect(CRect rect) {
    std::lock_guard lock(m_rectLock);
    m_client = rect;
}

void PaintManager::Invalidate() {
    if (HWND hwnd = m_hwnd) {
        ::DUI::InvalidateRect(hwnd, nullptr, false);
    }
}

void PaintManager::InvalidateRect(CRect rect, int erase) {
    HWND hwnd = m_hwnd;
    if (hwnd == nullptr) {
        return;
    }
    if (m_layered) {
        ::DUI::InvalidateRect(hwnd, nullptr, true);
    } else {
        ::DUI::InvalidateRect(hwnd, &rect, erase != 0);
    }
}

long PaintManager::SendMessageW(unsigned msg, unsigned wParam, long lParam) {
    HWND hwnd = m_hwnd;
    return hwnd != nullptr ? ::DUI::SendMessageW(hwnd, msg, wParam, lParam) : 0;
}

long PaintManager::PostMessageW(unsigned msg, unsigned wParam, long lParam) {
    // Delivered at once, as the window's own calls expect.
    return SendMessageW(msg, wParam, lParam);
}

void PaintManager::SetScrollResID(unsigned vertical, unsigned horizontal) {
    m_scrollV = vertical;
    m_scrollH = horizontal;
}

// ---- tooltip ----

int PaintManager::SetTooltip(const wchar_t* text, CRect) {
    if (text == nullptr || *text == L'\0') {
        if (m_tooltip) {
            m_tooltip->Hide();
        }
        return 1;
    }
    HWND hwnd = m_hwnd;
    if (hwnd == nullptr) {
        return 0;
    }
    if (!m_tooltip) {
        m_tooltip = std::make_unique<TooltipWindow>(hwnd);
    }
    return m_tooltip->Show(text) ? 1 : 0;
}

void PaintManager::ClearTooltip() {
    if (m_tooltip) {
        m_tooltip->Hide();
    }
    m_tooltipOwner = 0;
}

// ---- per-control native timers ----

int PaintManager::SetTimer(MControl* control, unsigned key, unsigned ms) {
    HWND hwnd = m_hwnd;
    if (control == nullptr || hwnd == nullptr) {
        return 0;
    }
    std::lock_guard lock(m_timerLock);
    for (auto& t : m_timers) {
        if (t.hwnd == hwnd && t.control == control && t.key == key) {
            if (!t.killed) {
                return 0;
            }
            if (::DUI::SetTimer(hwnd, t.nativeId, ms) == 0) {
                return 0;
            }
            t.killed = false;
            return 1;
        }
    }
    const unsigned id = (m_nextTimerId + 1) % 240;
    m_nextTimerId = id;
    if (::DUI::SetTimer(hwnd, id, ms) == 0) {
        return 0;
    }
    m_timers.push_back(TimerEntry{hwnd, key, id, false, control});
    return 1;
}

int PaintManager::KillTimer(MControl* control, unsigned key) {
    std::lock_guard lock(m_timerLock);
    for (auto& t : m_timers) {
        if (t.control == control && t.key == key && !t.killed) {
            t.killed = true;
            // Another entry may still use the same native id (the counter wraps).
            const bool shared =
                std::any_of(m_timers.begin(), m_timers.end(), [&](const TimerEntry& o) {
                    return &o != &t && !o.killed && o.nativeId == t.nativeId && o.hwnd == t.hwnd;
                });
            if (!shared) {
                ::DUI::KillTimer(t.hwnd, t.nativeId);
            }
            return 1;
        }
    }
    return 0;
}

void PaintManager::KillTimer(MControl* control) {
    std::lock_guard lock(m_timerLock);
    for (auto& t : m_timers) {
        if (t.control == control && !t.killed) {
            ::DUI::KillTimer(t.hwnd, t.nativeId);
        }
    }
    std::erase_if(m_timers, [control](const TimerEntry& t) { return t.control == control; });
}

void PaintManager::ClearTimers() {
    std::lock_guard lock(m_timerLock);
    for (auto& t : m_timers) {
        ::DUI::KillTimer(t.hwnd, t.nativeId);
    }
    m_timers.clear();
}

void PaintManager::OnTimer(unsigned id) {
    switch (id) {
        case kCaretTimer:
            return;
        case kSelfStopTimer:
            if (HWND hwnd = m_hwnd) {
                ::DUI::KillTimer(hwnd, kSelfStopTimer);
            }
            return;
        case kFadeTimer:
        case kProgressTimer:
            OverlayTimer(id);
            return;
        default:
            break;
    }
    HWND hwnd = m_hwnd;
    std::lock_guard lock(m_timerLock);
    // A control's tick may add timers; walk a snapshot of the matching entries.
    std::vector<MControl*> due;
    for (const auto& t : m_timers) {
        if (t.hwnd == hwnd && t.nativeId == id && !t.killed) {
            due.push_back(t.control);
        }
    }
    for (MControl* c : due) {
        c->OnTimer();
    }
}

// ---- high-resolution timer ----

unsigned PaintManager::SetMTimer(unsigned ms) {
    const unsigned id = CMTimer::SetTimer(ms, L"", 0);
    m_fastTimerId = id;
    return id;
}

void PaintManager::KillMTimer(unsigned id) {
    CMTimer::KillTimer(id);
    if (m_fastTimerId == id) {
        m_fastTimerId = 0;
    }
}

void PaintManager::KillMTimer() {
    CMTimer::KillTimer();
    m_fastTimerId = 0;
}

int PaintManager::AddMTimer(MControl* control) {
    std::lock_guard lock(m_fastTimerLock);
    if (control != nullptr &&
        std::find(m_fastTimers.begin(), m_fastTimers.end(), control) == m_fastTimers.end()) {
        m_fastTimers.push_back(control);
    }
    return 1;
}

int PaintManager::DeleteTimer(MControl* control) {
    std::lock_guard lock(m_fastTimerLock);
    const auto before = m_fastTimers.size();
    std::erase(m_fastTimers, control);
    return before != m_fastTimers.size() ? 1 : 0;
}

void PaintManager::OnMTimer(unsigned id) {
    if (id == 0 || id != m_fastTimerId) {
        return;
    }
    std::lock_guard lock(m_fastTimerLock);
    for (MControl* c : m_fastTimers) {
        if (c->IsRunTimer() && c->IsVisible() && c->IsParentVisible()) {
            c->OnTimer();
        }
    }
}

}  // namespace DUI
