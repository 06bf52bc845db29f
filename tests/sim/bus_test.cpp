// The simulated bus: composite devices, handles with hidraw's semantics, links and controls.

#include <gtest/gtest.h>

#include "device/frame.h"
#include "sim_bus.h"
#include "sim_setup.h"

namespace pellora::sim {
namespace {

using namespace std::chrono_literals;

class BusTest : public ::testing::Test {
  protected:
    BusTest() : bus(clock) {
        for (const SimModel& m : DefaultModels()) {
            bus.AddMouse(m);
        }
        bus.Start([this](const DeviceBroadcast& b, int event) { events.emplace_back(b, event); });
    }

    std::unique_ptr<HidDevice> OpenVendor(uint16_t pid) {
        for (const HidNodeInfo& n : bus.Enumerate()) {
            if (n.product_id == pid && n.interface_number == 2) {
                return bus.OpenPath(n.path);
            }
        }
        return nullptr;
    }

    DUI::ManualClock clock;
    SimulatedBus bus;
    std::vector<std::pair<DeviceBroadcast, int>> events;
};

TEST_F(BusTest, PluggedDeviceIsACompositeOfThreeInterfaces) {
    ASSERT_TRUE(bus.Plug(1, Link::kReceiver));
    EXPECT_FALSE(bus.Plug(1, Link::kReceiver));  // already there
    EXPECT_FALSE(bus.Plug(2, Link::kReceiver));  // model B has none
    EXPECT_FALSE(bus.Plug(9, Link::kCable));

    const auto nodes = bus.Enumerate();
    ASSERT_EQ(nodes.size(), 5u);  // 1 + 2 + 2 collections
    EXPECT_EQ(nodes[4].usage_page, 0x0001);
    EXPECT_EQ(nodes[4].usage, 0x0000);
    EXPECT_EQ(nodes[3].path, nodes[4].path);  // two collections, one node
    EXPECT_EQ(nodes[3].product_id, 0x5A02);

    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2].first.path.substr(0, 28), "HID#VID_1209&PID_5A02&MI_02#");
    EXPECT_EQ(events[2].second, kDeviceArrival);
    EXPECT_EQ(events[2].first.collections,
              (std::vector<HidUsagePair>{{0xFF01, 0x0010}, {0x0001, 0x0000}}));

    events.clear();
    EXPECT_TRUE(bus.Unplug(1, Link::kReceiver));
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].second, kDeviceRemoveComplete);
    EXPECT_TRUE(bus.Enumerate().empty());
}

TEST_F(BusTest, HandlesDieWithTheirDevice) {
    bus.Plug(2, Link::kCable);
    auto handle = OpenVendor(0x5B01);
    ASSERT_NE(handle, nullptr);
    Frame request = MakeReadRequest(0x12);
    EXPECT_EQ(handle->Write(request.data(), 33), 33);
    bus.Unplug(2, Link::kCable);
    uint8_t buffer[65];
    EXPECT_EQ(handle->ReadTimeout(buffer, 65, 10), -1);  // the pending reply went with it
    EXPECT_EQ(handle->Write(request.data(), 33), -1);
    EXPECT_EQ(bus.OpenPath("sim-hidraw2"), nullptr);
}

TEST_F(BusTest, RepliesGoToEveryReaderAndOldOnesAreDropped) {
    bus.Plug(2, Link::kCable);
    auto first = OpenVendor(0x5B01);
    auto second = OpenVendor(0x5B01);
    for (int i = 0; i < 70; ++i) {
        Frame request = MakeReadRequest(i < 69 ? 0x12 : 0x16);
        first->Write(request.data(), 33);
    }
    uint8_t buffer[65];
    int count = 0;
    while (second->ReadTimeout(buffer, 65, 0) > 0) {
        ++count;
    }
    EXPECT_EQ(count, 64);
    EXPECT_EQ(buffer[0], 0x16);  // the newest survived
    EXPECT_EQ(first->ReadTimeout(buffer, 65, 0), 64);
}

TEST_F(BusTest, ReadsWaitOnTheClockAndCopyAtMostTheLength) {
    bus.Plug(2, Link::kCable);
    auto handle = OpenVendor(0x5B01);
    uint8_t buffer[65] = {};
    EXPECT_EQ(handle->ReadTimeout(buffer, 65, 25), 0);
    EXPECT_EQ(clock.total_slept(), 25ms);
    Frame request = MakeReadRequest(kCommandDeviceInfo);
    handle->Write(request.data(), 33);
    EXPECT_EQ(handle->ReadTimeout(buffer, 8, 25), 8);
    EXPECT_EQ(clock.total_slept(), 25ms);

    Frame bad = request;
    bad[0] = 0x05;  // the device has no report 5
    EXPECT_EQ(handle->Write(bad.data(), 33), -1);
    EXPECT_EQ(handle->Write(request.data(), 66), -1);
}

TEST_F(BusTest, ReceiverCarriesTheMouseOnlyWhileItIsOn) {
    bus.Plug(1, Link::kReceiver);
    auto handle = OpenVendor(0x5A02);
    uint8_t buffer[65] = {};
    bus.SetMousePower(1, false);
    ASSERT_GT(handle->ReadTimeout(buffer, 65, 0), 0);
    EXPECT_EQ(buffer[0], kReportLink);
    EXPECT_EQ(buffer[1], 0);

    Frame request = MakeReadRequest(kCommandDeviceInfo);
    EXPECT_EQ(handle->Write(request.data(), 33), 33);   // the receiver takes it
    EXPECT_EQ(handle->ReadTimeout(buffer, 65, 10), 0);  // nobody answers
    bus.PressDpiButton(1);
    EXPECT_EQ(handle->ReadTimeout(buffer, 65, 10), 0);

    bus.SetBattery(1, 33, 1);
    bus.SetMousePower(1, true);
    ASSERT_GT(handle->ReadTimeout(buffer, 65, 0), 0);
    EXPECT_EQ((std::vector<uint8_t>(buffer, buffer + 4)),
              (std::vector<uint8_t>{kReportLink, 1, 33, 1}));
}

TEST_F(BusTest, OtherInterfacesTakeWritesWithoutAnswering) {
    bus.Plug(2, Link::kCable);
    const auto nodes = bus.Enumerate();
    auto mouse_if = bus.OpenPath(nodes[0].path);
    Frame request = MakeReadRequest(0x12);
    EXPECT_EQ(mouse_if->Write(request.data(), 33), 33);
    uint8_t buffer[65];
    EXPECT_EQ(mouse_if->ReadTimeout(buffer, 65, 0), 0);
    EXPECT_TRUE(bus.ReceivedReports(2).empty());
}

TEST(SimSetupTest, SimulateValues) {
    struct Case {
        const char* value;
        bool ok;
        int type;
        bool cable, receiver;
    };
    const Case cases[] = {
        {"", true, 1, true, false},           {"2", true, 2, true, false},
        {"1:receiver", true, 1, false, true}, {"1:both", true, 1, true, true},
        {"1:cable", true, 1, true, false},    {"2:receiver", false, 0, false, false},
        {"7", false, 0, false, false},        {"x", false, 0, false, false},
        {"1:radio", false, 0, false, false},  {"99999999999", false, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        SimSetup setup;
        std::string error;
        ASSERT_EQ(ParseSimulateValue(c.value, setup, error), c.ok);
        if (c.ok) {
            EXPECT_EQ(setup.device_type, c.type);
            EXPECT_EQ(setup.cable, c.cable);
            EXPECT_EQ(setup.receiver, c.receiver);
        } else {
            EXPECT_FALSE(error.empty());
        }
    }
    DUI::ManualClock clock;
    SimSetup both;
    std::string error;
    ParseSimulateValue("1:both", both, error);
    auto bus = CreateSimulatedBus(both, clock);
    EXPECT_EQ(bus->Enumerate().size(), 10u);
}

}  // namespace
}  // namespace pellora::sim
