#pragma once
// What the simulated mouse keeps in its onboard memory, in the units the firmware stores:
// report-rate code, raw DPI steps, wire colours, button entries and macro event bytes.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pellora::sim {

using Rgb = std::array<uint8_t, 3>;  // RR, GG, BB as on the wire

inline constexpr int kDpiLevels = 6;
inline constexpr int kButtonSlots = 21;
inline constexpr int kLightModes = 8;
inline constexpr int kLightColours = 7;
inline constexpr std::size_t kMacroArea = 1024;  // bytes for every macro together

struct OnboardMemory {
    uint8_t report_rate = 1;  // code: 8, 4, 2, 1, 0x10, 0x20, 0x40
    uint8_t dpi_index = 1;
    uint8_t dpi_count = 4;
    std::array<uint16_t, kDpiLevels> dpi_raw{};
    std::array<Rgb, kDpiLevels> dpi_colour{};
    uint8_t light_mode = 1;
    std::array<uint8_t, kLightModes> light_params{};  // per mode: brightness << 4 | speed
    std::array<Rgb, kLightColours> light_colours{};   // mode 2
    Rgb light_colour{};                               // mode 3
    uint8_t liftoff = 1;
    uint8_t sensor_flag_8 = 0;
    uint8_t sensor_flag_4 = 0;
    uint8_t sleep_light = 0;
    uint8_t move_wakeup = 0;
    uint8_t move_closelight = 0;
    uint8_t button_respondtime = 0;
    std::array<uint8_t, 3 * kButtonSlots> buttons{};
    // Button number → macro data after the button byte (4 bytes per event).
    std::map<uint8_t, std::vector<uint8_t>> macros;

    friend bool operator==(const OnboardMemory&, const OnboardMemory&) = default;
};

OnboardMemory FactoryMemory();

// Bytes the macros take in the macro area (one button byte plus the events each).
std::size_t MacroAreaUsed(const OnboardMemory& memory);

// The memory as a versioned byte image, and back; a damaged image gives nullopt.
std::vector<uint8_t> SaveImage(const OnboardMemory& memory);
std::optional<OnboardMemory> LoadImage(const std::vector<uint8_t>& image);

// DPI steps of the simulated sensor (value ↔ raw step).
uint16_t EncodeDpi(int dpi);
int DecodeDpi(uint16_t raw);

// A readable dump of the memory for tests and the command-line tool.
std::string DumpJson(const OnboardMemory& memory, const std::string& model_code);

}  // namespace pellora::sim
