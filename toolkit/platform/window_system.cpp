// The window system: native windows, the per-thread queues, window timers and input state.
// One lock guards all of it; window procedures are always called with the lock released.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/backend.h"
#include "tessel/platform/window.h"

namespace DUI {

struct CursorHandle {
    int id;
};

namespace {

struct ThreadQueue {
    std::deque<MSG> posted;
    std::condition_variable_any wake;
    bool quit = false;
    int quitCode = 0;
};

struct WindowTimer {
    HWND hwnd;
    unsigned id;
    Clock::duration period;
    Clock::time_point due;
};

struct ClassInfo {
    WNDCLASSEXW wc;
    std::wstring name;
};

struct State {
    std::recursive_mutex lock;
    std::unique_ptr<detail::Backend> backend;
    std::vector<HWND> windows;  // bottom to top
    std::vector<std::unique_ptr<NativeWindow>> graveyard;
    std::map<std::thread::id, std::shared_ptr<ThreadQueue>> queues;
    std::vector<WindowTimer> timers;
    std::map<std::wstring, ClassInfo> classes;
    HWND capture = nullptr;
    HWND foreground = nullptr;
    HWND focus = nullptr;
    POINT cursorPos;
    int cursor = 32512;
};

State& S() {
    static State* state = new State();  // outlives every static that may still post at exit
    return *state;
}

std::array<std::atomic<bool>, 256> g_keys{};
std::atomic<Clock*> g_clock{nullptr};
thread_local DWORD t_last_error = 0;

bool Alive(HWND hwnd) {
    if (hwnd == nullptr) {
        return false;
    }
    for (HWND w : S().windows) {
        if (w == hwnd) {
            return w->alive;
        }
    }
    return false;
}

detail::Backend& Backend() {
    State& s = S();
    if (!s.backend) {
        const char* env = std::getenv("TESSEL_BACKEND");
        const std::string choice = env != nullptr ? env : "";
        if (choice != "headless") {
            s.backend = detail::MakeSdlBackend();
        }
        if (!s.backend) {
            s.backend = detail::MakeHeadlessBackend();
        }
    }
    return *s.backend;
}

std::shared_ptr<ThreadQueue> QueueOf(std::thread::id thread) {
    auto& slot = S().queues[thread];
    if (!slot) {
        slot = std::make_shared<ThreadQueue>();
    }
    return slot;
}

std::uint64_t NowMs() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          PlatformClock().now().time_since_epoch())
                                          .count());
}

void NoteInputState(const MSG& msg) {
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            g_keys[msg.wParam & 0xFF] = true;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            g_keys[msg.wParam & 0xFF] = false;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            g_keys[VK_LBUTTON] = true;
            break;
        case WM_LBUTTONUP:
            g_keys[VK_LBUTTON] = false;
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            g_keys[VK_RBUTTON] = true;
            break;
        case WM_RBUTTONUP:
            g_keys[VK_RBUTTON] = false;
            break;
        default:
            break;
    }
    if (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MBUTTONUP && Alive(msg.hwnd)) {
        S().cursorPos = {msg.hwnd->rect.left + GET_X_LPARAM(msg.lParam),
                         msg.hwnd->rect.top + GET_Y_LPARAM(msg.lParam)};
    }
}

bool Matches(const MSG& msg, HWND filter) {
    return filter == nullptr || msg.hwnd == filter;
}

// Takes the next message of the calling thread, in the platform's order: posted messages, then
// quit, then paints, then due timers. Timers due after `cutoff` are left alone.
bool TakeNext(MSG* out, HWND filter, bool remove, Clock::time_point cutoff) {
    State& s = S();
    auto queue = QueueOf(std::this_thread::get_id());
    for (auto it = queue->posted.begin(); it != queue->posted.end(); ++it) {
        if (Matches(*it, filter)) {
            *out = *it;
            if (remove) {
                queue->posted.erase(it);
                NoteInputState(*out);
            }
            return true;
        }
    }
    if (queue->quit && filter == nullptr) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue->quitCode), 0, NowMs(), {}};
        if (remove) {
            queue->quit = false;
        }
        return true;
    }
    const auto self = std::this_thread::get_id();
    for (HWND w : s.windows) {
        if (w->alive && w->thread == self && w->visible && !w->invalid.IsRectEmpty() &&
            Matches(MSG{w}, filter)) {
            *out = MSG{w, WM_PAINT, 0, 0, NowMs(), {}};
            return true;
        }
    }
    const auto now = PlatformClock().now();
    WindowTimer* due = nullptr;
    for (auto& timer : s.timers) {
        if (timer.hwnd->thread == self && timer.due <= now && timer.due <= cutoff &&
            Matches(MSG{timer.hwnd}, filter) && (due == nullptr || timer.due < due->due)) {
            due = &timer;
        }
    }
    if (due != nullptr) {
        *out = MSG{due->hwnd, WM_TIMER, due->id, 0, NowMs(), {}};
        if (remove) {
            due->due = now + due->period;
        }
        return true;
    }
    return false;
}

void Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SendMessageW(hwnd, msg, wParam, lParam);
}

void Activate(HWND hwnd) {
    HWND previous = nullptr;
    {
        std::lock_guard lock(S().lock);
        if (S().foreground == hwnd) {
            return;
        }
        previous = S().foreground;
        S().foreground = hwnd;
        S().focus = hwnd;
    }
    if (Alive(previous)) {
        Send(previous, WM_NCACTIVATE, 0, 0);
    }
    if (hwnd != nullptr) {
        Send(hwnd, WM_NCACTIVATE, 1, 0);
    }
}

}  // namespace

// ---- backend choice and clock ----

bool UseBackend(BackendKind kind) {
    std::lock_guard lock(S().lock);
    if (S().backend && S().backend->Kind() == kind) {
        return true;
    }
    auto backend =
        kind == BackendKind::Sdl ? detail::MakeSdlBackend() : detail::MakeHeadlessBackend();
    if (!backend) {
        return false;
    }
    S().backend = std::move(backend);
    return true;
}

BackendKind CurrentBackend() {
    std::lock_guard lock(S().lock);
    return Backend().Kind();
}

bool SupportsPerPixelAlpha() {
    std::lock_guard lock(S().lock);
    return Backend().PerPixelAlpha();
}

void SetPlatformClock(Clock* clock) {
    g_clock = clock;
}

Clock& PlatformClock() {
    Clock* clock = g_clock.load();
    return clock != nullptr ? *clock : Clock::Real();
}

// ---- classes ----

unsigned RegisterClassExW(const WNDCLASSEXW* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) {
        t_last_error = 87;
        return 0;
    }
    std::lock_guard lock(S().lock);
    auto& classes = S().classes;
    if (classes.count(wc->lpszClassName) != 0) {
        t_last_error = ERROR_CLASS_ALREADY_EXISTS;
        return 0;
    }
    ClassInfo info{*wc, wc->lpszClassName};
    auto it = classes.emplace(info.name, info).first;
    it->second.wc.lpszClassName = it->second.name.c_str();
    return static_cast<unsigned>(classes.size());
}

bool GetClassInfoExW(HINSTANCE, const wchar_t* name, WNDCLASSEXW* wc) {
    if (name == nullptr) {
        return false;
    }
    std::lock_guard lock(S().lock);
    const auto it = S().classes.find(name);
    if (it == S().classes.end()) {
        t_last_error = 1411;
        return false;
    }
    if (wc != nullptr) {
        *wc = it->second.wc;
    }
    return true;
}

DWORD GetLastError() {
    return t_last_error;
}

// ---- windows ----

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                     int x, int y, int width, int height, HWND owner, HMENU menu,
                     HINSTANCE instance, void* param) {
    HWND hwnd = nullptr;
    {
        std::lock_guard lock(S().lock);
        const auto it = className != nullptr ? S().classes.find(className) : S().classes.end();
        if (it == S().classes.end()) {
            t_last_error = 1407;
            return nullptr;
        }
        auto window = std::make_unique<NativeWindow>();
        window->className = it->second.name;
        window->proc = it->second.wc.lpfnWndProc;
        window->classStyle = it->second.wc.style;
        window->instance = instance;
        window->thread = std::this_thread::get_id();
        window->title = title != nullptr ? title : L"";
        window->style = style & ~WS_VISIBLE;
        window->exStyle = exStyle;
        window->rect = CRect(x, y, x + std::max(0, width), y + std::max(0, height));
        window->owner = Alive(owner) ? owner : nullptr;
        hwnd = window.get();
        if (!Backend().Create(hwnd)) {
            return nullptr;
        }
        S().windows.push_back(hwnd);
        S().graveyard.push_back(std::move(window));
        QueueOf(hwnd->thread);
    }
    CREATESTRUCTW cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = owner;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = static_cast<long>(style);
    cs.lpszName = title;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    const LPARAM csParam = reinterpret_cast<LPARAM>(&cs);
    if (SendMessageW(hwnd, WM_NCCREATE, 0, csParam) == 0 || !IsWindow(hwnd) ||
        SendMessageW(hwnd, WM_CREATE, 0, csParam) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
    if ((style & WS_VISIBLE) != 0) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return hwnd;
}

bool DestroyWindow(HWND hwnd) {
    std::vector<HWND> owned;
    {
        std::lock_guard lock(S().lock);
        if (!Alive(hwnd)) {
            return false;
        }
        for (HWND w : S().windows) {
            if (w->alive && w->owner == hwnd) {
                owned.push_back(w);
            }
        }
    }
    for (HWND w : owned) {
        DestroyWindow(w);
    }
    ShowWindow(hwnd, SW_HIDE);
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    std::lock_guard lock(S().lock);
    State& s = S();
    if (!hwnd->alive) {
        return true;
    }
    hwnd->alive = false;
    if (s.capture == hwnd) {
        s.capture = nullptr;
        Backend().Capture(false);
    }
    if (s.foreground == hwnd) {
        s.foreground = nullptr;
    }
    if (s.focus == hwnd) {
        s.focus = nullptr;
    }
    std::erase_if(s.timers, [hwnd](const WindowTimer& t) { return t.hwnd == hwnd; });
    for (auto& [thread, queue] : s.queues) {
        std::erase_if(queue->posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
    }
    Backend().Destroy(hwnd);
    std::erase(s.windows, hwnd);
    hwnd->frame.reset();
    hwnd->props.clear();
    // The record stays (dead) so a stale handle is recognised instead of reused.
    return true;
}

bool IsWindow(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd);
}

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
        case WM_NCCREATE:
            return 1;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_PAINT: {
            std::lock_guard lock(S().lock);
            if (Alive(hwnd)) {
                hwnd->invalid.SetRectEmpty();
            }
            return 0;
        }
        case WM_ERASEBKGND:
        case WM_NCACTIVATE:
            return 1;
        case WM_NCLBUTTONDOWN:
            if (wParam == static_cast<WPARAM>(HTCAPTION)) {
                std::lock_guard lock(S().lock);
                if (Alive(hwnd)) {
                    Backend().BeginMove(hwnd);
                }
            }
            return 0;
        case WM_GETMINMAXINFO:
        default:
            return 0;
    }
}

bool ShowWindow(HWND hwnd, int cmd) {
    bool wasVisible = false;
    bool activate = false;
    bool sized = false;
    CRect rect;
    {
        std::lock_guard lock(S().lock);
        if (!Alive(hwnd)) {
            return false;
        }
        wasVisible = hwnd->visible;
        const int oldState = hwnd->showState;
        switch (cmd) {
            case SW_HIDE:
                hwnd->visible = false;
                break;
            case SW_MINIMIZE:
            case SW_SHOWMINIMIZED:
                if (hwnd->showState == 0) {
                    hwnd->restoreRect = hwnd->rect;
                }
                hwnd->showState = 1;
                hwnd->visible = true;
                break;
            case SW_SHOWMAXIMIZED:
                if (hwnd->showState == 0) {
                    hwnd->restoreRect = hwnd->rect;
                }
                hwnd->showState = 2;
                hwnd->visible = true;
                activate = true;
                break;
            case SW_RESTORE:
            case SW_SHOWNORMAL:
                if (hwnd->showState != 0) {
                    hwnd->rect = hwnd->restoreRect;
                    hwnd->showState = 0;
                    sized = true;
                }
                hwnd->visible = true;
                activate = true;
                break;
            case SW_SHOWNOACTIVATE:
            case SW_SHOWNA:
                hwnd->visible = true;
                break;
            default:
                hwnd->visible = true;
                activate = true;
                break;
        }
        if (hwnd->showState != oldState && hwnd->showState != 2) {
            sized = true;
        }
        if (hwnd->visible && !wasVisible) {
            hwnd->invalid = CRect(0, 0, hwnd->rect.Width(), hwnd->rect.Height());
            hwnd->erase = true;
        }
        rect = hwnd->rect;
        Backend().Show(hwnd);
    }
    if (cmd == SW_SHOWMAXIMIZED) {
        MINMAXINFO info;
        RECT work;
        GetWorkArea(&work);
        const CRect w(work);
        info.ptMaxSize = {w.Width(), w.Height()};
        info.ptMaxPosition = {w.left, w.top};
        SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        {
            std::lock_guard lock(S().lock);
            if (!Alive(hwnd)) {
                return wasVisible;
            }
            hwnd->rect = CRect(info.ptMaxPosition.x, info.ptMaxPosition.y,
                               info.ptMaxPosition.x + info.ptMaxSize.x,
                               info.ptMaxPosition.y + info.ptMaxSize.y);
            hwnd->invalid = CRect(0, 0, hwnd->rect.Width(), hwnd->rect.Height());
            rect = hwnd->rect;
            Backend().Place(hwnd);
        }
        SendMessageW(hwnd, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(rect.Width(), rect.Height()));
    } else if (sized) {
        SendMessageW(hwnd, WM_SIZE, IsIconic(hwnd) ? SIZE_MINIMIZED : SIZE_RESTORED,
                     MAKELPARAM(rect.Width(), rect.Height()));
    }
    if (wasVisible != IsWindowVisible(hwnd)) {
        SendMessageW(hwnd, WM_SHOWWINDOW, IsWindowVisible(hwnd) ? 1 : 0, 0);
    }
    if (activate && IsWindowEnabled(hwnd)) {
        Activate(hwnd);
    } else if (cmd == SW_HIDE) {
        std::lock_guard lock(S().lock);
        if (S().foreground == hwnd) {
            S().foreground = nullptr;
        }
    }
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) && hwnd->visible;
}

bool IsIconic(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) && hwnd->showState == 1;
}

bool IsZoomed(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) && hwnd->showState == 2;
}

bool EnableWindow(HWND hwnd, bool enable) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return false;
    }
    const bool wasDisabled = !hwnd->enabled;
    hwnd->enabled = enable;
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) && hwnd->enabled;
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    CRect before;
    CRect after;
    {
        std::lock_guard lock(S().lock);
        if (!Alive(hwnd)) {
            return false;
        }
        before = hwnd->rect;
        CRect r = hwnd->rect;
        if ((flags & SWP_NOMOVE) == 0) {
            r = CRect(x, y, x + r.Width(), y + r.Height());
        }
        if ((flags & SWP_NOSIZE) == 0) {
            r.right = r.left + std::max(0, cx);
            r.bottom = r.top + std::max(0, cy);
        }
        hwnd->rect = r;
        after = r;
        if ((flags & SWP_NOZORDER) == 0) {
            if (insertAfter == HWND_TOPMOST) {
                hwnd->exStyle |= WS_EX_TOPMOST;
                Backend().SetTopmost(hwnd);
            } else if (insertAfter == HWND_NOTOPMOST) {
                hwnd->exStyle &= ~WS_EX_TOPMOST;
                Backend().SetTopmost(hwnd);
            }
        }
        if (!(before == after)) {
            Backend().Place(hwnd);
            if (before.Width() != after.Width() || before.Height() != after.Height()) {
                hwnd->invalid = CRect(0, 0, after.Width(), after.Height());
            }
        }
    }
    if ((flags & SWP_SHOWWINDOW) != 0) {
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) != 0 ? SW_SHOWNA : SW_SHOW);
    } else if ((flags & SWP_HIDEWINDOW) != 0) {
        ShowWindow(hwnd, SW_HIDE);
    }
    if (before.Width() != after.Width() || before.Height() != after.Height()) {
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.Width(), after.Height()));
    }
    if (before.left != after.left || before.top != after.top) {
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(after.left, after.top));
    }
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, 0);
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool GetWindowRect(HWND hwnd, RECT* rect) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || rect == nullptr) {
        return false;
    }
    *rect = hwnd->rect;
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || rect == nullptr) {
        return false;
    }
    *rect = CRect(0, 0, hwnd->rect.Width(), hwnd->rect.Height());
    return true;
}

bool ClientToScreen(HWND hwnd, POINT* point) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || point == nullptr) {
        return false;
    }
    point->x += hwnd->rect.left;
    point->y += hwnd->rect.top;
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* point) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || point == nullptr) {
        return false;
    }
    point->x -= hwnd->rect.left;
    point->y -= hwnd->rect.top;
    return true;
}

bool SetWindowTextW(HWND hwnd, const wchar_t* text) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return false;
    }
    hwnd->title = text != nullptr ? text : L"";
    Backend().SetTitle(hwnd);
    return true;
}

std::wstring GetWindowTextW(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) ? hwnd->title : std::wstring();
}

HWND GetWindow(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) ? hwnd->owner : nullptr;
}

HWND GetParent(HWND hwnd) {
    return GetWindow(hwnd);
}

WNDPROC GetWindowProc(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) ? hwnd->proc : nullptr;
}

void SetWindowIcon(HWND hwnd, const Image* icon) {
    std::lock_guard lock(S().lock);
    if (Alive(hwnd) && icon != nullptr) {
        Backend().SetIcon(hwnd, icon);
    }
}

long GetWindowLongPtrW(HWND hwnd, int index) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return 0;
    }
    switch (index) {
        case GWL_STYLE:
            return static_cast<long>(hwnd->style | (hwnd->visible ? WS_VISIBLE : 0));
        case GWL_EXSTYLE:
            return static_cast<long>(hwnd->exStyle);
        case GWLP_USERDATA:
            return hwnd->userData;
        default:
            return 0;
    }
}

long SetWindowLongPtrW(HWND hwnd, int index, long value) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return 0;
    }
    long old = 0;
    switch (index) {
        case GWL_STYLE:
            old = static_cast<long>(hwnd->style);
            hwnd->style = static_cast<DWORD>(value) & ~WS_VISIBLE;
            break;
        case GWL_EXSTYLE:
            old = static_cast<long>(hwnd->exStyle);
            hwnd->exStyle = static_cast<DWORD>(value);
            Backend().SetTopmost(hwnd);
            break;
        case GWLP_USERDATA:
            old = hwnd->userData;
            hwnd->userData = value;
            break;
        default:
            break;
    }
    return old;
}

bool SetPropW(HWND hwnd, const wchar_t* name, void* value) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || name == nullptr) {
        return false;
    }
    hwnd->props[name] = value;
    return true;
}

void* GetPropW(HWND hwnd, const wchar_t* name) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || name == nullptr) {
        return nullptr;
    }
    const auto it = hwnd->props.find(name);
    return it == hwnd->props.end() ? nullptr : it->second;
}

void* RemovePropW(HWND hwnd, const wchar_t* name) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || name == nullptr) {
        return nullptr;
    }
    const auto it = hwnd->props.find(name);
    if (it == hwnd->props.end()) {
        return nullptr;
    }
    void* value = it->second;
    hwnd->props.erase(it);
    return value;
}

bool SetLayeredWindowAttributes(HWND hwnd, DWORD colorKey, BYTE alpha, DWORD flags) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || (hwnd->exStyle & WS_EX_LAYERED) == 0) {
        return false;
    }
    hwnd->colorKey = colorKey;
    hwnd->alpha = (flags & LWA_ALPHA) != 0 ? alpha : 255;
    hwnd->layeredFlags = flags;
    Backend().SetOpacity(hwnd);
    return true;
}

HWND GetForegroundWindow() {
    std::lock_guard lock(S().lock);
    return S().foreground;
}

bool SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    {
        std::lock_guard lock(S().lock);
        Backend().Raise(hwnd);
    }
    Activate(hwnd);
    return true;
}

HWND SetFocus(HWND hwnd) {
    std::lock_guard lock(S().lock);
    HWND old = S().focus;
    if (hwnd == nullptr || Alive(hwnd)) {
        S().focus = hwnd;
    }
    return old;
}

HWND GetFocus() {
    std::lock_guard lock(S().lock);
    return S().focus;
}

HWND GetActiveWindow() {
    return GetForegroundWindow();
}

// ---- painting ----

bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return false;
    }
    const CRect client(0, 0, hwnd->rect.Width(), hwnd->rect.Height());
    CRect area;
    if (!area.IntersectRect(rect != nullptr ? CRect(*rect) : client, client)) {
        return true;
    }
    hwnd->invalid.UnionRect(hwnd->invalid, area);
    hwnd->erase = hwnd->erase || erase;
    // Any thread may invalidate; wake the owner so its loop paints.
    if (auto it = S().queues.find(hwnd->thread); it != S().queues.end()) {
        it->second->wake.notify_all();
    }
    return true;
}

bool GetUpdateRect(HWND hwnd, RECT* rect) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return false;
    }
    if (rect != nullptr) {
        *rect = hwnd->invalid;
    }
    return !hwnd->invalid.IsRectEmpty();
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || ps == nullptr) {
        return nullptr;
    }
    ps->rcPaint = hwnd->invalid;
    ps->fErase = hwnd->erase;
    hwnd->invalid.SetRectEmpty();
    hwnd->erase = false;
    if (!hwnd->frame || hwnd->frame->GetWidth() != std::max(1, hwnd->rect.Width()) ||
        hwnd->frame->GetHeight() != std::max(1, hwnd->rect.Height())) {
        hwnd->frame = std::make_unique<Surface>(hwnd->rect.Width(), hwnd->rect.Height());
    }
    ps->hdc = hwnd->frame.get();
    return ps->hdc;
}

void EndPaint(HWND, const PAINTSTRUCT*) {}

bool PresentFrame(HWND hwnd, const Surface& frame, const RECT& rect) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return false;
    }
    const int w = std::max(1, hwnd->rect.Width());
    const int h = std::max(1, hwnd->rect.Height());
    if (!hwnd->frame || hwnd->frame->GetWidth() != w || hwnd->frame->GetHeight() != h) {
        hwnd->frame = std::make_unique<Surface>(w, h);
    }
    const CRect r(rect);
    hwnd->frame->CopyFrom(frame, r, r.left, r.top);
    Backend().Present(hwnd, r);
    return true;
}

bool UpdateLayeredWindow(HWND hwnd, const Surface& frame) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return false;
    }
    hwnd->frame = frame.Clone();
    Backend().Present(hwnd, CRect(0, 0, frame.GetWidth(), frame.GetHeight()));
    return true;
}

std::unique_ptr<Surface> GetWindowFrame(HWND hwnd) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return nullptr;
    }
    if (!hwnd->frame) {
        return std::make_unique<Surface>(hwnd->rect.Width(), hwnd->rect.Height());
    }
    return hwnd->frame->Clone();
}

// ---- input state ----

HWND SetCapture(HWND hwnd) {
    std::lock_guard lock(S().lock);
    HWND old = S().capture;
    if (Alive(hwnd)) {
        S().capture = hwnd;
        Backend().Capture(true);
    }
    return old;
}

bool ReleaseCapture() {
    std::lock_guard lock(S().lock);
    if (S().capture != nullptr) {
        S().capture = nullptr;
        Backend().Capture(false);
    }
    return true;
}

HWND GetCapture() {
    std::lock_guard lock(S().lock);
    return S().capture;
}

short GetKeyState(int key) {
    return g_keys[static_cast<unsigned>(key) & 0xFF] ? static_cast<short>(0x8000) : 0;
}

bool GetCursorPos(POINT* point) {
    if (point == nullptr) {
        return false;
    }
    std::lock_guard lock(S().lock);
    *point = S().cursorPos;
    return true;
}

HCURSOR LoadCursorW(HINSTANCE, const wchar_t* name) {
    static const CursorHandle cursors[] = {{32512}, {32514}, {32515}, {32644},
                                           {32645}, {32649}, {32651}};
    const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    for (const auto& c : cursors) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = GetCursor();
    if (cursor != nullptr) {
        std::lock_guard lock(S().lock);
        S().cursor = cursor->id;
        Backend().SetCursor(cursor->id);
    }
    return old;
}

HCURSOR GetCursor() {
    int id = 0;
    {
        std::lock_guard lock(S().lock);
        id = S().cursor;
    }
    return LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(static_cast<std::uintptr_t>(id)));
}

bool TrackMouseEvent(HWND hwnd, DWORD flags, DWORD) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return false;
    }
    hwnd->trackLeave = (flags & TME_LEAVE) != 0;
    return true;
}

bool GetWorkArea(RECT* rect) {
    if (rect == nullptr) {
        return false;
    }
    std::lock_guard lock(S().lock);
    return Backend().WorkArea(rect);
}

bool GetMonitorWorkArea(HWND, RECT* rect) {
    return GetWorkArea(rect);
}

// ---- messages ----

bool PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(S().lock);
    std::shared_ptr<ThreadQueue> queue;
    if (hwnd == nullptr) {
        queue = QueueOf(std::this_thread::get_id());
    } else if (Alive(hwnd)) {
        queue = QueueOf(hwnd->thread);
    } else {
        return false;
    }
    queue->posted.push_back(MSG{hwnd, msg, wParam, lParam, NowMs(), S().cursorPos});
    queue->wake.notify_all();
    return true;
}

bool PostThreadMessageToCurrent(UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessageW(nullptr, msg, wParam, lParam);
}

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = nullptr;
    {
        std::lock_guard lock(S().lock);
        if (!Alive(hwnd)) {
            return 0;
        }
        proc = hwnd->proc;
    }
    return proc(hwnd, msg, wParam, lParam);
}

void PostQuitMessage(int code) {
    std::lock_guard lock(S().lock);
    auto queue = QueueOf(std::this_thread::get_id());
    queue->quit = true;
    queue->quitCode = code;
    queue->wake.notify_all();
}

bool GetMessageW(MSG* msg, HWND filter) {
    for (;;) {
        detail::Backend* backend = nullptr;
        {
            std::lock_guard lock(S().lock);
            backend = &Backend();
        }
        backend->PumpEvents();
        std::unique_lock lock(S().lock);
        if (TakeNext(msg, filter, true, Clock::time_point::max())) {
            return msg->message != WM_QUIT;
        }
        auto wait = std::chrono::milliseconds(
            backend->PollIntervalMs() > 0 ? backend->PollIntervalMs() : 1000);
        const auto now = PlatformClock().now();
        const auto self = std::this_thread::get_id();
        for (const auto& timer : S().timers) {
            if (timer.hwnd->thread == self) {
                const auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(timer.due - now) +
                    std::chrono::milliseconds(1);
                wait = std::max(std::chrono::milliseconds(1), std::min(wait, left));
            }
        }
        QueueOf(self)->wake.wait_for(lock, wait);
    }
}

bool PeekMessageW(MSG* msg, HWND filter, UINT remove) {
    detail::Backend* backend = nullptr;
    {
        std::lock_guard lock(S().lock);
        backend = &Backend();
    }
    backend->PumpEvents();
    std::lock_guard lock(S().lock);
    return TakeNext(msg, filter, remove == PM_REMOVE, Clock::time_point::max());
}

bool TranslateMessage(const MSG*) {
    return false;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) {
        return 0;
    }
    const LRESULT result = SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) {
        // A procedure that ignores WM_PAINT must not make the loop spin.
        std::lock_guard lock(S().lock);
        if (Alive(msg->hwnd)) {
            msg->hwnd->invalid.SetRectEmpty();
        }
    }
    return result;
}

int PumpPendingMessages(const std::function<bool(MSG&)>& filter) {
    const auto cutoff = PlatformClock().now();
    int count = 0;
    for (int guard = 0; guard < 1000000; ++guard) {
        detail::Backend* backend = nullptr;
        {
            std::lock_guard lock(S().lock);
            backend = &Backend();
        }
        backend->PumpEvents();
        MSG msg;
        {
            std::lock_guard lock(S().lock);
            if (!TakeNext(&msg, nullptr, true, cutoff)) {
                break;
            }
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ++count;
        if (filter && filter(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return count;
}

unsigned SetTimer(HWND hwnd, unsigned id, unsigned ms) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd)) {
        return 0;
    }
    const auto period = std::chrono::milliseconds(std::max(1u, ms));
    const auto due = PlatformClock().now() + period;
    for (auto& timer : S().timers) {
        if (timer.hwnd == hwnd && timer.id == id) {
            timer.period = period;
            timer.due = due;
            return id == 0 ? 1 : id;
        }
    }
    S().timers.push_back(WindowTimer{hwnd, id, period, due});
    QueueOf(hwnd->thread)->wake.notify_all();
    return id == 0 ? 1 : id;
}

bool KillTimer(HWND hwnd, unsigned id) {
    std::lock_guard lock(S().lock);
    return std::erase_if(S().timers,
                         [&](const WindowTimer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

// ---- injection ----

bool InjectMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys) {
    return PostMessageW(hwnd, msg, keys, MAKELPARAM(x, y));
}

bool InjectWheel(HWND hwnd, int delta, int clientX, int clientY) {
    POINT p{clientX, clientY};
    if (!ClientToScreen(hwnd, &p)) {
        return false;
    }
    return PostMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
}

bool InjectKey(HWND hwnd, UINT msg, UINT key) {
    return PostMessageW(hwnd, msg, key, 1);
}

void SetKeyStateForTesting(UINT key, bool down) {
    g_keys[key & 0xFF] = down;
}

namespace detail {

bool PostFromBackend(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessageW(hwnd, msg, wParam, lParam);
}

void NoteWindowRectFromBackend(HWND hwnd, const CRect& rect) {
    CRect before;
    {
        std::lock_guard lock(S().lock);
        if (!Alive(hwnd)) {
            return;
        }
        before = hwnd->rect;
        hwnd->rect = rect;
        if (before.Width() != rect.Width() || before.Height() != rect.Height()) {
            hwnd->invalid = CRect(0, 0, rect.Width(), rect.Height());
        }
    }
    if (before.Width() != rect.Width() || before.Height() != rect.Height()) {
        PostMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
    }
}

CRect WindowRectForBackend(HWND hwnd) {
    std::lock_guard lock(S().lock);
    return Alive(hwnd) ? hwnd->rect : CRect();
}

bool TakeLeaveRequest(HWND hwnd) {
    std::lock_guard lock(S().lock);
    if (!Alive(hwnd) || !hwnd->trackLeave) {
        return false;
    }
    hwnd->trackLeave = false;
    return true;
}

}  // namespace detail
}  // namespace DUI
