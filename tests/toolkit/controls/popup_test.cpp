// Menus, balloon tips, drop shadows and the loading window.
#include "tessel/controls/popup.h"
#include "controls_fixture.h"
#include "tessel/controls/air_bladder.h"
#include "tessel/controls/buttons.h"
#include "tessel/controls/loading_wnd.h"
#include "tessel/controls/mshadow.h"

using namespace DUI;
using tessel_test::ControlsTest;
using tessel_test::HeadlessTest;

namespace {

constexpr UINT kMenuMessage = WM_USER + 7;

class OwnerDialog : public tessel_test::RecordingDialog {
  public:
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override {
        if (msg == kMenuMessage) {
            posted.push_back({wParam, lParam});
        }
        return RecordingDialog::OnWindowMessage(msg, wParam, lParam);
    }
    std::vector<std::pair<unsigned, long>> posted;
};

class Popups : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        OpenDialog(owner_, 500, 400);
    }
    void TearDown() override {
        owner_.DestroyWindow();
        HeadlessTest::TearDown();
    }
    MenuWnd* ThreeItemMenu(HWND* menuHwnd) {
        auto* menu = new MenuWnd(&owner_);
        EXPECT_EQ(menu->Create(owner_.GetSafeHwnd(), CPoint(150, 150), kMenuMessage, 160), 1);
        menu->AddMenu(L"Open", 301, L"", 0, 0);
        menu->AddMenu(L"Rename", 302, L"", 0, 0);
        menu->AddSeparator(303, L"sep");
        menu->AddMenu(L"Delete", 304, L"", 0, 0);
        *menuHwnd = menu->GetSafeHwnd();
        Pump();
        return menu;
    }
    OwnerDialog owner_;
};

TEST_F(Popups, AMenuOfThreeRowsAndASeparatorIs91PixelsHigh) {
    HWND hwnd;
    MenuWnd* menu = ThreeItemMenu(&hwnd);
    EXPECT_EQ(menu->GetMenuHeight(), 91);
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.bottom - r.top, 91);
    EXPECT_EQ(r.right - r.left, 160);
    EXPECT_EQ(GetWindowTextW(hwnd), L"Menu Window");
    const auto items = menu->GetItems();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[2]->GetRect(), CRect(6, 57, 159, 58));
    EXPECT_EQ(items[3]->GetRect(), CRect(2, 60, 158, 85));
    menu->SetItemVisible(L"Rename", 0);
    EXPECT_EQ(menu->GetMenuHeight(), 66);
    menu->CloseWindow();
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Popups, ClickingARowPostsItsIdToTheOwnerAndClosesTheMenu) {
    HWND hwnd;
    ThreeItemMenu(&hwnd);
    InjectMouse(hwnd, WM_MOUSEMOVE, 40, 40);
    InjectMouse(hwnd, WM_LBUTTONDOWN, 40, 40, MK_LBUTTON);
    InjectMouse(hwnd, WM_LBUTTONUP, 40, 40);
    Pump();
    ASSERT_EQ(owner_.posted.size(), 1u);
    EXPECT_EQ(owner_.posted[0].second, 302);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Popups, AMenuClosesWithoutPostingWhenAnotherWindowIsActivated) {
    HWND hwnd;
    ThreeItemMenu(&hwnd);
    ASSERT_TRUE(IsWindow(hwnd));
    SetForegroundWindow(owner_.GetSafeHwnd());
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(owner_.posted.empty());
}

TEST_F(Popups, BalloonsHideAfterFiveSecondsExceptTheCentredOne) {
    for (const AIRBLADDER_TYPE type : {AIRBLADDER_CENTER, AIRBLADDER_ABOVE}) {
        ASSERT_EQ(owner_.SetAirBladderMsg(L"tip", POINT{300, 300}, type), 1);
        Pump();
        MAirBladder* balloon = GetAirBladder(&owner_.GetPaintManager());
        ASSERT_NE(balloon, nullptr);
        EXPECT_TRUE(balloon->IsShowing());
        clock_.advance(std::chrono::milliseconds(4900));
        Pump();
        EXPECT_TRUE(balloon->IsShowing());
        clock_.advance(std::chrono::milliseconds(200));
        Pump();
        EXPECT_EQ(balloon->IsShowing(), type == AIRBLADDER_ABOVE) << type;
        balloon->Show(0);
    }
    EXPECT_EQ(owner_.SetAirBladderMsg(L"tip", POINT{0, 300}, AIRBLADDER_CENTER), 0);
}

TEST_F(Popups, BalloonsArePlacedAroundTheAnchorByType) {
    MAirBladder* balloon = GetAirBladder(&owner_.GetPaintManager());
    ASSERT_NE(balloon, nullptr);
    balloon->SetAirBladderMsg(L"one line", POINT{400, 300}, AIRBLADDER_CENTER,
                              AIRBLADDER_MODE_NONE);
    const CRect one = balloon->GetPlacement();
    const int W = one.Width() - 40;
    const int H = one.Height() - 20;
    EXPECT_EQ(one.TopLeft(), CPoint(400, 300));
    EXPECT_EQ(balloon->GetLineCount(), 1);
    struct Case {
        AIRBLADDER_TYPE type;
        CRect expected;
    };
    const Case cases[] = {
        {AIRBLADDER_RIGHT, CRect(400 - W - 40, 300 - 27, 400, 300 + H - 7)},
        {AIRBLADDER_BELOW, CRect(400 - 25, 300, 400 + W + 15, 300 + H + 30)},
        {AIRBLADDER_ABOVE,
         CRect(400 - (W + 30) / 2, 300 - H - 20, 400 - (W + 30) / 2 + W + 30, 300)},
        // The help balloon keeps a visible height instead of the table's y + H - 45.
        {AIRBLADDER_BESIDE, CRect(400, 290, 400 + W + 40, 290 + H + 20)},
        {AIRBLADDER_LEFT, CRect()},
    };
    for (const Case& c : cases) {
        balloon->SetAirBladderMsg(L"one line", POINT{400, 300}, c.type, AIRBLADDER_MODE_NONE);
        EXPECT_EQ(balloon->GetPlacement(), c.expected) << c.type;
    }
    balloon->SetAirBladderMsg(L"two\nlines", POINT{400, 300}, AIRBLADDER_CENTER,
                              AIRBLADDER_MODE_NONE);
    EXPECT_EQ(balloon->GetLineCount(), 2);
    EXPECT_EQ(balloon->GetPlacement().Height(), 2 * H + 20);
}

TEST_F(Popups, TheHelpButtonOwnsTheBalloonWhileThePointerIsInside) {
    auto* help = dynamic_cast<CHelpButton*>(
        owner_.CreateControl(L"CHelpButton", 60, CRect(10, 10, 30, 30), L"Explains things", 1, 1));
    auto* other = dynamic_cast<CImageButton*>(
        owner_.CreateControl(L"CImageButton", 61, CRect(100, 10, 160, 40), L"Other", 1, 1));
    ASSERT_NE(help, nullptr);
    other->SetAlrBladderMode(AIRBLADDER_MODE_RIGHT);
    InjectMouse(owner_.GetSafeHwnd(), WM_MOUSEMOVE, 15, 15);
    Pump();
    PaintManager* manager = &owner_.GetPaintManager();
    EXPECT_EQ(GetAirBladderOwner(manager), 60u);
    EXPECT_EQ(GetAirBladder(manager)->GetText(), L"Explains things");
    EXPECT_EQ(ShowAirBladder(manager, 0, 61), 0);  // another owner may not hide it
    InjectMouse(owner_.GetSafeHwnd(), WM_MOUSEMOVE, 120, 20);
    Pump();
    EXPECT_EQ(GetAirBladderOwner(manager), 61u);
    EXPECT_EQ(GetAirBladder(manager)->GetText(), L"Other");
    InjectMouse(owner_.GetSafeHwnd(), WM_MOUSEMOVE, 300, 300);
    Pump();
    EXPECT_FALSE(GetAirBladder(manager)->IsShowing());
}

TEST_F(Popups, MinimisingHidesTheShadowAndRestoringShowsItAgain) {
    ASSERT_EQ(owner_.CreateShadow(1, true), 1);
    MShadow* shadow = owner_.GetShadow();
    ASSERT_NE(shadow, nullptr);
    HWND wnd = shadow->GetShadowWnd();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(wnd));
    RECT owner;
    GetWindowRect(owner_.GetSafeHwnd(), &owner);
    RECT r;
    GetWindowRect(wnd, &r);
    EXPECT_EQ(r.left, owner.left - 5 + 5);  // grown by the sharpness, moved by the offset
    auto picture = GetWindowFrame(wnd);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(ColorA(picture->GetPixel(picture->GetWidth() / 2, picture->GetHeight() / 2)), 150);
    EXPECT_LT(ColorA(picture->GetPixel(0, 0)), 20);  // the blurred edge fades out

    owner_.ShowWindow(SW_MINIMIZE);
    Pump();
    EXPECT_FALSE(IsWindowVisible(wnd));
    owner_.ShowWindow(SW_RESTORE);
    Pump();
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(owner_.SetDarkness(300), 0);
    EXPECT_EQ(owner_.SetDarkness(80), 1);
    EXPECT_EQ(shadow->GetDarkness(), 80u);
    owner_.DestroyWindow();
    Pump();
    EXPECT_FALSE(IsWindow(wnd));
}

TEST_F(Popups, TheLoadingWindowAdvancesItsFramesUntilClosed) {
    LoadingWnd loading;
    HWND hwnd = loading.CreateDlg(owner_.GetSafeHwnd(), CRect(200, 200, 264, 264));
    ASSERT_NE(hwnd, nullptr);
    std::filesystem::create_directories(appDir_.path() / "skins" / "theme1");
    Surface strip(12 * 4, 4);
    strip.SavePng((appDir_.path() / "skins" / "theme1" / "spin.png").string());
    ASSERT_EQ(loading.LoadAnimateImage(L"spin.png", 12), 1);
    clock_.advance(std::chrono::milliseconds(LoadingWnd::kFrameMs * 3 + 1));
    Pump();
    EXPECT_GT(loading.GetFrame(), 0);
    loading.CloseWindow();
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
