#pragma once
// The part of the window system that differs between a real display and the in-memory one.
// Calls come from the window's own thread unless a comment says otherwise.

#include <memory>

#include "platform/window_state.h"
#include "tessel/platform/window.h"

namespace DUI::detail {

class Backend {
  public:
    virtual ~Backend() = default;
    virtual BackendKind Kind() const = 0;
    virtual bool Create(NativeWindow* window) = 0;
    virtual void Destroy(NativeWindow* window) = 0;
    virtual void Show(NativeWindow* window) = 0;   // visible or state changed
    virtual void Place(NativeWindow* window) = 0;  // rect changed
    virtual void SetTitle(NativeWindow*) {}
    virtual void SetIcon(NativeWindow*, const Image*) {}
    virtual void SetOpacity(NativeWindow*) {}
    virtual void SetTopmost(NativeWindow*) {}
    virtual void Raise(NativeWindow*) {}
    // The window's frame has been updated in rect.
    virtual void Present(NativeWindow* window, const CRect& rect) = 0;
    virtual void SetCursor(int cursorId) { (void)cursorId; }
    virtual void Capture(bool on) { (void)on; }
    // A left press on the window's caption: move the window with the pointer until release.
    virtual void BeginMove(NativeWindow*) {}
    virtual bool WorkArea(RECT* rect) = 0;
    virtual bool PerPixelAlpha() const = 0;
    // Turns pending display events into posted messages; true when any was posted.
    virtual bool PumpEvents() { return false; }
    // Milliseconds a waiting thread may block before PumpEvents must run again (0 = forever).
    virtual int PollIntervalMs() const { return 0; }
};

std::unique_ptr<Backend> MakeHeadlessBackend();
// Null when no display can be opened.
std::unique_ptr<Backend> MakeSdlBackend();

// For backends: hand an event to the window system as a posted message.
bool PostFromBackend(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Moves or resizes without asking the backend (the display already did it).
void NoteWindowRectFromBackend(HWND hwnd, const CRect& rect);
// The window's rectangle in screen coordinates (empty for a dead window).
CRect WindowRectForBackend(HWND hwnd);
// True once after TrackMouseEvent asked for a leave notification; the request is used up.
bool TakeLeaveRequest(HWND hwnd);

}  // namespace DUI::detail
