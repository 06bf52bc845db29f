#pragma once
// Character references in XML text: decoding what files contain and escaping what we write.

#include <string>
#include <string_view>

namespace pellora {

// Replaces decimal, hexadecimal and named character references with their characters. A
// reference with an unknown name, a value of 0 or beyond Unicode, or without its closing
// semicolon stays as written, so nothing in the text is lost.
std::wstring DecodeCharRefs(std::wstring_view text);

// The character a named reference stands for (HTML 4 names plus "apos"), 0 when unknown.
// An exact match wins; otherwise the name is tried with ASCII capitals lowered, so "AMP" still
// reads as an ampersand while "Agrave" and "agrave" keep their own letters.
char32_t LookupEntity(std::wstring_view name);
std::size_t EntityCount();

// Writes <, &, >, ' and " as references; everything else is copied.
std::wstring EscapeXml(std::wstring_view text);

}  // namespace pellora
