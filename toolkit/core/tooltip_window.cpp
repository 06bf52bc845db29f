#include "tessel/core/tooltip_window.h"

#include <algorithm>

#include "tessel/core/manager.h"
#include "tessel/platform/resources.h"

namespace DUI {
namespace {

constexpr int kPadX = 6;
constexpr int kPadY = 4;
constexpr const wchar_t* kClassName = L"TesselTooltip";

Font TooltipFont() {
    Font font;
    font.family = L"Open Sans";
    font.size = 12;
    return font;
}

}  // namespace

TooltipWindow::TooltipWindow(HWND owner) : m_owner(owner) {}

TooltipWindow::~TooltipWindow() {
    Destroy();
}

bool TooltipWindow::EnsureWindow() {
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        return true;
    }
    WNDCLASSEXW wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = LibraryModule();
    wc.lpszClassName = kClassName;
    if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    m_hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 1,
                             1, m_owner, nullptr, LibraryModule(), this);
    if (m_hwnd != nullptr) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<long>(this));
    }
    return m_hwnd != nullptr;
}

bool TooltipWindow::Show(const std::wstring& text) {
    if (!EnsureWindow()) {
        return false;
    }
    {
        std::lock_guard lock(m_lock);
        m_text = text;
    }
    const CSize size = MeasureString(text, TooltipFont(), kMaxWidth - 2 * kPadX, true);
    const int width = std::min(kMaxWidth, size.cx + 2 * kPadX);
    const int height = size.cy + 2 * kPadY;
    POINT cursor;
    GetCursorPos(&cursor);
    RECT work;
    GetWorkArea(&work);
    const CRect area(work);
    int x = cursor.x + 12;
    int y = cursor.y + 20;
    x = std::max(area.left, std::min(x, area.right - width));
    y = std::max(area.top, std::min(y, area.bottom - height));
    SetWindowPos(m_hwnd, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    DUI::InvalidateRect(m_hwnd, nullptr, false);
    return true;
}

void TooltipWindow::Hide() {
    {
        std::lock_guard lock(m_lock);
        m_text.clear();
    }
    if (m_hwnd != nullptr && IsWindowVisible(m_hwnd)) {
        ShowWindow(m_hwnd, SW_HIDE);
    }
}

void TooltipWindow::Destroy() {
    if (m_hwnd != nullptr) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
    }
}

void TooltipWindow::RelayEvent(const MSG&) {}

std::wstring TooltipWindow::GetText() const {
    std::lock_guard lock(m_lock);
    return m_text;
}

bool TooltipWindow::IsShowing() const {
    return m_hwnd != nullptr && IsWindowVisible(m_hwnd);
}

void TooltipWindow::Paint() {
    PAINTSTRUCT ps;
    BeginPaint(m_hwnd, &ps);
    RECT client;
    GetClientRect(m_hwnd, &client);
    const CRect r(client);
    Surface frame(r.Width(), r.Height());
    {
        Graphics g(&frame);
        g.FillRectOpaque(r, kBackColor);
        g.DrawRect(r, kBorderColor, 1);
        TextFormat format;
        format.wordWrap = true;
        g.DrawString(GetText(), CRect(kPadX, kPadY, r.right - kPadX, r.bottom - kPadY),
                     TooltipFont(), kTextColor, format);
    }
    PresentFrame(m_hwnd, frame, r);
    EndPaint(m_hwnd, &ps);
}

LRESULT TooltipWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TooltipWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && msg == WM_PAINT) {
        self->Paint();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace DUI
