// Mouse, wheel and keyboard routing from native messages down to controls.
#include "headless_fixture.h"

using namespace DUI;
using tessel_test::Box;
using tessel_test::HeadlessTest;
using tessel_test::Panel;
using tessel_test::RecordingDialog;

namespace {

class Dispatch : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        OpenDialog(dialog_);
    }
    Box* AddBox(unsigned id, CRect rect, MPanel* parent = nullptr) {
        MControl* c = parent != nullptr ? parent->CreateControl(L"TestBox", id, rect, L"", 1, 1)
                                        : dialog_.CreateControl(L"TestBox", id, rect, L"", 1, 1);
        return static_cast<Box*>(c);
    }
    HWND hwnd() { return dialog_.GetSafeHwnd(); }
    RecordingDialog dialog_;
};

// A control that never accepts input, as the static text is made.
class Inert : public Box {
  public:
    Inert(MObject* parent, unsigned id, CRect rect) : Box(parent, id, rect, L"", 1, 0) {}
};

TEST_F(Dispatch, AClickReachesTheTopmostChildUnderThePointAndNotifies) {
    auto* panel = static_cast<MPanel*>(
        dialog_.CreateControl(L"TestPanel", 10, CRect(0, 0, 300, 300), L"", 1, 1));
    Box* under = AddBox(20, CRect(10, 10, 100, 100), panel);
    Box* over = AddBox(21, CRect(50, 50, 150, 150), panel);
    Box* elsewhere = AddBox(22, CRect(200, 200, 250, 250), panel);
    Click(hwnd(), 60, 60);
    EXPECT_EQ(over->downs, 1);
    EXPECT_EQ(over->ups, 1);
    EXPECT_EQ(under->downs, 0);
    EXPECT_EQ(elsewhere->downs, 0);
    ASSERT_EQ(dialog_.notifications.size(), 2u);
    EXPECT_EQ(dialog_.notifications[0].id, 21u);
    EXPECT_EQ(dialog_.notifications[0].code, 1u);
    EXPECT_EQ(dialog_.notifications[1].code, 2u);
    EXPECT_EQ(GetCapture(), nullptr);  // released with the button
}

TEST_F(Dispatch, ADisabledChildNeverBecomesThePressedOne) {
    auto* panel = static_cast<MPanel*>(
        dialog_.CreateControl(L"TestPanel", 10, CRect(0, 0, 300, 300), L"", 1, 1));
    Box* below = AddBox(20, CRect(10, 10, 100, 100), panel);
    auto* text = new Inert(panel, 21, CRect(10, 10, 100, 100));
    panel->AppendChild(text, 1);
    text->SetManager(&dialog_.GetPaintManager());
    Click(hwnd(), 20, 20);
    EXPECT_EQ(text->downs, 0);
    EXPECT_EQ(below->downs, 1);
}

TEST_F(Dispatch, ScrollBarsGetWindowPointsOtherChildrenContentPoints) {
    auto* panel = static_cast<Panel*>(
        dialog_.CreateControl(L"TestPanel", 10, CRect(0, 0, 300, 300), L"", 1, 1));
    Box* bar = AddBox(1, CRect(290, 0, 300, 300), panel);
    Box* item = AddBox(5, CRect(0, 100, 280, 400), panel);
    panel->SetScrollOffset(0, 100);
    Pump();
    Click(hwnd(), 295, 50);
    EXPECT_EQ(bar->downs, 1);
    EXPECT_EQ(bar->lastPoint, CPoint(295, 50));
    Click(hwnd(), 40, 60);  // content point (40, 160)
    EXPECT_EQ(item->downs, 1);
    EXPECT_EQ(item->lastPoint, CPoint(40, 160));
}

TEST_F(Dispatch, DoubleClickArrivesAsASecondPressUnlessEnabled) {
    Box* plain = AddBox(20, CRect(10, 10, 100, 100));
    Box* aware = AddBox(21, CRect(150, 10, 250, 100));
    aware->SetDblClk(1);
    aware->m_dblClkNotify = 1;
    for (auto [box, x] : {std::pair{plain, 20}, std::pair{aware, 160}}) {
        Click(hwnd(), x, 20);
        InjectMouse(hwnd(), WM_LBUTTONDBLCLK, x, 20, MK_LBUTTON);
        InjectMouse(hwnd(), WM_LBUTTONUP, x, 20);
        Pump();
        (void)box;
    }
    EXPECT_EQ(plain->downs, 2);
    EXPECT_EQ(plain->dblclks, 0);
    EXPECT_EQ(aware->downs, 1);
    EXPECT_EQ(aware->dblclks, 1);
    const auto notified = std::count_if(dialog_.notifications.begin(), dialog_.notifications.end(),
                                        [](const auto& n) { return n.id == 21 && n.code == 3; });
    EXPECT_EQ(notified, 1);
}

TEST_F(Dispatch, WheelStepsFollowTheDelta) {
    Box* box = AddBox(20, CRect(10, 10, 100, 100));
    Click(hwnd(), 20, 20);  // makes it the hover control
    struct Case {
        int delta;
        std::vector<unsigned> steps;
    } cases[] = {{60, {}}, {-60, {}}, {120, {0}}, {-240, {1, 1}}, {359, {0, 0}}};
    for (const auto& c : cases) {
        box->scrolls.clear();
        InjectWheel(hwnd(), c.delta, 20, 20);
        Pump();
        EXPECT_EQ(box->scrolls, c.steps) << c.delta;
    }
}

TEST_F(Dispatch, ModifierCodesFollowTheKeyState) {
    Box* box = AddBox(20, CRect(10, 10, 100, 100));
    struct Case {
        std::vector<UINT> held;
        unsigned code;
    } cases[] = {{{}, 0},
                 {{VK_SHIFT}, 16},
                 {{VK_MENU}, 18},
                 {{VK_CONTROL}, 17},
                 {{VK_CONTROL, VK_SHIFT}, 17},
                 {{VK_MENU, VK_SHIFT}, 18},
                 {{VK_CONTROL, VK_MENU}, 19}};
    for (const auto& c : cases) {
        box->keys.clear();
        for (UINT k : c.held) {
            InjectKey(hwnd(), WM_KEYDOWN, k);
        }
        InjectKey(hwnd(), WM_KEYDOWN, 'A');
        for (UINT k : c.held) {
            InjectKey(hwnd(), WM_KEYUP, k);
        }
        Pump();
        ASSERT_FALSE(box->keys.empty());
        EXPECT_EQ(box->keys.back(), (std::pair<unsigned, unsigned>{'A', c.code})) << c.held.size();
    }
}

TEST_F(Dispatch, HotKeyHandlesTheKeyAndNotifiesWhenAsked) {
    Box* box = AddBox(20, CRect(10, 10, 100, 100));
    box->m_hotKey = 'S';
    box->m_hotKeyModifier = 17;
    box->m_keyNotify = 1;
    InjectKey(hwnd(), WM_KEYDOWN, 'S');  // without Ctrl: not the hot key
    InjectKey(hwnd(), WM_KEYDOWN, VK_CONTROL);
    InjectKey(hwnd(), WM_KEYDOWN, 'S');
    InjectKey(hwnd(), WM_KEYUP, VK_CONTROL);
    Pump();
    std::vector<std::pair<unsigned, long>> codes;
    for (const auto& n : dialog_.notifications) {
        if (n.code == 14) {
            codes.push_back({n.wParam, n.lParam});
        }
    }
    // Unhandled keys still report 14; the hot key reports it with the modifier.
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), (std::pair<unsigned, long>{'S', 17}));
}

TEST_F(Dispatch, TabMovesFocusForwardBackwardAndWraps) {
    Box* a = AddBox(1, CRect(0, 0, 10, 10));
    Box* skipped = AddBox(2, CRect(20, 0, 30, 10));
    Box* b = AddBox(3, CRect(40, 0, 50, 10));
    a->SetTabStop(1);
    b->SetTabStop(1);
    PaintManager& manager = dialog_.GetPaintManager();
    const auto press = [&](std::vector<UINT> held) {
        for (UINT k : held) {
            InjectKey(hwnd(), WM_KEYDOWN, k);
        }
        InjectKey(hwnd(), WM_KEYDOWN, VK_TAB);
        for (UINT k : held) {
            InjectKey(hwnd(), WM_KEYUP, k);
        }
        Pump();
    };
    press({});
    EXPECT_EQ(manager.GetFocusControl(), a);
    press({});
    EXPECT_EQ(manager.GetFocusControl(), b);
    press({});
    EXPECT_EQ(manager.GetFocusControl(), a);  // wrapped
    press({VK_SHIFT});
    EXPECT_EQ(manager.GetFocusControl(), b);
    press({VK_CONTROL});
    EXPECT_EQ(manager.GetFocusControl(), b);  // Ctrl+Tab leaves it
    EXPECT_EQ(skipped->focusCalls, std::vector<int>{});
    EXPECT_EQ(a->focusCalls, (std::vector<int>{1, 0, 1, 0}));
}

TEST_F(Dispatch, APressOnTheCaptionDragsTheWindowOnlyWhenAllowed) {
    AddBox(20, CRect(10, 10, 100, 30));
    dialog_.SetCaptionRect(CRect(0, 0, 400, 40));
    Click(hwnd(), 20, 20);  // a control answers: no drag
    EXPECT_TRUE(dialog_.captionDrags.empty());
    Click(hwnd(), 200, 20);
    EXPECT_EQ(dialog_.captionDrags, std::vector<unsigned>{2});
    dialog_.EnableWndDrag(0);
    Click(hwnd(), 200, 20);
    EXPECT_EQ(dialog_.captionDrags.size(), 1u);
    Click(hwnd(), 200, 200);  // outside the caption
    EXPECT_EQ(dialog_.captionDrags.size(), 1u);
}

TEST_F(Dispatch, DeactivatingWhilePressedReleasesAtMinusOne) {
    Box* box = AddBox(20, CRect(10, 10, 100, 100));
    InjectMouse(hwnd(), WM_MOUSEMOVE, 20, 20);
    InjectMouse(hwnd(), WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Pump();
    SendMessageW(hwnd(), WM_NCACTIVATE, 0, 0);
    EXPECT_EQ(box->ups, 1);
    EXPECT_EQ(box->lastPoint, CPoint(-1, -1));
    EXPECT_EQ(dialog_.GetPaintManager().GetHoverControl(), nullptr);
}

TEST_F(Dispatch, RemovingTheHoveredControlLeavesNoDanglingHover) {
    Box* box = AddBox(20, CRect(10, 10, 100, 100));
    InjectMouse(hwnd(), WM_MOUSEMOVE, 20, 20);
    Pump();
    ASSERT_EQ(dialog_.GetPaintManager().GetHoverControl(), box);
    dialog_.GetPaintManager().RemoveControl(box);
    EXPECT_EQ(dialog_.GetPaintManager().GetHoverControl(), nullptr);
    InjectMouse(hwnd(), WM_MOUSEMOVE, 30, 30);
    InjectKey(hwnd(), WM_KEYDOWN, 'A');
    Pump();
}

}  // namespace
