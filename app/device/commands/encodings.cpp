#include "device/commands/encodings.h"

#include <cctype>
#include <cstring>

namespace pellora {

namespace {

struct RateCode {
    int hz;
    int code;
};
constexpr RateCode kRates[] = {{125, 8},     {250, 4},     {500, 2},    {1000, 1},
                               {2000, 0x10}, {4000, 0x20}, {8000, 0x40}};

struct KeyPair {
    int from;
    int to;
};

constexpr KeyPair kModifierBits[] = {
    {0xA2, 0x01}, {0xE0, 0x01}, {0xA0, 0x02}, {0xE1, 0x02}, {0xA4, 0x04}, {0xE2, 0x04},
    {0x5B, 0x08}, {0xE3, 0x08}, {0xA3, 0x10}, {0xE4, 0x10}, {0xA1, 0x20}, {0xE5, 0x20},
    {0xA5, 0x40}, {0xE6, 0x40}, {0x5C, 0x80}, {0xE7, 0x80},
};

// Single keys of the usage table; the ranges are handled in KeyUsage.
constexpr KeyPair kSingleUsages[] = {
    {0x30, 0x27}, {0x0D, 0x28},  {0x1B, 0x29},  {0x08, 0x2A}, {0x09, 0x2B}, {0x20, 0x2C},
    {0xBD, 0x2D}, {0xBB, 0x2E},  {0xDB, 0x2F},  {0xDD, 0x30}, {0xDC, 0x31}, {0x29A, 0x32},
    {0xBA, 0x33}, {0xDE, 0x34},  {0xC0, 0x35},  {0xBC, 0x36}, {0xBE, 0x37}, {0xBF, 0x38},
    {0x14, 0x39}, {0x2C, 0x46},  {0x91, 0x47},  {0x13, 0x48}, {0x2D, 0x49}, {0x24, 0x4A},
    {0x21, 0x4B}, {0x2E, 0x4C},  {0x23, 0x4D},  {0x22, 0x4E}, {0x27, 0x4F}, {0x25, 0x50},
    {0x28, 0x51}, {0x26, 0x52},  {0x90, 0x53},  {0x6F, 0x54}, {0x6A, 0x55}, {0x6D, 0x56},
    {0x6B, 0x57}, {0x6C, 0x58},  {0x60, 0x62},  {0x6E, 0x63}, {0xA2, 0xE0}, {0xA0, 0xE1},
    {0xA4, 0xE2}, {0x5B, 0xE3},  {0xA3, 0xE4},  {0xA1, 0xE5}, {0xA5, 0xE6}, {0x5C, 0xE7},
    {0x5D, 0x65}, {0xFE, 0xAF},  {0xE2, 0x64},  {0x88, 0x88}, {0x89, 0x89}, {0x8A, 0x8A},
    {0x8B, 0x8B}, {0x12D, 0xEC}, {0x12E, 0xEB},
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

int ReportRateCode(int hz) {
    for (const RateCode& r : kRates) {
        if (r.hz == hz)
            return r.code;
    }
    return 0;
}

int ReportRateHz(int code) {
    for (const RateCode& r : kRates) {
        if (r.code == code)
            return r.hz;
    }
    return 0;
}

int RateCeilingFromInfo(uint8_t info_byte) {
    switch (info_byte) {
        case 0x10:
            return 5;
        case 0x20:
            return 6;
        case 0x40:
            return 7;
        default:
            return 4;
    }
}

bool RateAllowedByCeiling(int hz, int ceiling) {
    if (ReportRateCode(hz) == 0)
        return false;
    return hz <= 1000 || ceiling == 7;
}

uint16_t EncodeDpiStep(int sensor_code, int dpi) {
    int raw = 0;
    if (sensor_code == kSensorCode37) {
        raw = dpi <= 5000 ? dpi / 100 - 1 : (dpi - 5000) / 500 + 49;
    } else {
        raw = dpi / 50 - 1;
    }
    // A value below the first step has no raw step of its own; send the lowest.
    if (raw < 0)
        raw = 0;
    if (raw > 0xFFFF)
        raw = 0xFFFF;
    return static_cast<uint16_t>(raw);
}

int DecodeDpiStep(int sensor_code, uint16_t raw) {
    if (sensor_code != kSensorCode37) {
        return (raw + 1) * 50;
    }
    const int dpi = raw < 50 ? (raw + 1) * 100 : (raw - 39) * 500;
    return (dpi == 6000 || dpi == 6500) ? 6400 : dpi;
}

std::array<uint8_t, 3> ColourToWire(int bgr) {
    const auto value = static_cast<uint32_t>(bgr);
    return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
            static_cast<uint8_t>((value >> 16) & 0xFF)};
}

int ColourFromWire(uint8_t red, uint8_t green, uint8_t blue) {
    return red | (green << 8) | (blue << 16);
}

int ParseRgbText(const char* text) {
    if (text == nullptr)
        return -1;
    if (*text == '#')
        ++text;
    if (std::strlen(text) != 6)
        return -1;
    int rgb = 0;
    for (int i = 0; i < 6; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            return -1;
        rgb = rgb * 16 + digit;
    }
    return ColourFromWire(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                          static_cast<uint8_t>(rgb));
}

int KeyUsage(int vk) {
    if (vk >= 0x41 && vk <= 0x5A)
        return vk - 0x3D;
    if (vk >= 0x31 && vk <= 0x39)
        return vk - 0x13;
    if (vk >= 0x70 && vk <= 0x7B)
        return vk - 0x70 + 0x3A;
    if (vk >= 0x7C && vk <= 0x87)
        return vk - 0x7C + 0x68;
    if (vk >= 0x61 && vk <= 0x69)
        return vk - 0x61 + 0x59;
    for (const KeyPair& p : kSingleUsages) {
        if (p.from == vk)
            return p.to;
    }
    return 0;
}

int ModifierBit(int code) {
    for (const KeyPair& p : kModifierBits) {
        if (p.from == code)
            return p.to;
    }
    return code;
}

bool IsModifierKey(int code) {
    for (const KeyPair& p : kModifierBits) {
        if (p.from == code)
            return true;
    }
    return false;
}

}  // namespace pellora
