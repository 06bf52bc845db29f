#pragma once
// Private font files. A registered file is visible to every text drawing of the process by the
// family names written in the file; the caller learns those names and the face's weight so it
// can ask for exactly that face later.

#include <cstddef>
#include <string>
#include <vector>

namespace DUI {

struct FontFace {
    std::vector<std::wstring> families;  // in the order the file lists them
    int weight = 400;                    // CSS-style weight
    bool italic = false;
};

// False when the file is missing or is not a font.
bool RegisterFontFile(const std::string& path, FontFace* face);
// The same for font bytes held in memory (an embedded resource).
bool RegisterFontData(const void* data, std::size_t size, FontFace* face);
// True when a font of that family is known (installed or registered).
bool IsFontFamilyAvailable(const std::wstring& family);
// The family the font system would actually use for a request of this family (for checks).
std::wstring ResolveFontFamily(const std::wstring& family, int weight);

}  // namespace DUI
