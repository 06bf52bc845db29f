#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/folders.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using pellora::SettingsFile;
using pellora::testing::TempDir;

TEST(SettingsFile, ReadingFromMissingFileCreatesItEmptyAndGivesZero) {
    TempDir tmp;
    const SettingsFile file(tmp / "cfg" / "Pellora" / "settings.ini");
    EXPECT_EQ(file.ReadInt(L"LCID"), 0);
    EXPECT_TRUE(fs::exists(file.path()));
    EXPECT_EQ(fs::file_size(file.path()), 0u);
}

TEST(SettingsFile, WritingNeverCreatesTheFile) {
    TempDir tmp;
    const SettingsFile file(tmp / "cfg" / "settings.ini");
    EXPECT_FALSE(file.WriteString(L"exit_mode", L"1"));
    EXPECT_FALSE(fs::exists(file.path()));
    EXPECT_EQ(file.ReadInt(L"exit_mode"), 0);  // creates it
    EXPECT_TRUE(file.WriteString(L"exit_mode", L"1"));
    EXPECT_EQ(file.ReadInt(L"exit_mode"), 1);
}

TEST(SettingsFile, ValuesReadWithRuntimeRulesAndNamesIgnoreCase) {
    TempDir tmp;
    const SettingsFile file(tmp / "settings.ini");
    file.ReadInt(L"x");
    const std::pair<const wchar_t*, int> cases[] = {
        {L"101", 101}, {L"2052abc", 2052}, {L"", 0}, {L"none", 0}, {L"-3", -3}};
    for (const auto& [text, value] : cases) {
        ASSERT_TRUE(file.WriteString(L"DeviceType", text));
        EXPECT_EQ(file.ReadInt(L"devicetype"), value) << text;
    }
    EXPECT_EQ(file.ReadInt(L"absent"), 0);
}

TEST(SettingsFile, AwkwardNamesAndValuesSurviveARoundTrip) {
    TempDir tmp;
    const SettingsFile file(tmp / "settings.ini");
    file.ReadInt(L"x");
    const std::pair<std::wstring, std::wstring> entries[] = {{L"a=b", L"c=d"},
                                                             {L"multi\nline", L"x\r\ny"},
                                                             {L"back\\slash", L"\\n"},
                                                             {L"\u914D\u7F6E", L"\U0001F600"},
                                                             {L"#hash", L";semi"}};
    for (const auto& [name, value] : entries)
        ASSERT_TRUE(file.WriteString(name, value));
    for (const auto& [name, value] : entries)
        EXPECT_EQ(file.ReadString(name), value);
    EXPECT_TRUE(file.DeleteValue(L"a=b"));
    EXPECT_FALSE(file.ReadString(L"a=b").has_value());
    EXPECT_EQ(file.ReadString(L"#hash"), L";semi");
}

TEST(SettingsFile, AFailedWriteLeavesThePreviousContents) {
    TempDir tmp;
    const SettingsFile file(tmp / "settings.ini");
    file.ReadInt(L"x");
    ASSERT_TRUE(file.WriteString(L"LCID", L"1033"));
    // A folder where the temporary file must go makes the write fail, even for root.
    fs::create_directory(tmp / "settings.ini.tmp");
    EXPECT_FALSE(file.WriteString(L"LCID", L"2052"));
    EXPECT_EQ(file.ReadInt(L"LCID"), 1033);
}

TEST(SettingsFile, ConcurrentWritersLoseNoValue) {
    TempDir tmp;
    const SettingsFile file(tmp / "settings.ini");
    file.ReadInt(L"x");
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                file.WriteString(L"v" + std::to_wstring(t * 100 + i), std::to_wstring(i));
            }
        });
    }
    for (auto& w : writers)
        w.join();
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 25; ++i) {
            EXPECT_EQ(file.ReadInt(L"v" + std::to_wstring(t * 100 + i)), i);
        }
    }
    EXPECT_FALSE(fs::exists(tmp / "settings.ini.tmp"));
}

TEST(SettingsFile, RegistryFunctionsUseTheRedirectedConfigFolder) {
    TempDir tmp;
    pellora::ConfigureFolders({.config_dir = tmp / "cfg"});
    pellora::WriteAppRegString(L"exit_mode", L"1");  // no file yet: nothing happens
    EXPECT_EQ(pellora::ReadAppRegInt(L"exit_mode"), 0);
    pellora::WriteAppRegString(L"exit_mode", L"1");
    EXPECT_EQ(pellora::ReadAppRegInt(L"exit_mode"), 1);
    EXPECT_TRUE(fs::exists(tmp / "cfg" / "settings.ini"));
    pellora::ConfigureFolders({});
}
