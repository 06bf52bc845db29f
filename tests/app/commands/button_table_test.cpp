// Button entries, macro events and macro packets.

#include <gtest/gtest.h>

#include "device/commands/button_table.h"

namespace pellora {
namespace {

KeyRecord Key(int code, int type, int v, int w = 0) {
    KeyRecord k;
    k.key_code = code;
    k.macro_type = type;
    k.macro_value = v;
    k.macro_value2 = w;
    return k;
}

std::array<uint8_t, 3> EntryOf(const KeyRecord& key, const MacroList& macros = {}) {
    ButtonTable table = InitialButtonTable();
    EncodeButtonEntry(key, macros, table);
    const int at = 3 * key.key_code;
    return {table[at], table[at + 1], table[at + 2]};
}

TEST(ButtonTable, EntriesByFunctionType) {
    using E = std::array<uint8_t, 3>;
    struct Case {
        KeyRecord key;
        E entry;
    };
    const Case cases[] = {
        {Key(1, 2, 0x04, 0x02), {0x80, 0x02, 0x04}},  // Shift+A
        {Key(3, 2, 0xE6, 0), {0x80, 0x40, 0x00}},     // lone right Alt
        {Key(0, 3, 1), {0x90, 0x83, 0x01}},           // media usage 0x0183
        {Key(0, 3, 99), {0x90, 0x00, 0x00}},
        {Key(2, 1, 4), {0x40, 0x32, 0x03}},
        {Key(2, 1, 3), {0x20, 0x02, 0x00}},
        {Key(2, 1, 42), {0x20, 0x00, 0x00}},
        {Key(4, 5, 2), {0x50, 0x03, 0x00}},
        {Key(4, 6, 1), {0x60, 0x04, 0x00}},  // byte 2 keeps button 4's factory 0x00
        {Key(5, 6, 7), {0x60, 0x01, 0x00}},  // unchanged byte 1 of 50 01 00
        {Key(6, 7, 0x1234, 0x56), {0x40, 0x34, 0x56}},
        {Key(7, 8, 7), {0x80, 0x08, 0x07}},  // Windows+D
        {Key(7, 8, 12), {0x90, 0x00, 0x00}},
        {Key(5, 9, 1), {0x20, 0x00, 0x00}},
        {Key(5, 42, 1), {0x50, 0x01, 0x00}},  // unknown type: unchanged
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EntryOf(c.key), c.entry)
            << "type " << c.key.macro_type << " v " << c.key.macro_value;
    }
}

TEST(ButtonTable, MacroEntriesFollowPlayType) {
    MacroList macros;
    for (auto [id, play_type, times] : {std::tuple{7, 1, 0}, {8, 2, 0}, {9, 0, 5}, {10, 0, 0}}) {
        auto m = std::make_unique<MacroRecord>();
        m->id = id;
        m->play_type = play_type;
        m->play_times = times;
        macros.push_back(std::move(m));
    }
    using E = std::array<uint8_t, 3>;
    EXPECT_EQ(EntryOf(Key(3, 4, 7), macros), (E{0xA0, 0x13, 0x00}));
    EXPECT_EQ(EntryOf(Key(3, 4, 8), macros), (E{0xA0, 0x43, 0x00}));
    EXPECT_EQ(EntryOf(Key(3, 4, 9), macros), (E{0xA0, 0x23, 0x05}));
    EXPECT_EQ(EntryOf(Key(3, 4, 10), macros), (E{0xA0, 0x03, 0x00}));
    // A macro that no longer exists keeps the previous bytes.
    EXPECT_EQ(EntryOf(Key(3, 4, 99), macros), (E{0x20, 0x08, 0x00}));
    // Key codes outside the table change nothing.
    ButtonTable table = InitialButtonTable();
    EncodeButtonEntry(Key(21, 9, 1), macros, table);
    EncodeButtonEntry(Key(-1, 9, 1), macros, table);
    EXPECT_EQ(table, InitialButtonTable());
}

MacroStepList Steps(std::initializer_list<std::pair<int, int>> steps) {
    MacroStepList list;
    for (auto [kind, value] : steps) {
        auto s = std::make_unique<MacroStep>();
        s->kind = kind;
        s->value = value;
        list.push_back(std::move(s));
    }
    return list;
}

TEST(ButtonTable, MacroEventsCarryTheDelayAfterThem) {
    using V = std::vector<uint8_t>;
    struct Case {
        MacroStepList steps;
        V events;
    };
    std::vector<Case> cases;
    cases.push_back(
        {Steps({{2, 0x41}, {1, 20}, {3, 0x41}}), V{0x30, 20, 0, 0x04, 0xB0, 1, 0, 0x04}});
    // A leading delay is carried into the first event's delay.
    cases.push_back(
        {Steps({{1, 10}, {2, 0x41}, {3, 0x41}}), V{0x30, 10, 0, 0x04, 0xB0, 1, 0, 0x04}});
    cases.push_back({Steps({{2, 0xA0}, {3, 0xA0}}), V{0x20, 1, 0, 0x02, 0xA0, 1, 0, 0x02}});
    // A trailing delay lands on the last event; 16 bits at most.
    cases.push_back({Steps({{4, 1}, {1, 300}, {1, 100}, {5, 1}, {1, 70000}}),
                     V{0x10, 0x90, 0x01, 1, 0x90, 0xFF, 0xFF, 1}});
    // A virtual key 0xE2 is an ordinary key, not left Alt.
    cases.push_back({Steps({{2, 0xE2}}), V{0x30, 1, 0, 0x64}});
    for (const Case& c : cases) {
        std::vector<uint8_t> events;
        EXPECT_EQ(EncodeMacroSteps(c.steps, events), static_cast<int>(c.events.size() / 4));
        EXPECT_EQ(events, c.events);
    }
}

TEST(ButtonTable, MacroPackets) {
    const auto frames_for = [](int events) {
        return BuildMacroFrames(3, std::vector<uint8_t>(4 * events, 0x11));
    };
    auto one = BuildMacroFrames(3, {0x30, 20, 0, 4, 0xB0, 1, 0, 4});
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0][1], 0x08);
    EXPECT_EQ(one[0][3], 0x01);
    EXPECT_EQ(one[0][4], 9);
    EXPECT_EQ(one[0][5], 3);  // button number first

    auto seven = frames_for(7);  // L = 29
    ASSERT_EQ(seven.size(), 2u);
    EXPECT_EQ(seven[0][3], 0x02);
    EXPECT_EQ(seven[1][3], 0x12);
    EXPECT_EQ(seven[0][4], 27);
    EXPECT_EQ(seven[1][4], 2);
    EXPECT_EQ(seven[1][32], FrameChecksum(seven[1].data()));

    auto thirteen = frames_for(13);  // L = 53
    ASSERT_EQ(thirteen.size(), 2u);
    EXPECT_EQ(thirteen[1][4], 26);
    EXPECT_EQ(frames_for(101).size(), 15u);
    EXPECT_TRUE(frames_for(102).empty());  // the descriptor cannot count 16 packets
}

}  // namespace
}  // namespace pellora
