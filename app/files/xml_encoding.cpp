#include "files/xml_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <vector>

#include "files/xml_entities.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

constexpr std::size_t kDeclarationWindow = 1024;

wchar_t LowerAscii(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

std::wstring Lowered(std::wstring_view text) {
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// Encoding names compare without case, and "UTF8" is the same as "UTF-8".
std::wstring Canonical(std::wstring_view name) {
    std::wstring out;
    for (wchar_t c : name) {
        if (c != L'-' && c != L'_') {
            out.push_back(LowerAscii(c));
        }
    }
    return out;
}

bool IsUtf8Name(std::wstring_view name) {
    return Canonical(name) == L"utf8";
}

enum class Utf16Kind { None, Little, Big };

Utf16Kind Utf16Name(std::wstring_view name) {
    const std::wstring c = Canonical(name);
    if (c == L"utf16" || c == L"utf16le" || c == L"ucs2" || c == L"unicode") {
        return Utf16Kind::Little;
    }
    if (c == L"utf16be" || c == L"unicodefffe") {
        return Utf16Kind::Big;
    }
    return Utf16Kind::None;
}

// The value of name="..." (or '...' or unquoted) inside [from, to) of a lowered text.
std::wstring PseudoAttribute(std::wstring_view lowered, std::wstring_view original,
                             std::wstring_view name, std::size_t from, std::size_t to) {
    std::size_t at = from;
    while (true) {
        at = lowered.find(name, at);
        if (at == std::wstring_view::npos || at >= to) {
            return {};
        }
        std::size_t i = at + name.size();
        const bool starts_word = at == 0 || !std::iswalnum(static_cast<wint_t>(lowered[at - 1]));
        while (i < to && IsSpace(lowered[i])) {
            ++i;
        }
        if (!starts_word || i >= to || lowered[i] != L'=') {
            at += name.size();
            continue;
        }
        ++i;
        while (i < to && IsSpace(lowered[i])) {
            ++i;
        }
        if (i >= to) {
            return {};
        }
        std::size_t end = i;
        if (lowered[i] == L'"' || lowered[i] == L'\'') {
            const wchar_t quote = lowered[i++];
            end = lowered.find(quote, i);
            if (end == std::wstring_view::npos || end > to) {
                return {};
            }
        } else {
            while (end < to && !IsSpace(lowered[end]) && lowered[end] != L'>' &&
                   lowered[end] != L'?' && lowered[end] != L'/') {
                ++end;
            }
        }
        return std::wstring(original.substr(i, end - i));
    }
}

std::wstring MetaCharset(std::wstring_view lowered, std::wstring_view original) {
    std::size_t at = 0;
    while ((at = lowered.find(L"<meta", at)) != std::wstring_view::npos) {
        const std::size_t end = lowered.find(L'>', at);
        if (end == std::wstring_view::npos) {
            return {};
        }
        const std::wstring equiv =
            Lowered(PseudoAttribute(lowered, original, L"http-equiv", at, end));
        if (equiv == L"content-type") {
            const std::wstring content = PseudoAttribute(lowered, original, L"content", at, end);
            const std::wstring lowered_content = Lowered(content);
            const std::size_t cs = lowered_content.find(L"charset=");
            if (cs != std::wstring::npos) {
                std::size_t i = cs + 8;
                std::size_t stop = i;
                while (stop < content.size() && content[stop] != L';' && !IsSpace(content[stop])) {
                    ++stop;
                }
                return content.substr(i, stop - i);
            }
        }
        at = end;
    }
    return {};
}

std::size_t RemoveNuls(std::wstring& text) {
    const auto it = std::remove(text.begin(), text.end(), L'\0');
    const auto count = static_cast<std::size_t>(text.end() - it);
    text.erase(it, text.end());
    return count;
}

bool HasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

class Iconv {
  public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

}  // namespace

void AppendDiagnostic(std::wstring& result, std::wstring_view name,
                      std::initializer_list<std::pair<const wchar_t*, std::wstring>> attributes) {
    result += L'<';
    result += name;
    for (const auto& [attr, value] : attributes) {
        result += L' ';
        result += attr;
        result += L"=\"";
        result += EscapeXml(value);
        result += L'"';
    }
    result += L"/>\n";
}

std::wstring DeclaredEncoding(std::wstring_view text) {
    const std::wstring_view head = text.substr(0, std::min(text.size(), kDeclarationWindow));
    const std::wstring lowered = Lowered(head);
    std::size_t start = 0;
    while (start < lowered.size() && IsSpace(lowered[start])) {
        ++start;
    }
    if (lowered.compare(start, 5, L"<?xml") == 0) {
        std::size_t end = lowered.find(L"?>", start);
        if (end == std::wstring::npos) {
            end = lowered.size();
        }
        return PseudoAttribute(lowered, head, L"encoding", start + 5, end);
    }
    return MetaCharset(lowered, head);
}

// Runs of other bytes always start and end at a sequence boundary
// (ASCII bytes are never part of a sequence), so decoding them apart gives the same result.
std::wstring DecodeUtf8Text(std::string_view bytes) {
    std::wstring out;
    out.resize(bytes.size());
    wchar_t* o = out.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80) {
            *o++ = static_cast<wchar_t>(bytes[i++]);
        }
        std::size_t j = i;
        while (j < n && static_cast<unsigned char>(bytes[j]) >= 0x80) {
            ++j;
        }
        if (j > i) {
            const std::wstring part = DUI::Utf8ToWide(bytes.substr(i, j - i));
            o = std::copy(part.begin(), part.end(), o);
            i = j;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

const char* FallbackCodePage() {
    return "WINDOWS-1252";
}

bool ConvertToWide(std::string_view bytes, const std::string& encoding, std::wstring& out) {
    Iconv cd("WCHAR_T", encoding.c_str());
    if (!cd.ok()) {
        return false;
    }
    out.clear();
    out.reserve(bytes.size());
    std::vector<wchar_t> buffer(4096);
    char* in = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    while (in_left > 0) {
        char* outp = reinterpret_cast<char*>(buffer.data());
        std::size_t out_left = buffer.size() * sizeof(wchar_t);
        const std::size_t r = iconv(cd.get(), &in, &in_left, &outp, &out_left);
        out.append(buffer.data(), (buffer.size() * sizeof(wchar_t) - out_left) / sizeof(wchar_t));
        if (r != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        out.push_back(static_cast<wchar_t>(DUI::kReplacementChar));
        if (errno != EILSEQ) {
            break;  // a sequence cut off by the end of the file
        }
        ++in;
        --in_left;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return true;
}

bool ConvertFromWide(std::wstring_view text, const std::string& encoding, std::string& out,
                     std::size_t& lost) {
    Iconv cd(encoding.c_str(), "WCHAR_T");
    if (!cd.ok()) {
        return false;
    }
    out.clear();
    lost = 0;
    std::vector<char> buffer(8192);
    char* in = reinterpret_cast<char*>(const_cast<wchar_t*>(text.data()));
    std::size_t in_left = text.size() * sizeof(wchar_t);
    while (in_left > 0) {
        char* outp = buffer.data();
        std::size_t out_left = buffer.size();
        const std::size_t r = iconv(cd.get(), &in, &in_left, &outp, &out_left);
        out.append(buffer.data(), buffer.size() - out_left);
        if (r != static_cast<std::size_t>(-1) || errno == E2BIG) {
            continue;
        }
        ++lost;
        out.push_back('?');
        if (in_left < sizeof(wchar_t)) {
            break;
        }
        in += sizeof(wchar_t);
        in_left -= sizeof(wchar_t);
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    char* outp = buffer.data();
    std::size_t out_left = buffer.size();
    iconv(cd.get(), nullptr, nullptr, &outp, &out_left);
    out.append(buffer.data(), buffer.size() - out_left);
    return true;
}

DecodedFile DecodeXmlBytes(std::string_view bytes, std::wstring& result) {
    DecodedFile file;
    const auto starts = [&](std::string_view prefix) {
        return bytes.substr(0, prefix.size()) == prefix;
    };
    std::string_view body = bytes;
    if (starts("\xEF\xBB\xBF")) {
        file.mark = FileMark::Utf8;
        file.encoding = L"UTF-8";
        body.remove_prefix(3);
    } else if (starts("\xFF\xFE")) {
        file.mark = FileMark::Utf16Le;
        file.encoding = L"UTF-16LE";
        body.remove_prefix(2);
    } else if (starts("\xFE\xFF")) {
        file.mark = FileMark::Utf16Be;
        file.encoding = L"UTF-16BE";
        body.remove_prefix(2);
    }
    if (file.mark != FileMark::None) {
        AppendDiagnostic(result, L"bom", {{L"encoding", file.encoding}});
    } else if (starts(std::string_view("<\0", 2))) {
        // UTF-16 without its mark: the first character shows the byte order.
        file.encoding = L"UTF-16LE";
    } else if (starts(std::string_view("\0<", 2))) {
        file.encoding = L"UTF-16BE";
    } else {
        const std::string_view head = body.substr(0, std::min(body.size(), kDeclarationWindow));
        file.encoding = DeclaredEncoding(DUI::Utf8ToWide(head));
        if (file.encoding.empty() && !body.empty() && body[0] == '<') {
            file.encoding = L"UTF-8";
        }
    }

    const Utf16Kind utf16 = file.mark == FileMark::Utf16Le ? Utf16Kind::Little
                            : file.mark == FileMark::Utf16Be
                                ? Utf16Kind::Big
                                : (file.encoding == L"UTF-16LE"   ? Utf16Kind::Little
                                   : file.encoding == L"UTF-16BE" ? Utf16Kind::Big
                                                                  : Utf16Kind::None);
    if (utf16 == Utf16Kind::Little) {
        file.text = DUI::Utf16BytesToWide(body, DUI::ByteOrder::Little);
    } else if (utf16 == Utf16Kind::Big) {
        file.text = DUI::Utf16BytesToWide(body, DUI::ByteOrder::Big);
        AppendDiagnostic(result, L"endian_swap", {});
    } else if (IsUtf8Name(file.encoding) || DUI::IsValidUtf8(body)) {
        if (!IsUtf8Name(file.encoding) && HasNonAscii(body)) {
            AppendDiagnostic(result, L"utf8_detection", {{L"encoding", file.encoding}});
        }
        file.encoding = L"UTF-8";
        file.text = DecodeUtf8Text(body);
    } else {
        const std::string name =
            file.encoding.empty() ? FallbackCodePage() : DUI::WideToUtf8(file.encoding);
        if (ConvertToWide(body, name, file.text)) {
            AppendDiagnostic(result, L"converted_to", {{L"encoding", DUI::Utf8ToWide(name)}});
        } else {
            AppendDiagnostic(result, L"converted_to",
                             {{L"encoding", DUI::Utf8ToWide(name)}, {L"msg", L"unknown encoding"}});
            file.text = DUI::Utf8ToWide(body);
        }
        file.encoding = DUI::Utf8ToWide(name);
    }
    // Only NUL bytes decode to NUL characters in UTF-8, and libc finds those fastest.
    const bool may_hold_nuls = utf16 != Utf16Kind::None || !IsUtf8Name(file.encoding) ||
                               std::memchr(body.data(), 0, body.size()) != nullptr;
    if (const std::size_t nulls = may_hold_nuls ? RemoveNuls(file.text) : 0; nulls > 0) {
        AppendDiagnostic(result, L"nulls_removed", {{L"count", std::to_wstring(nulls)}});
    }
    AppendDiagnostic(result, L"read",
                     {{L"encoding", file.encoding}, {L"length", std::to_wstring(bytes.size())}});
    return file;
}

std::string EncodeXmlText(std::wstring_view text, FileMark mark, std::wstring& result) {
    Utf16Kind utf16 = mark == FileMark::Utf16Le   ? Utf16Kind::Little
                      : mark == FileMark::Utf16Be ? Utf16Kind::Big
                                                  : Utf16Kind::None;
    const std::wstring declared = DeclaredEncoding(text);
    if (utf16 == Utf16Kind::None) {
        utf16 = Utf16Name(declared);
    }
    // UTF-16 always goes out with its mark: without one the reader could not tell it from bytes.
    if (utf16 == Utf16Kind::Little) {
        return "\xFF\xFE" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little);
    }
    if (utf16 == Utf16Kind::Big) {
        return "\xFE\xFF" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Big);
    }
    if (declared.empty() || IsUtf8Name(declared)) {
        return (mark == FileMark::Utf8 ? "\xEF\xBB\xBF" : "") + DUI::WideToUtf8(text);
    }
    std::string out;
    std::size_t lost = 0;
    if (!ConvertFromWide(text, DUI::WideToUtf8(declared), out, lost)) {
        // An encoding we cannot produce: UTF-8 reads back correctly whatever the declaration.
        AppendDiagnostic(result, L"converted_from",
                         {{L"encoding", L"UTF-8"}, {L"msg", L"unknown encoding " + declared}});
        return DUI::WideToUtf8(text);
    }
    AppendDiagnostic(result, L"converted_from", {{L"encoding", declared}});
    if (lost > 0) {
        AppendDiagnostic(result, L"conversion_loss", {{L"count", std::to_wstring(lost)}});
    }
    return out;
}

}  // namespace pellora
