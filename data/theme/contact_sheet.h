// A single picture showing everything the generator drew, for looking the theme over.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <vector>

#include "catalog.h"

namespace pellora::theme {

struct SheetEntry {
    ImageLayout layout;
    cairo_surface_t* surface;  // owned by the caller
};

bool WriteContactSheet(const std::vector<SheetEntry>& entries, const std::filesystem::path& path);

}  // namespace pellora::theme
