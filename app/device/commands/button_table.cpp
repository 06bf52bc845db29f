#include "device/commands/button_table.h"

#include <algorithm>

#include "device/commands/encodings.h"

namespace pellora {

namespace {

constexpr uint8_t kCommandMacro = 0x08;

using Entry = std::array<uint8_t, 3>;

Entry MouseButtonEntry(int v) {
    switch (v) {
        case 1:
            return {0x20, 0x01, 0x00};
        case 2:
            return {0x20, 0x04, 0x00};
        case 3:
            return {0x20, 0x02, 0x00};
        case 4:
            return {0x40, 0x32, 0x03};
        case 5:
            return {0x20, 0x10, 0x00};
        case 6:
            return {0x20, 0x08, 0x00};
        case 7:
            return {0x20, 0x01, 0x00};
        case 8:
            return {0x20, 0xFF, 0x00};
        case 9:
            return {0x20, 0x00, 0xF5};
        case 10:
            return {0x20, 0x00, 0xF6};
        default:
            return {0x20, 0x00, 0x00};
    }
}

Entry KeyboardEntry(int v, int w) {
    if (w == 0 && v >= 0xE0 && v <= 0xE7) {
        return {0x80, static_cast<uint8_t>(ModifierBit(v)), 0x00};
    }
    return {0x80, static_cast<uint8_t>(w & 0xFF),
            static_cast<uint8_t>(v == 0 ? 0 : ModifierBit(v) & 0xFF)};
}

Entry MediaEntry(int v) {
    static constexpr uint16_t kUsages[] = {0x0183, 0x00CD, 0x00B7, 0x00B6,
                                           0x00B5, 0x00E9, 0x00EA, 0x00E2};
    const uint16_t usage = (v >= 1 && v <= 8) ? kUsages[v - 1] : 0;
    return {0x90, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)};
}

Entry DpiEntry(int v) {
    switch (v) {
        case 1:
            return {0x50, 0x02, 0x00};
        case 2:
            return {0x50, 0x03, 0x00};
        case 3:
            return {0x50, 0x01, 0x00};
        default:
            return {0x50, 0x00, 0x00};
    }
}

Entry SystemEntry(int v) {
    static constexpr Entry kEntries[] = {
        {0x90, 0x6F, 0x00}, {0x90, 0x70, 0x00}, {0x90, 0x92, 0x01}, {0x90, 0x94, 0x01},
        {0x90, 0x23, 0x02}, {0x90, 0x8A, 0x01}, {0x80, 0x08, 0x07}, {0x80, 0x08, 0x2B},
        {0x80, 0x01, 0x06}, {0x80, 0x01, 0x19}, {0x80, 0x01, 0x1B},
    };
    return (v >= 1 && v <= 11) ? kEntries[v - 1] : Entry{0x90, 0x00, 0x00};
}

void PutDelay(std::vector<uint8_t>& events, std::size_t event_start, long long delay) {
    // The wire holds 16 bits; a longer pause is kept as the longest one it can carry.
    const auto value = static_cast<uint16_t>(std::clamp<long long>(delay, 0, 0xFFFF));
    events[event_start + 1] = static_cast<uint8_t>(value & 0xFF);
    events[event_start + 2] = static_cast<uint8_t>(value >> 8);
}

// Step values are virtual-key codes; only that column of the modifier table names a modifier
// (0xE2 as a virtual key is an ordinary key, not the HID usage of left Alt).
bool IsModifierVirtualKey(int vk) {
    return (vk >= 0xA0 && vk <= 0xA5) || vk == 0x5B || vk == 0x5C;
}

}  // namespace

ButtonTable InitialButtonTable() {
    ButtonTable table{};
    static constexpr Entry kFactory[] = {{0x20, 0x01, 0x00}, {0x20, 0x02, 0x00},
                                         {0x20, 0x04, 0x00}, {0x20, 0x08, 0x00},
                                         {0x20, 0x10, 0x00}, {0x50, 0x01, 0x00}};
    for (std::size_t b = 0; b < std::size(kFactory); ++b) {
        std::copy(kFactory[b].begin(), kFactory[b].end(), table.begin() + 3 * b);
    }
    return table;
}

void EncodeButtonEntry(const KeyRecord& key, const MacroList& macros, ButtonTable& table) {
    if (key.key_code < 0 || key.key_code >= kButtonSlots) {
        return;
    }
    uint8_t* entry = table.data() + 3 * key.key_code;
    const int v = key.macro_value;
    const int w = key.macro_value2;
    auto put = [entry](const Entry& e) { std::copy(e.begin(), e.end(), entry); };
    switch (key.macro_type) {
        case 1:
            put(MouseButtonEntry(v));
            break;
        case 2:
            put(KeyboardEntry(v, w));
            break;
        case 3:
            put(MediaEntry(v));
            break;
        case 4: {
            const auto it = std::find_if(macros.begin(), macros.end(),
                                         [v](const auto& m) { return m && m->id == v; });
            if (it == macros.end())
                break;
            const MacroRecord& macro = **it;
            Entry e{0xA0, static_cast<uint8_t>(key.key_code), 0x00};
            if (macro.play_type == 1 || macro.play_type == 3) {
                e[1] |= 0x10;
            } else if (macro.play_type == 2) {
                e[1] |= 0x40;
            } else if (macro.play_times >= 1) {
                e[1] |= 0x20;
                e[2] = static_cast<uint8_t>(macro.play_times & 0xFF);
            }
            put(e);
            break;
        }
        case 5:
            put(DpiEntry(v));
            break;
        case 6:
            entry[0] = 0x60;
            if (v == 1)
                entry[1] = 0x04;
            if (v == 2)
                entry[1] = 0x01;
            break;
        case 7:
            put({0x40, static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(w & 0xFF)});
            break;
        case 8:
            put(SystemEntry(v));
            break;
        case 9:
            put({0x20, 0x00, 0x00});
            break;
        default:
            break;
    }
}

ButtonTable BuildButtonTable(const KeyList& keys, const MacroList& macros) {
    ButtonTable table = InitialButtonTable();
    for (const auto& key : keys) {
        if (key)
            EncodeButtonEntry(*key, macros, table);
    }
    return table;
}

int EncodeMacroSteps(const MacroStepList& steps, std::vector<uint8_t>& events) {
    events.clear();
    long long delay = 0;
    bool written = false;
    std::size_t last = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!steps[i])
            continue;
        const MacroStep& step = *steps[i];
        if (step.kind == kMacroStepDelay) {
            delay += step.value;
            if (i + 1 == steps.size() && written) {
                PutDelay(events, last, delay);
                delay = 0;
            }
            continue;
        }
        uint8_t code = 0;
        uint8_t value = 0;
        switch (step.kind) {
            case kMacroStepKeyDown:
            case kMacroStepKeyUp: {
                const bool down = step.kind == kMacroStepKeyDown;
                if (IsModifierVirtualKey(step.value)) {
                    code = down ? 0x20 : 0xA0;
                    value = static_cast<uint8_t>(ModifierBit(step.value));
                } else {
                    code = down ? 0x30 : 0xB0;
                    value = static_cast<uint8_t>(KeyUsage(step.value));
                }
                break;
            }
            case kMacroStepButtonDown:
                code = 0x10;
                value = static_cast<uint8_t>(step.value & 0xFF);
                break;
            case kMacroStepButtonUp:
                code = 0x90;
                value = static_cast<uint8_t>(step.value & 0xFF);
                break;
            default:
                continue;
        }
        if (written) {
            PutDelay(events, last, std::max<long long>(delay, 1));
            delay = 0;
        }
        last = events.size();
        events.insert(events.end(), {code, 0x01, 0x00, value});
        written = true;
    }
    return static_cast<int>(events.size() / 4);
}

std::vector<Frame> BuildMacroFrames(int button, const std::vector<uint8_t>& events) {
    const int count = static_cast<int>(events.size() / 4);
    if (count > kMaxMacroEvents) {
        return {};
    }
    std::vector<uint8_t> data;
    data.reserve(events.size() + 1);
    data.push_back(static_cast<uint8_t>(button & 0xFF));
    data.insert(data.end(), events.begin(), events.end());
    const int length = static_cast<int>(data.size());

    std::vector<Frame> frames;
    if (count <= 6) {
        frames.push_back(MakeWriteFrame(kCommandMacro, static_cast<uint8_t>(length), data));
        return frames;
    }
    constexpr int kChunk = static_cast<int>(kPayloadSize);
    const int packets = length / kChunk + (length % kChunk != 0 ? 1 : 0);
    for (int i = 0; i < packets; ++i) {
        const int size = i + 1 < packets ? kChunk : length - kChunk * (packets - 1);
        Frame frame = MakeWriteFrame(
            kCommandMacro, static_cast<uint8_t>(size),
            std::span<const uint8_t>(data.data() + static_cast<std::size_t>(kChunk) * i,
                                     static_cast<std::size_t>(size)));
        frame[kFrameDescriptor] = PacketDescriptor(i, packets);
        SealFrame(frame.data());
        frames.push_back(frame);
    }
    return frames;
}

}  // namespace pellora
