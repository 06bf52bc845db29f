// Real windows through SDL2: one borderless SDL window per native window, frames copied into
// the window surface, SDL events turned into posted window messages.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include "platform/backend.h"
#include "tessel/platform/text.h"

namespace DUI::detail {
namespace {

UINT KeyToVk(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<UINT>('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<UINT>(key);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    }
    switch (key) {
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_END:
            return VK_END;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        default:
            return 0;
    }
}

class SdlBackend final : public Backend {
  public:
    SdlBackend() : thread_(std::this_thread::get_id()) {}
    ~SdlBackend() override {
        for (auto& [id, cursor] : cursors_) {
            SDL_FreeCursor(cursor);
        }
    }

    BackendKind Kind() const override { return BackendKind::Sdl; }

    bool Create(NativeWindow* w) override {
        Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
        if ((w->exStyle & WS_EX_TOOLWINDOW) != 0) {
            flags |= SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_UTILITY;
        }
        if ((w->exStyle & WS_EX_TOPMOST) != 0) {
            flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        }
        const std::string title = WideToUtf8(w->title);
        SDL_Window* window =
            SDL_CreateWindow(title.c_str(), w->rect.left, w->rect.top, std::max(1, w->rect.Width()),
                             std::max(1, w->rect.Height()), flags);
        if (window == nullptr) {
            return false;
        }
        w->backendData = window;
        std::lock_guard lock(mutex_);
        byId_[SDL_GetWindowID(window)] = w;
        return true;
    }

    void Destroy(NativeWindow* w) override {
        auto* window = static_cast<SDL_Window*>(w->backendData);
        if (window == nullptr) {
            return;
        }
        {
            std::lock_guard lock(mutex_);
            byId_.erase(SDL_GetWindowID(window));
            if (moving_ == w) {
                moving_ = nullptr;
            }
        }
        SDL_DestroyWindow(window);
        w->backendData = nullptr;
    }

    void Show(NativeWindow* w) override {
        auto* window = static_cast<SDL_Window*>(w->backendData);
        if (!w->visible) {
            SDL_HideWindow(window);
            return;
        }
        SDL_ShowWindow(window);
        if (w->showState == 1) {
            SDL_MinimizeWindow(window);
        } else {
            SDL_RestoreWindow(window);
        }
    }

    void Place(NativeWindow* w) override {
        auto* window = static_cast<SDL_Window*>(w->backendData);
        SDL_SetWindowPosition(window, w->rect.left, w->rect.top);
        SDL_SetWindowSize(window, std::max(1, w->rect.Width()), std::max(1, w->rect.Height()));
    }

    void SetTitle(NativeWindow* w) override {
        SDL_SetWindowTitle(static_cast<SDL_Window*>(w->backendData), WideToUtf8(w->title).c_str());
    }

    void SetIcon(NativeWindow* w, const Image* icon) override {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint32_t*>(icon->Data()), icon->GetWidth(), icon->GetHeight(), 32,
            icon->Stride(), SDL_PIXELFORMAT_ARGB8888);
        if (surface != nullptr) {
            SDL_SetWindowIcon(static_cast<SDL_Window*>(w->backendData), surface);
            SDL_FreeSurface(surface);
        }
    }

    void SetOpacity(NativeWindow* w) override {
        SDL_SetWindowOpacity(static_cast<SDL_Window*>(w->backendData), w->alpha / 255.0f);
    }

    void SetTopmost(NativeWindow* w) override {
        SDL_SetWindowAlwaysOnTop(static_cast<SDL_Window*>(w->backendData),
                                 (w->exStyle & WS_EX_TOPMOST) != 0 ? SDL_TRUE : SDL_FALSE);
    }

    void Raise(NativeWindow* w) override {
        SDL_RaiseWindow(static_cast<SDL_Window*>(w->backendData));
    }

    void Present(NativeWindow* w, const CRect& rect) override {
        auto* window = static_cast<SDL_Window*>(w->backendData);
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (surface == nullptr || !w->frame) {
            return;
        }
        CRect r;
        if (!r.IntersectRect(rect, CRect(0, 0, std::min(surface->w, w->frame->GetWidth()),
                                         std::min(surface->h, w->frame->GetHeight())))) {
            return;
        }
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            w->frame->Data(), w->frame->GetWidth(), w->frame->GetHeight(), 32, w->frame->Stride(),
            SDL_PIXELFORMAT_ARGB8888);
        if (source == nullptr) {
            return;
        }
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_Rect area{r.left, r.top, r.Width(), r.Height()};
        SDL_BlitSurface(source, &area, surface, &area);
        SDL_FreeSurface(source);
        SDL_UpdateWindowSurfaceRects(window, &area, 1);
    }

    void SetCursor(int id) override {
        SDL_SystemCursor kind = SDL_SYSTEM_CURSOR_ARROW;
        switch (id) {
            case 32514:
                kind = SDL_SYSTEM_CURSOR_WAIT;
                break;
            case 32515:
                kind = SDL_SYSTEM_CURSOR_CROSSHAIR;
                break;
            case 32644:
                kind = SDL_SYSTEM_CURSOR_SIZEWE;
                break;
            case 32645:
                kind = SDL_SYSTEM_CURSOR_SIZENS;
                break;
            case 32649:
                kind = SDL_SYSTEM_CURSOR_HAND;
                break;
            default:
                break;  // help has no system shape in SDL: the arrow stands in
        }
        SDL_Cursor*& cursor = cursors_[kind];
        if (cursor == nullptr) {
            cursor = SDL_CreateSystemCursor(kind);
        }
        if (cursor != nullptr) {
            SDL_SetCursor(cursor);
        }
    }

    void Capture(bool on) override { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

    void BeginMove(NativeWindow* w) override {
        int gx = 0;
        int gy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        std::lock_guard lock(mutex_);
        moving_ = w;
        grabX_ = gx - w->rect.left;
        grabY_ = gy - w->rect.top;
    }

    bool WorkArea(RECT* rect) override {
        SDL_Rect bounds;
        if (SDL_GetDisplayUsableBounds(0, &bounds) != 0) {
            return false;
        }
        *rect = CRect(bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h);
        return true;
    }

    bool PerPixelAlpha() const override { return false; }

    int PollIntervalMs() const override { return 5; }

    bool PumpEvents() override {
        if (std::this_thread::get_id() != thread_) {
            return false;
        }
        FollowMove();
        bool posted = false;
        SDL_Event e;
        while (SDL_PollEvent(&e) != 0) {
            posted = Translate(e) || posted;
        }
        return posted;
    }

  private:
    HWND Find(Uint32 windowId) {
        std::lock_guard lock(mutex_);
        const auto it = byId_.find(windowId);
        return it == byId_.end() ? nullptr : it->second;
    }

    void FollowMove() {
        NativeWindow* w = nullptr;
        int grabX = 0;
        int grabY = 0;
        {
            std::lock_guard lock(mutex_);
            w = moving_;
            grabX = grabX_;
            grabY = grabY_;
        }
        if (w == nullptr) {
            return;
        }
        int gx = 0;
        int gy = 0;
        const Uint32 buttons = SDL_GetGlobalMouseState(&gx, &gy);
        if ((buttons & SDL_BUTTON_LMASK) == 0) {
            std::lock_guard lock(mutex_);
            moving_ = nullptr;
            return;
        }
        const CRect r = WindowRectForBackend(w);
        if (r.IsRectNull()) {
            return;
        }
        SetWindowPos(w, nullptr, gx - grabX, gy - grabY, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static WPARAM MouseKeys() {
        WPARAM keys = 0;
        const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        if ((buttons & SDL_BUTTON_LMASK) != 0)
            keys |= MK_LBUTTON;
        if ((buttons & SDL_BUTTON_RMASK) != 0)
            keys |= MK_RBUTTON;
        if ((buttons & SDL_BUTTON_MMASK) != 0)
            keys |= MK_MBUTTON;
        const SDL_Keymod mod = SDL_GetModState();
        if ((mod & KMOD_SHIFT) != 0)
            keys |= MK_SHIFT;
        if ((mod & KMOD_CTRL) != 0)
            keys |= MK_CONTROL;
        return keys;
    }

    bool Translate(const SDL_Event& e) {
        switch (e.type) {
            case SDL_MOUSEMOTION: {
                HWND w = Find(e.motion.windowID);
                return w != nullptr && PostFromBackend(w, WM_MOUSEMOVE, MouseKeys(),
                                                       MAKELPARAM(e.motion.x, e.motion.y));
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                HWND w = Find(e.button.windowID);
                if (w == nullptr) {
                    return false;
                }
                const bool down = e.type == SDL_MOUSEBUTTONDOWN;
                const bool dbl = down && e.button.clicks >= 2 && e.button.clicks % 2 == 0;
                UINT msg = 0;
                if (e.button.button == SDL_BUTTON_LEFT) {
                    msg = down ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
                } else if (e.button.button == SDL_BUTTON_RIGHT) {
                    msg = down ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
                } else if (e.button.button == SDL_BUTTON_MIDDLE) {
                    msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
                } else {
                    return false;
                }
                return PostFromBackend(w, msg, MouseKeys(), MAKELPARAM(e.button.x, e.button.y));
            }
            case SDL_MOUSEWHEEL: {
                HWND w = Find(e.wheel.windowID);
                if (w == nullptr || e.wheel.y == 0) {
                    return false;
                }
                int x = 0;
                int y = 0;
                SDL_GetMouseState(&x, &y);
                const CRect r = WindowRectForBackend(w);
                const int delta =
                    (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y) *
                    WHEEL_DELTA;
                return PostFromBackend(w, WM_MOUSEWHEEL,
                                       MAKEWPARAM(static_cast<int>(MouseKeys()), delta),
                                       MAKELPARAM(r.left + x, r.top + y));
            }
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                HWND w = Find(e.key.windowID);
                const UINT vk = KeyToVk(e.key.keysym.sym);
                if (w == nullptr || vk == 0) {
                    return false;
                }
                const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
                const bool down = e.type == SDL_KEYDOWN;
                const UINT msg =
                    alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
                return PostFromBackend(w, msg, vk, e.key.repeat != 0 ? 0x40000001 : 1);
            }
            case SDL_TEXTINPUT: {
                HWND w = Find(e.text.windowID);
                if (w == nullptr) {
                    return false;
                }
                for (const char16_t unit : WideToUtf16(Utf8ToWide(e.text.text))) {
                    PostFromBackend(w, WM_CHAR, unit, 1);
                }
                return true;
            }
            case SDL_WINDOWEVENT: {
                HWND w = Find(e.window.windowID);
                if (w == nullptr) {
                    return false;
                }
                switch (e.window.event) {
                    case SDL_WINDOWEVENT_CLOSE:
                        return PostFromBackend(w, WM_CLOSE, 0, 0);
                    case SDL_WINDOWEVENT_EXPOSED:
                        return InvalidateRect(w, nullptr, false);
                    case SDL_WINDOWEVENT_SIZE_CHANGED: {
                        CRect r = WindowRectForBackend(w);
                        r.right = r.left + e.window.data1;
                        r.bottom = r.top + e.window.data2;
                        NoteWindowRectFromBackend(w, r);
                        return true;
                    }
                    case SDL_WINDOWEVENT_MOVED: {
                        CRect r = WindowRectForBackend(w);
                        r.OffsetRect(e.window.data1 - r.left, e.window.data2 - r.top);
                        NoteWindowRectFromBackend(w, r);
                        return false;
                    }
                    case SDL_WINDOWEVENT_LEAVE:
                        return TakeLeaveRequest(w) && PostFromBackend(w, WM_MOUSELEAVE, 0, 0);
                    case SDL_WINDOWEVENT_FOCUS_LOST:
                        return PostFromBackend(w, WM_NCACTIVATE, 0, 0);
                    case SDL_WINDOWEVENT_FOCUS_GAINED:
                        return PostFromBackend(w, WM_NCACTIVATE, 1, 0);
                    default:
                        return false;
                }
            }
            default:
                return false;
        }
    }

    std::thread::id thread_;
    std::mutex mutex_;
    std::map<Uint32, HWND> byId_;
    std::map<int, SDL_Cursor*> cursors_;
    NativeWindow* moving_ = nullptr;
    int grabX_ = 0;
    int grabY_ = 0;
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((x11 == nullptr || *x11 == '\0') && (wayland == nullptr || *wayland == '\0')) {
        return nullptr;
    }
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Frames are copied into plain window surfaces: no GL context (and no driver threads).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return nullptr;
    }
    return std::make_unique<SdlBackend>();
}

}  // namespace DUI::detail
