#pragma once
// The interface language: which languages are installed (from config.xml), which one is
// current, its remembered choice "LCID" in the settings file, and the numbered texts of the
// current language file "language/<id>.lan" in the app folder.
//
// The current language and the installed set are process-wide; the worker thread reads texts
// too (profile names when a new model's database is made), so both are safe to use from any
// thread.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace pellora {

inline constexpr int kLanguageEnglish = 1033;
inline constexpr int kLanguageChineseSimplified = 2052;

int GetCurrentLanguage();
void SetCurrentLanguage(int language);

std::set<int> GetInstalledLanguages();
void SetInstalledLanguages(const std::set<int>& languages);
bool IsLanguageInstalled(int language);

// "LCID" in the settings file. Reading creates a missing settings file and then gives 0;
// when the file can neither be read nor created the answer is 2052.
int ReadLanguageId();
void WriteLanguageId(int language);

// The start-up choice, after ReadAppConfig: the remembered language, else the user's interface
// language. An unusable choice makes the next start use English; this run keeps it.
void ChooseLanguage();
void ChooseLanguage(int user_default_language);

// The language file of a language: <app folder>/language/<id>.lan.
std::filesystem::path LanguageFilePath(int language);

// Text `id` of `section` (always "LAN") in the current language file, read afresh each call;
// empty when the file or the key is missing.
std::wstring GetText(int id, std::wstring_view section = L"LAN");

}  // namespace pellora
