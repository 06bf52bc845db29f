#pragma once
// Native top-level windows, the per-thread message queue and per-window timers. The calls keep
// the shape of the classic window API the toolkit is written against: a window belongs to the
// thread that created it, PostMessageW may be called from any thread, WM_PAINT is produced while
// a window has an invalid region and nothing else is queued, WM_TIMER when a timer is due.
//
// Two backends sit behind these calls: SDL2 shows real windows; the headless one keeps windows
// in memory, takes input as injected messages and keeps each window's last frame for reading.

#include <functional>
#include <memory>
#include <string>

#include "tessel/platform/clock.h"
#include "tessel/platform/messages.h"
#include "tessel/platform/surface.h"
#include "tessel/platform/types.h"

namespace DUI {

enum class BackendKind { Headless, Sdl };

// Chooses the backend for windows created from now on. Sdl fails (false) when no display can be
// opened. Without a choice the first window picks: TESSEL_BACKEND=headless|sdl, else SDL when a
// display is reachable, else headless.
bool UseBackend(BackendKind kind);
BackendKind CurrentBackend();
// Per-pixel alpha for layered windows: the headless backend keeps it; SDL windows cannot.
bool SupportsPerPixelAlpha();

// Window timers and paint pacing read this clock (tests hand in a ManualClock).
void SetPlatformClock(Clock* clock);
Clock& PlatformClock();

// ---- classes and windows ----
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;

struct WNDCLASSEXW {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HINSTANCE hInstance = nullptr;
    const wchar_t* lpszClassName = nullptr;
};

// 0 on failure; a class registered again returns 0 with GetLastError() ==
// ERROR_CLASS_ALREADY_EXISTS.
inline constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
unsigned RegisterClassExW(const WNDCLASSEXW* wc);
bool GetClassInfoExW(HINSTANCE instance, const wchar_t* name, WNDCLASSEXW* wc);
DWORD GetLastError();

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                     int x, int y, int width, int height, HWND owner, HMENU menu,
                     HINSTANCE instance, void* param);
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

bool ShowWindow(HWND hwnd, int cmd);
bool IsWindowVisible(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
bool GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height): no frame is drawn
bool ClientToScreen(HWND hwnd, POINT* point);
bool ScreenToClient(HWND hwnd, POINT* point);
bool SetWindowTextW(HWND hwnd, const wchar_t* text);
std::wstring GetWindowTextW(HWND hwnd);
HWND GetWindow(HWND hwnd);  // the owner
HWND GetParent(HWND hwnd);
// The procedure the window's class gave it (null for an unknown window).
WNDPROC GetWindowProc(HWND hwnd);
void SetWindowIcon(HWND hwnd, const Image* icon);

inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWLP_USERDATA = -21;
long GetWindowLongPtrW(HWND hwnd, int index);
long SetWindowLongPtrW(HWND hwnd, int index, long value);
bool SetPropW(HWND hwnd, const wchar_t* name, void* value);
void* GetPropW(HWND hwnd, const wchar_t* name);
void* RemovePropW(HWND hwnd, const wchar_t* name);

inline constexpr DWORD LWA_COLORKEY = 1;
inline constexpr DWORD LWA_ALPHA = 2;
bool SetLayeredWindowAttributes(HWND hwnd, DWORD colorKey, BYTE alpha, DWORD flags);

HWND GetForegroundWindow();
bool SetForegroundWindow(HWND hwnd);
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND GetActiveWindow();

// ---- painting ----
bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase);
bool GetUpdateRect(HWND hwnd, RECT* rect);
struct PAINTSTRUCT {
    HDC hdc = nullptr;
    bool fErase = false;
    RECT rcPaint;
};
// Takes and clears the window's invalid region.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
void EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// Copies rect of frame (client-sized) to the window.
bool PresentFrame(HWND hwnd, const Surface& frame, const RECT& rect);
// Hands the whole frame to the window as per-pixel-alpha content.
bool UpdateLayeredWindow(HWND hwnd, const Surface& frame);
// The window's current content (client-sized); null for an unknown window.
std::unique_ptr<Surface> GetWindowFrame(HWND hwnd);

// ---- input state ----
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
short GetKeyState(int key);  // high bit set while down
bool GetCursorPos(POINT* point);

inline const wchar_t* const IDC_ARROW = reinterpret_cast<const wchar_t*>(32512);
inline const wchar_t* const IDC_WAIT = reinterpret_cast<const wchar_t*>(32514);
inline const wchar_t* const IDC_CROSS = reinterpret_cast<const wchar_t*>(32515);
inline const wchar_t* const IDC_SIZEWE = reinterpret_cast<const wchar_t*>(32644);
inline const wchar_t* const IDC_SIZENS = reinterpret_cast<const wchar_t*>(32645);
inline const wchar_t* const IDC_HAND = reinterpret_cast<const wchar_t*>(32649);
inline const wchar_t* const IDC_HELP = reinterpret_cast<const wchar_t*>(32651);
HCURSOR LoadCursorW(HINSTANCE instance, const wchar_t* name);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

inline constexpr DWORD TME_HOVER = 1;
inline constexpr DWORD TME_LEAVE = 2;
bool TrackMouseEvent(HWND hwnd, DWORD flags, DWORD hoverMs);

// Work area of the primary display (screen minus panels).
bool GetWorkArea(RECT* rect);
// Work area of the display nearest the window.
bool GetMonitorWorkArea(HWND hwnd, RECT* rect);

// ---- messages ----
bool PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PostThreadMessageToCurrent(UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int code);
// false on WM_QUIT.
bool GetMessageW(MSG* msg, HWND filter = nullptr);
inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;
bool PeekMessageW(MSG* msg, HWND filter, UINT remove);
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
// Runs the calling thread's queue until nothing is pending (posted messages, paints, due timers);
// each message is first offered to filter (true = consumed). Returns the number of messages run.
// A WM_QUIT met on the way is put back and ends the run.
int PumpPendingMessages(const std::function<bool(MSG&)>& filter = {});

// Timers deliver WM_TIMER with wParam = id to the window's thread.
unsigned SetTimer(HWND hwnd, unsigned id, unsigned ms);
bool KillTimer(HWND hwnd, unsigned id);

// ---- input injection (tests, and the SDL backend's event translation) ----
// Posts the message with lParam packed from the client point and updates the key and button
// state as a real event would.
bool InjectMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys = 0);
bool InjectWheel(HWND hwnd, int delta, int clientX, int clientY);
bool InjectKey(HWND hwnd, UINT msg, UINT key);
// Sets the key state directly (a key held before the window got focus).
void SetKeyStateForTesting(UINT key, bool down);

}  // namespace DUI
