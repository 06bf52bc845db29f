// Control identity, the two factories, the child tree and the repaint and notification protocols.
#include <memory>

#include "headless_fixture.h"

using namespace DUI;
using tessel_test::Box;
using tessel_test::HeadlessTest;
using tessel_test::Panel;
using tessel_test::RecordingDialog;

namespace {

class ObjectModel : public HeadlessTest {};

class NamedControl : public Box {
  public:
    using Box::Box;
    const wchar_t* GetClassNameW() const override { return L"RadioButton"; }
};

TEST(ClassIdentity, IsClassComparesTheReportedNameExactly) {
    NamedControl radio(nullptr, 1, CRect(), L"", 1, 1);
    Box plain(nullptr, 2, CRect(), L"", 1, 1);
    EXPECT_EQ(radio.IsClass(L"RadioButton"), 1);
    EXPECT_EQ(radio.IsClass(L"CRadioButton"), 0);
    EXPECT_EQ(radio.IsClass(L"radiobutton"), 0);
    EXPECT_EQ(radio.IsClass(L"Radio"), 0);
    EXPECT_EQ(radio.IsClass(nullptr), 0);
    EXPECT_EQ(plain.IsClass(L"MControl"), 1);
    RecordingDialog dialog;
    EXPECT_EQ(static_cast<MObject&>(dialog).IsClass(L"MDialog"), 1);
    MObject root;
    EXPECT_EQ(root.GetClassNameW(), nullptr);
    EXPECT_EQ(root.IsClass(L"MControl"), 0);
}

TEST_F(ObjectModel, FactoriesAcceptOnlyTheirOwnNames) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    EXPECT_EQ(dialog.CreateControl(L"", 5, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_EQ(dialog.CreateControl(nullptr, 5, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_EQ(dialog.CreateControl(L"NoSuchControl", 5, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_EQ(dialog.CreateControl(L"testbox", 5, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    // A container-only name is unknown to the window factory and known to a container.
    EXPECT_EQ(dialog.CreateControl(L"TestContainerOnly", 5, CRect(0, 0, 10, 10), L"", 1, 1),
              nullptr);
    auto* panel = static_cast<MPanel*>(
        dialog.CreateControl(L"TestPanel", 6, CRect(0, 0, 200, 200), L"", 1, 1));
    ASSERT_NE(panel, nullptr);
    const std::size_t own = panel->GetControls().size();  // its scroll bars, when installed
    EXPECT_NE(panel->CreateControl(L"TestContainerOnly", 7, CRect(0, 0, 10, 10), L"", 1, 1),
              nullptr);
    EXPECT_EQ(panel->CreateControl(L"TestWindowOnly", 8, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_NE(dialog.CreateControl(L"TestWindowOnly", 9, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_EQ(dialog.GetControls().size(), 2u);
    EXPECT_EQ(panel->GetControls().size(), own + 1);
}

TEST_F(ObjectModel, KindChoosesTheListAndTheManagerIsHandedDown) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    PaintManager& manager = dialog.GetPaintManager();
    MControl* area = dialog.CreateArea(L"TestBox", 1, CRect(0, 0, 10, 10), L"a", 1, 1);
    MControl* control = dialog.CreateControl(L"TestBox", 2, CRect(0, 0, 10, 10), L"c", 1, 1);
    ASSERT_NE(area, nullptr);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(manager.GetAreas(), std::vector<MControl*>{area});
    EXPECT_EQ(manager.GetControls(), std::vector<MControl*>{control});
    EXPECT_EQ(area->GetManager(), &manager);
    EXPECT_EQ(area->GetParantObject(), static_cast<MObject*>(&dialog));
    // Any other kind leaves the control unlisted; it is still made and returned.
    std::unique_ptr<MControl> loose(
        manager.CreateControl(7, &dialog, L"TestBox", 3, CRect(), L"", 1, 1));
    EXPECT_NE(loose, nullptr);
    EXPECT_EQ(manager.GetControls().size(), 1u);

    // A container without a manager hands its manager over when it gets one.
    auto* orphan = new Panel(nullptr, 40, CRect(0, 0, 50, 50), 1, 1);
    MControl* child = orphan->CreateControl(L"TestBox", 41, CRect(0, 0, 5, 5), L"", 1, 1);
    EXPECT_EQ(child->GetManager(), nullptr);
    orphan->SetParent(&dialog);
    manager.AddControl(orphan, 1);
    EXPECT_EQ(child->GetManager(), &manager);
}

TEST(ControlTree, GetControlSearchesDepthFirstControlsBeforeAreas) {
    Panel root(nullptr, 100, CRect(0, 0, 100, 100), 1, 1);
    auto* first = static_cast<Panel*>(root.CreateControl(L"TestPanel", 1, CRect(), L"", 1, 1));
    MControl* grandchild = first->CreateControl(L"TestBox", 7, CRect(), L"", 1, 1);
    MControl* laterSibling = root.CreateControl(L"TestBox", 7, CRect(), L"", 1, 1);
    EXPECT_EQ(root.GetControl(7), grandchild);
    EXPECT_NE(root.GetControl(7), laterSibling);

    Panel other(nullptr, 200, CRect(0, 0, 100, 100), 1, 1);
    MControl* area = other.CreateArea(L"TestBox", 9, CRect(), L"", 1, 1);
    MControl* control = other.CreateControl(L"TestBox", 9, CRect(), L"", 1, 1);
    EXPECT_EQ(other.GetControl(9), control);
    other.RemoveControl(control);
    EXPECT_EQ(other.GetControl(9), area);  // RemoveControl never touches the area list
    EXPECT_EQ(other.GetControl(12345), nullptr);
}

TEST(ControlTree, ParentVisibilityStopsAtTheDialog) {
    RecordingDialog dialog;
    Panel outer(&dialog, 1, CRect(), 1, 1);
    Panel inner(&outer, 2, CRect(), 1, 1);
    Box leaf(&inner, 3, CRect(), L"", 1, 1);
    EXPECT_EQ(leaf.IsParentVisible(), 1);
    outer.SetVisible(0);
    EXPECT_EQ(leaf.IsParentVisible(), 0);
    Box orphan(nullptr, 4, CRect(), L"", 1, 1);
    EXPECT_EQ(orphan.IsParentVisible(), 0);
}

TEST_F(ObjectModel, NotificationsBubbleUpWithTheOriginatingId) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    auto* outer = static_cast<MPanel*>(
        dialog.CreateControl(L"TestPanel", 10, CRect(0, 0, 300, 300), L"", 1, 1));
    auto* inner = static_cast<MPanel*>(
        outer->CreateControl(L"TestPanel", 11, CRect(10, 10, 200, 200), L"", 1, 1));
    auto* box =
        static_cast<Box*>(inner->CreateControl(L"TestBox", 42, CRect(20, 20, 60, 60), L"", 1, 1));
    box->SendMessageW(27, 5, 6);
    ASSERT_EQ(dialog.notifications.size(), 1u);
    EXPECT_EQ(dialog.notifications[0].id, 42u);
    EXPECT_EQ(dialog.notifications[0].code, 27u);
    EXPECT_EQ(dialog.notifications[0].wParam, 5u);
    EXPECT_EQ(dialog.notifications[0].lParam, 6);
}

TEST_F(ObjectModel, StateSettersAskForRepaintsOnlyWhenTheyShow) {
    RecordingDialog dialog;
    OpenDialog(dialog);
    auto* box =
        static_cast<Box*>(dialog.CreateControl(L"TestBox", 1, CRect(10, 10, 50, 50), L"", 1, 1));
    Pump();
    RECT update;
    ASSERT_FALSE(GetUpdateRect(dialog.GetSafeHwnd(), &update));

    box->SetVisible(0);
    ASSERT_TRUE(GetUpdateRect(dialog.GetSafeHwnd(), &update));
    EXPECT_EQ(CRect(update), CRect(10, 10, 50, 50));
    EXPECT_EQ(box->GetUpdate(), 0);
    Pump();

    box->SetEnabled(0);  // hidden: the flag changes, no repaint
    EXPECT_EQ(box->IsEnabled(), 0);
    EXPECT_FALSE(GetUpdateRect(dialog.GetSafeHwnd(), &update));

    box->SetVisible(0);  // unchanged: nothing
    EXPECT_FALSE(GetUpdateRect(dialog.GetSafeHwnd(), &update));

    box->SetVisible(1);
    Pump();
    box->SetRect(CRect(100, 100, 120, 120));  // the union of old and new
    ASSERT_TRUE(GetUpdateRect(dialog.GetSafeHwnd(), &update));
    EXPECT_EQ(CRect(update), CRect(10, 10, 120, 120));
}

TEST(PositionItem, ValuesFromTheEdgesCentreAndPercent) {
    struct Case {
        POSITION_ITEM item;
        int expected;
    } cases[] = {
        {{0, 0, 5.7f}, 15},    {{0, 1, 5.0f}, 105}, {{1, 0, 5.0f}, 65}, {{1, 1, 5.0f}, 55},
        {{2, 0, 150.0f}, 110}, {{2, 0, 50.0f}, 60}, {{7, 0, 1.0f}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MControl::PositionItem2Value(c.item, 10, 110), c.expected)
            << c.item.type << "/" << c.item.value;
    }
}

TEST(Cursor, NamedCursorsAndUnknownNamesLeaveItUnchanged) {
    Box box(nullptr, 1, CRect(), L"", 1, 1);
    EXPECT_EQ(box.GetCursor(), nullptr);
    box.SetCursorEx(L"hand");
    EXPECT_EQ(box.GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    box.SetCursorEx(L"pointer");
    EXPECT_EQ(box.GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    box.SetCursorEx(L"sizens");
    EXPECT_EQ(box.GetCursor(), LoadCursorW(nullptr, IDC_SIZENS));
}

}  // namespace
