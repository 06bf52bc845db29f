// The step slider, the grouped swatch buttons, the HSL palette and the smaller pickers.
#include "tessel/widgets/colour_widgets.h"

#include "widgets_fixture.h"

using namespace DUI;
using tessel_test::WidgetsTest;

namespace {

class ColourWidgets : public WidgetsTest {};

TEST_F(ColourWidgets, HslConversionRoundTripsThePrimariesAndGreys) {
    struct Case {
        DWORD bgr;
        double hue;
        double saturation;
        double lightness;
    } cases[] = {{RGB(255, 0, 0), 0, 1, 0.5},       {RGB(0, 255, 0), 120, 1, 0.5},
                 {RGB(0, 0, 255), 240, 1, 0.5},     {RGB(255, 255, 255), 0, 0, 1},
                 {RGB(128, 128, 128), 0, 0, 0.502}, {RGB(255, 128, 0), 30.1, 1, 0.5}};
    for (const Case& c : cases) {
        double h = -1;
        double s = -1;
        double l = -1;
        RgbToHsl(c.bgr, h, s, l);
        EXPECT_NEAR(h, c.hue, 0.2) << std::hex << c.bgr;
        EXPECT_NEAR(s, c.saturation, 0.01);
        EXPECT_NEAR(l, c.lightness, 0.01);
        EXPECT_EQ(HslToRgb(h, s, l), c.bgr);
    }
}

TEST_F(ColourWidgets, SliderStepsFollowTheTrack) {
    auto* slider = Make<LightSlider>(L"LightSlider", 40, CRect(100, 100, 320, 160));
    ASSERT_NE(slider, nullptr);
    slider->SetMaxProgress(4);
    EXPECT_EQ(slider->SetProgress(7), 4);
    EXPECT_EQ(slider->SetProgress(-1), 4);
    EXPECT_EQ(slider->GetProgress(), 4);
    int left = 0;
    int width = 0;
    slider->GetTrack(left, width);
    ASSERT_EQ(width, 200);  // a 20-pixel thumb takes 10 at each end
    slider->SetProgress(0);
    Press(left + 40, 130);  // (40 x 5) / 200
    EXPECT_EQ(slider->GetProgress(), 1);
    Release(left + 40, 130);
    EXPECT_EQ(Heard(40), (std::vector<std::pair<unsigned, unsigned>>{{8, 1}, {2, 0}}));
    // The thumb sits at position x track / range.
    EXPECT_EQ(slider->GetThumbRect().CenterPoint().x, left + 50);
}

TEST_F(ColourWidgets, DraggingTheSliderReportsEachNewStepOnce) {
    auto* slider = Make<LightSlider>(L"LightSlider", 40, CRect(100, 100, 320, 160));
    slider->SetMaxProgress(4);
    const CRect thumb = slider->GetThumbRect();
    Press(thumb.CenterPoint().x, 130);
    EXPECT_EQ(slider->GetState(), 2);
    for (int x : {150, 152, 200, 400, 500}) {
        Move(x, 130, MK_LBUTTON);
    }
    InjectMouse(hwnd(), WM_LBUTTONUP, 500, 130);
    Pump();
    EXPECT_EQ(Heard(40),
              (std::vector<std::pair<unsigned, unsigned>>{{8, 1}, {8, 2}, {8, 4}, {2, 0}}));
}

TEST_F(ColourWidgets, CheckingASwatchClearsOnlyItsOwnGroup) {
    std::vector<CColorButton*> preset;
    for (int i = 0; i < 8; ++i) {
        auto* b =
            Make<CColorButton>(L"CColorButton", 50 + i, CRect(10 + i * 30, 300, 36 + i * 30, 326));
        ASSERT_NE(b, nullptr);
        b->SetGroupName(L"DEFAULTCOLOR");
        preset.push_back(b);
    }
    auto* custom = Make<CColorButton>(L"CColorButton", 60, CRect(10, 340, 36, 366));
    custom->SetGroupName(L"COLORVALUE");
    custom->SetCheck(1);
    EXPECT_STREQ(custom->GetClassNameW(), L"ColorButton");

    preset[2]->SetCheck(1);
    preset[5]->SetCheck(1);
    EXPECT_EQ(preset[2]->GetCheck(), 0);
    EXPECT_EQ(preset[5]->GetCheck(), 1);
    EXPECT_EQ(custom->GetCheck(), 1);

    // A press checks and clears the group first, then reports 1; the release inside reports 2.
    ClickAt(10 + 7 * 30 + 5, 310);
    EXPECT_EQ(preset[7]->GetCheck(), 1);
    EXPECT_EQ(preset[5]->GetCheck(), 0);
    EXPECT_EQ(Codes(57), (std::vector<unsigned>{1, 2}));

    preset[0]->SetEnabled(0);
    EXPECT_EQ(preset[0]->SetCheck(1), 0);
    EXPECT_EQ(preset[7]->GetCheck(), 1);
}

TEST_F(ColourWidgets, SwatchStatesAreDrawnFromTheColour) {
    auto* b = Make<CColorButton>(L"CColorButton", 50, CRect(10, 300, 50, 340));
    b->SetColor(RGB(0, 0, 255));
    auto frame = Frame();
    EXPECT_EQ(frame->GetPixel(30, 320), 0xFF0000FFu);
    EXPECT_EQ(frame->GetPixel(11, 320), 0xFF0000FFu);  // no outline in the normal state
    b->SetCheck(1);
    frame = Frame();
    EXPECT_EQ(frame->GetPixel(11, 320), 0xFFFFFFFFu);
    EXPECT_EQ(b->GetColor(), RGB(0, 0, 255));
}

TEST_F(ColourWidgets, PaletteMarkerAndNotifications) {
    auto* palette = Make<MPalette>(L"MPalette", 70, CRect(100, 100, 498, 250));
    ASSERT_NE(palette, nullptr);
    const CRect field = palette->GetFieldRect();
    EXPECT_EQ(field, CRect(100, 100, 460, 250));
    EXPECT_EQ(palette->GetBarRect(), CRect(466, 100, 498, 250));
    palette->SetSelectColor(RGB(255, 0, 0));
    EXPECT_EQ(palette->GetMarker().x, field.left);
    EXPECT_EQ(palette->GetSelectColor(), RGB(255, 0, 0));

    // A press in the field picks hue and lightness and reports the new colour.
    Press(field.left + 120, field.top + 75);
    const DWORD picked = palette->GetSelectColor();
    EXPECT_EQ(palette->GetHue(), 120);
    EXPECT_EQ(palette->GetLightness(), 110);
    Release(field.left + 120, field.top + 75);
    EXPECT_EQ(Heard(70), (std::vector<std::pair<unsigned, unsigned>>{{27, picked}, {2, picked}}));

    // The same press again changes nothing, yet the release still reports the colour.
    dialog_.notifications.clear();
    ClickAt(field.left + 120, field.top + 75);
    EXPECT_EQ(Heard(70), (std::vector<std::pair<unsigned, unsigned>>{{2, picked}}));

    // Dragging the saturation bar reports 27 with 0 on each move.
    dialog_.notifications.clear();
    Press(480, field.top + 10);
    Move(480, field.top + 75, MK_LBUTTON);
    EXPECT_EQ(palette->GetSaturation(), 100);
    Release(480, field.top + 75);
    const auto heard = Heard(70);
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard[1], (std::pair<unsigned, unsigned>{27, 0}));
    EXPECT_EQ(heard.back().first, 2u);
}

TEST_F(ColourWidgets, SmallPickersReportTheColourUnderThePointer) {
    auto* grid = Make<CColorPalette>(L"CColorPalette", 80, CRect(10, 400, 330, 440));
    ASSERT_NE(grid, nullptr);
    grid->SetColors({RGB(255, 0, 0), RGB(0, 255, 0)});
    ClickAt(grid->GetCellRect(1).CenterPoint().x, grid->GetCellRect(1).CenterPoint().y);
    EXPECT_EQ(grid->GetSelectColor(), RGB(0, 255, 0));
    EXPECT_EQ(Heard(80), (std::vector<std::pair<unsigned, unsigned>>{{27, RGB(0, 255, 0)},
                                                                     {2, RGB(0, 255, 0)}}));

    auto* bar = Make<PaletteBar>(L"PaletteBar", 81, CRect(10, 460, 371, 480));
    ASSERT_NE(bar, nullptr);
    ClickAt(10 + 120, 470);
    EXPECT_EQ(bar->GetHue(), 120);
    EXPECT_EQ(bar->GetSelectColor(), RGB(0, 255, 0));

    auto* wheel = Make<CirclePalette>(L"CirclePalette", 82, CRect(600, 300, 704, 404));
    ASSERT_NE(wheel, nullptr);
    ClickAt(652, 352);  // the centre: no saturation
    EXPECT_EQ(wheel->GetSelectColor(), RGB(128, 128, 128));
    ClickAt(702, 352);  // the rim (radius 50), at hue 0
    EXPECT_EQ(wheel->GetSelectColor(), RGB(255, 0, 0));
    ClickAt(601, 301);  // a corner lies outside the wheel
    EXPECT_EQ(wheel->GetSelectColor(), RGB(255, 0, 0));

    auto* well = Make<CColorSelect>(L"CColorSelect", 83, CRect(600, 450, 720, 480));
    ASSERT_NE(well, nullptr);
    well->SetColor(RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(well->GetColorText(), L"#123456");

    auto* ex = Make<ColorButtonEx>(L"ColorButtonEx", 84, CRect(750, 450, 900, 480), L"Red");
    ASSERT_NE(ex, nullptr);
    EXPECT_STREQ(ex->GetClassNameW(), L"ColorButtonEx");
    EXPECT_EQ(ex->GetTitle(), L"Red");
}

}  // namespace
