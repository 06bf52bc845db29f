#include "tessel/platform/text.h"

#include <climits>
#include <cstdint>

namespace DUI {
namespace {

constexpr bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}
constexpr bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Decodes one code point starting at `i`, advancing `i` past it. Follows the "maximal subpart"
// rule: an invalid sequence consumes only the bytes that could have started a valid one.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0;
        if (lead == 0xED)
            hi = 0x9F;  // no encoded surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90;
        if (lead == 0xF4)
            hi = 0x8F;
    } else {
        return kReplacementChar;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size()) {
            return kReplacementChar;
        }
        const unsigned char b = byte(i);
        if (b < lo || b > hi) {
            return kReplacementChar;
        }
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
        ++i;
    }
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || IsSurrogate(cp)) {
        cp = kReplacementChar;
    }
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void AppendWide(std::wstring& out, char32_t cp) {
    if (cp > 0x10FFFF) {
        cp = kReplacementChar;
    }
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

// Walks wide text as code points; with 16-bit wchar_t pairs are joined, lone halves replaced.
template <typename Fn>
void ForEachCodePoint(std::wstring_view wide, Fn&& fn) {
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = static_cast<char32_t>(wide[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            c &= 0xFFFF;
            if (IsHighSurrogate(c) && i + 1 < wide.size()) {
                const char32_t next = static_cast<char32_t>(wide[i + 1]) & 0xFFFF;
                if (IsLowSurrogate(next)) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                    ++i;
                }
            }
        }
        if (IsSurrogate(c) || c > 0x10FFFF) {
            c = kReplacementChar;
        }
        fn(c);
    }
}

template <typename Unit>
std::wstring DecodeUtf16Units(std::size_t count, Unit&& unit) {
    std::wstring out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char32_t c = unit(i);
        if (IsHighSurrogate(c) && i + 1 < count && IsLowSurrogate(unit(i + 1))) {
            AppendWide(out, 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (IsSurrogate(c)) {
            AppendWide(out, kReplacementChar);
        } else {
            AppendWide(out, c);
        }
    }
    return out;
}

template <typename Emit>
void EncodeUtf16(std::wstring_view wide, Emit&& emit) {
    ForEachCodePoint(wide, [&](char32_t c) {
        if (c >= 0x10000) {
            c -= 0x10000;
            emit(static_cast<char16_t>(0xD800 + (c >> 10)));
            emit(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            emit(static_cast<char16_t>(c));
        }
    });
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        AppendWide(out, DecodeUtf8(utf8, i));
    }
    return out;
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    ForEachCodePoint(wide, [&](char32_t c) { AppendUtf8(out, c); });
    return out;
}

std::wstring Utf16ToWide(std::u16string_view utf16) {
    return DecodeUtf16Units(utf16.size(), [&](std::size_t i) { return char32_t{utf16[i]}; });
}

std::u16string WideToUtf16(std::wstring_view wide) {
    std::u16string out;
    out.reserve(wide.size());
    EncodeUtf16(wide, [&](char16_t u) { out.push_back(u); });
    return out;
}

std::wstring Utf16BytesToWide(std::string_view bytes, ByteOrder order) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    std::wstring out = DecodeUtf16Units(bytes.size() / 2, [&](std::size_t i) {
        const unsigned a = at(2 * i);
        const unsigned b = at(2 * i + 1);
        return static_cast<char32_t>(order == ByteOrder::Little ? (a | (b << 8)) : ((a << 8) | b));
    });
    if (bytes.size() % 2 != 0) {
        AppendWide(out, kReplacementChar);
    }
    return out;
}

std::string WideToUtf16Bytes(std::wstring_view wide, ByteOrder order) {
    std::string out;
    out.reserve(wide.size() * 2);
    EncodeUtf16(wide, [&](char16_t u) {
        const char lo = static_cast<char>(u & 0xFF);
        const char hi = static_cast<char>(u >> 8);
        if (order == ByteOrder::Little) {
            out.push_back(lo);
            out.push_back(hi);
        } else {
            out.push_back(hi);
            out.push_back(lo);
        }
    });
    return out;
}

bool IsValidUtf8(std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        const char32_t c = DecodeUtf8(utf8, i);
        if (c == kReplacementChar) {
            // A literally encoded U+FFFD (EF BF BD) is valid text.
            if (i - start != 3 || utf8.substr(start, 3) != "\xEF\xBF\xBD") {
                return false;
            }
        }
    }
    return true;
}

std::size_t Utf16Length(std::wstring_view wide) {
    std::size_t n = 0;
    ForEachCodePoint(wide, [&](char32_t c) { n += c >= 0x10000 ? 2 : 1; });
    return n;
}

namespace {

template <typename View>
int ParseLeadingInt(View text) {
    std::size_t i = 0;
    const auto is_space = [](auto c) { return c == ' ' || (c >= 9 && c <= 13); };
    while (i < text.size() && is_space(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

int WToI(std::wstring_view text) {
    return ParseLeadingInt(text);
}
int AToI(std::string_view text) {
    return ParseLeadingInt(text);
}

}  // namespace DUI
