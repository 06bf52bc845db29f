#pragma once
// The button table (command 0x09) and the macro data (command 0x08): how key records and macro
// steps become the bytes the mouse stores. Pure functions over records, so they can be checked
// without a device.

#include <array>
#include <cstdint>
#include <vector>

#include "device/frame.h"
#include "store/records.h"

namespace pellora {

inline constexpr int kButtonTableSize = 65;
inline constexpr int kButtonSlots = 21;  // key codes 0..20, three bytes each
using ButtonTable = std::array<uint8_t, kButtonTableSize>;

// The factory functions of buttons 0..5, all other bytes 0.
ButtonTable InitialButtonTable();

// Writes the entry of one key record into `table` at 3 × key code. Key codes outside 0..20 are
// ignored; a macro that is not in `macros` leaves the entry as it was.
void EncodeButtonEntry(const KeyRecord& key, const MacroList& macros, ButtonTable& table);

ButtonTable BuildButtonTable(const KeyList& keys, const MacroList& macros);

// The 4-byte events of a macro's steps (in position order); returns the event count.
int EncodeMacroSteps(const MacroStepList& steps, std::vector<uint8_t>& events);

// The packet descriptor holds at most 15 packets of 27 bytes: 101 events.
inline constexpr int kMaxMacroEvents = 101;

// The 0x08 frames of a macro bound to `button`: one frame up to six events, otherwise packets of
// 27 bytes. Empty when the macro has more events than the descriptor can address.
std::vector<Frame> BuildMacroFrames(int button, const std::vector<uint8_t>& events);

}  // namespace pellora
