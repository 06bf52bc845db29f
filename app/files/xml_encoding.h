#pragma once
// Bytes of an XML file to wide text and back: byte-order marks, the declared encoding, and
// code-page conversion through iconv for everything that is not UTF-8 or UTF-16.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace pellora {

// Appends one diagnostic record such as <read encoding="UTF-8" length="12"/> to a result text.
void AppendDiagnostic(std::wstring& result, std::wstring_view name,
                      std::initializer_list<std::pair<const wchar_t*, std::wstring>> attributes);

// The encoding a document declares in its first 1,024 characters: the encoding of a leading
// xml declaration, or the charset of an HTML meta Content-Type element. Empty when none.
std::wstring DeclaredEncoding(std::wstring_view text);

enum class FileMark { None, Utf8, Utf16Le, Utf16Be };

struct DecodedFile {
    std::wstring text;
    FileMark mark = FileMark::None;
    std::wstring encoding;  // what the bytes were read as
};

// Converts the whole content of a file. Never fails: unreadable sequences become U+FFFD.
DecodedFile DecodeXmlBytes(std::string_view bytes, std::wstring& result);

// Converts document text for writing in the encoding its declaration names (UTF-8 when none).
// A document read from UTF-16 stays UTF-16 in the same byte order; the mark it was read with
// is written again. Characters the target cannot hold become '?' and are counted.
std::string EncodeXmlText(std::wstring_view text, FileMark mark, std::wstring& result);

// iconv conversions by encoding name; false when the encoding is unknown.
bool ConvertToWide(std::string_view bytes, const std::string& encoding, std::wstring& out);
bool ConvertFromWide(std::wstring_view text, const std::string& encoding, std::string& out,
                     std::size_t& lost);

// UTF-8 to wide text exactly as DUI::Utf8ToWide does it, with a fast path for the ASCII runs
// that make up nearly all of an XML file.
std::wstring DecodeUtf8Text(std::string_view bytes);

// The system's single-byte code page stand-in for text that is neither UTF-8 nor marked.
const char* FallbackCodePage();

}  // namespace pellora
