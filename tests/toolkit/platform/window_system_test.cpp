// The headless window system: queue order, cross-thread posting, paint and timer messages,
// destroyed windows and input state.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "tessel/platform/window.h"

using namespace DUI;
using namespace std::chrono_literals;

namespace {

std::vector<MSG>* g_log = nullptr;

LRESULT LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_log != nullptr) {
        g_log->push_back(MSG{hwnd, msg, wParam, lParam});
    }
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WindowSystem : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(UseBackend(BackendKind::Headless));
        SetPlatformClock(&clock_);
        WNDCLASSEXW wc;
        wc.lpfnWndProc = LoggingProc;
        wc.lpszClassName = L"TesselLogging";
        RegisterClassExW(&wc);
        g_log = &log_;
        hwnd_ = CreateWindowExW(0, L"TesselLogging", L"log", WS_POPUP, 10, 20, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(hwnd_);
        PumpPendingMessages();
        g_log = nullptr;
        SetPlatformClock(nullptr);
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> out;
        for (const auto& m : log_) {
            out.push_back(m.message);
        }
        return out;
    }
    ManualClock clock_;
    std::vector<MSG> log_;
    HWND hwnd_ = nullptr;
};

TEST_F(WindowSystem, CreationSendsTheCreateSequenceAndAnUnknownClassFails) {
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(log_[2].lParam, MAKELPARAM(200, 100));
    EXPECT_EQ(
        CreateWindowExW(0, L"NoSuchClass", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    WNDCLASSEXW again;
    again.lpfnWndProc = LoggingProc;
    again.lpszClassName = L"TesselLogging";
    EXPECT_EQ(RegisterClassExW(&again), 0u);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
}

TEST_F(WindowSystem, PostedMessagesComeBeforePaintsAndPaintsBeforeTimers) {
    ShowWindow(hwnd_, SW_SHOW);
    SetTimer(hwnd_, 5, 10);
    clock_.advance(10ms);
    PostMessageW(hwnd_, WM_USER + 1, 1, 2);
    log_.clear();
    EXPECT_EQ(PumpPendingMessages(), 3);
    std::vector<UINT> relevant;
    for (UINT m : Messages()) {
        if (m == WM_USER + 1 || m == WM_PAINT || m == WM_TIMER) {
            relevant.push_back(m);
        }
    }
    EXPECT_EQ(relevant, (std::vector<UINT>{WM_USER + 1, WM_PAINT, WM_TIMER}));
    // Nothing is due until the clock moves on.
    EXPECT_EQ(PumpPendingMessages(), 0);
    clock_.advance(10ms);
    EXPECT_EQ(PumpPendingMessages(), 1);
    EXPECT_TRUE(KillTimer(hwnd_, 5));
    clock_.advance(10ms);
    EXPECT_EQ(PumpPendingMessages(), 0);
}

TEST_F(WindowSystem, InvalidationsMergeAndHiddenWindowsAreNotPainted) {
    RECT r;
    EXPECT_FALSE(GetUpdateRect(hwnd_, &r));
    const RECT a = CRect(10, 10, 20, 20);
    const RECT b = CRect(50, 5, 60, 15);
    InvalidateRect(hwnd_, &a, false);
    InvalidateRect(hwnd_, &b, false);
    ASSERT_TRUE(GetUpdateRect(hwnd_, &r));
    EXPECT_EQ(CRect(r), CRect(10, 5, 60, 20));
    log_.clear();
    PumpPendingMessages();
    EXPECT_TRUE(Messages().empty());  // hidden: no paint
    ShowWindow(hwnd_, SW_SHOW);
    PumpPendingMessages();
    const auto messages = Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), WM_PAINT), 1);
    EXPECT_FALSE(GetUpdateRect(hwnd_, &r));
    const RECT outside = CRect(500, 500, 600, 600);
    InvalidateRect(hwnd_, &outside, false);
    EXPECT_FALSE(GetUpdateRect(hwnd_, &r));
}

TEST_F(WindowSystem, AnotherThreadPostsAndTheOwnerWakesUp) {
    std::thread poster([this] {
        for (WPARAM i = 0; i < 100; ++i) {
            PostMessageW(hwnd_, WM_USER + 2, i, 0);
        }
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    });
    MSG msg;
    std::vector<WPARAM> seen;
    while (IsWindow(hwnd_) && GetMessageW(&msg)) {
        if (msg.message == WM_USER + 2) {
            seen.push_back(msg.wParam);
        }
        DispatchMessageW(&msg);
    }
    poster.join();
    ASSERT_EQ(seen.size(), 100u);
    for (WPARAM i = 0; i < 100; ++i) {
        EXPECT_EQ(seen[i], i);
    }
    EXPECT_FALSE(IsWindow(hwnd_));
}

TEST_F(WindowSystem, ADestroyedWindowIsForgottenEverywhere) {
    HWND owned = CreateWindowExW(0, L"TesselLogging", L"owned", WS_POPUP, 0, 0, 10, 10, hwnd_,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owned, nullptr);
    PostMessageW(hwnd_, WM_USER, 0, 0);
    SetTimer(hwnd_, 1, 1);
    SetCapture(hwnd_);
    log_.clear();
    ASSERT_TRUE(DestroyWindow(hwnd_));
    EXPECT_FALSE(IsWindow(owned));  // owned windows go first
    EXPECT_FALSE(IsWindow(hwnd_));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(PostMessageW(hwnd_, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageW(hwnd_, WM_USER, 0, 0), 0);
    EXPECT_FALSE(ShowWindow(hwnd_, SW_SHOW));
    EXPECT_EQ(GetWindowFrame(hwnd_), nullptr);
    clock_.advance(1s);
    const auto before = log_.size();
    PumpPendingMessages();
    EXPECT_EQ(log_.size(), before);
    EXPECT_FALSE(DestroyWindow(hwnd_));
}

TEST_F(WindowSystem, KeyStateFollowsRetrievedMessages) {
    InjectKey(hwnd_, WM_KEYDOWN, VK_SHIFT);
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);  // not yet retrieved
    PumpPendingMessages();
    EXPECT_NE(GetKeyState(VK_SHIFT) & 0x8000, 0);
    InjectKey(hwnd_, WM_KEYUP, VK_SHIFT);
    PumpPendingMessages();
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(WindowSystem, QuitEndsTheLoopAfterPostedMessages) {
    PostMessageW(hwnd_, WM_USER, 0, 0);
    PostQuitMessage(4);
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(GetMessageW(&msg));
    EXPECT_EQ(msg.wParam, 4u);
}

TEST(MessageParameters, PackingKeepsSignedCoordinates) {
    const LPARAM l = MAKELPARAM(-1, -1);
    EXPECT_EQ(GET_X_LPARAM(l), -1);
    EXPECT_EQ(GET_Y_LPARAM(l), -1);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(MAKEWPARAM(0, -240)), -240);
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(1300, 788)), 1300);
}

}  // namespace
