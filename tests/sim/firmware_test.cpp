// The simulated firmware decodes what the host writes and answers from its memory.

#include <gtest/gtest.h>

#include "device/frame.h"
#include "mouse_firmware.h"

namespace pellora::sim {
namespace {

class FirmwareTest : public ::testing::Test {
  protected:
    FirmwareTest() : firmware(*FindDefaultModel(1)) {}

    std::optional<std::vector<uint8_t>> Send(Frame frame, bool seal = true) {
        if (seal) {
            SealFrame(frame.data());
        }
        return firmware.HandleOutput(frame.data(), kShortSubmission, true);
    }
    Frame Write(uint8_t command, uint8_t length, std::vector<uint8_t> payload) {
        return MakeWriteFrame(command, length, payload);
    }
    std::vector<uint8_t> Read(uint8_t command) {
        auto reply = Send(MakeReadRequest(command));
        EXPECT_TRUE(reply.has_value());
        EXPECT_EQ((*reply)[1], kStatusOk);
        return *reply;
    }

    MouseFirmware firmware;
};

TEST_F(FirmwareTest, WritesAreReadBack) {
    // 0x03: index 2, count 5; level n raw n+10 written twice.
    std::vector<uint8_t> dpi = {0, 0x25};
    for (int n = 0; n < 6; ++n) {
        dpi.insert(dpi.end(), {uint8_t(n + 10), 0, uint8_t(n + 10), 0});
    }
    EXPECT_FALSE(Send(Write(0x03, 0x26, dpi)).has_value());  // sent without waiting: no answer
    const auto levels = Read(0x13);
    EXPECT_EQ(levels[4], 0x25);
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(levels[5 + 4 * n], n + 10);
        EXPECT_EQ(levels[6 + 4 * n], 0);
    }

    EXPECT_FALSE(Send(Write(0x02, 1, {0x40})).has_value());
    EXPECT_EQ(Read(0x12)[4], 0x40);

    std::vector<uint8_t> colours;
    for (int n = 0; n < 18; ++n) {
        colours.push_back(uint8_t(n * 3));
    }
    EXPECT_FALSE(Send(Write(0x04, 18, colours)).has_value());
    const auto read_colours = Read(0x14);
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), read_colours.begin() + 4));

    EXPECT_EQ((*Send(Write(0x06, 5, {7, 1, 0})))[1], kStatusOk);
    const auto sensor = Read(0x16);
    EXPECT_EQ(sensor[4], 7);
    EXPECT_EQ(sensor[5], 1);
    EXPECT_EQ(sensor[6], 0);

    EXPECT_EQ((*Send(Write(0x07, 4, {9, 1, 2, 8})))[1], kStatusOk);
    const auto power = Read(0x17);
    EXPECT_EQ(std::vector<uint8_t>(power.begin() + 4, power.begin() + 8),
              (std::vector<uint8_t>{9, 1, 2, 8}));
}

TEST_F(FirmwareTest, LightingModesCarryTheirColours) {
    std::vector<uint8_t> cycle = {2, 0x53, 7};
    for (int k = 0; k < 7; ++k) {
        cycle.insert(cycle.end(), {uint8_t(k), uint8_t(0x10 + k), uint8_t(0x20 + k)});
    }
    EXPECT_EQ((*Send(Write(0x05, 24, cycle)))[1], kStatusOk);
    EXPECT_EQ(firmware.memory().light_colours[6], (Rgb{6, 0x16, 0x26}));
    EXPECT_EQ((*Send(Write(0x05, 5, {3, 0x21, 0xFF, 0x80, 0x00})))[1], kStatusOk);
    EXPECT_EQ(firmware.memory().light_colour, (Rgb{0xFF, 0x80, 0x00}));
    const auto light = Read(0x15);
    EXPECT_EQ(light[4], 3);
    EXPECT_EQ(light[5], 0x21);
}

TEST_F(FirmwareTest, ButtonTableTakesTheFrameBytes) {
    std::vector<uint8_t> table(27, 0);
    table[3] = 0x80;
    table[4] = 0x02;
    table[5] = 0x04;  // button 1: Shift+A
    EXPECT_EQ((*Send(Write(0x09, 15, table)))[1], kStatusOk);
    const auto& buttons = firmware.memory().buttons;
    EXPECT_EQ(std::vector<uint8_t>(buttons.begin() + 3, buttons.begin() + 6),
              (std::vector<uint8_t>{0x80, 0x02, 0x04}));
    EXPECT_EQ(buttons[0], 0);
}

TEST_F(FirmwareTest, FactoryResetAndRefusals) {
    Send(Write(0x02, 1, {0x08}));
    struct Case {
        Frame frame;
        bool seal;
        uint8_t status;
    };
    Frame bad_sum = Write(0x06, 5, {1, 1, 1});
    bad_sum[32] ^= 0x01;
    const Case cases[] = {
        {bad_sum, false, kStatusBadChecksum},
        {Write(0x0F, 1, {0x00}), true, kStatusBadPacket},  // reset wants 0xFF
        {Write(0x6E, 1, {0x01}), true, kStatusUnknownCommand},
    };
    for (const Case& c : cases) {
        const auto reply = Send(c.frame, c.seal);
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ((*reply)[1], c.status);
    }
    EXPECT_EQ(firmware.memory().liftoff, FactoryMemory().liftoff);
    EXPECT_EQ(firmware.memory().report_rate, 0x08);

    EXPECT_EQ((*Send(Write(0x0F, 1, {0xFF})))[1], kStatusOk);
    EXPECT_EQ(firmware.memory(), FactoryMemory());
}

TEST_F(FirmwareTest, InformationBlock) {
    firmware.SetBattery(64, 1);
    const auto info = Read(kCommandDeviceInfo);
    EXPECT_EQ(std::string(info.begin() + 4, info.begin() + 8), "VX07");
    EXPECT_EQ(info[kInfoRateCeiling], 0x40);
    EXPECT_EQ(info[kInfoChargeState], 1);
    EXPECT_EQ(info[kInfoBatteryLevel], 64);
    EXPECT_EQ(info[kInfoLinkFlag], 1);
}

// Macro packets as the host builds them: data = button, then 4-byte events.
std::vector<Frame> MacroFrames(uint8_t button, int events) {
    std::vector<uint8_t> data = {button};
    for (int e = 0; e < events; ++e) {
        data.insert(data.end(), {uint8_t(e % 2 ? 0xB0 : 0x30), 1, 0, uint8_t(4 + e)});
    }
    const int length = static_cast<int>(data.size());
    std::vector<Frame> frames;
    if (events <= 6) {
        Frame f{};
        f[1] = 0x08;
        f[3] = 0x01;
        f[4] = uint8_t(length);
        std::copy(data.begin(), data.end(), f.begin() + 5);
        frames.push_back(f);
        return frames;
    }
    const int packets = length / 27 + (length % 27 ? 1 : 0);
    for (int i = 0; i < packets; ++i) {
        Frame f{};
        f[1] = 0x08;
        f[3] = PacketDescriptor(i, packets);
        f[4] = uint8_t(i + 1 < packets ? 27 : length - 27 * (packets - 1));
        std::copy_n(data.begin() + 27 * i, f[4], f.begin() + 5);
        frames.push_back(f);
    }
    return frames;
}

TEST_F(FirmwareTest, MacrosAreReassembledByPacketDescriptor) {
    for (int events : {3, 7, 13, 40}) {
        SCOPED_TRACE(events);
        const auto frames = MacroFrames(5, events);
        for (const Frame& f : frames) {
            const auto reply = Send(f);
            ASSERT_TRUE(reply.has_value());
            EXPECT_EQ((*reply)[1], kStatusOk);
        }
        const auto& stored = firmware.memory().macros.at(5);
        ASSERT_EQ(stored.size(), static_cast<std::size_t>(4 * events));
        EXPECT_EQ(stored[3], 4);
        EXPECT_EQ(stored[4 * events - 1], 4 + events - 1);
    }
    const auto seven = MacroFrames(2, 7);
    EXPECT_EQ(seven[0][3], 0x02);
    EXPECT_EQ(seven[1][3], 0x12);
    EXPECT_EQ(seven[1][4], 2);
}

TEST_F(FirmwareTest, BrokenMacroSequencesAreRefused) {
    const auto frames = MacroFrames(4, 13);              // two packets
    EXPECT_EQ((*Send(frames[1]))[1], kStatusBadPacket);  // second packet first
    EXPECT_EQ((*Send(frames[0]))[1], kStatusOk);
    EXPECT_EQ((*Send(frames[0]))[1], kStatusOk);  // a new first packet starts over
    EXPECT_EQ((*Send(frames[1]))[1], kStatusOk);
    EXPECT_EQ(firmware.memory().macros.at(4).size(), 52u);

    Frame bad_length = frames[0];
    bad_length[4] = 28;
    EXPECT_EQ((*Send(bad_length))[1], kStatusBadPacket);

    // Eleven buttons of 101 events fill more than the 1024-byte area.
    int refused = 0;
    for (uint8_t button = 0; button < 11; ++button) {
        for (const Frame& f : MacroFrames(button, 101)) {
            refused += (*Send(f))[1] == kStatusMacroAreaFull ? 1 : 0;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_LE(MacroAreaUsed(firmware.memory()), kMacroArea);
}

TEST_F(FirmwareTest, DpiButtonCyclesThroughTheLevelsInUse) {
    std::vector<uint8_t> indexes;
    for (int i = 0; i < 5; ++i) {
        const auto report = firmware.PressDpiButton();
        EXPECT_EQ(report[0], kReportDpiButton);
        EXPECT_EQ(report[1] & 0x0F, 4);
        indexes.push_back(report[1] >> 4);
    }
    EXPECT_EQ(indexes, (std::vector<uint8_t>{2, 3, 0, 1, 2}));
}

}  // namespace
}  // namespace pellora::sim
