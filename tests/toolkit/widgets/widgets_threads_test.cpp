// The device worker updates the device list and the DPI widgets while the window thread paints
// them and routes the pointer over them. Run under ThreadSanitizer, this is where races show.
#include <thread>

#include "support/wait.h"
#include "tessel/widgets/device_widgets.h"
#include "tessel/widgets/dpi_widgets.h"
#include "widgets_fixture.h"

using namespace DUI;
using tessel_test::WidgetsTest;

namespace {

class WidgetThreads : public WidgetsTest {};

TEST_F(WidgetThreads, TheWorkerUpdatesTheDeviceListAndDpiWidgetsWhileTheWindowPaints) {
    auto* devices = MakeTop<CDeviceList>(L"CDeviceList", 1, CRect(0, 0, 1000, 460), L"");
    auto* cards = Make<DPIControl>(L"DPIControl", 2, CRect(0, 470, 560, 590));
    auto* slider = Make<DPISlider>(L"DPISlider", 3, CRect(600, 480, 990, 520));
    ASSERT_NE(devices, nullptr);
    ASSERT_NE(cards, nullptr);
    ASSERT_NE(slider, nullptr);
    for (int i = 0; i < 5; ++i) {
        cards->AddItem(400 * (i + 1), static_cast<int>(RGB(0, 128, 255)));
    }
    slider->SetMaxProgress(259);

    std::atomic<bool> done{false};
    std::atomic<int> seen{0};
    std::thread worker([&] {
        for (int round = 0; round < 300; ++round) {
            if (round % 50 == 0) {
                devices->ClearList();
                for (int type = 1; type <= 4; ++type) {
                    devices->AddDevice((L"Mouse " + std::to_wstring(type)).c_str(), type, nullptr);
                }
            }
            const int type = round % 4 + 1;
            devices->SetDeviceState(type, round % 2, round % 3 == 0 ? 0 : 1);
            devices->SetDeviceBattery(type, round % 101, round % 2);
            devices->SetSelectDevice(type);
            seen += devices->GetSelectDevice() >= 0 ? 1 : 0;
            devices->SetSelectIndex(round % 2 == 0 ? 1 : -1);
            cards->SetDPIValue(round % 5, 100 + round);
            cards->SetSelectItem(round % 5);
            seen += cards->GetDPIValue(round % 5) > 0 ? 1 : 0;
            slider->SetProgress(round % 260);
        }
        done = true;
    });
    int x = 0;
    while (!done) {
        x = (x + 37) % 1000;
        InjectMouse(hwnd(), WM_MOUSEMOVE, x, 200 + x % 300);
        dialog_.GetPaintManager().Invalidate();
        Pump();
    }
    worker.join();
    Pump();
    EXPECT_EQ(seen, 600);
    EXPECT_EQ(devices->GetItemCount(), 4);
    EXPECT_EQ(cards->GetDPIValue(4), 100 + 299);
}

}  // namespace
