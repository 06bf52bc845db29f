// Unsolicited reports: the DPI button and the receiver's link reports.

#include "device_fixture.h"

namespace pellora::testing {
namespace {

TEST_F(DeviceTest, NotificationsNeedAReadyManager) {
    bus.Plug(1, Link::kCable);
    manager->EnumerateDevice();
    bus.PressDpiButton(1);
    Frame buffer{};
    int type = -1;
    EXPECT_FALSE(manager->ReadNotification(buffer.data(), type));
    EXPECT_EQ(type, -1);
}

TEST_F(DeviceTest, DpiButtonOnTheCurrentDeviceIsReported) {
    bus.Plug(1, Link::kCable);
    Refresh(1);
    Frame buffer{};
    int type = 0;
    EXPECT_FALSE(manager->ReadNotification(buffer.data(), type));  // nothing pending
    EXPECT_EQ(clock.sleeps(), std::vector<DUI::Clock::duration>{10ms});

    ASSERT_TRUE(bus.PressDpiButton(1));
    EXPECT_TRUE(manager->ReadNotification(buffer.data(), type));
    EXPECT_EQ(type, 1);
    EXPECT_EQ(buffer[0], kReportDpiButton);
    EXPECT_EQ(buffer[1], 0x24);  // factory: 4 levels, level 1 → level 2
}

TEST_F(DeviceTest, LinkReportsFromAReceiverUpdateItsOnlineState) {
    bus.Plug(1, Link::kReceiver);
    Refresh(1);
    ASSERT_NE(manager->GetCurrentHandle(), nullptr);

    // Mouse switched off: the current handle reads the report and hands it on as it is.
    bus.SetBattery(1, 55, 0);
    bus.SetMousePower(1, false);
    Frame buffer{};
    int type = 0;
    EXPECT_TRUE(manager->ReadNotification(buffer.data(), type));
    EXPECT_EQ(buffer[0], kReportLink);
    EXPECT_EQ(buffer[1], 0);
    EXPECT_EQ(buffer[2], 55);
    // The worker reacts by marking it offline; from then on the receivers are polled.
    manager->SetOnlineState(1, kModeReceiver, 0);
    manager->ClearCachedHandle();
    EXPECT_EQ(manager->GetCurrentHandle(), nullptr);

    bus.SetMousePower(1, true);
    buffer.fill(0);
    EXPECT_FALSE(manager->ReadNotification(buffer.data(), type));  // polled reports give false
    EXPECT_EQ(buffer[0], kReportLink);
    EXPECT_EQ(buffer[1], 1);
    EXPECT_EQ(type, 1);
    manager->ClearCachedHandle();
    EXPECT_NE(manager->GetCurrentHandle(), nullptr);
}

TEST_F(DeviceTest, ConnectedReportResolvesAReceiverWhoseMouseWasOff) {
    bus.SetMousePower(1, false);
    bus.Plug(1, Link::kReceiver);
    Refresh(1);
    ASSERT_EQ(Records()[0].device_type, 0);

    bus.SetMousePower(1, true);
    Frame buffer{};
    int type = -1;
    EXPECT_FALSE(manager->ReadNotification(buffer.data(), type));
    EXPECT_EQ(type, 0);  // the record's type when the report came
    EXPECT_EQ(buffer[0], kReportLink);
    const auto records = Records();
    EXPECT_EQ(records[0].device_type, 1);
    EXPECT_EQ(records[0].model_code, L"VX07");
    EXPECT_EQ(records[0].online, kOnline);
    EXPECT_TRUE(manager->HasResolvedDevice(1));
    EXPECT_NE(manager->GetCurrentHandle(), nullptr);
}

TEST_F(DeviceTest, LostReportFromAPolledReceiverMarksItOffline) {
    bus.Plug(1, Link::kReceiver);
    Refresh(1);
    manager->SetCurrentDeviceType(2);  // no handle for model 2: receivers are polled
    bus.SetMousePower(1, false);
    Frame buffer{};
    int type = 0;
    EXPECT_FALSE(manager->ReadNotification(buffer.data(), type));
    EXPECT_EQ(type, 1);
    EXPECT_EQ(Records()[0].online, kOfflineByReport);
}

TEST_F(DeviceTest, PollReceiverStatesTakesTheLinkReports) {
    bus.Plug(1, Link::kReceiver);
    Refresh(1);
    bus.SetMousePower(1, false);
    manager->PollReceiverStates();
    EXPECT_EQ(Records()[0].online, kOfflineByPoll);
    bus.SetMousePower(1, true);
    manager->PollReceiverStates();
    EXPECT_EQ(Records()[0].online, kOnline);
    // Other reports are read and change nothing.
    bus.InjectReport(1, Link::kReceiver, {kReportDpiButton, 0x12});
    manager->PollReceiverStates();
    EXPECT_EQ(Records()[0].online, kOnline);
}

TEST_F(DeviceTest, ShortAndOddReportsAreHarmless) {
    bus.Plug(1, Link::kReceiver);
    Refresh(1);
    manager->SetCurrentDeviceType(2);
    for (const std::vector<uint8_t>& report :
         {std::vector<uint8_t>{kReportLink}, std::vector<uint8_t>{0x00},
          std::vector<uint8_t>(200, kReportLink)}) {
        bus.InjectReport(1, Link::kReceiver, report);
        Frame buffer{};
        int type = 0;
        manager->ReadNotification(buffer.data(), type);
        EXPECT_EQ(buffer[0], report[0]);
    }
}

}  // namespace
}  // namespace pellora::testing
