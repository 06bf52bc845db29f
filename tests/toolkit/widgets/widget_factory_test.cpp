// Every device widget is made by name by the factories that list it, and only by those.
#include "tessel/widgets/colour_widgets.h"
#include "tessel/widgets/device_widgets.h"
#include "tessel/widgets/dpi_widgets.h"
#include "tessel/widgets/macro_widgets.h"
#include "tessel/widgets/mouse_widgets.h"
#include "widgets_fixture.h"

using namespace DUI;
using tessel_test::WidgetsTest;

namespace {

class WidgetFactory : public WidgetsTest {};

TEST_F(WidgetFactory, EachNameIsAcceptedByItsFactoriesAndMakesItsClass) {
    struct Row {
        const wchar_t* name;
        bool window;
        bool container;
        bool (*is)(MControl*);
    };
    const Row rows[] = {
        {L"LightSlider", true, true,
         [](MControl* c) { return dynamic_cast<LightSlider*>(c) != nullptr; }},
        {L"DPISlider", true, true,
         [](MControl* c) { return dynamic_cast<DPISlider*>(c) != nullptr; }},
        {L"CColorButton", true, true, [](MControl* c) { return c->IsClass(L"ColorButton") != 0; }},
        {L"DListBox", true, true,
         [](MControl* c) { return dynamic_cast<DListBox*>(c) != nullptr; }},
        {L"MPalette", true, true,
         [](MControl* c) { return dynamic_cast<MPalette*>(c) != nullptr; }},
        {L"CColorPalette", true, true,
         [](MControl* c) { return dynamic_cast<CColorPalette*>(c) != nullptr; }},
        {L"CColorSelect", true, true,
         [](MControl* c) { return dynamic_cast<CColorSelect*>(c) != nullptr; }},
        {L"CirclePalette", true, true,
         [](MControl* c) { return dynamic_cast<CirclePalette*>(c) != nullptr; }},
        {L"CDeviceState", true, false,
         [](MControl* c) { return dynamic_cast<CDeviceState*>(c) != nullptr; }},
        {L"BatteryCtrl", true, false,
         [](MControl* c) { return dynamic_cast<BatteryCtrl*>(c) != nullptr; }},
        {L"CDeviceList", true, true,
         [](MControl* c) { return dynamic_cast<CDeviceList*>(c) != nullptr; }},
        {L"UpgradeButton", false, true,
         [](MControl* c) { return dynamic_cast<UpgradeButton*>(c) != nullptr; }},
        {L"DownloadButton", false, true,
         [](MControl* c) { return dynamic_cast<DownloadButton*>(c) != nullptr; }},
        {L"MacroList", false, true,
         [](MControl* c) { return dynamic_cast<MacroList*>(c) != nullptr; }},
        {L"CRecordList", false, true,
         [](MControl* c) { return dynamic_cast<CRecordList*>(c) != nullptr; }},
        {L"DPIControl", false, true,
         [](MControl* c) { return dynamic_cast<DPIControl*>(c) != nullptr; }},
        {L"MouseKeyCtrl", false, true,
         [](MControl* c) { return dynamic_cast<MouseKeyCtrl*>(c) != nullptr; }},
        {L"MouseCtrl", false, true,
         [](MControl* c) { return dynamic_cast<MouseCtrl*>(c) != nullptr; }},
        {L"ColorButtonEx", false, true,
         [](MControl* c) { return c->IsClass(L"ColorButtonEx") != 0; }},
        {L"PaletteBar", false, true,
         [](MControl* c) { return dynamic_cast<PaletteBar*>(c) != nullptr; }},
        {L"ReporteCtrl", false, true,
         [](MControl* c) { return dynamic_cast<ReporteCtrl*>(c) != nullptr; }},
        {L"CDeviceCtrl", false, true,
         [](MControl* c) { return dynamic_cast<CDeviceCtrl*>(c) != nullptr; }},
    };
    unsigned id = 100;
    for (const Row& row : rows) {
        MControl* top = dialog_.CreateControl(row.name, id++, CRect(0, 0, 50, 50), L"", 1, 1);
        MControl* child = panel_->CreateControl(row.name, id++, CRect(0, 0, 50, 50), L"", 1, 1);
        EXPECT_EQ(top != nullptr, row.window) << WideToUtf8(row.name);
        EXPECT_EQ(child != nullptr, row.container) << WideToUtf8(row.name);
        for (MControl* made : {top, child}) {
            if (made != nullptr) {
                EXPECT_TRUE(row.is(made)) << WideToUtf8(row.name);
            }
        }
    }
}

}  // namespace
