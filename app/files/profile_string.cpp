#include "files/profile_string.h"

#include <fstream>
#include <iterator>

#include "files/xml_encoding.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i];
        wchar_t y = b[i];
        if (x >= L'A' && x <= L'Z') {
            x = static_cast<wchar_t>(x - L'A' + L'a');
        }
        if (y >= L'A' && y <= L'Z') {
            y = static_cast<wchar_t>(y - L'A' + L'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

// Cuts to at most `max_units` UTF-16 code units without splitting a surrogate pair.
std::wstring CutToUtf16Units(std::wstring_view text, std::size_t max_units) {
    std::size_t units = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const std::size_t width = static_cast<std::uint32_t>(text[i]) > 0xFFFF ? 2 : 1;
        if (units + width > max_units) {
            break;
        }
        units += width;
    }
    return std::wstring(text.substr(0, i));
}

}  // namespace

std::wstring DecodeProfileBytes(std::string_view bytes) {
    const auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (starts("\xFF\xFE")) {
        return DUI::Utf16BytesToWide(bytes.substr(2), DUI::ByteOrder::Little);
    }
    if (starts("\xFE\xFF")) {
        return DUI::Utf16BytesToWide(bytes.substr(2), DUI::ByteOrder::Big);
    }
    if (starts("\xEF\xBB\xBF")) {
        return DUI::Utf8ToWide(bytes.substr(3));
    }
    if (DUI::IsValidUtf8(bytes)) {
        return DUI::Utf8ToWide(bytes);
    }
    std::wstring text;
    if (!ConvertToWide(bytes, FallbackCodePage(), text)) {
        return DUI::Utf8ToWide(bytes);
    }
    return text;
}

std::wstring FindProfileString(std::wstring_view content, std::wstring_view section,
                               std::wstring_view key, std::size_t max_length) {
    bool in_section = false;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of(L"\r\n", pos);
        if (end == std::wstring_view::npos) {
            end = content.size();
        }
        const std::wstring_view line = Trim(content.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == L';') {
            continue;
        }
        if (line.front() == L'[') {
            const std::size_t close = line.find(L']');
            const std::wstring_view name = Trim(
                line.substr(1, close == std::wstring_view::npos ? line.size() - 1 : close - 1));
            in_section = EqualsIgnoringAsciiCase(name, section);
            continue;
        }
        if (!in_section) {
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos ||
            !EqualsIgnoringAsciiCase(Trim(line.substr(0, equals)), key)) {
            continue;
        }
        std::wstring_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        const std::size_t nul = value.find(L'\0');
        if (nul != std::wstring_view::npos) {
            value = value.substr(0, nul);
        }
        return CutToUtf16Units(value, max_length);
    }
    return {};
}

std::wstring ReadProfileString(const std::filesystem::path& file, std::wstring_view section,
                               std::wstring_view key, std::size_t max_length) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return {};
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return {};
    }
    return FindProfileString(DecodeProfileBytes(bytes), section, key, max_length);
}

}  // namespace pellora
