#pragma once
// The number encodings the mouse expects: report-rate codes, DPI steps by sensor code, wire
// colours, and the two key tables (virtual key to HID usage, modifier key to modifier bit).

#include <array>
#include <cstdint>

namespace pellora {

// The sensor whose DPI steps are 100 up to 5000 and 500 above.
inline constexpr int kSensorCode37 = 37;

// Report rate in Hz to the stored and sent code; 0 for a rate the mouse does not know.
int ReportRateCode(int hz);
// Code to Hz; 0 for an unknown code.
int ReportRateHz(int code);
// The report-rate ceiling from information byte 11: 0x10 → 5, 0x20 → 6, 0x40 → 7, else 4.
int RateCeilingFromInfo(uint8_t info_byte);
// Whether the DPI page offers a rate under that ceiling (the fast rates only with ceiling 7).
bool RateAllowedByCeiling(int hz, int ceiling);

// One DPI value as the 16-bit raw step of the sensor, and back.
uint16_t EncodeDpiStep(int sensor_code, int dpi);
int DecodeDpiStep(int sensor_code, uint16_t raw);

// A stored colour 0x00BBGGRR as the three wire bytes RR, GG, BB, and back.
std::array<uint8_t, 3> ColourToWire(int bgr);
int ColourFromWire(uint8_t red, uint8_t green, uint8_t blue);
// "RRGGBB" (six hexadecimal digits, an optional leading '#') to 0x00BBGGRR; -1 when malformed.
int ParseRgbText(const char* text);

// Virtual-key code (or one of the key lists' codes above 0xFF) to HID keyboard usage; 0 when
// the key has none.
int KeyUsage(int virtual_key);
// A modifier key, as virtual-key code or HID usage, to its bit in the modifier byte; any other
// value maps to itself.
int ModifierBit(int code);
bool IsModifierKey(int code);

}  // namespace pellora
