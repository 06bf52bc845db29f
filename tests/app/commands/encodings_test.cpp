// Number encodings and the two key tables.

#include <gtest/gtest.h>

#include "device/commands/encodings.h"

namespace pellora {
namespace {

TEST(Encodings, DpiStepsBySensorCode) {
    struct Case {
        int sensor;
        int dpi;
        uint16_t raw;
    };
    const Case cases[] = {
        {37, 100, 0},    {37, 5000, 49}, {37, 5500, 50},  {37, 6400, 51},
        {37, 10000, 59}, {0, 50, 0},     {0, 26000, 519}, {0, 800, 15},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDpiStep(c.sensor, c.dpi), c.raw) << c.sensor << " " << c.dpi;
    }
    // Decoding: 6000 and 6500 read back as 6400; other sensors in steps of 50.
    EXPECT_EQ(DecodeDpiStep(37, 51), 6400);
    EXPECT_EQ(DecodeDpiStep(37, 52), 6400);
    EXPECT_EQ(DecodeDpiStep(37, 49), 5000);
    EXPECT_EQ(DecodeDpiStep(37, 50), 5500);
    EXPECT_EQ(DecodeDpiStep(37, 59), 10000);
    EXPECT_EQ(DecodeDpiStep(0, 0), 50);
    // Every step of sensor 37 except the 6000/6500 pair survives the round trip.
    for (uint16_t raw = 0; raw <= 59; ++raw) {
        if (raw == 51 || raw == 52)
            continue;
        EXPECT_EQ(EncodeDpiStep(37, DecodeDpiStep(37, raw)), raw);
    }
}

TEST(Encodings, ReportRatesAndCeiling) {
    const int hz[] = {125, 250, 500, 1000, 2000, 4000, 8000};
    const int code[] = {8, 4, 2, 1, 0x10, 0x20, 0x40};
    for (std::size_t i = 0; i < std::size(hz); ++i) {
        EXPECT_EQ(ReportRateCode(hz[i]), code[i]);
        EXPECT_EQ(ReportRateHz(code[i]), hz[i]);
    }
    EXPECT_EQ(ReportRateCode(300), 0);
    EXPECT_EQ(RateCeilingFromInfo(0x10), 5);
    EXPECT_EQ(RateCeilingFromInfo(0x20), 6);
    EXPECT_EQ(RateCeilingFromInfo(0x40), 7);
    EXPECT_EQ(RateCeilingFromInfo(0x00), 4);
    EXPECT_TRUE(RateAllowedByCeiling(2000, 7));
    EXPECT_FALSE(RateAllowedByCeiling(2000, 6));
    EXPECT_TRUE(RateAllowedByCeiling(1000, 4));
    EXPECT_FALSE(RateAllowedByCeiling(300, 7));
}

TEST(Encodings, ColoursGoOutRedGreenBlue) {
    // Blue 0xFF, green 0x80, red 0x00.
    const auto wire = ColourToWire(0xFF8000);
    EXPECT_EQ(wire, (std::array<uint8_t, 3>{0x00, 0x80, 0xFF}));
    EXPECT_EQ(ColourFromWire(0x00, 0x80, 0xFF), 0xFF8000);
    EXPECT_EQ(ParseRgbText("FF8000"), 0x0080FF);
    EXPECT_EQ(ParseRgbText("#ff8000"), 0x0080FF);
    EXPECT_EQ(ParseRgbText("FF800"), -1);
    EXPECT_EQ(ParseRgbText("FF80G0"), -1);
}

TEST(Encodings, KeyUsageAndModifierTables) {
    const std::pair<int, int> usages[] = {
        {0x41, 0x04},  {0x5A, 0x1D}, {0x31, 0x1E},  {0x30, 0x27},  {0x0D, 0x28},
        {0x29A, 0x32}, {0x70, 0x3A}, {0x7B, 0x45},  {0x7C, 0x68},  {0x87, 0x73},
        {0x61, 0x59},  {0x69, 0x61}, {0x60, 0x62},  {0xA2, 0xE0},  {0x5C, 0xE7},
        {0xE2, 0x64},  {0x88, 0x88}, {0x12D, 0xEC}, {0x12E, 0xEB}, {0x07, 0x00},
    };
    for (const auto& [vk, usage] : usages) {
        EXPECT_EQ(KeyUsage(vk), usage) << std::hex << vk;
    }
    EXPECT_EQ(ModifierBit(0xA0), 0x02);
    EXPECT_EQ(ModifierBit(0xE1), 0x02);
    EXPECT_EQ(ModifierBit(0xE6), 0x40);
    EXPECT_EQ(ModifierBit(0x5C), 0x80);
    EXPECT_EQ(ModifierBit(0x04), 0x04);  // not a modifier: itself
}

}  // namespace
}  // namespace pellora
