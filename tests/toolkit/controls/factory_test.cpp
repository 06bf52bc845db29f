// Which factory makes which control, and the class name each reports.
#include <memory>

#include "controls_fixture.h"
#include "tessel/core/control_factory.h"

using namespace DUI;
using tessel_test::ControlsTest;

namespace {

struct Row {
    const wchar_t* name;
    bool window;
    bool container;
    const wchar_t* reports;
};

constexpr Row kRows[] = {
    {L"CArea", true, true, L"MControl"},
    {L"MText", true, true, L"MControl"},
    {L"MPicture", true, true, L"MControl"},
    {L"CPhotoFrame", true, true, L"MControl"},
    {L"CSliderPicture", true, true, L"MControl"},
    {L"CGifPicture", true, true, L"MControl"},
    {L"MProgress", true, true, L"MControl"},
    {L"MSlider", true, true, L"MControl"},
    {L"MLevelCtrl", true, true, L"MControl"},
    {L"MButton", true, true, L"MControl"},
    {L"CImageButton", true, true, L"MControl"},
    {L"CTextButton", true, true, L"MControl"},
    {L"CCheckButton", true, true, L"MControl"},
    {L"CRadioButton", true, true, L"RadioButton"},
    {L"CSelectButton", true, true, L"CSelectButton"},
    {L"MSpinButton", true, true, L"MControl"},
    {L"CSpinButton", true, true, L"MControl"},
    {L"CSwitchButton", true, true, L"MControl"},
    {L"CIconButton", true, true, L"MControl"},
    {L"CTimerButton", true, true, L"MControl"},
    {L"CHelpButton", true, true, L"MControl"},
    {L"MEdit", true, true, L"MControl"},
    {L"MRichEdit", true, true, L"MControl"},
    {L"MEditEx", true, true, L"MControl"},
    {L"MComboBox", true, true, L"MControl"},
    {L"MTabCtrl", true, true, L"MControl"},
    {L"MTabLayout", true, true, L"MControl"},
    {L"MListBox", true, true, L"MControl"},
    {L"CComboBoxList", true, false, L"MControl"},
    {L"MenuItem", true, true, L"MenuItem"},
    {L"TextCheckButton", true, false, L"MControl"},
    {L"MProgress2", true, false, L"MControl"},
    {L"LongPressButton", false, true, L"MControl"},
    {L"MComboBox2", false, true, L"MComboBox2"},
    {L"MButton2", false, true, L"MButton2"},
    {L"MButton3", false, true, L"MControl"},
    {L"NumberEdit", false, true, L"MControl"},
    {L"NumberEdit2", false, true, L"MControl"},
    {L"CRoundArea", false, true, L"MControl"},
    // Made directly by other controls, never by name.
    {L"CColorCombo", false, false, nullptr},
    {L"MScroll", false, false, nullptr},
    {L"CScrollVertical", false, false, nullptr},
    {L"CLogonEdit", false, false, nullptr},
    {L"MPanel", false, false, nullptr},
    {L"mbutton", false, false, nullptr},
    {L"MButton ", false, false, nullptr},
};

class Factories : public ControlsTest {};

TEST_F(Factories, EachNameIsMadeOnlyWhereTheTableListsItAndReportsItsClassName) {
    auto* panel = dialog_.CreateControl(L"MTabLayout", 900, CRect(0, 0, 600, 400), L"", 1, 1);
    auto* container = dynamic_cast<MPanel*>(panel);
    ASSERT_NE(container, nullptr);
    unsigned id = 1000;
    for (const Row& row : kRows) {
        SCOPED_TRACE(WideToUtf8(row.name));
        MControl* w = dialog_.CreateControl(row.name, ++id, CRect(10, 10, 60, 40), L"x", 1, 1);
        MControl* c = container->CreateControl(row.name, ++id, CRect(10, 10, 60, 40), L"x", 1, 1);
        EXPECT_EQ(w != nullptr, row.window);
        EXPECT_EQ(c != nullptr, row.container);
        for (MControl* made : {w, c}) {
            if (made != nullptr) {
                EXPECT_STREQ(made->GetClassNameW(), row.reports);
                EXPECT_TRUE(made->IsClass(row.reports));
            }
        }
    }
}

TEST_F(Factories, AFactoryRadioButtonIsNotOfTheFactoryClassName) {
    MControl* radio = dialog_.CreateControl(L"CRadioButton", 5, CRect(0, 0, 50, 20), L"r", 1, 1);
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->IsClass(L"CRadioButton"), 0);
    EXPECT_EQ(dialog_.CreateControl(L"", 6, CRect(0, 0, 5, 5), L"", 1, 1), nullptr);
}

TEST_F(Factories, StaticTextStaysDisabledAndAreasAndListsIgnoreTheEnabledArgument) {
    MControl* text = dialog_.CreateControl(L"MText", 7, CRect(0, 0, 50, 20), L"t", 1, 1);
    MControl* area = dialog_.CreateControl(L"CArea", 8, CRect(0, 0, 50, 20), L"", 1, 0);
    MControl* check = dialog_.CreateControl(L"TextCheckButton", 9, CRect(0, 0, 50, 20), L"", 1, 0);
    EXPECT_EQ(text->IsEnabled(), 0);
    EXPECT_EQ(area->IsEnabled(), 1);
    EXPECT_EQ(check->IsEnabled(), 1);
}

}  // namespace
