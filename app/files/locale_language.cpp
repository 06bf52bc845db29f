#include "files/locale_language.h"

#include <cstdlib>
#include <string>

namespace pellora {
namespace {

struct LocaleId {
    const char* language;
    const char* region;  // nullptr: any region not listed before
    int id;
};

// Regional entries come before the language's catch-all entry.
constexpr LocaleId kLocales[] = {
    {"en", "GB", 2057},    {"en", "AU", 3081},    {"en", "CA", 4105},    {"en", nullptr, 1033},
    {"zh", "TW", 1028},    {"zh", "HK", 3076},    {"zh", "MO", 5124},    {"zh", "HANT", 1028},
    {"zh", nullptr, 2052}, {"ja", nullptr, 1041}, {"ko", nullptr, 1042}, {"uk", nullptr, 1058},
    {"de", "AT", 3079},    {"de", "CH", 2055},    {"de", nullptr, 1031}, {"fr", "CA", 3084},
    {"fr", "BE", 2060},    {"fr", "CH", 4108},    {"fr", nullptr, 1036}, {"es", "MX", 2058},
    {"es", nullptr, 3082}, {"it", nullptr, 1040}, {"pt", "BR", 1046},    {"pt", nullptr, 2070},
    {"ru", nullptr, 1049}, {"pl", nullptr, 1045}, {"nl", "BE", 2067},    {"nl", nullptr, 1043},
    {"tr", nullptr, 1055}, {"cs", nullptr, 1029}, {"sk", nullptr, 1051}, {"hu", nullptr, 1038},
    {"ro", nullptr, 1048}, {"el", nullptr, 1032}, {"sv", nullptr, 1053}, {"da", nullptr, 1030},
    {"fi", nullptr, 1035}, {"nb", nullptr, 1044}, {"no", nullptr, 1044}, {"he", nullptr, 1037},
    {"ar", nullptr, 1025}, {"th", nullptr, 1054}, {"vi", nullptr, 1066}, {"id", nullptr, 1057},
    {"ms", nullptr, 1086}, {"hi", nullptr, 1081}, {"bg", nullptr, 1026}, {"hr", nullptr, 1050},
    {"sr", nullptr, 2074}, {"sl", nullptr, 1060}, {"lt", nullptr, 1063}, {"lv", nullptr, 1062},
    {"et", nullptr, 1061}, {"fa", nullptr, 1065}, {"ca", nullptr, 1027},
};

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace

int LanguageIdFromLocale(std::string_view locale) {
    // language[_region][.codeset][@modifier]; BCP 47 style "pt-BR" and scripts "zh_Hant_TW" too.
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale.empty() || locale == "C" || locale == "POSIX") {
        return 0;
    }
    const std::size_t split = locale.find_first_of("_-");
    const std::string language = Lower(locale.substr(0, split));
    std::string rest =
        split == std::string_view::npos ? std::string() : Upper(locale.substr(split + 1));
    for (const LocaleId& entry : kLocales) {
        if (language != entry.language) {
            continue;
        }
        if (entry.region == nullptr) {
            return entry.id;
        }
        // Any part of the rest may be the region or script ("HANT_TW", "TW").
        std::size_t from = 0;
        while (from <= rest.size()) {
            const std::size_t to = rest.find_first_of("_-", from);
            const std::string part =
                rest.substr(from, to == std::string::npos ? std::string::npos : to - from);
            if (part == entry.region) {
                return entry.id;
            }
            if (to == std::string::npos) {
                break;
            }
            from = to + 1;
        }
    }
    return 0;
}

int UserDefaultUiLanguage() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') {
            continue;
        }
        std::string_view text(value);
        if (std::string_view(name) == "LANGUAGE") {
            text = text.substr(0, text.find(':'));
        }
        if (const int id = LanguageIdFromLocale(text); id != 0) {
            return id;
        }
    }
    return 1033;
}

}  // namespace pellora
