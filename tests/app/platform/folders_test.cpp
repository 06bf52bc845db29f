#include "platform/folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/temp_dir.h"
#include "tessel/platform/app_name.h"

namespace fs = std::filesystem;
using pellora::testing::TempDir;

namespace {

class FoldersTest : public ::testing::Test {
  protected:
    void TearDown() override {
        pellora::ConfigureFolders({});
        DUI::SetApplicationName(DUI::kDefaultApplicationName);
        unsetenv(pellora::kDataDirEnv);
    }
};

}  // namespace

TEST_F(FoldersTest, DefaultsFollowXdgAndTheNameSetLate) {
    pellora::ConfigureFolders({});
    const fs::path data_home = getenv("XDG_DATA_HOME");
    const fs::path config_home = getenv("XDG_CONFIG_HOME");
    EXPECT_EQ(pellora::DataDir(), data_home / "Quorvel Files");
    // The configuration names the application after start-up began: folders follow at once.
    DUI::SetApplicationName(L"Pellora");
    EXPECT_EQ(pellora::DataDir(), data_home / "Pellora Files");
    EXPECT_EQ(pellora::DbDir(), data_home / "Pellora Files" / "db");
    EXPECT_EQ(pellora::SettingsFilePath(), config_home / "Pellora" / "settings.ini");
}

TEST_F(FoldersTest, CommandLineBeatsEnvironmentBeatsDefault) {
    TempDir tmp;
    setenv(pellora::kDataDirEnv, (tmp / "from-env").c_str(), 1);
    pellora::ConfigureFolders({});
    EXPECT_EQ(pellora::DataDir(), tmp / "from-env");
    pellora::ConfigureFolders(
        {.app_dir = tmp / "app", .data_dir = tmp / "cli", .config_dir = tmp / "cfg"});
    EXPECT_EQ(pellora::DataDir(), tmp / "cli");
    EXPECT_EQ(pellora::AppDir(), tmp / "app");
    EXPECT_EQ(pellora::SettingsFilePath(), tmp / "cfg" / "settings.ini");
}

TEST_F(FoldersTest, AppFolderIsBesideTheProgramOnlyWhenConfigIsThere) {
    TempDir tmp;
    const fs::path bin = tmp / "prefix" / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(pellora::AppDirForExecutable(bin), tmp / "prefix" / "share" / "pellora");
    ASSERT_TRUE(pellora::testing::WriteFile(bin / "config.xml", "<config/>"));
    EXPECT_EQ(pellora::AppDirForExecutable(bin), bin);
}

TEST_F(FoldersTest, EnsureDataFoldersCreatesDbAndReportsFailure) {
    TempDir tmp;
    pellora::ConfigureFolders({.data_dir = tmp / "a" / "b"});
    EXPECT_TRUE(pellora::EnsureDataFolders());
    EXPECT_TRUE(fs::is_directory(tmp / "a" / "b" / "db"));
    EXPECT_TRUE(pellora::EnsureDataFolders());  // already there

    ASSERT_TRUE(pellora::testing::WriteFile(tmp / "file", "x"));
    pellora::ConfigureFolders({.data_dir = tmp / "file" / "sub"});
    EXPECT_FALSE(pellora::EnsureDataFolders());
}
