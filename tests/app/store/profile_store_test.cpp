#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "store/default_config.h"
#include "store_fixture.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

using ProfileStoreTest = testing::StoreTest;

int CountRows(DeviceDatabase& db, const char* sql) {
    SQLiteStatement st;
    db.Prepare(st, sql);
    return st.Step() == SQLITE_ROW ? st.ColumnInt(0) : -1;
}

TEST_F(ProfileStoreTest, NewProfileGetsTheNextIdentifierAndAllFortyDefaults) {
    ProfileInfo info{.name = L"Work", .app = L"game.exe", .type = 9, .status = 1};
    EXPECT_EQ(db_.AddProfile(info), 1);
    EXPECT_EQ(db_.AddProfile(ProfileInfo{.name = L"Play"}), 2);

    ProfileList list;
    list.push_back(std::make_unique<ProfileInfo>());  // stale records are dropped first
    ASSERT_EQ(db_.ListProfiles(list), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->id, 1);
    EXPECT_EQ(list[0]->name, L"Work");
    EXPECT_EQ(list[0]->app, L"game.exe");
    EXPECT_EQ(list[0]->status, 0);  // status and type of the record are not stored
    EXPECT_EQ(list[0]->type, 0);
    EXPECT_EQ(list[1]->name, L"Play");

    EXPECT_EQ(CountRows(db_, "SELECT count(*) FROM t_configdata WHERE profile = 2"), 40);
    for (const DefaultConfigEntry& entry : kDefaultConfig) {
        std::wstring value;
        ASSERT_TRUE(db_.GetConfigValue(2, DUI::Utf8ToWide(entry.key), value)) << entry.key;
        EXPECT_EQ(DUI::WideToUtf8(value), entry.value) << entry.key;
    }
    std::wstring value;
    ASSERT_TRUE(db_.GetConfigValue(1, L"dpi_group8_rgb", value));
    EXPECT_EQ(value, L"2139135");
    ASSERT_TRUE(db_.GetConfigValue(1, L"dpi_group6_rgb", value));
    EXPECT_EQ(value, L"16712191");
}

TEST_F(ProfileStoreTest, ConfigValuesChangeOnlyForKeysTheProfileHas) {
    ASSERT_EQ(db_.AddProfile(ProfileInfo{}), 1);
    ASSERT_EQ(db_.AddProfile(ProfileInfo{}), 2);
    EXPECT_TRUE(db_.SetConfigValue(1, L"dpi_index", L"3"));
    std::wstring value;
    ASSERT_TRUE(db_.GetConfigValue(1, L"dpi_index", value));
    EXPECT_EQ(value, L"3");
    ASSERT_TRUE(db_.GetConfigValue(2, L"dpi_index", value));
    EXPECT_EQ(value, L"1");  // the other profile keeps its own

    const int rows = CountRows(db_, "SELECT count(*) FROM t_configdata");
    EXPECT_TRUE(db_.SetConfigValue(1, L"no_such_key", L"5"));  // success, nothing stored
    EXPECT_EQ(CountRows(db_, "SELECT count(*) FROM t_configdata"), rows);
    value = L"stale";
    EXPECT_FALSE(db_.GetConfigValue(1, L"no_such_key", value));
    EXPECT_EQ(value, L"");
    EXPECT_FALSE(db_.GetConfigValue(7, L"dpi_index", value));
}

TEST_F(ProfileStoreTest, ActiveProfileIsExactlyOneRow) {
    for (int i = 0; i < 4; ++i) {
        db_.AddProfile(ProfileInfo{});
    }
    EXPECT_EQ(db_.GetActiveProfile(), 0);
    EXPECT_TRUE(db_.SetActiveProfile(1));
    EXPECT_TRUE(db_.SetActiveProfile(3));
    EXPECT_EQ(db_.GetActiveProfile(), 3);
    EXPECT_EQ(CountRows(db_, "SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);
    // Selecting an identifier that does not exist leaves none active.
    EXPECT_TRUE(db_.SetActiveProfile(42));
    EXPECT_EQ(db_.GetActiveProfile(), 0);
}

TEST_F(ProfileStoreTest, NamesRoundTripWhateverTheyContain) {
    const std::wstring names[] = {
        L"it's \"quoted\"; DROP TABLE t_profile_data; --",
        L"tab\tnew\nline\x01",
        L"配置 🎮 Ünïcödé",
        std::wstring(5000, L'x'),
        L"",
    };
    const int id = db_.AddProfile(ProfileInfo{.name = L"start"});
    for (const std::wstring& name : names) {
        ASSERT_TRUE(db_.RenameProfile(id, name));
        std::wstring read = L"stale";
        ASSERT_TRUE(db_.GetProfileName(id, read));
        EXPECT_EQ(read, name);
    }
    std::wstring read = L"stale";
    EXPECT_FALSE(db_.GetProfileName(99, read));
    EXPECT_EQ(read, L"");
}

TEST_F(ProfileStoreTest, FailedProfileInsertReturnsZero) {
    ASSERT_EQ(db_.Execute("DROP TABLE t_profile_data"), SQLITE_OK);
    EXPECT_EQ(db_.AddProfile(ProfileInfo{.name = L"x"}), 0);
    // As the shipped program did, the defaults are still written, for profile 0.
    EXPECT_EQ(CountRows(db_, "SELECT count(*) FROM t_configdata WHERE profile = 0"), 40);
}

}  // namespace
}  // namespace pellora
