// The combo box with its drop-down, and the list box.
#include <thread>

#include "controls_fixture.h"
#include "tessel/controls/combo.h"
#include "tessel/controls/lists.h"

using namespace DUI;
using tessel_test::ControlsTest;

namespace {

class Combos : public ControlsTest {
  protected:
    MComboBox* MakeCombo(int items) {
        auto* combo = Make<MComboBox>(L"MComboBox", 40, CRect(10, 10, 160, 40));
        for (int i = 0; i < items; ++i) {
            combo->AddItem((L"item " + std::to_wstring(i)).c_str(), 100 + i);
        }
        return combo;
    }
};

TEST_F(Combos, TheDropDownIsEightRowsAtMost) {
    const std::pair<int, int> cases[] = {{20, 252}, {3, 102}, {0, 12}, {8, 252}};
    for (const auto& [items, height] : cases) {
        MComboBox* combo = MakeCombo(items);
        ASSERT_EQ(combo->OpenList(), 1);
        Pump();
        MPopupWnd* drop = combo->GetDropWindow();
        ASSERT_NE(drop, nullptr);
        RECT r;
        GetWindowRect(drop->GetSafeHwnd(), &r);
        EXPECT_EQ(r.bottom - r.top, height) << items << " items";
        EXPECT_EQ(r.right - r.left, 150);
        POINT below{10, 42};
        ClientToScreen(hwnd(), &below);
        EXPECT_EQ(r.left, below.x);
        EXPECT_EQ(r.top, below.y);
        EXPECT_EQ(GetWindowTextW(drop->GetSafeHwnd()), L"ComboWnd");
        EXPECT_EQ(combo->OpenList(), 0);  // already open
        combo->CloseList();
        Pump();
        dialog_.GetPaintManager().RemoveControl(combo);
    }
}

TEST_F(Combos, ChoosingARowSelectsItTellsTheParentAndCloses) {
    MComboBox* combo = MakeCombo(5);
    Press(50, 20);
    Release(50, 20);
    MPopupWnd* drop = combo->GetDropWindow();
    ASSERT_NE(drop, nullptr);
    HWND list = drop->GetSafeHwnd();
    // Row 2 sits at 6 + 2 * 30 .. 6 + 3 * 30 in the list.
    InjectMouse(list, WM_MOUSEMOVE, 40, 80);
    InjectMouse(list, WM_LBUTTONDOWN, 40, 80, MK_LBUTTON);
    InjectMouse(list, WM_LBUTTONUP, 40, 80);
    Pump();
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetCurData(), 102);
    EXPECT_EQ(combo->GetDropWindow(), nullptr);
    EXPECT_FALSE(IsWindow(list));
    ASSERT_FALSE(dialog_.notifications.empty());
    EXPECT_EQ(dialog_.notifications.back().code, 2u);
    EXPECT_EQ(dialog_.notifications.back().wParam, 2u);
}

TEST_F(Combos, DataLookupsAndOutOfRangeIndexes) {
    MComboBox* combo = MakeCombo(3);
    EXPECT_EQ(combo->SelectData(101), 1);
    EXPECT_EQ(combo->SelectData(999), -1);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(combo->GetItemText(7), L"");
    EXPECT_EQ(combo->GetItemData(-1), -1);
    EXPECT_EQ(combo->SetCurSel(3), -1);
    EXPECT_EQ(combo->DeleteItem(0), 2);
    EXPECT_EQ(combo->GetCurSel(), 0);  // follows its item
    EXPECT_EQ(combo->InsertItem(9, L"x"), -1);
}

TEST_F(Combos, TheComboCanBeDestroyedWhileItsListIsOpen) {
    MComboBox* combo = MakeCombo(3);
    combo->OpenList();
    HWND list = combo->GetDropWindow()->GetSafeHwnd();
    dialog_.GetPaintManager().RemoveControl(combo);
    Pump();
    EXPECT_FALSE(IsWindow(list));
}

TEST_F(Combos, ListBoxRowsReportPressesAndRightReleasesAndRenameInline) {
    auto* list = Make<MListBox>(L"MListBox", 45, CRect(10, 10, 210, 100));
    for (const wchar_t* t : {L"alpha", L"beta", L"gamma", L"delta", L"omega"}) {
        list->AddString(t, 0);
    }
    EXPECT_TRUE(list->GetScrollVertical()->IsVisible());
    Press(50, 45);  // row 1
    Release(50, 45);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(dialog_.notifications.front().code, 1u);
    EXPECT_EQ(dialog_.notifications.front().wParam, 1u);
    InjectMouse(hwnd(), WM_RBUTTONDOWN, 50, 45, MK_RBUTTON);
    InjectMouse(hwnd(), WM_RBUTTONUP, 50, 45);
    Pump();
    EXPECT_EQ(dialog_.notifications.back().code, 5u);

    list->EnableShowEdit(1);
    ASSERT_EQ(list->ShowEdit(1), 1);
    list->GetEdit()->GetEditWindow()->SetText(L"renamed");
    list->HideEdit();
    EXPECT_EQ(list->GetItemText(1), L"renamed");
    EXPECT_EQ(dialog_.notifications.back().code, 29u);
    EXPECT_EQ(dialog_.notifications.back().wParam, 1u);
    EXPECT_EQ(dialog_.notifications.back().id, 45u);
    EXPECT_EQ(list->FindString(L"omega"), 4);
    EXPECT_EQ(list->SwapItem(0, 4), 1);
    EXPECT_EQ(list->GetItemText(0), L"omega");
}

TEST_F(Combos, AWorkerCanFillTheListsWhileTheWindowPaints) {
    MComboBox* combo = MakeCombo(0);
    auto* list = Make<MListBox>(L"MListBox", 46, CRect(200, 10, 400, 200));
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            combo->AddItem(L"worker", i);
            combo->SetCurSel(i);
            list->AddString(L"worker", i, -1);
            list->SetCurSel(i);
        }
        done = true;
    });
    while (!done) {
        dialog_.GetPaintManager().Invalidate();
        Pump();
    }
    worker.join();
    Pump();
    EXPECT_EQ(combo->GetItemCount(), 200);
    EXPECT_EQ(list->GetItemCount(), 200);
    EXPECT_EQ(list->FindItemData(199), 199);
}

}  // namespace
