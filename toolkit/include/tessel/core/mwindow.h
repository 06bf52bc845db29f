#pragma once
// A native top-level window bound to an object: the window procedure finds the object in the
// window's user data and hands it every message.

#include <atomic>

#include "tessel/platform/window.h"

namespace DUI {

class MWindow {
  public:
    MWindow();
    virtual ~MWindow();
    MWindow(const MWindow&) = delete;
    MWindow& operator=(const MWindow&) = delete;

    // ---- virtual operations, in their order ----
    virtual const wchar_t* GetWindowClassName() const { return L"MWindow"; }
    virtual const wchar_t* GetSuperClassName() const { return nullptr; }
    virtual int ShowWindow(int cmd);
    virtual long OnWindowMessage(unsigned msg, unsigned wParam, long lParam);
    virtual int PreTranslateMessage(MSG* msg);
    virtual int OnInitDialog() { return 1; }
    virtual void OnDestroyMessage(HWND) {}

    HWND Create(HWND parent);
    HWND Create(HWND parent, CRect rect);
    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, CRect rect);
    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, CRect rect,
                HMENU menu);

    HWND GetSafeHwnd() const { return m_hwnd.load(); }
    HWND GetParentHwnd() const { return m_parent; }
    void SetIcon(HICON icon);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    int ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    int ModifyExStyle(DWORD remove, DWORD add, UINT flags = 0);
    int GetClientRect(RECT* rect) const;
    int GetWindowRect(RECT* rect) const;
    int SetWindowTextW(const wchar_t* text);
    int GetWindowTextW(CString& text) const;
    int GetWindowTextLengthW() const;
    int EnableWindow(int enable);
    int IsWindowEnabled() const;
    int IsWindowVisible() const;
    int IsIconic() const;
    int InvalidateRect(CRect rect, int erase);
    HWND SetCapture();
    int ReleaseCapture();
    HWND SetFocus();
    unsigned SetTimer(unsigned id, unsigned ms);
    int KillTimer(unsigned id);
    int ClientToScreen(POINT* point) const;
    int ClientToScreen(RECT* rect) const;
    int ScreenToClient(POINT* point) const;
    int ScreenToClient(RECT* rect) const;
    int SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    int MoveWindow(int x, int y, int width, int height, int repaint = 1);
    int MoveWindow(const RECT& rect, int repaint = 1);
    int DestroyWindow();
    long SendMessageW(unsigned msg, unsigned wParam, long lParam);
    int PostMessageW(unsigned msg, unsigned wParam, long lParam);

    // Runs the window modally; returns the wParam of the close message (-1 without a window).
    unsigned ShowModal(int show = SW_SHOW);
    void CenterWindow(MWindow* reference = nullptr);
    void BringToTop();

    int RegisterWindowClass();
    int RegisterSuperClass();
    static LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The object bound to a window, or null.
    static MWindow* FromHandle(HWND hwnd);
    // Runs the calling thread's queue until idle, offering each message to its window's
    // PreTranslateMessage first; returns the number of messages run.
    static int PumpUntilIdle();

  protected:
    HWND m_parent = nullptr;
    // Read by other threads that post to the window.
    std::atomic<HWND> m_hwnd{nullptr};
    WNDPROC m_defaultProc = nullptr;
};

}  // namespace DUI
