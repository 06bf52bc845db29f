#pragma once
// A reader for initialisation-file texts with the rules of the platform's profile-string
// reader, which the language files were written for:
//  - the file may be UTF-16 (either byte order) or UTF-8 with a byte-order mark, UTF-8 without
//    one, or else the system's single-byte code page;
//  - section and key names compare without regard to ASCII case; ';' starts a comment line;
//  - the value loses leading and trailing white space, then a pair of enclosing quotes;
//  - the value is cut at the first NUL and to `max_length` UTF-16 units (never inside a pair);
//  - a missing file, section or key gives empty text.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pellora {

// The buffer of 260 characters the program reads texts into, less its terminating NUL.
inline constexpr std::size_t kProfileStringMaxLength = 259;

// Whole file content as wide text, decoded by the rules above; empty when unreadable.
std::wstring DecodeProfileBytes(std::string_view bytes);

std::wstring FindProfileString(std::wstring_view content, std::wstring_view section,
                               std::wstring_view key,
                               std::size_t max_length = kProfileStringMaxLength);

std::wstring ReadProfileString(const std::filesystem::path& file, std::wstring_view section,
                               std::wstring_view key,
                               std::size_t max_length = kProfileStringMaxLength);

}  // namespace pellora
