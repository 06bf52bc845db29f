#pragma once
// The user's interface language as a language identifier (1033 English, 2052 Simplified
// Chinese, ...), taken from the locale settings of the environment.

#include <string_view>

namespace pellora {

// Maps one locale name such as "zh_CN.UTF-8", "de_AT@euro" or "pt-BR" to its identifier;
// 0 for "C", "POSIX", empty or unknown names.
int LanguageIdFromLocale(std::string_view locale);

// LANGUAGE (its first entry), LC_ALL, LC_MESSAGES, LANG: the first that names a known
// language; 1033 when none does.
int UserDefaultUiLanguage();

}  // namespace pellora
