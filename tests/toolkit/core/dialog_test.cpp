// Dialog life cycle: creation hooks, the modal loop and its close codes, per-control timers,
// the high-resolution timer, maximising and teardown.
#include "headless_fixture.h"
#include "support/wait.h"

using namespace DUI;
using namespace std::chrono_literals;
using tessel_test::Box;
using tessel_test::HeadlessTest;
using tessel_test::RecordingDialog;

namespace {

class Dialogs : public HeadlessTest {};

TEST_F(Dialogs, CreationBuildsTheUiWithTheClientRectangleAndStripsTheFrame) {
    RecordingDialog dialog;
    ASSERT_NE(dialog.Create(nullptr, L"title", WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0,
                            CRect(5, 5, 325, 245)),
              nullptr);
    EXPECT_EQ(dialog.initClient, CRect(0, 0, 320, 240));
    EXPECT_EQ(dialog.GetStyle() & (WS_CAPTION | WS_THICKFRAME), 0u);
    EXPECT_NE(dialog.GetStyle() & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS), 0u);
    EXPECT_EQ(dialog.GetPaintManager().GetScrollVID(), 102u);
    EXPECT_EQ(dialog.GetPaintManager().GetScrollHID(), 101u);
    EXPECT_EQ(dialog.GetWindowTextLengthW(), 5);
    // Creating again returns the same window.
    EXPECT_EQ(dialog.Create(nullptr), dialog.GetSafeHwnd());
}

TEST_F(Dialogs, CloseCodesOfTheModalLoop) {
    struct Case {
        void (MDialog::*close)();
        unsigned code;
    } cases[] = {{&MDialog::DoOK, 1},
                 {&MDialog::DoCancel, 2},
                 {&MDialog::DoClose, 2},
                 {&MDialog::DoYes, 6},
                 {&MDialog::DoNo, 7}};
    RecordingDialog owner;
    OpenDialog(owner);
    for (const auto& c : cases) {
        RecordingDialog dialog;
        ASSERT_NE(dialog.Create(owner.GetSafeHwnd(), L"modal", WS_POPUP, 0, CRect(0, 0, 100, 100)),
                  nullptr);
        (dialog.*c.close)();
        EXPECT_EQ(dialog.ShowModal(), c.code);
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
        EXPECT_TRUE(owner.IsWindowEnabled());
    }
    RecordingDialog never;
    EXPECT_EQ(never.ShowModal(), static_cast<unsigned>(-1));
}

// Closes itself with Yes from its first notification, noting whether its owner was disabled.
class SelfClosingDialog : public RecordingDialog {
  public:
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override {
        RecordingDialog::OnMessage(id, code, wParam, lParam);
        ownerDisabled = !::DUI::IsWindowEnabled(GetWindow(GetSafeHwnd()));
        DoYes();
        return 0;
    }
    bool ownerDisabled = false;
};

TEST_F(Dialogs, TheOwnerIsDisabledWhileAModalDialogRuns) {
    RecordingDialog owner;
    OpenDialog(owner);
    SelfClosingDialog dialog;
    ASSERT_NE(dialog.Create(owner.GetSafeHwnd(), L"modal", WS_POPUP, 0, CRect(0, 0, 100, 100)),
              nullptr);
    dialog.CreateControl(L"TestBox", 3, CRect(0, 0, 50, 50), L"", 1, 1);
    InjectMouse(dialog.GetSafeHwnd(), WM_MOUSEMOVE, 10, 10);
    InjectMouse(dialog.GetSafeHwnd(), WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    EXPECT_EQ(dialog.ShowModal(), 6u);
    EXPECT_TRUE(dialog.ownerDisabled);
    ASSERT_FALSE(dialog.notifications.empty());
    EXPECT_EQ(dialog.notifications[0].id, 3u);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(GetForegroundWindow(), owner.GetSafeHwnd());
}

TEST_F(Dialogs, AQuitMessageEndsTheLoopAndIsPostedAgain) {
    RecordingDialog dialog;
    ASSERT_NE(dialog.Create(nullptr, L"modal", WS_POPUP, 0, CRect(0, 0, 100, 100)), nullptr);
    PostQuitMessage(3);
    EXPECT_EQ(dialog.ShowModal(), 0u);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    dialog.DestroyWindow();
}

TEST_F(Dialogs, ClosingTheWindowDeletesItsControlsAndStopsItsTimers) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    auto* box =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 3, CRect(0, 0, 50, 50), L"", 1, 1));
    ASSERT_EQ(dialog.GetPaintManager().SetTimer(box, 1, 100), 1);
    PostMessageW(dialog.GetSafeHwnd(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(dialog.GetControls().empty());
    EXPECT_EQ(dialog.GetPaintManager().IsInitialised(), 0);
    clock_.advance(1s);
    Pump();  // no timer is left to fire into the deleted control
}

TEST_F(Dialogs, PerControlTimerIdsStartAt17AndWrapAfter239) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    PaintManager& manager = dialog.GetPaintManager();
    auto* box =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 3, CRect(0, 0, 50, 50), L"", 1, 1));
    ASSERT_EQ(manager.SetTimer(box, 1, 10), 1);
    EXPECT_EQ(manager.SetTimer(box, 1, 10), 0);  // still running
    clock_.advance(10ms);
    SendMessageW(dialog.GetSafeHwnd(), WM_TIMER, 17, 0);
    EXPECT_EQ(box->ticks, 1);
    SendMessageW(dialog.GetSafeHwnd(), WM_TIMER, 18, 0);
    EXPECT_EQ(box->ticks, 1);
    // Through the queue on the manual clock.
    clock_.advance(10ms);
    Pump();
    EXPECT_EQ(box->ticks, 2);
    EXPECT_EQ(manager.KillTimer(box, 1), 1);
    EXPECT_EQ(manager.KillTimer(box, 1), 0);
    clock_.advance(50ms);
    Pump();
    EXPECT_EQ(box->ticks, 2);
    EXPECT_EQ(manager.SetTimer(box, 1, 10), 1);  // restarted with the same id
    clock_.advance(10ms);
    Pump();
    EXPECT_EQ(box->ticks, 3);

    // Keys 2..223 take ids 18..239; the next wraps to 0.
    for (unsigned key = 2; key <= 223; ++key) {
        ASSERT_EQ(manager.SetTimer(box, key, 1000), 1);
    }
    ASSERT_EQ(manager.SetTimer(box, 224, 10), 1);
    const int before = box->ticks;
    SendMessageW(dialog.GetSafeHwnd(), WM_TIMER, 0, 0);
    EXPECT_EQ(box->ticks, before + 1);
}

TEST_F(Dialogs, HighResolutionTimerTicksRegisteredVisibleControls) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    auto* running =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 3, CRect(0, 0, 50, 50), L"", 1, 1));
    auto* idle =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 4, CRect(0, 0, 50, 50), L"", 1, 1));
    running->SetRunTimer(1);
    running->AddMTimer();
    idle->AddMTimer();
    const unsigned id = dialog.SetMTimer(2);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(pellora::testing::WaitFor([&] { return running->ticks >= 3; }));
    dialog.KillMTimer(id);
    const int after = running->ticks;
    EXPECT_EQ(idle->ticks, 0);
    EXPECT_EQ(dialog.GetPaintManager().GetTimerIsRun(id), 0);
    EXPECT_EQ(running->ticks, after);  // killing waits for a running tick: nothing comes later
}

TEST_F(Dialogs, AMaximisedWindowFillsTheWorkAreaEvenWithAMaximumSize) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    dialog.GetPaintManager().SetWindowMaxSize(500, 400);
    dialog.OnMaximize();
    RECT work;
    ASSERT_TRUE(GetWorkArea(&work));
    RECT rect;
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(CRect(rect), CRect(work));
    dialog.OnMaximize();  // restores
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(CRect(rect), CRect(100, 100, 500, 400));
}

TEST_F(Dialogs, CenterWindowKeepsTheWindowInsideTheWorkArea) {
    RecordingDialog owner;
    ASSERT_NE(owner.Create(nullptr, L"o", WS_POPUP, 0, CRect(1700, 900, 1900, 1000)), nullptr);
    owner.ShowWindow(SW_SHOW);
    RecordingDialog dialog;
    ASSERT_NE(dialog.Create(owner.GetSafeHwnd(), L"d", WS_POPUP, 0, CRect(0, 0, 400, 300)),
              nullptr);
    dialog.CenterWindow();
    RECT rect;
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(CRect(rect), CRect(1520, 740, 1920, 1040));
}

TEST_F(Dialogs, ShadowAndBalloonSettersCheckTheirRanges) {
    RecordingDialog dialog;
    EXPECT_EQ(dialog.SetSize(36), 0);
    EXPECT_EQ(dialog.SetSize(-35), 1);
    EXPECT_EQ(dialog.SetSharpness(36), 0);
    EXPECT_EQ(dialog.SetDarkness(256), 0);
    EXPECT_EQ(dialog.SetDarkness(255), 1);
    EXPECT_EQ(dialog.SetPosition(0, -36), 0);
    EXPECT_EQ(dialog.SetShadowImage(L"shadow.png", CRect(1, 2, 3, -1)), 0);
    EXPECT_EQ(dialog.SetShadowImage(L"shadow.png", CRect(1, 2, 3, 4)), 1);
    EXPECT_EQ(dialog.GetShadowSettings().size, -35);
    EXPECT_EQ(dialog.GetShadowSettings().darkness, 255u);
    EXPECT_EQ(dialog.SetAirBladderMsg(L"x", POINT{0, 10}, AIRBLADDER_LEFT), 0);
    EXPECT_EQ(dialog.GetAirBladderPoint(nullptr, 0).x, 0);
}

}  // namespace
