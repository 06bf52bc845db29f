// The theme's colours. Everything is a shade of the toolkit's accent 0x503E98 on the toolkit's
// near-black window colour, so the generated pictures sit on the default backgrounds without
// seams. Text contrast was checked against these fills (white text needs luminance below 0.18,
// the accent-coloured call-out text needs a fill above 0.51).
#pragma once

#include <cstdint>

namespace pellora::theme {

struct Rgb {
    double r, g, b;
};

constexpr Rgb Hex(std::uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

namespace colour {
inline constexpr Rgb kWindow = Hex(0x0A0B0C);     // toolkit default window fill
inline constexpr Rgb kWindowTop = Hex(0x15121F);  // top of the main background
inline constexpr Rgb kPanel = Hex(0x17151F);      // content panels
inline constexpr Rgb kPanelDeep = Hex(0x100F17);  // page backgrounds
inline constexpr Rgb kPanelBorder = Hex(0x2B2640);
inline constexpr Rgb kField = Hex(0x111018);  // edits, combo fields
inline constexpr Rgb kFieldBorder = Hex(0x34304A);
inline constexpr Rgb kAccent = Hex(0x503E98);  // the toolkit's selection colour
inline constexpr Rgb kAccentHover = Hex(0x6A55C2);
inline constexpr Rgb kAccentPressed = Hex(0x3C2E78);
inline constexpr Rgb kAccentDeep = Hex(0x2A2342);
inline constexpr Rgb kAccentBright = Hex(0x8070D8);
inline constexpr Rgb kAccentLight = Hex(0x9C8CF0);  // black text on it: 7.2 : 1
inline constexpr Rgb kLabel = Hex(0xD9D4F2);        // accent text on it: 5.9 : 1
inline constexpr Rgb kGlyph = Hex(0xA29EB5);        // idle icons
inline constexpr Rgb kWhite = Hex(0xFFFFFF);
inline constexpr Rgb kDisabledFill = Hex(0x141417);
inline constexpr Rgb kDisabledBorder = Hex(0x28282E);
inline constexpr Rgb kDisabledGlyph = Hex(0x4A4A54);
inline constexpr Rgb kDanger = Hex(0xC8363C);
inline constexpr Rgb kDangerPressed = Hex(0x9E2A2F);
inline constexpr Rgb kRecord = Hex(0xE5484D);
inline constexpr Rgb kBattery = Hex(0x3DD68C);
inline constexpr Rgb kBatteryDeep = Hex(0x23A866);
inline constexpr Rgb kCharge = Hex(0xFFD23F);
}  // namespace colour

}  // namespace pellora::theme
