#include "store/init_profiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <vector>

#include "store_fixture.h"

namespace pellora {
namespace {

using InitProfilesTest = testing::StoreTest;

TEST_F(InitProfilesTest, FirstRunCreatesFourProfilesAndAppliesTheModelDefaultsToEach) {
    std::vector<int> defaults_applied;
    const InitProfilesResult result = InitProfiles(db_, L"Profil", [&](int profile) {
        defaults_applied.push_back(profile);
        db_.SetConfigValue(profile, L"dpi_group0_value", L"400");
    });
    EXPECT_EQ(defaults_applied, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(result.current_profile, 1);
    EXPECT_EQ(result.profile_name, L"Profil 1");

    ProfileList list;
    ASSERT_EQ(db_.ListProfiles(list), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list[i]->id, i + 1);
        EXPECT_EQ(list[i]->name, L"Profil " + std::to_wstring(i + 1));
        EXPECT_EQ(list[i]->status, i == 0 ? 1 : 0);
        std::wstring value;
        ASSERT_TRUE(db_.GetConfigValue(i + 1, L"dpi_group0_value", value));
        EXPECT_EQ(value, L"400");
        ASSERT_TRUE(db_.GetConfigValue(i + 1, L"doubleclick_time", value));
        EXPECT_EQ(value, L"550");
    }
}

TEST_F(InitProfilesTest, LaterRunsKeepTheProfilesAndTheLastSelection) {
    InitProfiles(db_, L"Profile", nullptr);
    db_.SetActiveProfile(3);
    int calls = 0;
    const InitProfilesResult result = InitProfiles(db_, L"ignored", [&](int) { ++calls; });
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(result.current_profile, 3);
    EXPECT_EQ(result.profile_name, L"Profile 3");
    ProfileList list;
    EXPECT_EQ(db_.ListProfiles(list), 4);
}

TEST_F(InitProfilesTest, NoActiveProfileFallsBackToTheFirst) {
    InitProfiles(db_, L"P", nullptr);
    ASSERT_EQ(db_.Execute("UPDATE t_profile_data SET status = 0"), SQLITE_OK);
    EXPECT_EQ(InitProfiles(db_, L"P", nullptr).current_profile, 1);
    EXPECT_EQ(db_.GetActiveProfile(), 1);
}

TEST_F(InitProfilesTest, MissingLanguageTextStillNumbersTheProfiles) {
    EXPECT_EQ(InitProfiles(db_, L"", nullptr).profile_name, L" 1");
}

TEST_F(InitProfilesTest, EmptiedTableWithUsedIdentifiersStillGetsAnActiveProfile) {
    // Someone emptied the table: identifiers continue after the old ones, so the new profiles
    // are 5 to 8 and the defaults and the active flag must follow them.
    InitProfiles(db_, L"P", nullptr);
    ASSERT_EQ(db_.Execute("DELETE FROM t_profile_data"), SQLITE_OK);
    std::vector<int> defaults_applied;
    const InitProfilesResult result =
        InitProfiles(db_, L"P", [&](int profile) { defaults_applied.push_back(profile); });
    EXPECT_EQ(defaults_applied, (std::vector<int>{5, 6, 7, 8}));
    EXPECT_EQ(result.current_profile, 5);
    EXPECT_EQ(result.profile_name, L"P 1");
}

TEST(InitProfilesClosed, EndsWithNoProfileAndAnEmptyName) {
    DeviceDatabase closed;
    int calls = 0;
    const InitProfilesResult result = InitProfiles(closed, L"P", [&](int) { ++calls; });
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(result.current_profile, 0);
    EXPECT_EQ(result.profile_name, L"");
}

TEST(DisplayProfileName, ReplacesOnlyTheKnownLeadingWords) {
    const struct {
        const wchar_t* stored;
        const wchar_t* shown;
    } cases[] = {
        {L"Profile 2", L"Perfil 2"},
        {L"配置 3", L"Perfil 3"},
        {L"Profile", L"Perfil"},
        {L"Profiles of mine", L"Perfils of mine"},
        {L"profile 1", L"profile 1"},  // the comparison is case-sensitive
        {L"My Profile", L"My Profile"},
        {L"Prof", L"Prof"},
        {L"配", L"配"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayProfileName(c.stored, L"Perfil"), c.shown) << c.stored;
    }
}

}  // namespace
}  // namespace pellora
