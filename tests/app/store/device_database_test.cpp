#include "store/device_database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "store/schema.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace pellora {
namespace {

using testing::TempDir;

std::vector<std::string> Column(const fs::path& file, const std::string& sql) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                const unsigned char* text = sqlite3_column_text(st, 0);
                rows.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

class DeviceDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(dir_.path() / "db"); }
    fs::path DbFile(const std::string& key) const {
        return dir_.path() / "db" / (key + "_data.db");
    }
    TempDir dir_{"pellora-store"};
    DeviceDatabase db_;
};

TEST_F(DeviceDatabaseTest, MissingFileIsCreatedWithTheFifteenSchemaObjectsInOrder) {
    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M800"));
    EXPECT_TRUE(db_.IsOpened());
    EXPECT_EQ(db_.State(), StoreState::kCreated);
    EXPECT_EQ(db_.Path(), DbFile("M800").string());
    db_.Close();

    const std::vector<std::string> names =
        Column(DbFile("M800"),
               "SELECT name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' "
               "ORDER BY rowid");
    EXPECT_EQ(names, (std::vector<std::string>{"t_configdata", "t_profile_data", "profileindex",
                                               "t_key_macro_data", "keyindex", "t_key_otherdata",
                                               "otheridindex", "t_macro_data", "macroidindex",
                                               "t_macrorecord", "macrorecordindex", "t_light_data",
                                               "lightindex", "t_key_light_data", "keylightindex"}));
    // "SELECT *" readers depend on the column order.
    EXPECT_EQ(Column(DbFile("M800"), "SELECT name FROM pragma_table_info('t_macrorecord')"),
              (std::vector<std::string>{"record_id", "macro_id", "type", "record_index", "desc",
                                        "value", "delay_time"}));
    EXPECT_EQ(Column(DbFile("M800"), "SELECT count(*) FROM pragma_table_info('t_light_data')"),
              std::vector<std::string>{"19"});
}

TEST_F(DeviceDatabaseTest, ExistingFileIsOpenedAsItIsWithoutRunningTheSchema) {
    // An older file with only one of the tables, and an empty file: both are used unchanged.
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(DbFile("Old").c_str(), &raw), SQLITE_OK);
        sqlite3_exec(raw,
                     "CREATE TABLE t_profile_data(profile INTEGER PRIMARY KEY, name TEXT, "
                     "status INTEGER, app TEXT, type INTEGER)",
                     nullptr, nullptr, nullptr);
        sqlite3_close(raw);
    }
    ASSERT_TRUE(testing::WriteFile(DbFile("Empty"), ""));

    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"Old"));
    EXPECT_EQ(db_.State(), StoreState::kOpen);
    EXPECT_GT(db_.AddProfile(ProfileInfo{.name = L"P"}), 0);
    std::wstring value;
    EXPECT_FALSE(db_.GetConfigValue(1, L"dpi_index", value));  // no t_configdata table
    db_.Close();
    EXPECT_EQ(Column(DbFile("Old"), "SELECT count(*) FROM sqlite_master"),
              std::vector<std::string>{"1"});

    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"Empty"));
    EXPECT_EQ(db_.AddProfile(ProfileInfo{}), 0);
    db_.Close();
    EXPECT_EQ(fs::file_size(DbFile("Empty")), 0u);
}

TEST_F(DeviceDatabaseTest, OpeningTheOpenFileAgainKeepsTheConnection) {
    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
    // A temporary table lives only as long as its connection.
    ASSERT_EQ(db_.Execute("CREATE TEMP TABLE marker(x)"), SQLITE_OK);
    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
    EXPECT_EQ(db_.Execute("SELECT * FROM marker"), SQLITE_OK);
}

TEST_F(DeviceDatabaseTest, EachModelKeepsItsOwnFileEvenWhenTheCallerForgetsToClose) {
    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
    ASSERT_EQ(db_.AddProfile(ProfileInfo{.name = L"one"}), 1);
    // No Close in between: the second model must not write into the first model's file.
    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M2"));
    ASSERT_EQ(db_.AddProfile(ProfileInfo{.name = L"two"}), 1);
    db_.Close();
    EXPECT_EQ(Column(DbFile("M1"), "SELECT name FROM t_profile_data"),
              std::vector<std::string>{"one"});
    EXPECT_EQ(Column(DbFile("M2"), "SELECT name FROM t_profile_data"),
              std::vector<std::string>{"two"});
}

TEST_F(DeviceDatabaseTest, KeysThatCannotNameAFileInsideDbOpenNothing) {
    const std::pair<std::wstring, StoreState> cases[] = {
        {L"", StoreState::kUnknownModel},
        {L"../x", StoreState::kUnsafeKey},
        {L"a/b", StoreState::kUnsafeKey},
        {L"/tmp/abs", StoreState::kUnsafeKey},
        {L"..\\x", StoreState::kUnsafeKey},
        {std::wstring(L"a\0b", 3), StoreState::kUnsafeKey},
        {L"line\nbreak", StoreState::kUnsafeKey},
    };
    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
    for (const auto& [key, state] : cases) {
        SCOPED_TRACE(std::string(key.begin(), key.end()));
        EXPECT_FALSE(db_.OpenForDevice(dir_.path(), key));
        EXPECT_EQ(db_.State(), state);
        // The previous model's file is closed too, so no page writes into it by mistake.
        EXPECT_FALSE(db_.IsOpen());
        EXPECT_EQ(db_.AddMacro(L"m"), 0);
    }
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir_.path())) {
        files.push_back(entry.path().lexically_relative(dir_.path()).string());
    }
    EXPECT_EQ(files, (std::vector<std::string>{"db", "db/M1_data.db"}));
}

TEST_F(DeviceDatabaseTest, DamagedFileIsNeverUsedNorReplaced) {
    const std::string garbage(4096, '\x5a');
    const std::string truncated_header = std::string("SQLite format 3\0", 16) + "\x10\x00";
    for (const std::string& bytes : {garbage, truncated_header}) {
        ASSERT_TRUE(testing::WriteFile(DbFile("Bad"), bytes));
        EXPECT_FALSE(db_.OpenForDevice(dir_.path(), L"Bad"));
        EXPECT_EQ(db_.State(), StoreState::kDamaged);
        EXPECT_FALSE(db_.IsOpened());
        EXPECT_EQ(db_.AddProfile(ProfileInfo{.name = L"x"}), 0);
        EXPECT_FALSE(db_.OpenForDevice(dir_.path(), L"Bad"));  // still refused, still intact
        EXPECT_EQ(testing::ReadFile(DbFile("Bad")), bytes);
    }
}

TEST_F(DeviceDatabaseTest, MissingDbFolderFailsWithoutCreatingAnything) {
    TempDir other("pellora-store");
    EXPECT_FALSE(db_.OpenForDevice(other.path(), L"M1"));
    EXPECT_EQ(db_.State(), StoreState::kOpenFailed);
    EXPECT_FALSE(fs::exists(other.path() / "db"));
    std::wstring name;
    EXPECT_FALSE(db_.GetProfileName(1, name));
}

TEST_F(DeviceDatabaseTest, ReadOnlyFolderFailsQuietly) {
    fs::permissions(dir_.path() / "db", fs::perms::owner_read | fs::perms::owner_exec);
    if (access((dir_.path() / "db").c_str(), W_OK) == 0) {
        fs::permissions(dir_.path() / "db", fs::perms::owner_all);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_FALSE(db_.OpenForDevice(dir_.path(), L"M1"));
    EXPECT_EQ(db_.State(), StoreState::kOpenFailed);
    fs::permissions(dir_.path() / "db", fs::perms::owner_all);
}

TEST_F(DeviceDatabaseTest, VeryLongKeyFailsToOpenInsteadOfCrashing) {
    EXPECT_FALSE(db_.OpenForDevice(dir_.path(), std::wstring(400, L'k')));
    EXPECT_EQ(db_.State(), StoreState::kOpenFailed);
}

TEST_F(DeviceDatabaseTest, ALockHeldByAnotherProgramMakesOperationsFailUntilReleased) {
    ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
    const int id = db_.AddProfile(ProfileInfo{.name = L"p"});
    ASSERT_EQ(id, 1);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(DbFile("M1").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(db_.RenameProfile(id, L"changed"));
    std::wstring name;
    EXPECT_FALSE(db_.GetProfileName(id, name));
    EXPECT_EQ(db_.AddMacro(L"m"), 0);
    sqlite3_exec(other, "END", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_TRUE(db_.RenameProfile(id, L"changed"));
    ASSERT_TRUE(db_.GetProfileName(id, name));
    EXPECT_EQ(name, L"changed");
}

TEST(DeviceDatabaseClosed, EveryOperationAnswersEmpty) {
    DeviceDatabase db;
    std::wstring text = L"stale";
    ProfileList profiles;
    profiles.push_back(std::make_unique<ProfileInfo>());
    KeyList keys;
    LightList lights;
    MacroList macros;
    MacroStepList steps;
    KeyRecord key;
    LightRecord light;
    MacroRecord macro;

    EXPECT_EQ(db.AddProfile(ProfileInfo{.name = L"x"}), 0);
    EXPECT_FALSE(db.RenameProfile(1, L"x"));
    EXPECT_FALSE(db.GetProfileName(1, text));
    EXPECT_EQ(text, L"");
    EXPECT_EQ(db.ListProfiles(profiles), 0);
    EXPECT_TRUE(profiles.empty());
    EXPECT_FALSE(db.SetActiveProfile(1));
    EXPECT_EQ(db.GetActiveProfile(), 0);
    EXPECT_FALSE(db.SetConfigValue(1, L"dpi_index", L"2"));
    text = L"stale";
    EXPECT_FALSE(db.GetConfigValue(1, L"dpi_index", text));
    EXPECT_EQ(text, L"");
    EXPECT_EQ(db.SaveKey(KeyRecord{.macro_value = 1}), 0);
    EXPECT_FALSE(db.GetKey(1, 1, key));
    EXPECT_FALSE(db.SetKeyDescription(1, 1, L"x"));
    EXPECT_EQ(db.ListKeys(1, keys), 0);
    EXPECT_FALSE(db.DeleteKeys(1));
    EXPECT_EQ(db.CountLights(1), 0);
    EXPECT_FALSE(db.DeleteLights(1));
    EXPECT_EQ(db.AddLight(light), 0);
    EXPECT_FALSE(db.UpdateLight(1, light));
    EXPECT_FALSE(db.SetActiveLightMode(1, 1));
    EXPECT_EQ(db.GetActiveLightMode(1), 0);
    EXPECT_FALSE(db.GetLight(1, 1, light));
    EXPECT_EQ(db.ListLights(1, lights), 0);
    EXPECT_EQ(db.AddMacro(L"m"), 0);
    EXPECT_EQ(db.AddMacroRecord(macro), 0);
    EXPECT_FALSE(db.RenameMacro(1, L"m"));
    EXPECT_FALSE(db.UpdateMacro(macro));
    EXPECT_FALSE(db.GetMacro(1, macro));
    EXPECT_EQ(db.ListMacros(macros), 0);
    EXPECT_FALSE(db.DeleteMacro(1));
    EXPECT_EQ(db.AddMacroStep(MacroStep{}), 0);
    db.AddMacroSteps({MacroStep{}, MacroStep{}});
    EXPECT_EQ(db.ListMacroSteps(1, steps), 0);
    EXPECT_FALSE(db.DeleteMacroSteps(1));
    db.WriteDefaultConfig(1);
}

TEST(DeviceDatabaseInstance, IsOneObjectForEveryCaller) {
    EXPECT_EQ(&DeviceDatabase::Instance(), &DeviceDatabase::Instance());
}

}  // namespace
}  // namespace pellora
