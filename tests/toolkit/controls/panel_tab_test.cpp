// The scrolling panel, scroll bars and the tab control.
#include "controls_fixture.h"
#include "tessel/controls/lists.h"
#include "tessel/controls/mscroll.h"

using namespace DUI;
using tessel_test::Box;
using tessel_test::ControlsTest;

namespace {

class Panels : public ControlsTest {};

TEST_F(Panels, ScrollBarsAppearOnlyWhenTheContentOverflows) {
    auto* panel = Make<MPanel>(L"MTabLayout", 70, CRect(10, 10, 210, 110));
    ASSERT_NE(panel->GetScrollVertical(), nullptr);
    panel->CreateControl(L"TestBox", 5, CRect(20, 20, 100, 60), L"", 1, 1);
    EXPECT_FALSE(panel->GetScrollVertical()->IsVisible());
    EXPECT_FALSE(panel->GetScrollHorizontal()->IsVisible());
    auto* low =
        static_cast<Box*>(panel->CreateControl(L"TestBox", 6, CRect(20, 150, 100, 190), L"", 1, 1));
    auto* bar = dynamic_cast<MScroll*>(panel->GetScrollVertical());
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetScrollMaxRange(), 180);
    EXPECT_FALSE(panel->GetScrollHorizontal()->IsVisible());

    // The wheel scrolls to the end; the low child then sees content coordinates.
    for (int i = 0; i < 10; ++i) {
        InjectWheel(hwnd(), -WHEEL_DELTA, 100, 60);
    }
    Pump();
    EXPECT_EQ(bar->GetScrollCurrentPos(), 180);
    EXPECT_EQ(panel->GetScrollOffset().y, 80);
    Press(50, 90);
    Release(50, 90);
    EXPECT_EQ(low->downs, 1);
    EXPECT_EQ(low->lastPoint.y, 170);
    EXPECT_EQ(Codes(6).front(), 1u);
}

TEST_F(Panels, AScrolledChildIsDrawnShiftedAndClippedToThePanel) {
    auto* panel = Make<MPanel>(L"MTabLayout", 70, CRect(10, 10, 210, 110));
    auto* low =
        static_cast<Box*>(panel->CreateControl(L"TestBox", 6, CRect(20, 100, 100, 190), L"", 1, 1));
    low->fill = 0xFF0000FF;
    dialog_.GetPaintManager().Invalidate();
    Pump();
    auto frame = GetWindowFrame(hwnd());
    EXPECT_EQ(frame->GetPixel(50, 105), 0xFF0000FFu);
    EXPECT_NE(frame->GetPixel(50, 115), 0xFF0000FFu);  // below the panel: clipped
    dynamic_cast<MScroll*>(panel->GetScrollVertical())->SetScrollCurrentPos(190);
    Pump();
    frame = GetWindowFrame(hwnd());
    EXPECT_EQ(frame->GetPixel(50, 30), 0xFF0000FFu);
}

TEST_F(Panels, SelectingTheSelectedTabSendsNothing) {
    auto* tab = Make<MTabCtrl>(L"MTabCtrl", 80, CRect(0, 0, 400, 300));
    tab->SetTabCtrlHeight(40);
    MControl* pages[3];
    for (int i = 0; i < 3; ++i) {
        pages[i] = tab->CreatePanel(L"MTabLayout", 81 + i, CRect(0, 40, 400, 300));
        ASSERT_NE(pages[i], nullptr);
        tab->InsertItem(90 + i, L"tab", nullptr, pages[i], -1, 80);
    }
    EXPECT_EQ(tab->CreatePanel(L"MPanel", 99, CRect()), nullptr);
    ASSERT_EQ(tab->SetSelectItem(1), 1);
    EXPECT_EQ(Codes(80), (std::vector<unsigned>{1}));
    EXPECT_EQ(dialog_.notifications.back().wParam, 1u);
    EXPECT_TRUE(pages[1]->IsVisible());
    EXPECT_FALSE(pages[0]->IsVisible());
    EXPECT_FALSE(pages[2]->IsVisible());
    EXPECT_EQ(tab->SetSelectItem(1), 0);
    EXPECT_EQ(Codes(80).size(), 1u);

    // A press on a tab button reports 9, then the selection.
    Press(170, 20);
    EXPECT_EQ(Codes(80), (std::vector<unsigned>{1, 9, 1}));
    EXPECT_EQ(tab->GetSelectItem(), 2);
    EXPECT_EQ(tab->GetPreviousSelect(), 1);
    EXPECT_EQ(tab->PtInTabButton(CPoint(10, 200)), -1);
}

}  // namespace
