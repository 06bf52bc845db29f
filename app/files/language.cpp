#include "files/language.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "files/locale_language.h"
#include "files/profile_string.h"
#include "platform/folders.h"
#include "platform/settings_file.h"
#include "platform/trace.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

constexpr const wchar_t* kLanguageValue = L"LCID";

std::atomic<int> g_current_language{kLanguageEnglish};

std::mutex& InstalledMutex() {
    static std::mutex mutex;
    return mutex;
}

std::set<int>& Installed() {
    static std::set<int> installed;
    return installed;
}

}  // namespace

int GetCurrentLanguage() {
    return g_current_language.load();
}

void SetCurrentLanguage(int language) {
    g_current_language.store(language);
}

std::set<int> GetInstalledLanguages() {
    std::lock_guard lock(InstalledMutex());
    return Installed();
}

void SetInstalledLanguages(const std::set<int>& languages) {
    std::lock_guard lock(InstalledMutex());
    Installed() = languages;
}

bool IsLanguageInstalled(int language) {
    std::lock_guard lock(InstalledMutex());
    return Installed().count(language) != 0;
}

int ReadLanguageId() {
    const std::filesystem::path path = SettingsFilePath();
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    // Reading creates the file the way opening the registry key creates a missing key.
    const std::optional<std::wstring> value = SettingsFile(path).ReadString(kLanguageValue);
    if (!existed) {
        return std::filesystem::exists(path, ec) ? 0 : kLanguageChineseSimplified;
    }
    if (!value) {
        // Missing value or an unreadable file: only the second is a failure to open.
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            return kLanguageChineseSimplified;
        }
        std::fclose(file);
        return 0;
    }
    return DUI::WToI(*value);
}

void WriteLanguageId(int language) {
    SettingsFile(SettingsFilePath()).WriteString(kLanguageValue, std::to_wstring(language));
}

void ChooseLanguage() {
    ChooseLanguage(UserDefaultUiLanguage());
}

void ChooseLanguage(int user_default_language) {
    int current = ReadLanguageId();
    if (current == 0) {
        current = user_default_language;
        WriteLanguageId(IsLanguageInstalled(current) ? current : kLanguageEnglish);
    }
    if (!IsLanguageInstalled(current)) {
        WriteLanguageId(kLanguageEnglish);
        Trace(2, "language %d is not installed; English from the next start", current);
    }
    SetCurrentLanguage(current);
}

std::filesystem::path LanguageFilePath(int language) {
    return AppDir() / "language" / (std::to_string(language) + ".lan");
}

std::wstring GetText(int id, std::wstring_view section) {
    return ReadProfileString(LanguageFilePath(GetCurrentLanguage()), section, std::to_wstring(id));
}

}  // namespace pellora
