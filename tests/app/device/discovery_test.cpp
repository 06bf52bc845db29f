// Enumeration, catalogue resolution and the selection rule.

#include "device/hidapi_backend.h"
#include "device_fixture.h"

namespace pellora::testing {
namespace {

using Sleeps = std::vector<DUI::Clock::duration>;

TEST_F(DeviceTest, EnumerationOfOneCableTracesEachStep) {
    bus.Plug(1, Link::kCable);
    TraceCapture trace;
    manager->EnumerateDevice();
    const std::vector<std::string> expected = {
        "========== EnumerateDevice Start ==========",
        "Step 1: Quick scan - collecting basic device info",
        "  Found [0]: VID=0x1209, PID=0x5A01, Mode=USB",
        "Step 2: USB device found, SKIP reading 2.4G details (reduce HID traffic)",
        "  [0] USB device - reading details...",
        "  [0] DeviceId: VX07, DeviceType: 1",
        "  [0] Final: VID=0x1209, PID=0x5A01, Type=1, Mode=0",
        "========== EnumerateDevice Complete! Total=1, HasUSB=YES ==========",
    };
    EXPECT_EQ(trace.lines(), expected);

    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].release_number, 0x0105);
    EXPECT_EQ(records[0].online, kOnline);
    EXPECT_EQ(records[0].model_code, L"VX07");
    EXPECT_FALSE(manager->IsReady());  // the refresh marks it ready, not the enumeration
}

TEST_F(DeviceTest, CableWinsOverReceiverOfTheSameModel) {
    bus.Plug(1, Link::kReceiver);
    bus.Plug(1, Link::kCable);
    TraceCapture trace;
    Refresh(1);

    const auto records = Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].mode, kModeReceiver);
    EXPECT_EQ(records[0].device_type, 0);  // never asked
    EXPECT_EQ(records[1].mode, kModeCable);
    EXPECT_EQ(records[1].device_type, 1);
    EXPECT_EQ(Received(1, kCommandDeviceInfo), 1);
    const auto lines = trace.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  [0] 2.4G device - SKIP (USB exists)"),
              lines.end());

    EXPECT_EQ(manager->GetLinkKind(), 0);
    Frame frame = MakeReadRequest(0x12);
    EXPECT_TRUE(manager->SendCommand(frame.data(), kShortSubmission, true));
}

TEST_F(DeviceTest, ReceiverWithMouseSwitchedOffStaysUnresolved) {
    bus.SetMousePower(1, false);
    bus.Plug(1, Link::kReceiver);
    manager->EnumerateDevice();
    // Two exchanges of 20 + 20 + 10 + 20 + 10 ms with the 500 ms pause between them.
    const Sleeps attempt = {20ms, 20ms, 10ms, 20ms, 10ms};
    Sleeps expected = attempt;
    expected.push_back(500ms);
    expected.insert(expected.end(), attempt.begin(), attempt.end());
    EXPECT_EQ(clock.sleeps(), expected);
    manager->SetReady();
    manager->SetCurrentDeviceType(1);

    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].device_type, 0);
    EXPECT_EQ(records[0].online, kOnline);  // assumed online at enumeration
    EXPECT_EQ(manager->GetCurrentHandle(), nullptr);
    EXPECT_EQ(manager->GetLinkKind(), -1);
}

TEST_F(DeviceTest, ReceiverOnlyIsSelectedWhileItsMouseIsOnline) {
    bus.Plug(1, Link::kReceiver);
    {
        TraceCapture trace;
        Refresh(1);
        const auto lines = trace.lines();
        ASSERT_GE(lines.size(), 6u);
        EXPECT_EQ(lines[3], "Step 2: No USB device, will read 2.4G device details");
        EXPECT_EQ(lines[4], "  [0] 2.4G state: Online");
        EXPECT_EQ(lines[5], "  [0] 2.4G device - reading details...");
    }
    EXPECT_EQ(manager->GetLinkKind(), 1);
    EXPECT_NE(manager->GetCurrentHandle(), nullptr);

    manager->SetOnlineState(1, kModeReceiver, kOfflineByPoll);
    manager->ClearCachedHandle();
    EXPECT_EQ(manager->GetCurrentHandle(), nullptr);
    EXPECT_EQ(manager->GetLinkKind(), 1);  // the online state is not consulted
    std::vector<DeviceRecord> online;
    EXPECT_TRUE(manager->ListOnlineDevices(online));
    EXPECT_TRUE(online.empty());
    EXPECT_TRUE(manager->HasResolvedDevice(1));  // any online value above 0
}

TEST_F(DeviceTest, EnumerationAcceptsOnlyTheCommandCollections) {
    struct Case {
        const char* name;
        std::vector<HidUsagePair> collections;
        std::size_t records;
    };
    const Case cases[] = {
        {"vendor", {{0xFF01, 0x0010}}, 1},
        {"generic desktop undefined", {{0x0001, 0x0000}}, 1},
        {"both on one node", {{0xFF01, 0x0010}, {0x0001, 0x0000}}, 1},
        {"other vendor usage", {{0xFF01, 0x0011}, {0xFF00, 0x0010}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DUI::ManualClock local_clock;
        sim::SimulatedBus local_bus(local_clock);
        sim::SimModel model = *sim::FindDefaultModel(2);
        model.vendor_collections = c.collections;
        local_bus.AddMouse(model);
        local_bus.Plug(2, Link::kCable);
        DeviceManager local(local_bus, local_clock);
        FillCatalog(local);
        local.EnumerateDevice();
        std::vector<DeviceRecord> records;
        local.ListDevices(records);
        EXPECT_EQ(records.size(), c.records);
        // The mouse and keyboard interfaces are never opened.
        EXPECT_EQ(local_bus.OpenHandleCount(), static_cast<int>(c.records));
    }
}

TEST_F(DeviceTest, UncataloguedDevicesAreIgnored) {
    bus.Plug(2, Link::kCable);
    manager->ClearCatalog();
    manager->AddCatalogEntry(0x1209, 0x5A01, L"", 1, kModeCable, L"VX07");
    manager->EnumerateDevice();
    EXPECT_TRUE(Records().empty());
    EXPECT_EQ(bus.OpenHandleCount(), 0);
}

TEST_F(DeviceTest, ResolveDeviceTypeWalksTheCatalogueInOrder) {
    manager->ClearCatalog();
    manager->AddCatalogEntry(0x1209, 0x5A01, L"", 1, kModeCable, L"VX07");
    manager->AddCatalogEntry(0x1209, 0x5A01, L"", 7, kModeCable, L"VX17");
    manager->AddCatalogEntry(0x1209, 0x5B01, L"", 2, kModeCable, L"PL");
    manager->AddCatalogEntry(0x1209, 0x5B02, L"", 3, kModeReceiver, L"VX03");
    struct Case {
        int pid;
        const wchar_t* code;
        int type;
    };
    const Case cases[] = {
        {0x5A01, L"VX07", 1},
        {0x5A01, L"VX17", 7},                   // second entry of the same ids
        {0x5A01, L"vx07", 0},                   // case-sensitive
        {0x5B01, L"ANY!", kUnnamedDeviceType},  // catalogue code too short
        {0x5B02, L"VX03", 3},
        {0x9999, L"VX07", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(manager->ResolveDeviceType(0x1209, c.pid, c.code), c.type) << std::hex << c.pid;
    }
    EXPECT_TRUE(manager->IsKnownDevice(0x1209, 0x5B02));
    EXPECT_FALSE(manager->IsKnownDevice(0x1209, 0x5B03));
    EXPECT_EQ(manager->GetCatalogMode(0x1209, 0x5B02), kModeReceiver);
    EXPECT_EQ(manager->GetCatalogMode(0x1209, 0x5B03), 0);
}

TEST_F(DeviceTest, CatalogueWithoutModelCodeResolvesToUnnamedType) {
    bus.Plug(2, Link::kCable);
    manager->ClearCatalog();
    manager->AddCatalogEntry(0x1209, 0x5B01, L"", 2, kModeCable, L"");
    Refresh(kUnnamedDeviceType);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].device_type, kUnnamedDeviceType);
    EXPECT_NE(manager->GetCurrentHandle(), nullptr);
}

TEST_F(DeviceTest, ListsFollowTheCurrentType) {
    bus.Plug(1, Link::kReceiver);
    bus.Plug(2, Link::kCable);
    std::vector<DeviceRecord> out;
    EXPECT_FALSE(manager->ListDevices(out));  // no records yet
    Refresh(0);
    // With a cable present the receiver is not read: it stays type 0.
    EXPECT_TRUE(manager->ListDevices(out));
    EXPECT_EQ(out.size(), 2u);
    manager->SetCurrentDeviceType(2);
    EXPECT_TRUE(manager->ListDevices(out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].product_id, 0x5B01);
    manager->SetCurrentDeviceType(1);
    EXPECT_TRUE(manager->ListDevices(out));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(manager->GetLinkKind(), -1);

    int release = 0;
    EXPECT_TRUE(manager->GetReleaseNumber(kModeCable, release));
    EXPECT_EQ(release, 0x0102);
    EXPECT_TRUE(manager->GetReleaseNumber(kModeReceiver, release));
    EXPECT_EQ(release, 0x0105);
    manager->CloseAllDevices();
    EXPECT_FALSE(manager->GetReleaseNumber(kModeCable, release));
}

TEST_F(DeviceTest, EnumeratingTwiceBeforeTheFirstRefreshKeepsOneRecordPerInterface) {
    // Start-up enumerates once, then the refresh closes and enumerates again while the manager
    // has not been marked ready yet.
    bus.Plug(1, Link::kCable);
    manager->EnumerateDevice();
    Refresh(1);
    EXPECT_EQ(Records().size(), 1u);
    EXPECT_EQ(bus.OpenHandleCount(), 1);
}

TEST_F(DeviceTest, DeviceGoneBetweenEnumerationAndOpenIsSkipped) {
    // A backend whose listing is older than the bus: the cable was pulled in between.
    struct StaleListing final : HidBackend {
        explicit StaleListing(sim::SimulatedBus& b) : bus(b), listing(b.Enumerate()) {}
        bool Init() override { return true; }
        void Exit() override {}
        std::vector<HidNodeInfo> Enumerate() override { return listing; }
        std::unique_ptr<HidDevice> OpenPath(const std::string& p) override {
            return bus.OpenPath(p);
        }
        sim::SimulatedBus& bus;
        std::vector<HidNodeInfo> listing;
    };
    bus.Plug(1, Link::kCable);
    StaleListing stale(bus);
    bus.Unplug(1, Link::kCable);
    DeviceManager local(stale, clock);
    FillCatalog(local);
    local.EnumerateDevice();
    std::vector<DeviceRecord> records;
    EXPECT_FALSE(local.ListDevices(records));
}

TEST_F(DeviceTest, FailedHidStartFindsNothing) {
    struct NoHid final : HidBackend {
        bool Init() override { return false; }
        void Exit() override { ADD_FAILURE() << "exit without a successful init"; }
        std::vector<HidNodeInfo> Enumerate() override {
            ADD_FAILURE() << "enumerated without HID";
            return {};
        }
        std::unique_ptr<HidDevice> OpenPath(const std::string&) override { return nullptr; }
    } no_hid;
    DeviceManager local(no_hid, clock);
    FillCatalog(local);
    local.EnumerateDevice();
    local.SetReady();
    local.SetCurrentDeviceType(1);
    Frame frame = MakeReadRequest(0x12);
    EXPECT_FALSE(local.SendCommand(frame.data(), kShortSubmission, true));
    EXPECT_EQ(local.GetLinkKind(), -1);
}

TEST(HidapiBackendTest, StartsListsAndRefusesABogusPath) {
    // No mouse is needed: whatever this machine has, nothing may crash, and a path that does
    // not exist cannot be opened.
    auto hid = MakeHidapiBackend();
    if (!hid->Init()) {
        GTEST_SKIP() << "no HID layer here";
    }
    for (const HidNodeInfo& node : hid->Enumerate()) {
        EXPECT_FALSE(node.path.empty());
    }
    EXPECT_EQ(hid->OpenPath("/dev/pellora-no-such-hidraw"), nullptr);
    hid->Exit();
}

TEST_F(DeviceTest, ClosingReleasesEveryHandle) {
    bus.Plug(1, Link::kCable);
    bus.Plug(1, Link::kReceiver);
    bus.Plug(2, Link::kCable);
    Refresh(1);
    EXPECT_EQ(bus.OpenHandleCount(), 3);
    manager.reset();
    EXPECT_EQ(bus.OpenHandleCount(), 0);
}

}  // namespace
}  // namespace pellora::testing
