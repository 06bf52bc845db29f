// The macro library list, the plain choice list and the step list.
#include "tessel/widgets/macro_widgets.h"

#include <algorithm>

#include "widgets_fixture.h"

using namespace DUI;
using tessel_test::WidgetsTest;

namespace {

class MacroWidgets : public WidgetsTest {
  protected:
    MacroList* Library() {
        auto* list = Make<MacroList>(L"MacroList", 30, CRect(10, 10, 310, 190));
        list->AddString(L"Reload", 11, 0);
        list->AddString(L"Burst", 12, 0);
        list->AddString(L"Jump", 13, 0);
        return list;
    }
    CRecordList* Steps() { return Make<CRecordList>(L"CRecordList", 31, CRect(400, 10, 800, 190)); }
    void Type(const wchar_t* text) {
        for (const wchar_t* c = text; *c != 0; ++c) {
            PostMessageW(hwnd(), WM_CHAR, *c, 1);
        }
        Pump();
    }
    void DoubleClick(int x, int y) {
        ClickAt(x, y);
        InjectMouse(hwnd(), WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
        InjectMouse(hwnd(), WM_LBUTTONUP, x, y);
        Pump();
    }
};

TEST_F(MacroWidgets, InsertingOutsideTheListChangesNothing) {
    MacroList* list = Library();
    EXPECT_EQ(list->InsertString(5, L"Nope", 0, 0), -1);
    EXPECT_EQ(list->InsertString(3, L"Nope", 0, 0), -1);
    EXPECT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->InsertString(-1, L"Tail", 0, 14), 3);
    EXPECT_EQ(list->InsertString(1, L"Second", 0, 15), 4);  // the index of the last item
    EXPECT_EQ(list->GetItemText(1), L"Second");
    EXPECT_EQ(list->FindItemData(15), 1);
    EXPECT_EQ(list->FindString(L"Jump"), 3);
    EXPECT_EQ(list->GetItemData(9), 0);
    EXPECT_EQ(list->SetCurData(13), 3);
    EXPECT_EQ(list->GetCurData(), 13);
    EXPECT_EQ(list->SetCurSel(5), -1);
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_EQ(list->SwapItem(0, 9), 0);
    EXPECT_EQ(list->SwapItem(0, 4), 1);
    EXPECT_EQ(list->GetItemText(4), L"Reload");
    list->DeleteItem(0);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->GetItemCount(), 4);
}

TEST_F(MacroWidgets, ClicksSelectAndTheMoreButtonOfTheSelectedRowReportsItsOwnCode) {
    MacroList* list = Library();
    ClickAt(60, 10 + 36 + 18);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(Heard(30), (std::vector<std::pair<unsigned, unsigned>>{{2, 1}}));
    const CRect more = list->GetItemRect(1);
    ClickAt(more.right - 20, more.top + 18);
    EXPECT_EQ(Heard(30).back(), (std::pair<unsigned, unsigned>{9, 1}));
    // Right button: the row under the pointer becomes the selection and 5 reports it.
    InjectMouse(hwnd(), WM_MOUSEMOVE, 60, 10 + 72 + 18);
    InjectMouse(hwnd(), WM_RBUTTONDOWN, 60, 10 + 72 + 18, MK_RBUTTON);
    InjectMouse(hwnd(), WM_RBUTTONUP, 60, 10 + 72 + 18);
    Pump();
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(Heard(30).back(), (std::pair<unsigned, unsigned>{5, 2}));
}

TEST_F(MacroWidgets, RenamingInPlaceStoresOnlyAChangedNonEmptyName) {
    MacroList* list = Library();
    list->EnableShowEdit(true);
    DoubleClick(60, 10 + 18);
    ASSERT_TRUE(list->IsEditing());
    EXPECT_EQ(list->GetEdit()->GetEditText(), L"Reload");
    Key(VK_RETURN);  // closed untouched
    EXPECT_EQ(list->GetItemText(0), L"Reload");
    EXPECT_EQ(std::ranges::count(Codes(30), 29u), 0);

    list->ShowEdit();
    list->GetEdit()->SetEditText(L"");
    list->HideEdit();
    EXPECT_EQ(list->GetItemText(0), L"Reload");

    list->ShowEdit();
    Type(L"Dash");
    Key(VK_RETURN);
    EXPECT_EQ(list->GetItemText(0), L"Dash");
    EXPECT_EQ(Heard(30).back(), (std::pair<unsigned, unsigned>{29, 0}));
}

TEST_F(MacroWidgets, ChoiceListEditsOnTheRightButtonAndOnlySelectsOnDoubleClick) {
    auto* list = Make<DListBox>(L"DListBox", 32, CRect(10, 200, 310, 380));
    ASSERT_NE(list, nullptr);
    list->AddString(L"Default", 1, 0);
    list->AddString(L"Game", 2, 0);
    list->EnableShowEdit(true);
    DoubleClick(60, 200 + 36 + 10);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_FALSE(list->IsEditing());
    InjectMouse(hwnd(), WM_MOUSEMOVE, 60, 210);
    InjectMouse(hwnd(), WM_RBUTTONDOWN, 60, 210, MK_RBUTTON);
    Pump();
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_TRUE(list->IsEditing());
}

TEST_F(MacroWidgets, ManyRowsScrollAndHitTestingFollowsTheScroll) {
    MacroList* list = Library();
    for (int i = 0; i < 20; ++i) {
        list->AddString((L"Macro " + std::to_wstring(i)).c_str(), 100 + i, 0);
    }
    EXPECT_EQ(list->GetVirtualHeight(), 23 * 36);
    InjectWheel(hwnd(), -120, 60, 100);
    Pump();
    const int scrolled = list->GetScrollOffset().y;
    if (list->GetScrollVertical() == nullptr) {
        GTEST_SKIP() << "no scroll bar class installed";
    }
    ASSERT_GT(scrolled, 0);
    ClickAt(60, 10 + 5);
    EXPECT_EQ(list->GetCurSel(), (5 + scrolled) / 36);
}

TEST_F(MacroWidgets, StepListCountsEventsAndFindsTheNextDelay) {
    CRecordList* steps = Steps();
    steps->AddString(L"A down", 2, 65, 100);
    steps->AddString(L"10 ms", 1, 10, 110);
    steps->AddString(L"A up", 3, 65, 120);
    EXPECT_EQ(steps->GetItemCount(), 3);
    EXPECT_EQ(steps->GetEventCount(), 2);
    EXPECT_EQ(steps->GetSelectEvent(), -1);  // nothing selected
    steps->SetCurSel(0);
    EXPECT_EQ(steps->GetSelectEvent(), 1);
    steps->SetCurSel(2);
    EXPECT_EQ(steps->GetSelectEvent(), -1);
    EXPECT_EQ(steps->GetRecrodTimeStamp(7), 0);
    CString text = L"unchanged";
    int kind = -5;
    int value = -5;
    int stamp = -5;
    steps->GetRecordInfo(3, text, kind, value, stamp);
    EXPECT_EQ(text, L"unchanged");
    EXPECT_EQ(kind, -5);
}

TEST_F(MacroWidgets, StepsSharingATimestampAreChangedAndDeletedTogether) {
    CRecordList* steps = Steps();
    steps->AddString(L"A down", 2, 65, 7);
    steps->AddString(L"A up", 3, 65, 7);
    steps->AddString(L"B down", 2, 66, 8);
    EXPECT_EQ(steps->SetRecordInfo(7, 2, L"C down", 67), 1);
    CString text;
    int kind = 0;
    int value = 0;
    int stamp = 0;
    steps->GetRecordInfo(0, text, kind, value, stamp);
    EXPECT_EQ(text, L"C down");
    EXPECT_EQ(value, 67);
    steps->GetRecordInfo(1, text, kind, value, stamp);
    EXPECT_EQ(text, L"A up");
    EXPECT_EQ(value, 65);

    steps->SetCurSel(2);
    EXPECT_EQ(steps->DeleteTimeStamp(7), 2);
    EXPECT_EQ(steps->GetItemCount(), 1);
    EXPECT_EQ(steps->GetCurSel(), -1);
    EXPECT_EQ(steps->GetRecrodTimeStamp(0), 8);
}

TEST_F(MacroWidgets, ATimestampOfAReleaseAlsoReachesThePressItEnds) {
    CRecordList* steps = Steps();
    steps->AddString(L"A down", 2, 65, 0);
    steps->AddString(L"B down", 2, 66, 0);
    steps->AddString(L"A down", 2, 65, 0);
    steps->AddString(L"A up", 3, 65, 0);
    steps->UpdateTimeStamp(3, 65, 42);
    std::vector<int> stamps;
    for (int i = 0; i < steps->GetItemCount(); ++i) {
        stamps.push_back(steps->GetRecrodTimeStamp(i));
    }
    EXPECT_EQ(stamps, (std::vector<int>{0, 0, 42, 42}));
    EXPECT_TRUE(steps->UpdateDelayTime(99));
    EXPECT_EQ(steps->GetRecrodTimeStamp(3), 99);
    steps->DeleteAllItems();
    EXPECT_FALSE(steps->UpdateDelayTime(1));
}

TEST_F(MacroWidgets, StepsMoveToEitherEndAndTheSelectionFollows) {
    CRecordList* steps = Steps();
    for (int i = 0; i < 4; ++i) {
        steps->AddString(std::to_wstring(i).c_str(), 2, i, i);
    }
    auto order = [&] {
        std::vector<int> values;
        for (RecordItem* item : steps->GetRecordItems()) {
            values.push_back(item->value);
        }
        return values;
    };
    steps->MoveTop(0);
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(steps->GetCurSel(), 0);
    steps->MoveTop(2);
    EXPECT_EQ(order(), (std::vector<int>{2, 0, 1, 3}));
    steps->MoveBottom(0);
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 3, 2}));
    EXPECT_EQ(steps->GetCurSel(), 3);
    EXPECT_EQ(steps->InsertString(1, L"x", 1, 5, 5), 1);
    EXPECT_EQ(steps->InsertString(99, L"y", 1, 6, 6), 5);
    EXPECT_EQ(order(), (std::vector<int>{0, 5, 1, 3, 2, 6}));
}

TEST_F(MacroWidgets, StepKindsPickTheirIconFrames) {
    struct Case {
        int kind;
        bool highlighted;
        int frame;
    } cases[] = {{1, false, 6}, {1, true, 7},  {2, false, 2}, {3, true, 3},   {4, false, 4},
                 {7, true, 5},  {8, false, 0}, {12, true, 1}, {13, false, 2}, {0, false, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(CRecordList::KindFrame(c.kind, c.highlighted), c.frame) << c.kind;
    }
}

TEST_F(MacroWidgets, StepListReportsPressesAndItsEditorOpeningAndClosing) {
    CRecordList* steps = Steps();
    steps->AddString(L"A down", 2, 65, 1);
    steps->AddString(L"10 ms", 1, 10, 2);
    ClickAt(450, 10 + 36 + 10);
    EXPECT_EQ(Heard(31), (std::vector<std::pair<unsigned, unsigned>>{{1, 1}, {2, 1}}));
    EXPECT_EQ(steps->GetEditText(), L"");
    steps->ShowEdit();
    steps->SetEditText(L"25");
    EXPECT_EQ(steps->GetEditText(), L"25");
    steps->HideEdit();
    EXPECT_EQ(steps->GetEditText(), L"");
    EXPECT_EQ(Heard(31).size(), 4u);
    EXPECT_EQ(Heard(31)[2], (std::pair<unsigned, unsigned>{30, 1}));
    EXPECT_EQ(Heard(31)[3], (std::pair<unsigned, unsigned>{29, 1}));
}

}  // namespace
