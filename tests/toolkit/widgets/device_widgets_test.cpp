// The device cards, the battery gauge, the connection caption and the offered device views.
#include "tessel/widgets/device_widgets.h"

#include "widgets_fixture.h"

using namespace DUI;
using tessel_test::WidgetsTest;

namespace {

class DeviceWidgets : public WidgetsTest {
  protected:
    CDeviceList* Devices() {
        auto* list = MakeTop<CDeviceList>(L"CDeviceList", 90, CRect(0, 0, 1000, 500));
        list->AddDevice(L"VX7", 7, nullptr);
        list->AddDevice(L"VX3", 3, nullptr);
        list->AddDevice(L"VX9", 9, nullptr);
        return list;
    }
};

TEST_F(DeviceWidgets, CardsShareTheRowOrCentreASingleOne) {
    struct Case {
        int count;
        int width;
        int firstLeft;
    } cases[] = {{1, 600, 200}, {2, 485, 5}, {3, 313, 10}};
    for (const Case& c : cases) {
        const auto cards = CDeviceList::LayoutCards(c.count, 1000, 500);
        ASSERT_EQ(static_cast<int>(cards.size()), c.count);
        EXPECT_EQ(cards[0].Width(), c.width) << c.count;
        EXPECT_EQ(cards[0].left, c.firstLeft) << c.count;
        EXPECT_EQ(cards[0].top, 35);
        EXPECT_EQ(cards[0].Height(), 430);
    }
    EXPECT_TRUE(CDeviceList::LayoutCards(0, 1000, 500).empty());
}

TEST_F(DeviceWidgets, SelectionPrefersTheAskedDeviceThenAnyConnectedOne) {
    CDeviceList* list = Devices();
    EXPECT_EQ(list->GetOnlineDevCount(), 0);
    list->SetSelectDevice(3);
    EXPECT_EQ(list->GetSelectDevice(), 0);
    EXPECT_EQ(list->GetItemDeviceType(0), 0);

    list->SetDeviceState(7, 1, 1);  // VX7 through the receiver
    list->SetDeviceState(9, 0, 1);  // VX9 by cable
    list->SetDeviceState(9, 5, 1);  // no such mode
    EXPECT_EQ(list->GetDeviceState(3), 0);
    EXPECT_EQ(list->GetDeviceState(9), 1);
    EXPECT_EQ(list->GetDeviceState(42), 0);
    EXPECT_EQ(list->GetOnlineDevCount(), 2);
    list->SetSelectDevice(9);
    EXPECT_EQ(list->GetSelectDevice(), 9);
    list->SetSelectDevice(3);  // listed but offline
    EXPECT_EQ(list->GetSelectDevice(), 7);

    list->SetSelectItem(0);
    list->SetSelectIndex(-1);
    EXPECT_EQ(list->GetSelectItem(), 1);
    list->SetSelectIndex(1);
    EXPECT_EQ(list->GetSelectItem(), 0);

    // A device leaving under a selection made before it left.
    list->SetSelectItem(1);
    list->SetDeviceState(9, 0, 0);
    EXPECT_EQ(list->GetOnlineDevCount(), 1);
    EXPECT_EQ(list->GetSelectDevice(), 7);

    list->SetAllDeviceState(0);
    EXPECT_EQ(list->GetOnlineDevCount(), 0);
    EXPECT_EQ(list->GetSelectDevice(), 0);
    list->ClearList();
    EXPECT_EQ(list->GetItemCount(), 0);
}

TEST_F(DeviceWidgets, ClickingACardSelectsItsDevice) {
    CDeviceList* list = Devices();
    list->SetAllDeviceState(1);
    Frame();  // the cards get their places when painted
    const CRect third = list->GetCardRect(2);
    EXPECT_EQ(third.Width(), 313);
    ClickAt(third.CenterPoint().x, third.CenterPoint().y);
    EXPECT_EQ(list->GetSelectDevice(), 9);
    EXPECT_EQ(Heard(90), (std::vector<std::pair<unsigned, unsigned>>{{2, 0}}));
    ClickAt(5, 5);
    EXPECT_EQ(Heard(90).size(), 1u);
}

TEST_F(DeviceWidgets, TheHoveredCardIsOutlinedInTheSelectionColour) {
    CDeviceList* list = Devices();
    list->SetDeviceState(3, 0, 1);
    auto frame = Frame();
    const CRect card = list->GetCardRect(0);
    EXPECT_EQ(card, CRect(200, 35, 800, 465));
    const DWORD plain = frame->GetPixel(card.CenterPoint().x, card.top);
    Move(card.CenterPoint().x, card.CenterPoint().y);
    frame = Frame();
    EXPECT_EQ(list->GetHoverItem(), 0);
    EXPECT_NE(frame->GetPixel(card.CenterPoint().x, card.top), plain);
}

TEST_F(DeviceWidgets, TheWheelScrollsOnlyWhenTheEntriesAreWiderThanTheControl) {
    auto* wide = MakeTop<CDeviceList>(L"CDeviceList", 97, CRect(0, 0, 1000, 460));
    for (int type = 1; type <= 3; ++type) {
        wide->AddDevice(L"Mouse", type, nullptr);
    }
    InjectWheel(hwnd(), -120, 500, 200);
    Pump();
    EXPECT_EQ(wide->GetScrollPos(), 0);  // 3 x 200 fits in 1000

    auto* narrow = MakeTop<CDeviceList>(L"CDeviceList", 98, CRect(0, 470, 400, 590));
    for (int type = 1; type <= 3; ++type) {
        narrow->AddDevice(L"Mouse", type, nullptr);
    }
    std::vector<int> positions;
    for (int i = 0; i < 9; ++i) {
        InjectWheel(hwnd(), i < 8 ? -120 : 120, 200, 500);
        Pump();
        positions.push_back(narrow->GetScrollPos());
    }
    // Steps of 30 one way, stopping at 3 x 200 - 400, then back.
    EXPECT_EQ(positions, (std::vector<int>{30, 60, 90, 120, 150, 180, 200, 200, 170}));
}

class Battery : public DeviceWidgets {
  protected:
    BatteryCtrl* Gauge() {
        WritePicture("battery_bkg.png", 46, 20, {0xFF202020});
        WritePicture("battery_value.png", 34, 12, {0xFF00C000});
        WritePicture("battery_charge.png", 12, 20, {0xFFFFFF00});
        auto* gauge = MakeTop<BatteryCtrl>(L"BatteryCtrl", 91, CRect(100, 100, 170, 120));
        gauge->SetImage(L"battery_bkg.png");
        gauge->SetBatteryIcon(L"battery_value.png", L"battery_charge.png");
        return gauge;
    }
    // Which of the four segment places are green, and whether the first is the red block.
    std::string Segments(const Surface& frame) {
        std::string out;
        for (int i = 0; i < 4; ++i) {
            const DWORD p = frame.GetPixel(100 + 4 + i * 9 + 3, 100 + 8);
            out += p == 0xFF00C000u ? 'g' : (p == 0xFFFF0000u ? 'r' : '.');
        }
        return out;
    }
};

TEST_F(Battery, LevelsShowTheirSegments) {
    BatteryCtrl* gauge = Gauge();
    struct Case {
        int level;
        const char* segments;
    } cases[] = {{100, "gggg"}, {75, "gggg"}, {74, "ggg."}, {50, "ggg."},
                 {49, "gg.."},  {25, "gg.."}, {24, "r..."}, {0, "r..."}};
    for (const Case& c : cases) {
        gauge->SetBatteryInfo(c.level, 0);
        EXPECT_EQ(Segments(*Frame()), c.segments) << c.level;
    }
    auto frame = Frame();
    EXPECT_NE(frame->GetPixel(100 + 46 + 1 + 5, 110), 0xFFFFFF00u);
    gauge->SetBatteryInfo(0, 1);
    EXPECT_EQ(Frame()->GetPixel(100 + 46 + 1 + 5, 110), 0xFFFFFF00u);
}

TEST_F(Battery, SameValuesDoNotRepaintAndChargingAnimatesInSteps) {
    BatteryCtrl* gauge = Gauge();
    gauge->SetBatteryInfo(60, 0);
    Frame();
    gauge->SetBatteryInfo(60, 0);
    EXPECT_EQ(gauge->GetUpdate(), 1);  // the cache stayed valid
    gauge->SetBatteryInfo(61, 0);
    EXPECT_EQ(gauge->GetUpdate(), 0);

    gauge->SetBatteryInfo(6, 1);
    std::vector<int> steps;
    for (int tick = 0; tick < 20; ++tick) {
        gauge->OnControlTimer();
        steps.push_back(gauge->GetAnimationStep());
    }
    EXPECT_EQ(steps[3], 0);
    EXPECT_EQ(steps[4], 2);
    EXPECT_EQ(steps[9], 4);
    EXPECT_EQ(steps[14], 0);  // 6 reached: starts again
    gauge->SetBatteryInfo(6, 0);
    gauge->OnControlTimer();
    EXPECT_EQ(gauge->GetAnimationStep(), 0);
}

TEST_F(DeviceWidgets, TheConnectionCaptionWidensItselfBeforeDrawing) {
    auto* state =
        MakeTop<CDeviceState>(L"CDeviceState", 92, CRect(100, 400, 140, 430), L"Connected");
    ASSERT_NE(state, nullptr);
    Frame();
    const int wanted = state->WantedWidth();
    EXPECT_GT(wanted, 40);
    EXPECT_EQ(state->GetRect(), CRect(100, 400, 100 + wanted, 430));
    state->SetTitle(L"Connected through the 2.4G receiver");
    state->UpdateControl(1, 0);
    Frame();
    EXPECT_GT(state->GetRect().Width(), wanted);
    EXPECT_EQ(state->GetRect().Width(), state->WantedWidth());
    EXPECT_EQ(state->GetRect().left, 100);
}

TEST_F(DeviceWidgets, OfferedDeviceViewsAreMadeByTheContainerFactory) {
    auto* tile = Make<CDeviceCtrl>(L"CDeviceCtrl", 93, CRect(10, 10, 150, 150), L"VX7");
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(dialog_.CreateControl(L"CDeviceCtrl", 94, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    tile->SetDeviceStatus(2);
    ClickAt(80, 80);
    EXPECT_EQ(Heard(93), (std::vector<std::pair<unsigned, unsigned>>{{1, 0}, {2, 2}}));

    auto* upgrade = Make<UpgradeButton>(L"UpgradeButton", 95, CRect(200, 10, 300, 40), L"Update");
    ASSERT_NE(upgrade, nullptr);
    upgrade->SetUpgradeStatus(1);
    EXPECT_EQ(upgrade->GetUpgradeStatus(), 1);
    auto* download =
        Make<DownloadButton>(L"DownloadButton", 96, CRect(200, 50, 300, 80), L"Download");
    ASSERT_NE(download, nullptr);
    download->SetDownloadProcess(150);
    EXPECT_EQ(download->GetDownloadProcess(), 100);
    download->SetDownloadProcess(-7);
    EXPECT_EQ(download->GetDownloadProcess(), -1);
}

}  // namespace
