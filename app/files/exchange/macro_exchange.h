#pragma once
// Macro files: one macro of the library with its steps as XML.

#include <filesystem>
#include <string>

#include "store/device_database.h"

namespace pellora {

// Writes the macro and its steps to the file; `displayed_name` is the macro's text in the
// macro list. False when the file could not be written.
bool ExportMacro(DeviceDatabase& db, const std::filesystem::path& file, int macro,
                 const std::wstring& displayed_name);

struct MacroImportResult {
    int macro_id = 0;   // 0: nothing was imported
    std::wstring name;  // for the macro list and the key page's macro selector
};

// Creates a new macro from the file. A file that does not load, is not a macro file, or
// cannot be stored completely leaves the library as it was.
MacroImportResult ImportMacro(DeviceDatabase& db, const std::filesystem::path& file);

}  // namespace pellora
