#pragma once
// Text conversion in one place. In memory the interface works with wide text (std::wstring);
// files and the database hold UTF-8, some files UTF-16 in either byte order. Malformed input
// never fails: every invalid sequence becomes U+FFFD, so a damaged file shows as odd characters
// instead of stopping the program.

#include <string>
#include <string_view>

namespace DUI {

inline constexpr char32_t kReplacementChar = 0xFFFD;

enum class ByteOrder { Little, Big };

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

std::wstring Utf16ToWide(std::u16string_view utf16);
std::u16string WideToUtf16(std::wstring_view wide);

// Raw UTF-16 bytes (as read from a file, without byte-order mark) in the given order.
// An odd trailing byte becomes U+FFFD.
std::wstring Utf16BytesToWide(std::string_view bytes, ByteOrder order);
std::string WideToUtf16Bytes(std::wstring_view wide, ByteOrder order);

bool IsValidUtf8(std::string_view utf8);

// Number of UTF-16 code units the text takes; limits quoted in characters count these.
std::size_t Utf16Length(std::wstring_view wide);

// Decimal conversion as the C runtime's _wtoi does it: leading white space, an optional sign,
// then digits up to the first non-digit; 0 when there are none; clamped to the int range.
int WToI(std::wstring_view text);
int AToI(std::string_view text);

}  // namespace DUI
