// One real window: Xvfb is started for the test (skipped when it cannot start), the SDL backend
// opens a window, a click goes through the X server and the dialog hears the button's
// notification.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/wait.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/mdialog.h"
#include "tessel/platform/window.h"

extern char** environ;

using namespace DUI;
using namespace std::chrono_literals;

namespace {

class Button : public MControlFont {
  public:
    Button(MObject* parent, unsigned id, CRect rect)
        : MControlFont(parent, id, rect, L"OK", 1, 1, 1) {}
    void DrawControl(HDC& hdc, CRect) override {
        if (BeginCachedDraw(hdc)) {
            Graphics g(GetMemDC());
            const CRect r = GetRect();
            g.FillRect(CRect(0, 0, r.Width(), r.Height()), 0xFF3060C0);
        }
        EndCachedDraw(hdc);
    }
    int OnControlLButtonUp(unsigned, CPoint point) override {
        if (GetRect().PtInRect(point)) {
            SendMessageW(2, 0, 0);
        }
        return 1;
    }
};

class ClickDialog : public MDialog {
  public:
    const wchar_t* GetWindowClassName() const override { return L"TesselSdlTestDialog"; }
    void InitUI(CRect) override {
        button = new Button(this, 7, CRect(40, 40, 140, 80));
        GetPaintManager().AddControl(button, 1);
    }
    long OnMessage(unsigned id, unsigned code, unsigned, long) override {
        if (id == 7 && code == 2) {
            ++clicks;
        }
        return 0;
    }
    Button* button = nullptr;
    int clicks = 0;
};

// The X test extension, loaded at run time so the build needs no X development files.
struct XTest {
    void* x11 = nullptr;
    void* xtst = nullptr;
    void* (*open)(const char*) = nullptr;
    int (*close)(void*) = nullptr;
    int (*flush)(void*) = nullptr;
    int (*motion)(void*, int, int, int, unsigned long) = nullptr;
    int (*button)(void*, unsigned, int, unsigned long) = nullptr;

    bool Load() {
        x11 = dlopen("libX11.so.6", RTLD_NOW);
        xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (x11 == nullptr || xtst == nullptr) {
            return false;
        }
        open = reinterpret_cast<decltype(open)>(dlsym(x11, "XOpenDisplay"));
        close = reinterpret_cast<decltype(close)>(dlsym(x11, "XCloseDisplay"));
        flush = reinterpret_cast<decltype(flush)>(dlsym(x11, "XFlush"));
        motion = reinterpret_cast<decltype(motion)>(dlsym(xtst, "XTestFakeMotionEvent"));
        button = reinterpret_cast<decltype(button)>(dlsym(xtst, "XTestFakeButtonEvent"));
        return open && close && flush && motion && button;
    }
};

class XvfbServer {
  public:
    bool Start() {
        for (int display = 91; display < 120; ++display) {
            if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)) ||
                std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock")) {
                continue;
            }
            const std::string name = ":" + std::to_string(display);
            const char* argv[] = {"Xvfb",       name.c_str(), "-screen", "0",
                                  "800x600x24", "-nolisten",  "tcp",     nullptr};
            if (posix_spawnp(&pid_, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) !=
                0) {
                return false;
            }
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
            if (pellora::testing::WaitFor(
                    [&] { return std::filesystem::exists(socket) || Exited(); }, 10s) &&
                !Exited()) {
                display_ = name;
                return true;
            }
            Stop();
        }
        return false;
    }
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    ~XvfbServer() { Stop(); }
    const std::string& Display() const { return display_; }

  private:
    bool Exited() {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return true;
        }
        return false;
    }
    pid_t pid_ = -1;
    std::string display_;
};

TEST(SdlWindow, ARealWindowIsClickedAndTheDialogHearsTheButton) {
    XvfbServer server;
    if (!server.Start()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    if (!UseBackend(BackendKind::Sdl)) {
        GTEST_SKIP() << "no SDL video on " << server.Display();
    }
    XTest xtest;
    void* display = nullptr;
    if (xtest.Load()) {
        display = xtest.open(server.Display().c_str());
    }

    ClickDialog dialog;
    ASSERT_NE(dialog.Create(nullptr, L"Tessel", WS_POPUP, 0, CRect(100, 100, 300, 220)), nullptr);
    dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(pellora::testing::WaitFor([&] {
        MWindow::PumpUntilIdle();
        auto frame = GetWindowFrame(dialog.GetSafeHwnd());
        return frame && frame->GetPixel(60, 60) == 0xFF3060C0u;
    }));
    RECT rect;
    GetWindowRect(dialog.GetSafeHwnd(), &rect);

    if (display != nullptr) {
        // Through the X server, as a user's click arrives. The window manager-less server
        // places the window where it was asked; read back the position SDL reports.
        const CRect r(rect);
        xtest.motion(display, -1, r.left + 60, r.top + 60, 0);
        xtest.button(display, 1, 1, 0);
        xtest.button(display, 1, 0, 0);
        xtest.flush(display);
    } else {
        InjectMouse(dialog.GetSafeHwnd(), WM_MOUSEMOVE, 60, 60);
        InjectMouse(dialog.GetSafeHwnd(), WM_LBUTTONDOWN, 60, 60, MK_LBUTTON);
        InjectMouse(dialog.GetSafeHwnd(), WM_LBUTTONUP, 60, 60);
    }
    EXPECT_TRUE(pellora::testing::WaitFor([&] {
        MWindow::PumpUntilIdle();
        return dialog.clicks == 1;
    }));
    dialog.DestroyWindow();
    if (display != nullptr) {
        xtest.close(display);
    }
    UseBackend(BackendKind::Headless);
}

}  // namespace
