#pragma once
// The model's own defaults for the DPI page's settings (levels, colours, count, current level,
// report rate, power options), written into a profile. Used when a profile is created, by the
// restore-DPI-defaults task and by the factory restore.

#include <optional>
#include <string>

#include "store/device_database.h"

namespace pellora {

// Writes the defaults of the description file of `device_key` into `profile`. Returns the
// report-rate default when the file gives one (the caller copies it into the report-rate
// ceiling), nullopt otherwise. A missing file writes nothing.
std::optional<int> WriteModelDefaults(DeviceDatabase& db, int profile,
                                      const std::wstring& device_key);

}  // namespace pellora
