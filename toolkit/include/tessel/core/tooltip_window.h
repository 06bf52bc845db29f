#pragma once
// The tooltip: a small topmost tool window of our own that shows one text near the pointer,
// at most 256 pixels wide on a 0xF5F5F5 background.

#include <mutex>
#include <string>

#include "tessel/platform/window.h"

namespace DUI {

class TooltipWindow {
  public:
    static constexpr int kMaxWidth = 256;
    static constexpr DWORD kBackColor = 0xFFF5F5F5;
    static constexpr DWORD kBorderColor = 0xFF767676;
    static constexpr DWORD kTextColor = 0xFF1E1E1E;

    explicit TooltipWindow(HWND owner);
    ~TooltipWindow();
    TooltipWindow(const TooltipWindow&) = delete;
    TooltipWindow& operator=(const TooltipWindow&) = delete;

    // Shows the text near the pointer; false when the window cannot be created.
    bool Show(const std::wstring& text);
    void Hide();
    void Destroy();
    void RelayEvent(const MSG& msg);
    std::wstring GetText() const;
    HWND GetHwnd() const { return m_hwnd; }
    bool IsShowing() const;

  private:
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    bool EnsureWindow();

    HWND m_owner;
    HWND m_hwnd = nullptr;
    mutable std::mutex m_lock;
    std::wstring m_text;
};

}  // namespace DUI
