#include "onboard_memory.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <sstream>

namespace pellora::sim {
namespace {

constexpr uint8_t kImageMagic[4] = {'P', 'L', 'M', 'M'};
constexpr uint8_t kImageVersion = 1;

class ImageWriter {
  public:
    void Byte(uint8_t b) { bytes_.push_back(b); }
    void Word(uint16_t w) {
        Byte(static_cast<uint8_t>(w & 0xFF));
        Byte(static_cast<uint8_t>(w >> 8));
    }
    template <std::size_t N>
    void Bytes(const std::array<uint8_t, N>& a) {
        bytes_.insert(bytes_.end(), a.begin(), a.end());
    }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

class ImageReader {
  public:
    explicit ImageReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Byte(uint8_t& b) {
        if (pos_ >= bytes_.size()) {
            return false;
        }
        b = bytes_[pos_++];
        return true;
    }
    bool Word(uint16_t& w) {
        uint8_t lo = 0;
        uint8_t hi = 0;
        if (!Byte(lo) || !Byte(hi)) {
            return false;
        }
        w = static_cast<uint16_t>(lo | (hi << 8));
        return true;
    }
    template <std::size_t N>
    bool Bytes(std::array<uint8_t, N>& a) {
        for (uint8_t& b : a) {
            if (!Byte(b)) {
                return false;
            }
        }
        return true;
    }
    bool AtEnd() const { return pos_ == bytes_.size(); }

  private:
    const std::vector<uint8_t>& bytes_;
    std::size_t pos_ = 0;
};

std::string Hex2(unsigned v) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", v & 0xFF);
    return text;
}

std::string Colour(const Rgb& c) {
    return "\"#" + Hex2(c[0]) + Hex2(c[1]) + Hex2(c[2]) + "\"";
}

int RateHz(uint8_t code) {
    switch (code) {
        case 8:
            return 125;
        case 4:
            return 250;
        case 2:
            return 500;
        case 1:
            return 1000;
        case 0x10:
            return 2000;
        case 0x20:
            return 4000;
        case 0x40:
            return 8000;
        default:
            return 0;
    }
}

const char* EventName(uint8_t code) {
    switch (code) {
        case 0x30:
            return "key down";
        case 0xB0:
            return "key up";
        case 0x20:
            return "modifier down";
        case 0xA0:
            return "modifier up";
        case 0x10:
            return "mouse down";
        case 0x90:
            return "mouse up";
        default:
            return "unknown";
    }
}

}  // namespace

OnboardMemory FactoryMemory() {
    OnboardMemory m;
    const int dpi[kDpiLevels] = {400, 800, 1600, 3200, 6400, 10000};
    const Rgb colours[kDpiLevels] = {{0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0x00, 0x00, 0xFF},
                                     {0xFF, 0xFF, 0x00}, {0x00, 0xFF, 0xFF}, {0xFF, 0x00, 0xFF}};
    for (int i = 0; i < kDpiLevels; ++i) {
        m.dpi_raw[i] = EncodeDpi(dpi[i]);
        m.dpi_colour[i] = colours[i];
    }
    m.light_params.fill(0x33);
    for (int i = 0; i < kLightColours; ++i) {
        m.light_colours[i] = colours[i % kDpiLevels];
    }
    m.light_colour = {0xFF, 0xFF, 0xFF};
    m.sleep_light = 5;
    m.move_wakeup = 1;
    m.move_closelight = 1;
    m.button_respondtime = 4;
    // Factory functions of buttons 0-5: left, right, middle, back, forward, DPI cycle.
    const uint8_t factory[] = {0x20, 0x01, 0x00, 0x20, 0x02, 0x00, 0x20, 0x04, 0x00,
                               0x20, 0x08, 0x00, 0x20, 0x10, 0x00, 0x50, 0x01, 0x00};
    std::copy(std::begin(factory), std::end(factory), m.buttons.begin());
    return m;
}

std::size_t MacroAreaUsed(const OnboardMemory& memory) {
    std::size_t used = 0;
    for (const auto& [button, events] : memory.macros) {
        used += 1 + events.size();
    }
    return used;
}

std::vector<uint8_t> SaveImage(const OnboardMemory& m) {
    ImageWriter w;
    for (uint8_t b : kImageMagic) {
        w.Byte(b);
    }
    w.Byte(kImageVersion);
    w.Byte(m.report_rate);
    w.Byte(m.dpi_index);
    w.Byte(m.dpi_count);
    for (uint16_t raw : m.dpi_raw) {
        w.Word(raw);
    }
    for (const Rgb& c : m.dpi_colour) {
        w.Bytes(c);
    }
    w.Byte(m.light_mode);
    w.Bytes(m.light_params);
    for (const Rgb& c : m.light_colours) {
        w.Bytes(c);
    }
    w.Bytes(m.light_colour);
    for (uint8_t b : {m.liftoff, m.sensor_flag_8, m.sensor_flag_4, m.sleep_light, m.move_wakeup,
                      m.move_closelight, m.button_respondtime}) {
        w.Byte(b);
    }
    w.Bytes(m.buttons);
    w.Byte(static_cast<uint8_t>(m.macros.size()));
    for (const auto& [button, events] : m.macros) {
        w.Byte(button);
        w.Word(static_cast<uint16_t>(events.size()));
        for (uint8_t b : events) {
            w.Byte(b);
        }
    }
    return w.Take();
}

std::optional<OnboardMemory> LoadImage(const std::vector<uint8_t>& image) {
    ImageReader r(image);
    OnboardMemory m;
    for (uint8_t expected : kImageMagic) {
        uint8_t b = 0;
        if (!r.Byte(b) || b != expected) {
            return std::nullopt;
        }
    }
    uint8_t version = 0;
    if (!r.Byte(version) || version != kImageVersion) {
        return std::nullopt;
    }
    bool ok = r.Byte(m.report_rate) && r.Byte(m.dpi_index) && r.Byte(m.dpi_count);
    for (uint16_t& raw : m.dpi_raw) {
        ok = ok && r.Word(raw);
    }
    for (Rgb& c : m.dpi_colour) {
        ok = ok && r.Bytes(c);
    }
    ok = ok && r.Byte(m.light_mode) && r.Bytes(m.light_params);
    for (Rgb& c : m.light_colours) {
        ok = ok && r.Bytes(c);
    }
    ok = ok && r.Bytes(m.light_colour) && r.Byte(m.liftoff) && r.Byte(m.sensor_flag_8) &&
         r.Byte(m.sensor_flag_4) && r.Byte(m.sleep_light) && r.Byte(m.move_wakeup) &&
         r.Byte(m.move_closelight) && r.Byte(m.button_respondtime) && r.Bytes(m.buttons);
    uint8_t macro_count = 0;
    ok = ok && r.Byte(macro_count);
    for (int i = 0; ok && i < macro_count; ++i) {
        uint8_t button = 0;
        uint16_t size = 0;
        ok = r.Byte(button) && r.Word(size) && size <= kMacroArea && size % 4 == 0;
        std::vector<uint8_t> events(ok ? size : 0);
        for (uint8_t& b : events) {
            ok = ok && r.Byte(b);
        }
        if (ok) {
            m.macros[button] = std::move(events);
        }
    }
    if (!ok || !r.AtEnd() || MacroAreaUsed(m) > kMacroArea) {
        return std::nullopt;
    }
    return m;
}

uint16_t EncodeDpi(int dpi) {
    if (dpi <= 5000) {
        return static_cast<uint16_t>(std::max(dpi / 100 - 1, 0));
    }
    return static_cast<uint16_t>((dpi - 5000) / 500 + 49);
}

int DecodeDpi(uint16_t raw) {
    const int d = raw < 50 ? (raw + 1) * 100 : (raw - 39) * 500;
    return (d == 6000 || d == 6500) ? 6400 : d;
}

std::string DumpJson(const OnboardMemory& m, const std::string& model_code) {
    std::ostringstream out;
    out << "{\n  \"model\": \"" << model_code << "\",\n";
    out << "  \"report_rate\": {\"code\": " << int(m.report_rate)
        << ", \"hz\": " << RateHz(m.report_rate) << "},\n";
    out << "  \"dpi\": {\"count\": " << int(m.dpi_count) << ", \"index\": " << int(m.dpi_index)
        << ", \"levels\": [";
    for (int i = 0; i < kDpiLevels; ++i) {
        out << (i ? ", " : "") << "{\"raw\": " << m.dpi_raw[i]
            << ", \"dpi\": " << DecodeDpi(m.dpi_raw[i])
            << ", \"colour\": " << Colour(m.dpi_colour[i]) << "}";
    }
    out << "]},\n";
    out << "  \"lighting\": {\"mode\": " << int(m.light_mode)
        << ", \"brightness\": " << (m.light_params[m.light_mode % kLightModes] >> 4)
        << ", \"speed\": " << (m.light_params[m.light_mode % kLightModes] & 0x0F)
        << ", \"colour\": " << Colour(m.light_colour) << ", \"colours\": [";
    for (int i = 0; i < kLightColours; ++i) {
        out << (i ? ", " : "") << Colour(m.light_colours[i]);
    }
    out << "]},\n";
    out << "  \"liftoff\": " << int(m.liftoff) << ",\n";
    out << "  \"sensor_flag\": " << ((m.sensor_flag_8 ? 8 : 0) + (m.sensor_flag_4 ? 4 : 0))
        << ",\n";
    out << "  \"power\": {\"sleep_light\": " << int(m.sleep_light)
        << ", \"move_wakeup\": " << int(m.move_wakeup)
        << ", \"move_closelight\": " << int(m.move_closelight)
        << ", \"button_respondtime\": " << int(m.button_respondtime) << "},\n";
    out << "  \"buttons\": [";
    for (int k = 0; k < kButtonSlots; ++k) {
        out << (k ? ", " : "") << "\"" << Hex2(m.buttons[3 * k]) << " "
            << Hex2(m.buttons[3 * k + 1]) << " " << Hex2(m.buttons[3 * k + 2]) << "\"";
    }
    out << "],\n";
    out << "  \"macros\": [";
    bool first = true;
    for (const auto& [button, events] : m.macros) {
        out << (first ? "" : ", ") << "{\"button\": " << int(button) << ", \"events\": [";
        first = false;
        for (std::size_t e = 0; e + 3 < events.size(); e += 4) {
            out << (e ? ", " : "") << "{\"event\": \"" << EventName(events[e])
                << "\", \"code\": " << int(events[e])
                << ", \"delay_ms\": " << (events[e + 1] | (events[e + 2] << 8))
                << ", \"value\": " << int(events[e + 3]) << "}";
        }
        out << "]}";
    }
    out << "],\n";
    out << "  \"macro_bytes_used\": " << MacroAreaUsed(m) << "\n}\n";
    return out.str();
}

}  // namespace pellora::sim
