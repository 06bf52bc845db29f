// The frame, SendCommand and RequestDeviceInfo against the simulated mouse.

#include <algorithm>
#include <numeric>

#include "device_fixture.h"

namespace pellora::testing {
namespace {

using Sleeps = std::vector<DUI::Clock::duration>;

Sleeps Repeat(DUI::Clock::duration d, int n) {
    return Sleeps(static_cast<std::size_t>(n), d);
}

Sleeps Concat(Sleeps a, const Sleeps& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(FrameTest, ChecksumCoversBytesFiveToThirtyOneOnly) {
    Frame frame{};
    // 27 payload bytes summing to 300: 11 × 11 + 179.
    for (std::size_t i = kPayloadOffset; i < kChecksumOffset; ++i) {
        frame[i] = 11;
    }
    frame[31] = static_cast<uint8_t>(300 - 26 * 11);
    SealFrame(frame.data());
    EXPECT_EQ(frame[kChecksumOffset], 0x2C);

    for (std::size_t i = 0; i < kPayloadOffset; ++i) {
        frame[i] = 0xAB;
    }
    frame[33] = 0x77;  // beyond the checksum: not covered either
    EXPECT_EQ(FrameChecksum(frame.data()), 0x2C);

    frame[kChecksumOffset] = 0x99;  // sealing stores over whatever was there
    SealFrame(frame.data());
    EXPECT_EQ(frame[kChecksumOffset], 0x2C);
}

TEST(FrameTest, BuildersAndModelCode) {
    const Frame read = MakeReadRequest(0x12);
    EXPECT_TRUE(
        std::all_of(read.begin(), read.end(), [&](uint8_t b) { return b == 0 || b == 0x12; }));
    EXPECT_EQ(read[1], 0x12);

    const uint8_t payload[] = {0xFF, 1, 2};
    const Frame write = MakeWriteFrame(0x06, 5, payload);
    EXPECT_EQ(write[3], 0x01);
    EXPECT_EQ(write[4], 5);
    EXPECT_EQ(write[5], 0xFF);
    EXPECT_EQ(write[32], static_cast<uint8_t>(0xFF + 1 + 2));
    EXPECT_EQ(PacketDescriptor(1, 2), 0x12);

    Frame info{};
    info[4] = 'P';
    info[5] = 'L';
    info[6] = 'A';
    info[7] = 0xE9;  // widened as a signed char
    EXPECT_EQ(ModelCodeFromInfo(info.data()), std::wstring(L"PLA") + static_cast<wchar_t>(-23));
}

class TransportTest : public DeviceTest {
  protected:
    void SetUp() override {
        bus.Plug(1, Link::kCable);
        Refresh(1);
    }
};

TEST_F(TransportTest, ReadRequestGoesOutAsThirtyThreeBytesAndAnswers) {
    Frame frame = MakeReadRequest(0x12);
    EXPECT_TRUE(manager->SendCommand(frame.data(), kShortSubmission, true));

    const auto sent = bus.ReceivedReports(1);  // the enumeration's 0x30, then this one
    ASSERT_EQ(sent.size(), 2u);
    std::vector<uint8_t> expected(33, 0);
    expected[1] = 0x12;
    EXPECT_EQ(sent[1], expected);
    EXPECT_EQ(frame[1], 0);  // the reply's status, over the request
    EXPECT_EQ(frame[4], 1);  // 1000 Hz, the factory report rate
    EXPECT_EQ(clock.sleeps(), Sleeps{66ms});
}

TEST_F(TransportTest, SendWithoutWaitIsFalseEvenThoughTheMouseGotIt) {
    Frame frame = MakeWriteFrame(0x02, 1, std::vector<uint8_t>{0x10});
    EXPECT_FALSE(manager->SendCommand(frame.data(), kShortSubmission, false));
    sim::OnboardMemory memory;
    ASSERT_TRUE(bus.GetMemory(1, memory));
    EXPECT_EQ(memory.report_rate, 0x10);
    EXPECT_EQ(clock.sleeps(), Sleeps{66ms});
}

TEST_F(TransportTest, LongSubmissionIsAcceptedByTheMouse) {
    Frame frame = MakeWriteFrame(0x06, 5, std::vector<uint8_t>{3, 1, 0});
    EXPECT_TRUE(manager->SendCommand(frame.data(), kLongSubmission, true));
    EXPECT_EQ(bus.ReceivedReports(1).back().size(), 65u);
    sim::OnboardMemory memory;
    bus.GetMemory(1, memory);
    EXPECT_EQ(memory.liftoff, 3);
    EXPECT_EQ(memory.sensor_flag_8, 1);
}

TEST_F(TransportTest, SilentMouseCostsFiftyReadsOfThirtyMilliseconds) {
    bus.SetFault(1, {sim::FaultKind::kNeverAnswer});
    Frame frame = MakeReadRequest(0x13);
    const Frame request = [&] {
        Frame f = frame;
        SealFrame(f.data());
        return f;
    }();
    EXPECT_FALSE(manager->SendCommand(frame.data(), kShortSubmission, true));
    EXPECT_EQ(clock.sleeps(), Concat({66ms}, Repeat(30ms, 50)));
    EXPECT_EQ(clock.total_slept(), 1566ms);
    EXPECT_EQ(frame, request);  // nothing arrived: the buffer keeps the request
}

TEST_F(TransportTest, LateAnswerOnTheThirdReadIsTaken) {
    bus.SetFault(1, {sim::FaultKind::kAnswerLate, 70ms});
    Frame frame = MakeReadRequest(0x16);
    EXPECT_TRUE(manager->SendCommand(frame.data(), kShortSubmission, true));
    // Two whole time-outs, then the third read returns as the answer arrives.
    EXPECT_EQ(clock.sleeps(), (Sleeps{66ms, 30ms, 30ms, 10ms}));
    EXPECT_EQ(frame[0], 0x16);
    EXPECT_EQ(frame[1], 0);
}

TEST_F(TransportTest, ReportsWithNonZeroStatusAreConsumedWhileWaiting) {
    bus.SetFault(1, {sim::FaultKind::kGarbage});
    Frame frame = MakeReadRequest(0x17);
    EXPECT_TRUE(manager->SendCommand(frame.data(), kShortSubmission, true));
    EXPECT_EQ(frame[0], 0x17);  // the real answer, after three junk reports
    EXPECT_EQ(frame[4], sim::FactoryMemory().sleep_light);
    EXPECT_EQ(clock.total_slept(), 66ms);
}

TEST_F(TransportTest, ErrorStatusFailsAndLeavesTheLastReportRead) {
    bus.SetFault(1, {sim::FaultKind::kErrorStatus, 0ms, 0x05});
    Frame frame = MakeReadRequest(0x12);
    EXPECT_FALSE(manager->SendCommand(frame.data(), kShortSubmission, true));
    EXPECT_EQ(frame[0], 0x12);
    EXPECT_EQ(frame[1], 0x05);
    EXPECT_EQ(clock.total_slept(), 66ms + 49 * 30ms);
}

TEST_F(TransportTest, DisconnectDuringTheWaitEndsItAtOnce) {
    bus.SetFault(1, {sim::FaultKind::kDisconnectMidCommand});
    Frame frame = MakeReadRequest(0x12);
    EXPECT_FALSE(manager->SendCommand(frame.data(), kShortSubmission, true));
    EXPECT_EQ(clock.sleeps(), Sleeps{66ms});
    // The handle is dead now: the next send fails at the write.
    EXPECT_FALSE(manager->SendCommand(frame.data(), kShortSubmission, true));
}

TEST_F(TransportTest, NothingIsSentWhenNotReadyOrWithoutCurrentDevice) {
    Frame frame = MakeReadRequest(0x12);
    manager->SetCurrentDeviceType(2);  // model B is not attached
    EXPECT_FALSE(manager->SendCommand(frame.data(), kShortSubmission, true));

    manager->SetCurrentDeviceType(1);
    manager->CloseAllDevices();  // a re-enumeration has begun
    EXPECT_FALSE(manager->SendCommand(frame.data(), kShortSubmission, true));

    EXPECT_EQ(Received(1, 0x12), 0);
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(TransportTest, BadSubmissionLengthsAreRefused) {
    Frame frame = MakeReadRequest(0x12);
    EXPECT_FALSE(manager->SendCommand(frame.data(), 0, true));
    EXPECT_FALSE(manager->SendCommand(frame.data(), 66, true));
    EXPECT_FALSE(manager->SendCommand(nullptr, 33, true));
    EXPECT_EQ(Received(1, 0x12), 0);
}

TEST_F(TransportTest, DeviceInfoWithHandleUsesItsShortTiming) {
    HidDevice* handle = manager->GetCurrentHandle();
    ASSERT_NE(handle, nullptr);
    Frame block{};
    EXPECT_TRUE(manager->RequestDeviceInfo(block.data(), handle));
    EXPECT_EQ(ModelCodeFromInfo(block.data()), L"VX07");
    EXPECT_EQ(block[kInfoRateCeiling], 0x40);
    EXPECT_EQ(block[kInfoLinkFlag], 1);
    EXPECT_EQ(clock.sleeps(), (Sleeps{20ms, 20ms}));

    clock.clear_sleeps();
    bus.SetFault(1, {sim::FaultKind::kNeverAnswer});
    EXPECT_FALSE(manager->RequestDeviceInfo(block.data(), handle));
    EXPECT_EQ(clock.sleeps(), (Sleeps{20ms, 20ms, 10ms, 20ms, 10ms}));
}

TEST_F(TransportTest, DeviceInfoWithoutHandleIsTheCachedBlock) {
    bus.SetBattery(1, 42, 1);  // after enumeration: the cached block does not see it
    Frame block{};
    ASSERT_TRUE(manager->RequestDeviceInfo(block.data(), nullptr));
    EXPECT_EQ(ModelCodeFromInfo(block.data()), L"VX07");
    EXPECT_EQ(block[kInfoBatteryLevel], 80);
    EXPECT_TRUE(clock.sleeps().empty());

    manager->SetCurrentDeviceType(2);
    Frame untouched;
    untouched.fill(0xAA);
    block = untouched;
    EXPECT_FALSE(manager->RequestDeviceInfo(block.data(), nullptr));
    EXPECT_EQ(block, untouched);
}

}  // namespace
}  // namespace pellora::testing
