// The edit component and the controls built on it.
#include "controls_fixture.h"
#include "tessel/controls/edit_box.h"
#include "tessel/controls/medit.h"
#include "tessel/controls/range_controls.h"

using namespace DUI;
using tessel_test::ControlsTest;

namespace {

TEST(EditBox, TypingRespectsLimitNumberOnlyAndReadOnly) {
    struct Case {
        int limit;
        bool numberOnly;
        bool readOnly;
        std::wstring typed;
        std::wstring result;
    };
    const Case cases[] = {
        {3, false, false, L"abcd", L"abc"},
        {10, true, false, L"1a2-3", L"123"},
        {10, false, true, L"abc", L""},
        {10, false, false, L"a\rb", L"ab"},  // single line: no line breaks
    };
    for (const Case& c : cases) {
        EditBox box;
        box.SetLimitText(c.limit);
        box.SetNumberOnly(c.numberOnly);
        box.SetReadOnly(c.readOnly);
        for (wchar_t ch : c.typed) {
            box.OnChar(ch);
        }
        EXPECT_EQ(box.GetText(), c.result);
    }
}

TEST(EditBox, SelectionClipboardAndUndo) {
    EditBox box;
    box.SetText(L"hello world");
    box.SetSel(0, 5);
    EXPECT_TRUE(box.OnKeyDown('X', false, true));
    EXPECT_EQ(box.GetText(), L" world");
    EXPECT_EQ(GetClipboardText(), L"hello");
    box.OnKeyDown(VK_END, false, false);
    box.OnKeyDown('V', false, true);
    EXPECT_EQ(box.GetText(), L" worldhello");
    box.OnKeyDown(VK_LEFT, true, true);  // select the word before the caret
    EXPECT_EQ(box.GetSelText(), L"worldhello");
    box.OnKeyDown(VK_BACK, false, false);
    EXPECT_EQ(box.GetText(), L" ");
    EXPECT_TRUE(box.Undo());
    EXPECT_EQ(box.GetText(), L" worldhello");
    EXPECT_TRUE(box.Redo());
    EXPECT_EQ(box.GetText(), L" ");

    // A password never reaches the clipboard; a paste is cut to the limit.
    EditBox secret;
    secret.SetPassword(true);
    secret.SetText(L"pw");
    secret.SelectAll();
    EXPECT_FALSE(secret.Copy());
    EXPECT_EQ(secret.DisplayText(), std::wstring(2, L'\x25CF'));
    SetClipboardText(L"123456");
    EditBox limited;
    limited.SetLimitText(4);
    limited.Paste();
    EXPECT_EQ(limited.GetText(), L"1234");
}

class Edits : public ControlsTest {};

TEST_F(Edits, TheEditorRefusesTheCharacterBeyondTheLimit) {
    auto* edit = Make<MEdit>(L"MEdit", 20, CRect(10, 10, 210, 40));
    ASSERT_EQ(edit->GetLimitText(), 120);
    Press(50, 20);
    Release(50, 20);
    ASSERT_TRUE(edit->IsEditShowing());
    EXPECT_EQ(edit->IsFocused(), 1);
    for (int i = 0; i < 121; ++i) {
        DUI::PostMessageW(hwnd(), WM_CHAR, L'a' + i % 26, 1);
    }
    Pump();
    EXPECT_EQ(edit->GetEditText().size(), 120u);
    const auto codes = Codes(20);
    EXPECT_EQ(codes.front(), 30u);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 26u), 120);
}

TEST_F(Edits, ClosingWithoutAChangeReportsTheCloseButKeepsTheCachedPicture) {
    auto* edit = Make<MEdit>(L"MEdit", 20, CRect(10, 10, 210, 40), L"same");
    auto* other = Make<MEdit>(L"MEdit", 21, CRect(10, 60, 210, 90), L"other");
    dialog_.GetPaintManager().Invalidate();
    Pump();
    edit->ShowEdit();
    Pump();
    ASSERT_EQ(edit->GetUpdate(), 1);
    edit->HideEdit();
    EXPECT_EQ(edit->GetUpdate(), 1);
    EXPECT_EQ(Codes(20).back(), 29u);

    // Typed text is stored when another control takes the press, and the picture re-renders.
    Press(50, 20);
    Release(50, 20);
    Char(L'x');
    Press(50, 70);
    EXPECT_EQ(edit->GetEditText(), L"x");
    EXPECT_FALSE(edit->IsEditShowing());
    EXPECT_EQ(edit->IsFocused(), 0);
    EXPECT_TRUE(other->IsEditShowing());
    const auto codes = Codes(20);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 29u), 2);
    Pump();
    EXPECT_EQ(edit->GetUpdate(), 1);
}

TEST_F(Edits, ReadOnlyAndDisabledEditsNeverOpenAndSpaceActsAsAClick) {
    auto* locked = Make<MEdit>(L"MEdit", 22, CRect(10, 10, 210, 40));
    locked->SetReadOnly(1);
    locked->ShowEdit();
    EXPECT_FALSE(locked->IsEditShowing());
    auto* edit = Make<MEdit>(L"MEdit", 23, CRect(10, 60, 210, 90));
    edit->SetNumberOnly(1);
    edit->ShowEdit();
    Key(VK_SPACE);
    Char(L'7');
    Char(L'q');
    EXPECT_EQ(edit->GetEditText(), L"7");
    const auto codes = Codes(23);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes[1], 1u);
    EXPECT_EQ(codes[2], 2u);
    Key(VK_RETURN);
    EXPECT_FALSE(edit->IsEditShowing());
}

TEST_F(Edits, SpinButtonsClampAndReportChanges) {
    auto* spin = Make<MSpinButton>(L"MSpinButton", 30, CRect(10, 10, 110, 40));
    spin->SetRange(0, 5);
    spin->SetCurValue(4);
    dialog_.notifications.clear();
    Press(105, 12);  // the up part
    Release(105, 12);
    Press(105, 12);
    Release(105, 12);
    EXPECT_EQ(spin->GetCurValue(), 5);
    EXPECT_EQ(Codes(30), (std::vector<unsigned>{28}));
    EXPECT_EQ(spin->CalcValue(-10), 0);
}

}  // namespace
