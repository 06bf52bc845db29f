// The language choice, its remembered value and the numbered texts.
#include "files/language.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "files/app_config.h"
#include "files/locale_language.h"
#include "files/profile_string.h"
#include "files_fixture.h"
#include "platform/settings_file.h"

namespace pellora {
namespace {

using testing::FilesTest;
using testing::WriteFile;

class LanguageTest : public FilesTest {
  protected:
    std::optional<std::wstring> StoredLanguage() const {
        return SettingsFile(SettingsPath()).ReadString(L"LCID");
    }
};

TEST_F(LanguageTest, ChoiceFollowsTheRememberedValueAndTheInstalledSet) {
    struct Case {
        const char* name;
        std::optional<int> remembered;  // nullopt: no settings file yet
        int user_default;
        int expected_current;
        std::optional<std::wstring> expected_stored;
    };
    const Case cases[] = {
        // First start: the user's language when installed, else English for the next start.
        {"first start, installed", std::nullopt, 2052, 2052, L"2052"},
        {"first start, not installed", std::nullopt, 1031, 1031, L"1033"},
        {"remembered and installed", 2052, 1033, 2052, L"2052"},
        {"remembered, no longer installed", 1041, 1033, 1041, L"1033"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(SettingsPath());
        if (c.remembered) {
            ASSERT_TRUE(WriteFile(SettingsPath(), "LCID=" + std::to_string(*c.remembered) + "\n"));
        }
        SetInstalledLanguages({1033, 2052});
        ChooseLanguage(c.user_default);
        EXPECT_EQ(GetCurrentLanguage(), c.expected_current);
        EXPECT_EQ(StoredLanguage(), c.expected_stored);
    }
}

TEST_F(LanguageTest, RememberedValueReadsLikeTheRegistry) {
    EXPECT_EQ(ReadLanguageId(), 0);  // creates the settings file
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));
    EXPECT_EQ(ReadLanguageId(), 0);
    WriteLanguageId(2052);
    EXPECT_EQ(ReadLanguageId(), 2052);
    ASSERT_TRUE(WriteFile(SettingsPath(), "LCID=not a number\n"));
    EXPECT_EQ(ReadLanguageId(), 0);
    // Neither readable nor creatable: the settings folder is a file.
    std::filesystem::remove_all(SettingsPath().parent_path());
    ASSERT_TRUE(WriteFile(SettingsPath().parent_path(), "x"));
    EXPECT_EQ(ReadLanguageId(), 2052);
    WriteLanguageId(1033);  // does nothing, quietly
}

TEST_F(LanguageTest, TextsComeFromTheCurrentLanguageFileEveryTime) {
    ASSERT_TRUE(WriteLanguage(1033, L"[LAN]\r\n61=Profile\r\n"));
    ASSERT_TRUE(WriteLanguage(2052, L"[LAN]\r\n61=\u914D\u7F6E\r\n"));
    SetCurrentLanguage(2052);
    EXPECT_EQ(GetText(61), L"\u914D\u7F6E");
    SetCurrentLanguage(1033);
    EXPECT_EQ(GetText(61), L"Profile");
    // Nothing is cached: a changed file is seen at the next call.
    ASSERT_TRUE(WriteLanguage(1033, L"[LAN]\r\n61=Setup\r\n"));
    EXPECT_EQ(GetText(61), L"Setup");
    EXPECT_EQ(GetText(62), L"");
    SetCurrentLanguage(1031);  // no file for it
    EXPECT_EQ(GetText(61), L"");
}

TEST_F(LanguageTest, TextsAndTheLanguageAreSafeToUseFromSeveralThreads) {
    ASSERT_TRUE(WriteLanguage(1033, L"[LAN]\r\n61=Profile\r\n"));
    ASSERT_TRUE(WriteLanguage(2052, L"[LAN]\r\n61=\u914D\u7F6E\r\n"));
    std::atomic<bool> wrong{false};
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            const std::wstring text = GetText(61);
            if (text != L"Profile" && text != L"\u914D\u7F6E") {
                wrong = true;
            }
            (void)IsLanguageInstalled(2052);
        }
    });
    for (int i = 0; i < 200; ++i) {
        SetCurrentLanguage(i % 2 == 0 ? 2052 : 1033);
        SetInstalledLanguages({1033, 2052});
    }
    worker.join();
    EXPECT_FALSE(wrong);
}

TEST_F(LanguageTest, ProfileStringRulesApplyToTheValue) {
    const std::wstring long_text(300, L'x');
    const std::wstring file =
        L"; comment\r\n[Other]\r\n1=wrong section\r\n[ lan ]\r\n"
        L"1 =   padded value \t\r\n2=\"quoted  \"\r\n3='single'\r\n4=\"unbalanced\r\n"
        L"5=" +
        long_text +
        L"\r\n6=a=b\r\n7=\r\n1=second\r\n"
        L"8=" +
        std::wstring(258, L'y') + L"\U0001F600\n9=last line without break";
    const struct {
        int key;
        std::wstring expected;
    } cases[] = {
        {1, L"padded value"},
        {2, L"quoted  "},
        {3, L"single"},
        {4, L"\"unbalanced"},
        {5, long_text.substr(0, 259)},
        {6, L"a=b"},
        {7, L""},
        // A character outside the basic plane takes two of the 259 units: it does not fit.
        {8, std::wstring(258, L'y')},
        {9, L"last line without break"},
        {10, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(FindProfileString(file, L"LAN", std::to_wstring(c.key)), c.expected);
    }
}

TEST_F(LanguageTest, LanguageFilesReadInEveryEncodingButUnmarkedUtf16) {
    const std::wstring text = L"[LAN]\r\n61=\u914D\u7F6E\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring expected;
    };
    const Case cases[] = {
        {"utf-16le", "\xFF\xFE" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little),
         L"\u914D\u7F6E"},
        {"utf-16be", "\xFE\xFF" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Big),
         L"\u914D\u7F6E"},
        {"utf-8 with mark", "\xEF\xBB\xBF" + DUI::WideToUtf8(text), L"\u914D\u7F6E"},
        {"utf-8", DUI::WideToUtf8(text), L"\u914D\u7F6E"},
        {"code page", "[LAN]\r\n61=caf\xE9\r\n", L"caf\u00E9"},
        // Without its mark UTF-16 reads as single bytes with NULs: no section matches.
        {"utf-16 without mark", DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little), L""},
        {"empty", "", L""},
    };
    SetCurrentLanguage(2052);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFile(LanguageFilePath(2052), c.bytes));
        EXPECT_EQ(GetText(61), c.expected);
    }
}

TEST(LocaleLanguage, MapsLocaleNamesToLanguageIdentifiers) {
    const struct {
        const char* locale;
        int id;
    } cases[] = {
        {"en_US.UTF-8", 1033},
        {"en_GB", 2057},
        {"zh_CN.UTF-8", 2052},
        {"zh_SG", 2052},
        {"zh_TW.Big5", 1028},
        {"zh_Hant_TW", 1028},
        {"zh-HK", 3076},
        {"ja_JP.eucJP", 1041},
        {"ko_KR", 1042},
        {"uk_UA", 1058},
        {"de_DE@euro", 1031},
        {"pt-BR", 1046},
        {"C", 0},
        {"POSIX", 0},
        {"", 0},
        {"xx_YY", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageIdFromLocale(c.locale), c.id) << c.locale;
    }
}

TEST(LocaleLanguage, UserDefaultPrefersLanguageThenTheLocaleVariables) {
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved[4];
    for (int i = 0; i < 4; ++i) {
        if (const char* value = std::getenv(names[i])) {
            saved[i] = value;
        }
        unsetenv(names[i]);
    }
    EXPECT_EQ(UserDefaultUiLanguage(), 1033);
    setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ(UserDefaultUiLanguage(), 1041);
    setenv("LC_ALL", "C", 1);  // says nothing about a language
    EXPECT_EQ(UserDefaultUiLanguage(), 1041);
    setenv("LANGUAGE", "zh_CN:en", 1);
    EXPECT_EQ(UserDefaultUiLanguage(), 2052);
    for (int i = 0; i < 4; ++i) {
        if (saved[i]) {
            setenv(names[i], saved[i]->c_str(), 1);
        } else {
            unsetenv(names[i]);
        }
    }
}

}  // namespace
}  // namespace pellora
