// DPI cards, the DPI slider and the report-rate row, driven through injected input.
#include "tessel/widgets/dpi_widgets.h"

#include "widgets_fixture.h"

using namespace DUI;
using tessel_test::WidgetsTest;

namespace {

class DpiWidgets : public WidgetsTest {
  protected:
    DPIControl* Cards() {
        auto* cards = Make<DPIControl>(L"DPIControl", 10, CRect(20, 20, 570, 140));
        for (int v : {400, 800, 1600, 3200, 6400}) {
            cards->AddItem(v, static_cast<int>(RGB(255, 0, 0)));
        }
        return cards;
    }
    void Type(const wchar_t* text) {
        for (const wchar_t* c = text; *c != 0; ++c) {
            PostMessageW(hwnd(), WM_CHAR, *c, 1);
        }
        Pump();
    }
};

TEST_F(DpiWidgets, ValuesOutsideTheListReadAsTheSensorLimitsAndWritesThereAreIgnored) {
    DPIControl* cards = Cards();
    EXPECT_EQ(cards->GetDPIValue(-1), 50);
    EXPECT_EQ(cards->GetDPIValue(5), 26000);
    EXPECT_EQ(cards->GetDPIValue(2), 1600);
    EXPECT_EQ(cards->GetDPIColorValue(5), 0);
    cards->SetDPIValue(5, 999);
    cards->SetDPIValue(-1, 999);
    cards->SetDPIColorValue(7, 0x123456);
    EXPECT_EQ(cards->GetItemCount(), 5);
    EXPECT_EQ(cards->GetDPIValue(4), 6400);

    cards->SetSelectItem(3);
    cards->ClearList();
    EXPECT_EQ(cards->GetItemCount(), 0);
    EXPECT_EQ(cards->GetSelectItem(), 0);
    EXPECT_EQ(cards->GetDPIValue(0), 26000);
}

TEST_F(DpiWidgets, ClickingACardSelectsItAndReportsOnlyWhenPressAndReleaseMeet) {
    DPIControl* cards = Cards();
    const CRect second = cards->GetCardRect(1);
    EXPECT_EQ(second, CRect(130, 20, 240, 140));
    ClickAt(second.left + 10, second.top + 10);  // on the band, not the number
    EXPECT_EQ(cards->GetSelectItem(), 1);
    EXPECT_EQ(Heard(10), (std::vector<std::pair<unsigned, unsigned>>{{2, 1}}));
    EXPECT_FALSE(cards->IsEditing());

    dialog_.notifications.clear();
    Press(cards->GetCardRect(2).left + 10, 30);
    Release(cards->GetCardRect(3).left + 10, 30);
    EXPECT_EQ(cards->GetSelectItem(), 2);
    EXPECT_TRUE(Heard(10).empty());
}

TEST_F(DpiWidgets, TheNumberEditorCommitsOnlyAChangedNumber) {
    DPIControl* cards = Cards();
    const CRect value = cards->GetValueRect(1);
    Press(value.CenterPoint().x, value.CenterPoint().y);
    ASSERT_TRUE(cards->IsEditing());
    ASSERT_NE(cards->GetEditWindow(), nullptr);
    EXPECT_EQ(cards->GetEditWindow()->GetRect(), value);
    EXPECT_EQ(cards->GetEditText(), L"800");
    EXPECT_EQ(Codes(10), (std::vector<unsigned>{30}));
    Release(value.CenterPoint().x, value.CenterPoint().y);

    // Same number: closes without touching the value.
    cards->HideEdit();
    EXPECT_FALSE(cards->IsEditing());
    EXPECT_EQ(cards->GetDPIValue(1), 800);
    EXPECT_EQ(Codes(10), (std::vector<unsigned>{30, 2, 29}));

    // Typed number, committed with Enter (all of the old text was selected).
    ClickAt(value.CenterPoint().x, value.CenterPoint().y);
    ASSERT_TRUE(cards->IsEditing());
    Type(L"1250");
    Key(VK_RETURN);
    EXPECT_FALSE(cards->IsEditing());
    EXPECT_EQ(cards->GetDPIValue(1), 1250);

    // Text that is no number stores 0, and choosing another card commits first.
    ClickAt(value.CenterPoint().x, value.CenterPoint().y);
    cards->SetEditText(L"abc");
    cards->SetSelectItem(4);
    EXPECT_EQ(cards->GetDPIValue(1), 0);
    EXPECT_EQ(cards->GetSelectItem(), 4);
    EXPECT_FALSE(cards->GetEditWindow()->IsVisible());
}

TEST_F(DpiWidgets, SliderProgressFollowsItsRules) {
    auto* slider = Make<DPISlider>(L"DPISlider", 11, CRect(20, 200, 520, 240));
    ASSERT_NE(slider, nullptr);
    slider->SetMinProgress(100);
    slider->SetMaxProgress(99);  // positions 100 .. 199
    struct Case {
        int position;
        int offset;
    } cases[] = {{150, 50}, {99, 50}, {100, 0}, {500, 99}, {199, 99}, {120, 20}};
    for (const Case& c : cases) {
        EXPECT_EQ(slider->SetProgress(c.position), c.offset) << c.position;
        EXPECT_EQ(slider->GetProgress(), c.offset);
    }
}

TEST_F(DpiWidgets, DraggingPastTheEndReportsTheTopOnceAndTheReleaseCommits) {
    auto* slider = Make<DPISlider>(L"DPISlider", 11, CRect(20, 200, 520, 240));
    slider->SetMinProgress(1);
    slider->SetMaxProgress(99);
    const CRect thumb = slider->GetThumbRect();
    Press(thumb.CenterPoint().x, thumb.CenterPoint().y);
    EXPECT_EQ(slider->GetState(), 2);
    Move(700, 220, MK_LBUTTON);
    Move(800, 220, MK_LBUTTON);
    Move(900, 220, MK_LBUTTON);
    InjectMouse(hwnd(), WM_LBUTTONUP, 900, 220);
    Pump();
    EXPECT_EQ(Heard(11), (std::vector<std::pair<unsigned, unsigned>>{{8, 100}, {2, 100}}));
    EXPECT_EQ(slider->GetProgress(), 99);
    EXPECT_EQ(slider->GetState(), 0);
}

TEST_F(DpiWidgets, ReportRateRowSelectsByValueAndReportsPressAndRelease) {
    auto* rates = Make<ReporteCtrl>(L"ReporteCtrl", 12, CRect(20, 300, 520, 340));
    ASSERT_NE(rates, nullptr);
    for (int hz : {125, 250, 500, 1000}) {
        rates->AddItem(std::to_wstring(hz).c_str(), hz, 0);
    }
    rates->SetSelectItemValue(500);
    EXPECT_EQ(rates->GetSelectItem(), 2);
    rates->SetSelectItemValue(333);
    EXPECT_EQ(rates->GetSelectItem(), 2);
    EXPECT_EQ(rates->GetItemKeyValue(4), 0);
    EXPECT_EQ(rates->GetItemKeyName(-1), L"");
    EXPECT_EQ(rates->GetItemRect(1), CRect(20 + 11 + 120, 300, 20 + 11 + 120 + 100, 340));

    ClickAt(20 + 11 + 360 + 50, 320);
    EXPECT_EQ(rates->GetSelectItem(), 3);
    EXPECT_EQ(Heard(12), (std::vector<std::pair<unsigned, unsigned>>{{1, 3}, {2, 3}}));
    // Between two items nothing is hit.
    ClickAt(20 + 11 + 100 + 10, 320);
    EXPECT_EQ(Heard(12).size(), 2u);
}

}  // namespace
