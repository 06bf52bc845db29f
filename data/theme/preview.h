// A mock of the main window on its key page, composed from the generated pictures the way the
// controls draw them (nine-grids, stretched rows, strip frames), to judge the theme as a whole.
#pragma once

#include <filesystem>
#include <vector>

#include "contact_sheet.h"

namespace pellora::theme {

bool WritePreview(const std::vector<SheetEntry>& entries, const std::filesystem::path& path);

}  // namespace pellora::theme
