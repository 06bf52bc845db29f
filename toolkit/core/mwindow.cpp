#include "tessel/core/mwindow.h"

#include <algorithm>

#include "tessel/core/manager.h"
#include "tessel/platform/resources.h"

namespace DUI {

MWindow::MWindow() : m_defaultProc(DefWindowProcW) {}

MWindow::~MWindow() {
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        // The object is going away: unbind it so the window's last messages find no object.
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        RemovePropW(m_hwnd, L"Control");
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        ::DUI::DestroyWindow(hwnd);
    }
    Manager::DeleteWnd(this);
}

int MWindow::ShowWindow(int cmd) {
    if (m_hwnd == nullptr) {
        return 0;
    }
    return ::DUI::ShowWindow(m_hwnd, cmd) ? 1 : 0;
}

long MWindow::OnWindowMessage(unsigned msg, unsigned wParam, long lParam) {
    return m_defaultProc(m_hwnd, msg, wParam, lParam);
}

int MWindow::PreTranslateMessage(MSG*) {
    return 0;
}

HWND MWindow::Create(HWND parent) {
    return Create(parent, L"MWindow", 0x80B, 0, CRect(0, 0, 800, 600));
}

HWND MWindow::Create(HWND parent, CRect rect) {
    return Create(parent, L"MWindow", 0x80B, 0, rect);
}

HWND MWindow::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, CRect rect) {
    return Create(parent, name, style, exStyle, rect, nullptr);
}

HWND MWindow::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, CRect rect,
                     HMENU menu) {
    if (m_hwnd != nullptr) {
        return m_hwnd;
    }
    m_parent = parent;
    const int registered =
        GetSuperClassName() != nullptr ? RegisterSuperClass() : RegisterWindowClass();
    if (!registered) {
        return nullptr;
    }
    CreateWindowExW(exStyle, GetWindowClassName(), name, style, rect.left, rect.top, rect.Width(),
                    rect.Height(), parent, menu, Manager::GetInstance(), this);
    Manager::AddWnd(this);
    OnInitDialog();
    return m_hwnd;
}

void MWindow::SetIcon(HICON icon) {
    if (m_hwnd != nullptr && icon != nullptr) {
        SetWindowIcon(m_hwnd, icon);
    }
}

DWORD MWindow::GetStyle() const {
    return m_hwnd != nullptr ? static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_STYLE)) : 0;
}

DWORD MWindow::GetExStyle() const {
    return m_hwnd != nullptr ? static_cast<DWORD>(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)) : 0;
}

int MWindow::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    if (m_hwnd == nullptr) {
        return 0;
    }
    const DWORD style = GetStyle();
    const DWORD updated = (style & ~remove) | add;
    if (style == updated) {
        return 0;
    }
    SetWindowLongPtrW(m_hwnd, GWL_STYLE, static_cast<long>(updated));
    if (flags != 0) {
        ::DUI::SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0, flags | 0x17);
    }
    return 1;
}

int MWindow::ModifyExStyle(DWORD remove, DWORD add, UINT flags) {
    if (m_hwnd == nullptr) {
        return 0;
    }
    const DWORD style = GetExStyle();
    const DWORD updated = (style & ~remove) | add;
    if (style == updated) {
        return 0;
    }
    SetWindowLongPtrW(m_hwnd, GWL_EXSTYLE, static_cast<long>(updated));
    if (flags != 0) {
        ::DUI::SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0, flags | 0x17);
    }
    return 1;
}

int MWindow::GetClientRect(RECT* rect) const {
    return m_hwnd != nullptr && ::DUI::GetClientRect(m_hwnd, rect);
}
int MWindow::GetWindowRect(RECT* rect) const {
    return m_hwnd != nullptr && ::DUI::GetWindowRect(m_hwnd, rect);
}
int MWindow::SetWindowTextW(const wchar_t* text) {
    return m_hwnd != nullptr && ::DUI::SetWindowTextW(m_hwnd, text);
}

int MWindow::GetWindowTextW(CString& text) const {
    if (m_hwnd == nullptr) {
        return 0;
    }
    text = ::DUI::GetWindowTextW(m_hwnd);
    return static_cast<int>(text.size());
}

int MWindow::GetWindowTextLengthW() const {
    if (m_hwnd == nullptr) {
        return -1;
    }
    return static_cast<int>(::DUI::GetWindowTextW(m_hwnd).size());
}

int MWindow::EnableWindow(int enable) {
    return m_hwnd != nullptr && ::DUI::EnableWindow(m_hwnd, enable != 0);
}
int MWindow::IsWindowEnabled() const {
    return m_hwnd != nullptr && ::DUI::IsWindowEnabled(m_hwnd);
}
int MWindow::IsWindowVisible() const {
    return m_hwnd != nullptr && ::DUI::IsWindowVisible(m_hwnd);
}
int MWindow::IsIconic() const {
    return m_hwnd != nullptr && ::DUI::IsIconic(m_hwnd);
}

int MWindow::InvalidateRect(CRect rect, int erase) {
    return m_hwnd != nullptr && ::DUI::InvalidateRect(m_hwnd, &rect, erase != 0);
}

HWND MWindow::SetCapture() {
    return m_hwnd != nullptr ? ::DUI::SetCapture(m_hwnd) : nullptr;
}
int MWindow::ReleaseCapture() {
    return m_hwnd != nullptr && ::DUI::ReleaseCapture();
}
HWND MWindow::SetFocus() {
    return m_hwnd != nullptr ? ::DUI::SetFocus(m_hwnd) : nullptr;
}
unsigned MWindow::SetTimer(unsigned id, unsigned ms) {
    return m_hwnd != nullptr ? ::DUI::SetTimer(m_hwnd, id, ms) : 0;
}
int MWindow::KillTimer(unsigned id) {
    return m_hwnd != nullptr && ::DUI::KillTimer(m_hwnd, id);
}
int MWindow::ClientToScreen(POINT* point) const {
    return m_hwnd != nullptr && ::DUI::ClientToScreen(m_hwnd, point);
}
int MWindow::ScreenToClient(POINT* point) const {
    return m_hwnd != nullptr && ::DUI::ScreenToClient(m_hwnd, point);
}

int MWindow::ClientToScreen(RECT* rect) const {
    if (m_hwnd == nullptr || rect == nullptr) {
        return 0;
    }
    POINT p{0, 0};
    ::DUI::ClientToScreen(m_hwnd, &p);
    CRect r(*rect);
    r.OffsetRect(p.x, p.y);
    *rect = r;
    return 1;
}

int MWindow::ScreenToClient(RECT* rect) const {
    if (m_hwnd == nullptr || rect == nullptr) {
        return 0;
    }
    POINT p{0, 0};
    ::DUI::ClientToScreen(m_hwnd, &p);
    CRect r(*rect);
    r.OffsetRect(-p.x, -p.y);
    *rect = r;
    return 1;
}

int MWindow::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return m_hwnd != nullptr && ::DUI::SetWindowPos(m_hwnd, insertAfter, x, y, cx, cy, flags);
}

int MWindow::MoveWindow(int x, int y, int width, int height, int repaint) {
    return m_hwnd != nullptr && ::DUI::MoveWindow(m_hwnd, x, y, width, height, repaint != 0);
}

int MWindow::MoveWindow(const RECT& rect, int repaint) {
    const CRect r(rect);
    return MoveWindow(r.left, r.top, r.Width(), r.Height(), repaint);
}

int MWindow::DestroyWindow() {
    return m_hwnd != nullptr && ::DUI::DestroyWindow(m_hwnd);
}

long MWindow::SendMessageW(unsigned msg, unsigned wParam, long lParam) {
    return m_hwnd != nullptr ? ::DUI::SendMessageW(m_hwnd, msg, wParam, lParam) : 0;
}

int MWindow::PostMessageW(unsigned msg, unsigned wParam, long lParam) {
    return m_hwnd != nullptr && ::DUI::PostMessageW(m_hwnd, msg, wParam, lParam);
}

unsigned MWindow::ShowModal(int show) {
    if (m_hwnd == nullptr || !IsWindow(m_hwnd)) {
        return static_cast<unsigned>(-1);
    }
    HWND self = m_hwnd;
    HWND owner = GetWindow(self);
    ::DUI::ShowWindow(self, show);
    if (owner != nullptr) {
        ::DUI::EnableWindow(owner, false);
    }
    unsigned result = 0;
    bool ownerRestored = false;
    const auto restoreOwner = [&] {
        if (!ownerRestored && owner != nullptr) {
            ::DUI::EnableWindow(owner, true);
            ::DUI::SetForegroundWindow(owner);
            ::DUI::SetFocus(owner);
        }
        ownerRestored = true;
    };
    MSG msg;
    while (IsWindow(self)) {
        if (!GetMessageW(&msg)) {
            restoreOwner();
            PostQuitMessage(static_cast<int>(msg.wParam));
            return result;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == self) {
            result = msg.wParam;
            restoreOwner();
        }
        MWindow* target = FromHandle(msg.hwnd);
        if (target == nullptr || !target->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    restoreOwner();
    return result;
}

void MWindow::CenterWindow(MWindow* reference) {
    if (m_hwnd == nullptr) {
        return;
    }
    HWND ref = (reference != nullptr && reference->GetSafeHwnd() != nullptr)
                   ? reference->GetSafeHwnd()
                   : GetWindow(m_hwnd);
    const bool child = (GetStyle() & WS_CHILD) != 0;
    CRect own;
    ::DUI::GetWindowRect(m_hwnd, &own);
    CRect bounds;
    CRect center;
    if (child && ref != nullptr) {
        RECT client;
        ::DUI::GetClientRect(ref, &client);
        center = client;
        bounds = client;
    } else {
        if (ref != nullptr && (!::DUI::IsWindowVisible(ref) || ::DUI::IsIconic(ref))) {
            ref = nullptr;
        }
        RECT work;
        GetMonitorWorkArea(ref != nullptr ? ref : m_hwnd.load(), &work);
        bounds = work;
        if (ref != nullptr) {
            RECT r;
            ::DUI::GetWindowRect(ref, &r);
            center = r;
        } else {
            center = bounds;
        }
    }
    int x = (center.left + center.right) / 2 - own.Width() / 2;
    int y = (center.top + center.bottom) / 2 - own.Height() / 2;
    if (x + own.Width() > bounds.right) {
        x = bounds.right - own.Width();
    }
    if (y + own.Height() > bounds.bottom) {
        y = bounds.bottom - own.Height();
    }
    x = std::max(x, bounds.left);
    y = std::max(y, bounds.top);
    ::DUI::SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop() {
    if (m_hwnd == nullptr) {
        return;
    }
    ::DUI::SetForegroundWindow(m_hwnd);
    ::DUI::ShowWindow(m_hwnd, ::DUI::IsIconic(m_hwnd) ? SW_RESTORE : SW_SHOWNORMAL);
}

int MWindow::RegisterWindowClass() {
    WNDCLASSEXW wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = LibraryModule();
    wc.lpszClassName = GetWindowClassName();
    if (RegisterClassExW(&wc) != 0) {
        return 1;
    }
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? 1 : 0;
}

int MWindow::RegisterSuperClass() {
    WNDCLASSEXW base;
    if (!GetClassInfoExW(nullptr, GetSuperClassName(), &base) &&
        !GetClassInfoExW(LibraryModule(), GetSuperClassName(), &base)) {
        return 0;
    }
    m_defaultProc = base.lpfnWndProc;
    WNDCLASSEXW wc = base;
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = LibraryModule();
    wc.lpszClassName = GetWindowClassName();
    if (RegisterClassExW(&wc) != 0) {
        return 1;
    }
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? 1 : 0;
}

MWindow* MWindow::FromHandle(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    // Only windows bound by our own procedures hold an MWindow; other classes use the slots freely.
    const WNDPROC proc = GetWindowProc(hwnd);
    if (proc == WndProc) {
        return reinterpret_cast<MWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (proc == ControlProc) {
        return static_cast<MWindow*>(GetPropW(hwnd, L"Control"));
    }
    return nullptr;
}

LRESULT MWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MWindow* window = nullptr;
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        window = static_cast<MWindow*>(cs->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<long>(window));
        if (window != nullptr) {
            window->m_hwnd = hwnd;
        }
    } else {
        window = reinterpret_cast<MWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_NCDESTROY && window != nullptr) {
            const LRESULT result = window->m_defaultProc(hwnd, msg, wParam, lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            window->m_hwnd = nullptr;
            window->OnDestroyMessage(hwnd);
            return result;
        }
    }
    if (window != nullptr) {
        return window->OnWindowMessage(msg, wParam, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT MWindow::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MWindow* window = nullptr;
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        window = static_cast<MWindow*>(cs->lpCreateParams);
        SetPropW(hwnd, L"Control", window);
        if (window != nullptr) {
            window->m_hwnd = hwnd;
        }
    } else {
        window = static_cast<MWindow*>(GetPropW(hwnd, L"Control"));
        if (msg == WM_NCDESTROY && window != nullptr) {
            const LRESULT result = window->m_defaultProc(hwnd, msg, wParam, lParam);
            RemovePropW(hwnd, L"Control");
            window->m_hwnd = nullptr;
            window->OnDestroyMessage(hwnd);
            return result;
        }
    }
    if (window != nullptr) {
        return window->OnWindowMessage(msg, wParam, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int MWindow::PumpUntilIdle() {
    return PumpPendingMessages([](MSG& msg) {
        MWindow* window = FromHandle(msg.hwnd);
        return window != nullptr && window->PreTranslateMessage(&msg) != 0;
    });
}

}  // namespace DUI
