#pragma once
// What the toolkit tests share: headless windows on a manual clock (so paint pauses and timers
// cost nothing), an app folder of their own, a recording dialog and small controls with the
// cached drawing every real control uses.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tessel/core/control_factory.h"
#include "tessel/core/manager.h"
#include "tessel/core/mdialog.h"
#include "tessel/core/mpanel.h"
#include "tessel/platform/text.h"
#include "tessel/platform/window.h"

namespace tessel_test {

struct Notification {
    unsigned id;
    unsigned code;
    unsigned wParam;
    long lParam;
};

// A control filled with one colour, drawn through its cache; counts renders and input.
class Box : public DUI::MControlFont {
  public:
    Box(DUI::MObject* parent, unsigned id, DUI::CRect rect, const wchar_t* title, int visible,
        int enabled)
        : MControlFont(parent, id, rect, title, visible, enabled, 1) {}

    void DrawControl(DUI::HDC& hdc, DUI::CRect) override {
        if (BeginCachedDraw(hdc)) {
            ++renders;
            DUI::Graphics g(GetMemDC());
            const DUI::CRect r = GetRect();
            g.FillRect(DUI::CRect(0, 0, r.Width(), r.Height()), fill.load());
        }
        EndCachedDraw(hdc);
    }
    int OnControlLButtonDown(unsigned, DUI::CPoint point) override {
        ++downs;
        lastPoint = point;
        SendMessageW(1, 0, 0);
        return 1;
    }
    int OnControlLButtonUp(unsigned, DUI::CPoint point) override {
        ++ups;
        lastPoint = point;
        if (GetRect().PtInRect(point)) {
            SendMessageW(2, 0, 0);
        }
        return 1;
    }
    int OnControlLButtonDblClk(unsigned, DUI::CPoint) override {
        ++dblclks;
        return 1;
    }
    int OnControlMouseMove(unsigned, DUI::CPoint point) override {
        ++moves;
        lastPoint = point;
        return 1;
    }
    int OnControlScroll(int, unsigned direction, DUI::CPoint) override {
        scrolls.push_back(direction);
        return takesScroll ? 1 : 0;
    }
    int OnControlKeyDown(unsigned key, unsigned repeat, unsigned modifier) override {
        keys.push_back({key, modifier});
        return MControlFont::OnControlKeyDown(key, repeat, modifier);
    }
    int OnControlTimer() override {
        ++ticks;
        return 1;
    }
    int SetControlFocus(int focus) override {
        focusCalls.push_back(focus);
        return MControlFont::SetControlFocus(focus);
    }

    std::atomic<DUI::DWORD> fill{0xFF20C040};
    std::atomic<int> renders{0};
    std::atomic<int> downs{0};
    std::atomic<int> ups{0};
    std::atomic<int> dblclks{0};
    std::atomic<int> moves{0};
    std::atomic<int> ticks{0};
    DUI::CPoint lastPoint;
    bool takesScroll = true;
    std::vector<unsigned> scrolls;
    std::vector<std::pair<unsigned, unsigned>> keys;
    std::vector<int> focusCalls;
};

// A container with a plain background.
class Panel : public DUI::MPanel {
  public:
    Panel(DUI::MObject* parent, unsigned id, DUI::CRect rect, int visible, int enabled)
        : MPanel(parent, id, rect, visible, enabled, 1) {}
};

class RecordingDialog : public DUI::MDialog {
  public:
    const wchar_t* GetWindowClassName() const override { return L"TesselTestDialog"; }
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
        notifications.push_back({id, code, wParam, lParam});
        return 0;
    }
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override {
        if (msg == DUI::WM_NCLBUTTONDOWN) {
            captionDrags.push_back(wParam);
        }
        return MDialog::OnWindowMessage(msg, wParam, lParam);
    }
    void InitUI(DUI::CRect client) override { initClient = client; }

    std::vector<Notification> notifications;
    std::vector<unsigned> captionDrags;
    DUI::CRect initClient;
};

// Registers the test classes once: "TestBox" in both tables, "TestPanel" in both,
// "TestWindowOnly" and "TestContainerOnly" in one each.
void RegisterTestControls();

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A shown dialog of the given size at (100, 100).
    void OpenDialog(RecordingDialog& dialog, int width = 400, int height = 300);
    static int Pump() { return DUI::MWindow::PumpUntilIdle(); }
    static void Click(DUI::HWND hwnd, int x, int y);

    pellora::testing::TempDir appDir_{"tessel-app"};
    DUI::ManualClock clock_;
};

}  // namespace tessel_test
