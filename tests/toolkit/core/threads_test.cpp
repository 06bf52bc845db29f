// The device worker and the timer thread change controls while the window thread paints and
// routes input. Run under ThreadSanitizer, this is where races show.
#include <thread>

#include "headless_fixture.h"
#include "support/wait.h"

using namespace DUI;
using namespace std::chrono_literals;
using tessel_test::Box;
using tessel_test::HeadlessTest;
using tessel_test::RecordingDialog;

namespace {

class Threads : public HeadlessTest {};

TEST_F(Threads, WorkerAndTimerThreadsChangeControlsWhileTheWindowPaints) {
    RecordingDialog dialog;
    OpenDialog(dialog, 400, 300);
    std::vector<Box*> boxes;
    for (unsigned i = 0; i < 8; ++i) {
        const int x = static_cast<int>(i % 4) * 90 + 10;
        const int y = static_cast<int>(i / 4) * 90 + 10;
        boxes.push_back(static_cast<Box*>(
            dialog.CreateControl(L"TestBox", 10 + i, CRect(x, y, x + 80, y + 80), L"", 1, 1)));
    }
    auto* panel = static_cast<MPanel*>(
        dialog.CreateControl(L"TestPanel", 50, CRect(0, 200, 400, 300), L"", 1, 1));
    const std::size_t own = panel->GetControls().size();  // its scroll bars, when installed
    for (Box* box : boxes) {
        box->SetRunTimer(1);
        box->AddMTimer();
    }
    const unsigned timer = dialog.SetMTimer(1);
    ASSERT_NE(timer, 0u);

    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int round = 0; round < 300; ++round) {
            Box* box = boxes[static_cast<std::size_t>(round) % boxes.size()];
            box->fill = 0xFF000000u | static_cast<DWORD>(round * 2654435761u);
            box->SetTitle(std::to_wstring(round).c_str());
            box->SetVisible(round % 3 != 0);
            box->UpdateControl(1, 0);
            MControl* child =
                panel->CreateControl(L"TestBox", 60, CRect(10, 210, 50, 250), L"", 1, 1);
            if (round % 2 == 0) {
                panel->RemoveControl(child);
            }
            PostMessageW(dialog.GetSafeHwnd(), WM_USER + 1, static_cast<WPARAM>(round), 0);
        }
        done = true;
    });
    while (!done) {
        InjectMouse(dialog.GetSafeHwnd(), WM_MOUSEMOVE, 20, 20);
        Pump();
    }
    worker.join();
    for (Box* box : boxes) {
        box->SetVisible(1);
    }
    const int before = boxes[1]->ticks;
    EXPECT_TRUE(pellora::testing::WaitFor([&] { return boxes[1]->ticks > before; }));
    dialog.KillMTimer(timer);
    Pump();
    EXPECT_EQ(panel->GetControls().size(), own + 150);
    dialog.DestroyWindow();
}

TEST_F(Threads, ARepaintRequestedByTheWorkerStillRefreshesLaterOverlappingSiblings) {
    RecordingDialog dialog;
    OpenDialog(dialog, 300, 200);
    auto* below =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 1, CRect(10, 10, 100, 100), L"", 1, 1));
    auto* over =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 2, CRect(50, 50, 150, 150), L"", 1, 1));
    auto* apart =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 3, CRect(200, 10, 250, 60), L"", 1, 1));
    dialog.GetPaintManager().Invalidate();
    Pump();
    const int overRenders = over->renders;
    const int apartRenders = apart->renders;
    std::thread worker([&] {
        below->fill = 0xFF0000FF;
        below->UpdateControl(1, 0);
    });
    worker.join();
    Pump();
    EXPECT_EQ(over->renders, overRenders + 1);
    EXPECT_EQ(apart->renders, apartRenders);
    EXPECT_EQ(GetWindowFrame(dialog.GetSafeHwnd())->GetPixel(20, 20), 0xFF0000FFu);
}

TEST(PlatformThreads, PostingFromAnotherThreadWakesAWaitingLoop) {
    ASSERT_TRUE(UseBackend(BackendKind::Headless));
    RecordingDialog dialog;
    ASSERT_NE(dialog.Create(nullptr, L"w", WS_POPUP, 0, CRect(0, 0, 50, 50)), nullptr);
    std::thread poster([&] {
        std::this_thread::sleep_for(5ms);
        PostMessageW(dialog.GetSafeHwnd(), WM_DUI_CLOSE, IDOK, 0);
    });
    EXPECT_EQ(dialog.ShowModal(), 1u);
    poster.join();
}

}  // namespace
