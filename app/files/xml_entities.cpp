#include "files/xml_entities.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace pellora {
namespace {

struct Entity {
    const char* name;
    char32_t code;
};

// The HTML 4 character entity set (Latin-1, special and symbol groups) and "apos".
constexpr Entity kEntities[] = {
    {"quot", 34},     {"amp", 38},      {"apos", 39},      {"lt", 60},        {"gt", 62},
    {"nbsp", 160},    {"iexcl", 161},   {"cent", 162},     {"pound", 163},    {"curren", 164},
    {"yen", 165},     {"brvbar", 166},  {"sect", 167},     {"uml", 168},      {"copy", 169},
    {"ordf", 170},    {"laquo", 171},   {"not", 172},      {"shy", 173},      {"reg", 174},
    {"macr", 175},    {"deg", 176},     {"plusmn", 177},   {"sup2", 178},     {"sup3", 179},
    {"acute", 180},   {"micro", 181},   {"para", 182},     {"middot", 183},   {"cedil", 184},
    {"sup1", 185},    {"ordm", 186},    {"raquo", 187},    {"frac14", 188},   {"frac12", 189},
    {"frac34", 190},  {"iquest", 191},  {"Agrave", 192},   {"Aacute", 193},   {"Acirc", 194},
    {"Atilde", 195},  {"Auml", 196},    {"Aring", 197},    {"AElig", 198},    {"Ccedil", 199},
    {"Egrave", 200},  {"Eacute", 201},  {"Ecirc", 202},    {"Euml", 203},     {"Igrave", 204},
    {"Iacute", 205},  {"Icirc", 206},   {"Iuml", 207},     {"ETH", 208},      {"Ntilde", 209},
    {"Ograve", 210},  {"Oacute", 211},  {"Ocirc", 212},    {"Otilde", 213},   {"Ouml", 214},
    {"times", 215},   {"Oslash", 216},  {"Ugrave", 217},   {"Uacute", 218},   {"Ucirc", 219},
    {"Uuml", 220},    {"Yacute", 221},  {"THORN", 222},    {"szlig", 223},    {"agrave", 224},
    {"aacute", 225},  {"acirc", 226},   {"atilde", 227},   {"auml", 228},     {"aring", 229},
    {"aelig", 230},   {"ccedil", 231},  {"egrave", 232},   {"eacute", 233},   {"ecirc", 234},
    {"euml", 235},    {"igrave", 236},  {"iacute", 237},   {"icirc", 238},    {"iuml", 239},
    {"eth", 240},     {"ntilde", 241},  {"ograve", 242},   {"oacute", 243},   {"ocirc", 244},
    {"otilde", 245},  {"ouml", 246},    {"divide", 247},   {"oslash", 248},   {"ugrave", 249},
    {"uacute", 250},  {"ucirc", 251},   {"uuml", 252},     {"yacute", 253},   {"thorn", 254},
    {"yuml", 255},    {"OElig", 338},   {"oelig", 339},    {"Scaron", 352},   {"scaron", 353},
    {"Yuml", 376},    {"fnof", 402},    {"circ", 710},     {"tilde", 732},    {"Alpha", 913},
    {"Beta", 914},    {"Gamma", 915},   {"Delta", 916},    {"Epsilon", 917},  {"Zeta", 918},
    {"Eta", 919},     {"Theta", 920},   {"Iota", 921},     {"Kappa", 922},    {"Lambda", 923},
    {"Mu", 924},      {"Nu", 925},      {"Xi", 926},       {"Omicron", 927},  {"Pi", 928},
    {"Rho", 929},     {"Sigma", 931},   {"Tau", 932},      {"Upsilon", 933},  {"Phi", 934},
    {"Chi", 935},     {"Psi", 936},     {"Omega", 937},    {"alpha", 945},    {"beta", 946},
    {"gamma", 947},   {"delta", 948},   {"epsilon", 949},  {"zeta", 950},     {"eta", 951},
    {"theta", 952},   {"iota", 953},    {"kappa", 954},    {"lambda", 955},   {"mu", 956},
    {"nu", 957},      {"xi", 958},      {"omicron", 959},  {"pi", 960},       {"rho", 961},
    {"sigmaf", 962},  {"sigma", 963},   {"tau", 964},      {"upsilon", 965},  {"phi", 966},
    {"chi", 967},     {"psi", 968},     {"omega", 969},    {"thetasym", 977}, {"upsih", 978},
    {"piv", 982},     {"ensp", 8194},   {"emsp", 8195},    {"thinsp", 8201},  {"zwnj", 8204},
    {"zwj", 8205},    {"lrm", 8206},    {"rlm", 8207},     {"ndash", 8211},   {"mdash", 8212},
    {"lsquo", 8216},  {"rsquo", 8217},  {"sbquo", 8218},   {"ldquo", 8220},   {"rdquo", 8221},
    {"bdquo", 8222},  {"dagger", 8224}, {"Dagger", 8225},  {"bull", 8226},    {"hellip", 8230},
    {"permil", 8240}, {"prime", 8242},  {"Prime", 8243},   {"lsaquo", 8249},  {"rsaquo", 8250},
    {"oline", 8254},  {"frasl", 8260},  {"euro", 8364},    {"image", 8465},   {"weierp", 8472},
    {"real", 8476},   {"trade", 8482},  {"alefsym", 8501}, {"larr", 8592},    {"uarr", 8593},
    {"rarr", 8594},   {"darr", 8595},   {"harr", 8596},    {"crarr", 8629},   {"lArr", 8656},
    {"uArr", 8657},   {"rArr", 8658},   {"dArr", 8659},    {"hArr", 8660},    {"forall", 8704},
    {"part", 8706},   {"exist", 8707},  {"empty", 8709},   {"nabla", 8711},   {"isin", 8712},
    {"notin", 8713},  {"ni", 8715},     {"prod", 8719},    {"sum", 8721},     {"minus", 8722},
    {"lowast", 8727}, {"radic", 8730},  {"prop", 8733},    {"infin", 8734},   {"ang", 8736},
    {"and", 8743},    {"or", 8744},     {"cap", 8745},     {"cup", 8746},     {"int", 8747},
    {"there4", 8756}, {"sim", 8764},    {"cong", 8773},    {"asymp", 8776},   {"ne", 8800},
    {"equiv", 8801},  {"le", 8804},     {"ge", 8805},      {"sub", 8834},     {"sup", 8835},
    {"nsub", 8836},   {"sube", 8838},   {"supe", 8839},    {"oplus", 8853},   {"otimes", 8855},
    {"perp", 8869},   {"sdot", 8901},   {"lceil", 8968},   {"rceil", 8969},   {"lfloor", 8970},
    {"rfloor", 8971}, {"lang", 9001},   {"rang", 9002},    {"loz", 9674},     {"spades", 9824},
    {"clubs", 9827},  {"hearts", 9829}, {"diams", 9830},
};

constexpr std::size_t kMaxEntityName = 9;

bool IsAsciiAlnum(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
}

// Equality of an ASCII table name with a candidate, optionally folding the candidate's capitals.
bool NameEquals(const char* table_name, std::wstring_view name, bool fold) {
    std::size_t i = 0;
    for (; table_name[i] != '\0'; ++i) {
        if (i >= name.size()) {
            return false;
        }
        wchar_t c = name[i];
        if (fold && c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
        if (c != static_cast<wchar_t>(table_name[i])) {
            return false;
        }
    }
    return i == name.size();
}

bool IsHexDigit(wchar_t c, unsigned& value) {
    if (c >= L'0' && c <= L'9') {
        value = static_cast<unsigned>(c - L'0');
    } else if (c >= L'a' && c <= L'f') {
        value = static_cast<unsigned>(c - L'a' + 10);
    } else if (c >= L'A' && c <= L'F') {
        value = static_cast<unsigned>(c - L'A' + 10);
    } else {
        return false;
    }
    return true;
}

// Numeric reference body after "&#": the code point, 0 when not a usable character.
char32_t ParseNumeric(std::wstring_view body) {
    const bool hex = !body.empty() && (body[0] == L'x' || body[0] == L'X');
    if (hex) {
        body.remove_prefix(1);
    }
    if (body.empty()) {
        return 0;
    }
    std::uint32_t value = 0;
    for (wchar_t c : body) {
        unsigned digit = 0;
        if (hex ? !IsHexDigit(c, digit) : !(c >= L'0' && c <= L'9')) {
            return 0;
        }
        if (!hex) {
            digit = static_cast<unsigned>(c - L'0');
        }
        value = value * (hex ? 16u : 10u) + digit;
        if (value > 0x10FFFF) {
            return 0;
        }
    }
    // Surrogate halves are not characters of their own.
    if (value >= 0xD800 && value <= 0xDFFF) {
        return 0;
    }
    return static_cast<char32_t>(value);
}

}  // namespace

std::size_t EntityCount() {
    return std::size(kEntities);
}

char32_t LookupEntity(std::wstring_view name) {
    if (name.empty() || name.size() > kMaxEntityName) {
        return 0;
    }
    for (bool fold : {false, true}) {
        for (const Entity& entity : kEntities) {
            if (NameEquals(entity.name, name, fold)) {
                return entity.code;
            }
        }
    }
    return 0;
}

std::wstring DecodeCharRefs(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t amp = text.find(L'&', i);
        if (amp == std::wstring_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, amp - i));
        i = amp + 1;
        char32_t code = 0;
        std::size_t end = amp + 1;
        if (end < text.size() && text[end] == L'#') {
            // Longest useful body: "x" plus six hex digits or seven decimal digits, with slack.
            std::size_t j = end + 1;
            while (j < text.size() && j - end <= 12 && text[j] != L';' && IsAsciiAlnum(text[j])) {
                ++j;
            }
            if (j < text.size() && text[j] == L';') {
                code = ParseNumeric(text.substr(end + 1, j - end - 1));
                end = j + 1;
            }
        } else {
            std::size_t j = end;
            while (j < text.size() && j - end <= kMaxEntityName && IsAsciiAlnum(text[j])) {
                ++j;
            }
            if (j < text.size() && text[j] == L';') {
                code = LookupEntity(text.substr(end, j - end));
                end = j + 1;
            }
        }
        if (code == 0) {
            out.push_back(L'&');
            continue;
        }
        out.push_back(static_cast<wchar_t>(code));
        i = end;
    }
    return out;
}

std::wstring EscapeXml(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 8);
    for (wchar_t c : text) {
        switch (c) {
            case L'<':
                out += L"&lt;";
                break;
            case L'&':
                out += L"&amp;";
                break;
            case L'>':
                out += L"&gt;";
                break;
            case L'\'':
                out += L"&apos;";
                break;
            case L'"':
                out += L"&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

}  // namespace pellora
