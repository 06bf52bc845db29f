// The key list and the mouse call-outs: item access, hit testing and what a click reports.
#include "tessel/widgets/mouse_widgets.h"

#include "widgets_fixture.h"

using namespace DUI;
using tessel_test::WidgetsTest;

namespace {

class MouseWidgets : public WidgetsTest {};

TEST_F(MouseWidgets, KeyListLooksItemsUpByIndexAndKeyValue) {
    auto* keys = Make<MouseKeyCtrl>(L"MouseKeyCtrl", 20, CRect(10, 10, 310, 400));
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->AddItem(L"Left", L"Left click", 1), 0);
    EXPECT_EQ(keys->AddItem(L"Right", L"Right click", 2), 1);
    EXPECT_EQ(keys->AddItem(L"Side", L"Forward", 2), 2);
    for (int outside : {-1, 3}) {
        EXPECT_EQ(keys->GetItemKeyValue(outside), 0);
        EXPECT_EQ(keys->GetItemKeyName(outside), L"");
    }
    EXPECT_EQ(keys->SetItemKeyDesc(99, L"Nothing"), 1);
    EXPECT_EQ(keys->SetItemKeyDesc(2, L"Copy"), 1);
    EXPECT_EQ(keys->GetItemKeyDesc(1), L"Copy");
    EXPECT_EQ(keys->GetItemKeyDesc(2), L"Forward");
    keys->SetItemText(0, L"Primary");
    keys->SetItemText(5, L"Ignored");
    EXPECT_EQ(keys->GetItemKeyName(0), L"Primary");

    EXPECT_EQ(keys->GetItemRect(1), CRect(0, 40, 300, 70));
    keys->SetScaleValue(1.5f);
    EXPECT_EQ(keys->GetItemRect(1), CRect(0, 55, 300, 100));

    keys->SetSelectItem(2);
    EXPECT_EQ(keys->DeleteAllItems(), 1);
    EXPECT_EQ(keys->GetSelectItem(), -1);
    EXPECT_EQ(keys->GetItemCount(), 0);
}

TEST_F(MouseWidgets, KeyListReportsEveryClickEvenOnEmptySpace) {
    auto* keys = Make<MouseKeyCtrl>(L"MouseKeyCtrl", 20, CRect(10, 10, 310, 400));
    keys->AddItem(L"Left", L"Left click", 1);
    keys->AddItem(L"Right", L"Right click", 2);
    ClickAt(50, 10 + 40 + 15);
    EXPECT_EQ(keys->GetSelectItem(), 1);
    EXPECT_EQ(Heard(20), (std::vector<std::pair<unsigned, unsigned>>{{1, 1}, {2, 1}}));
    // The hovered row's description shows as the tooltip.
    EXPECT_EQ(dialog_.GetPaintManager().GetTooltipCtrlID(), 20u);

    dialog_.notifications.clear();
    ClickAt(50, 10 + 35);  // the gap between the rows
    EXPECT_EQ(keys->GetSelectItem(), -1);
    EXPECT_EQ(Heard(20), (std::vector<std::pair<unsigned, unsigned>>{
                             {1, static_cast<unsigned>(-1)}, {2, static_cast<unsigned>(-1)}}));
    keys->SetEnabled(0);
    dialog_.notifications.clear();
    ClickAt(50, 25);
    EXPECT_TRUE(Heard(20).empty());
}

TEST_F(MouseWidgets, CallOutsPlaceTheirLabelsByDirectionAndIgnoreClicksBesideThem) {
    auto* mouse = Make<MouseCtrl>(L"MouseCtrl", 21, CRect(100, 50, 540, 570));
    ASSERT_NE(mouse, nullptr);
    mouse->AddItem(L"Wheel", 3, 1, CPoint(300, 100), CPoint(360, 100));
    mouse->AddItem(L"Left", 1, 0, CPoint(100, 200), CPoint(160, 200));
    EXPECT_EQ(mouse->GetItemCount(), 2);
    EXPECT_EQ(mouse->GetLabelRect(0), CRect(361, 87, 427, 113));
    EXPECT_EQ(mouse->GetLabelRect(1), CRect(33, 187, 99, 213));

    ClickAt(100 + 200, 50 + 300);  // on the picture, no label
    EXPECT_TRUE(Heard(21).empty());
    EXPECT_EQ(mouse->GetSelectItem(), -1);

    ClickAt(100 + 50, 50 + 200);
    EXPECT_EQ(mouse->GetSelectItem(), 1);
    EXPECT_EQ(Heard(21), (std::vector<std::pair<unsigned, unsigned>>{{1, 1}, {2, 1}}));
    // A selected label on the left reaches 2 pixels nearer the line's end.
    EXPECT_EQ(mouse->GetLabelRect(1), CRect(33, 187, 97, 213));
    EXPECT_EQ(mouse->GetItemKeyValue(1), 1);
    EXPECT_EQ(mouse->GetItemKeyValue(2), 0);
}

TEST_F(MouseWidgets, CallOutLinesAreDrawnWhereTheDescriptionPutsThem) {
    auto* mouse = Make<MouseCtrl>(L"MouseCtrl", 21, CRect(100, 50, 540, 570));
    // A description "rect" of 10#200#30: a line from (10, 30) to (200, 30).
    mouse->AddItem(L"Side", 4, 1, CPoint(10, 30), CPoint(200, 30));
    auto frame = Frame();
    // White line from (10, 30) to (200, 30) in the control, 2 pixels wide.
    EXPECT_EQ(frame->GetPixel(100 + 100, 50 + 30) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(frame->GetPixel(100 + 100, 50 + 40) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
