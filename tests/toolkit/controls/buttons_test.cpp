// Buttons, check-type buttons, timed buttons and pictures.
#include "tessel/controls/buttons.h"
#include "controls_fixture.h"
#include "tessel/controls/static_controls.h"

using namespace DUI;
using tessel_test::ControlsTest;

namespace {

class Buttons : public ControlsTest {};

TEST_F(Buttons, PressMoveOutAndReleaseOutsideReportsThePressButNoClick) {
    auto* button = Make<MButton>(L"MButton", 10, CRect(10, 10, 110, 40), L"OK");
    ASSERT_NE(button, nullptr);
    Press(20, 20);
    EXPECT_EQ(button->GetState(), 2);
    Release(300, 300);
    EXPECT_EQ(Codes(10), (std::vector<unsigned>{1}));
    EXPECT_EQ(button->GetState(), 0);

    Press(20, 20);
    Release(30, 25);
    EXPECT_EQ(Codes(10), (std::vector<unsigned>{1, 1, 2}));
    EXPECT_EQ(button->GetState(), 1);
}

TEST_F(Buttons, ADisabledButtonIgnoresInputAndShowsTheDisabledState) {
    auto* button = Make<MButton>(L"MButton", 10, CRect(10, 10, 110, 40), L"OK");
    button->SetEnabled(0);
    EXPECT_EQ(button->GetState(), 3);
    Press(20, 20);
    Release(20, 20);
    EXPECT_TRUE(Codes(10).empty());
}

TEST_F(Buttons, AStateChangeReusesTheCachedStatesWithoutRendering) {
    auto* button = Make<MButton>(L"MButton", 10, CRect(10, 10, 110, 40), L"OK");
    dialog_.GetPaintManager().Invalidate();
    Pump();
    ASSERT_EQ(button->GetUpdate(), 1);
    Move(20, 20);
    EXPECT_EQ(button->GetState(), 1);
    EXPECT_EQ(button->GetUpdate(), 1);  // hover only copied another slice
}

TEST_F(Buttons, RadioGroupsAreFormedByClassNameAndGroupName) {
    auto* a = Make<CRadioButton>(L"CRadioButton", 1, CRect(10, 10, 110, 30), L"a");
    auto* b = Make<CRadioButton>(L"CRadioButton", 2, CRect(10, 40, 110, 60), L"b");
    auto* other = Make<CRadioButton>(L"CRadioButton", 3, CRect(10, 70, 110, 90), L"c");
    auto* select = Make<CSelectButton>(L"CSelectButton", 4, CRect(10, 100, 110, 120), L"d");
    for (auto* r : {a, b}) {
        r->SetGroupName(L"speed");
    }
    other->SetGroupName(L"Speed");
    select->SetGroupName(L"speed");
    b->SetCheck(1);
    other->SetCheck(1);
    select->SetCheck(1);

    Press(20, 20);
    Release(20, 20);
    EXPECT_EQ(a->GetCheck(), 1);
    EXPECT_EQ(b->GetCheck(), 0);
    EXPECT_EQ(other->GetCheck(), 1);   // group names compare exactly
    EXPECT_EQ(select->GetCheck(), 1);  // another class never joins the group
    EXPECT_EQ(b->GetState(), 0);

    // Clicking the checked one keeps it checked and still reports the click.
    Press(20, 20);
    Release(20, 20);
    EXPECT_EQ(a->GetCheck(), 1);
    EXPECT_EQ(Codes(1), (std::vector<unsigned>{2, 2}));
}

TEST_F(Buttons, CheckButtonsToggleByClickAndBySpaceOnceArmedByAPress) {
    auto* check = Make<CCheckButton>(L"CCheckButton", 5, CRect(10, 10, 110, 30), L"x");
    Press(20, 20);
    Release(20, 20);
    EXPECT_EQ(check->GetCheck(), 1);
    EXPECT_EQ(check->GetState(), 5);
    Key(VK_SPACE);  // not armed yet: the press began while unchecked
    EXPECT_EQ(check->GetCheck(), 1);
    Press(20, 20);  // pressed while checked arms the keyboard toggle
    Release(20, 20);
    EXPECT_EQ(check->GetCheck(), 0);
    Key(VK_SPACE);
    EXPECT_EQ(check->GetCheck(), 1);
    ASSERT_FALSE(dialog_.notifications.empty());
    EXPECT_EQ(dialog_.notifications.back().code, 7u);
    EXPECT_EQ(dialog_.notifications.back().lParam, 1);

    check->SetEnabled(0);
    EXPECT_EQ(check->GetState(), 7);
    EXPECT_EQ(check->SetCheck(0), 1);  // disabled: unchanged
}

TEST_F(Buttons, MButton2JoinsItsGroupAndSwitchesReportTheirNewCheck) {
    auto* panel = Make<MPanel>(L"MTabLayout", 50, CRect(0, 0, 600, 400));
    auto* one = static_cast<MButton2*>(
        panel->CreateControl(L"MButton2", 1, CRect(10, 10, 60, 40), L"", 1, 1));
    auto* two = static_cast<MButton2*>(
        panel->CreateControl(L"MButton2", 2, CRect(70, 10, 120, 40), L"", 1, 1));
    one->SetGroupName(L"g");
    two->SetGroupName(L"g");
    one->SetCheck(1);
    Press(80, 20);
    Release(80, 20);
    EXPECT_EQ(two->GetCheck(), 1);
    EXPECT_EQ(one->GetCheck(), 0);

    auto* sw = static_cast<CSwitchButton*>(
        panel->CreateControl(L"CSwitchButton", 60, CRect(200, 10, 250, 40), L"", 1, 1));
    Press(210, 20);
    Release(210, 20);
    EXPECT_EQ(sw->GetCheck(), 1);
    EXPECT_EQ(dialog_.notifications.back().id, 60u);
    EXPECT_EQ(dialog_.notifications.back().lParam, 1);
}

TEST_F(Buttons, ALongPressReportsEvery300MillisecondsWhileHeld) {
    auto* panel = Make<MPanel>(L"MTabLayout", 50, CRect(0, 0, 600, 400));
    auto* button = static_cast<LongPressButton*>(
        panel->CreateControl(L"LongPressButton", 7, CRect(10, 10, 110, 40), L"+", 1, 1));
    Press(20, 20);
    for (int ms = 0; ms < 1000; ms += 50) {
        clock_.advance(std::chrono::milliseconds(50));
        button->OnTimer();
    }
    Release(20, 20);
    const auto codes = Codes(7);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 32u), 3);
    EXPECT_EQ(codes.back(), 2u);
}

TEST_F(Buttons, ATimerButtonClicksItselfOnceAfterTenSeconds) {
    auto* button = Make<CTimerButton>(L"CTimerButton", 8, CRect(10, 10, 110, 40), L"Wait");
    ASSERT_EQ(button->SetRun(1), 1);
    for (int s = 0; s < 12; ++s) {
        clock_.advance(std::chrono::seconds(1));
        button->OnTimer();
    }
    EXPECT_EQ(Codes(8), (std::vector<unsigned>{2}));
    EXPECT_EQ(button->IsRun(), 0);
}

TEST_F(Buttons, APictureInModeZeroIsPlacedByItsAlignment) {
    WritePicture("dot.png", 10, 10, {0xFFFF0000});
    auto* picture = Make<MPicture>(L"MPicture", 9, CRect(100, 100, 200, 150));
    ASSERT_EQ(picture->SetImage(L"dot.png", 1), 1);
    picture->SetAlignment(1, 4);
    dialog_.GetPaintManager().Invalidate();
    Pump();
    auto frame = GetWindowFrame(hwnd());
    EXPECT_EQ(frame->GetPixel(150, 125), 0xFFFF0000u);
    EXPECT_NE(frame->GetPixel(102, 102), 0xFFFF0000u);
    EXPECT_EQ(picture->SetShowMode(SHOW_MODE_NORMAL), 0);  // unchanged
    EXPECT_EQ(picture->SetImage(L"missing.png", 1), 0);
}

TEST_F(Buttons, AnimatedPicturesNeedMoreThanOneFrameAndAdvanceEveryFifthTick) {
    WritePicture("one.png", 8, 8, {0xFF00FF00});
    WritePicture("strip.png", 8, 8, {0xFF00FF00, 0xFF0000FF, 0xFFFF0000});
    auto* gif = Make<CGifPicture>(L"CGifPicture", 11, CRect(10, 10, 40, 40));
    gif->SetImage(L"one.png", 1);
    EXPECT_EQ(gif->SetRunState(1, 0), 0);
    gif->SetImage(L"strip.png", 3);
    ASSERT_EQ(gif->SetRunState(1, 0), 1);
    for (int i = 0; i < 15; ++i) {
        gif->OnTimer();
    }
    EXPECT_EQ(gif->GetCurFrame(), 0);  // 3 advances wrap back to the first frame
    gif->OnTimer();
    gif->OnTimer();
    gif->OnTimer();
    gif->OnTimer();
    gif->OnTimer();
    EXPECT_EQ(gif->GetCurFrame(), 1);
}

TEST_F(Buttons, AnAreaFadesBetweenItsTwoTransparencies) {
    auto* area = Make<CArea>(L"CArea", 12, CRect(0, 0, 10, 101));
    area->SetTransparent(0, 100, 0xFFFFFF);
    EXPECT_EQ(area->AlphaAt(0, 101), 255);
    EXPECT_EQ(area->AlphaAt(100, 101), 0);
    area->SetTransparent(80, 80, 0xFFFFFF);
    EXPECT_EQ(area->AlphaAt(0, 101), area->AlphaAt(100, 101));
}

}  // namespace
