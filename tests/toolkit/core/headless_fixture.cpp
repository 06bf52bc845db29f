#include "headless_fixture.h"

namespace tessel_test {

TESSEL_REGISTER_CONTROL(TestBox, L"TestBox", DUI::kWindowFactory | DUI::kContainerFactory,
                        new Box(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(TestPanel, L"TestPanel", DUI::kWindowFactory | DUI::kContainerFactory,
                        new Panel(p, id, r, v, e))
TESSEL_REGISTER_CONTROL(TestWindowOnly, L"TestWindowOnly", DUI::kWindowFactory,
                        new Box(p, id, r, t, v, e))
TESSEL_REGISTER_CONTROL(TestContainerOnly, L"TestContainerOnly", DUI::kContainerFactory,
                        new Box(p, id, r, t, v, e))

void RegisterTestControls() {}

void HeadlessTest::SetUp() {
    ASSERT_TRUE(DUI::UseBackend(DUI::BackendKind::Headless));
    DUI::SetPlatformClock(&clock_);
    DUI::Manager::SetExeFolder(DUI::Utf8ToWide(appDir_.path().string()));
    for (const auto key :
         {DUI::VK_SHIFT, DUI::VK_CONTROL, DUI::VK_MENU, DUI::VK_LBUTTON, DUI::VK_RBUTTON}) {
        DUI::SetKeyStateForTesting(key, false);
    }
}

void HeadlessTest::TearDown() {
    Pump();
    DUI::SetPlatformClock(nullptr);
}

void HeadlessTest::OpenDialog(RecordingDialog& dialog, int width, int height) {
    ASSERT_NE(dialog.Create(nullptr, L"test", DUI::WS_POPUP, 0,
                            DUI::CRect(100, 100, 100 + width, 100 + height)),
              nullptr);
    dialog.ShowWindow(DUI::SW_SHOW);
    Pump();
}

void HeadlessTest::Click(DUI::HWND hwnd, int x, int y) {
    DUI::InjectMouse(hwnd, DUI::WM_MOUSEMOVE, x, y);
    DUI::InjectMouse(hwnd, DUI::WM_LBUTTONDOWN, x, y, DUI::MK_LBUTTON);
    DUI::InjectMouse(hwnd, DUI::WM_LBUTTONUP, x, y);
    DUI::MWindow::PumpUntilIdle();
}

}  // namespace tessel_test
