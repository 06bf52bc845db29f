#pragma once
// The top-level collections of a HID report descriptor, found the way hidapi's hidraw backend
// finds them for hid_enumerate: the usage page and usage in force when a collection opens at
// nesting depth 0.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/hotplug.h"

namespace pellora {

// Never reads past `size`; a truncated or malformed descriptor yields what came before the fault.
std::vector<HidUsagePair> TopLevelCollections(const uint8_t* descriptor, std::size_t size);

}  // namespace pellora
