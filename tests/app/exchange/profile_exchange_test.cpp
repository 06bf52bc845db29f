#include "files/exchange/profile_exchange.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "tessel/platform/text.h"

namespace fs = std::filesystem;

namespace pellora {
namespace {

class ProfileExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir_.path() / "db");
        ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
        ASSERT_EQ(db_.AddProfile(ProfileInfo{.name = L"Profile 1"}), 1);
        ASSERT_EQ(db_.AddProfile(ProfileInfo{.name = L"Profile 2"}), 2);
    }

    void AddLights(int profile) {
        for (int mode = 1; mode <= 2; ++mode) {
            LightRecord light{.profile = profile,
                              .name = L"fx",
                              .mode = mode,
                              .brightness = 3,
                              .speed = 2,
                              .config_func = 40,
                              .reserved = 41};
            db_.AddLight(light);
        }
    }

    std::wstring Config(int profile, const wchar_t* key) {
        std::wstring value;
        db_.GetConfigValue(profile, key, value);
        return value;
    }

    std::string Dump(int profile) {
        std::string out;
        std::wstring name;
        db_.GetProfileName(profile, name);
        out += DUI::WideToUtf8(name) + "|";
        KeyList keys;
        db_.ListKeys(profile, keys);
        for (const auto& k : keys) {
            out += std::to_string(k->key_code) + ":" + std::to_string(k->macro_value) + ",";
        }
        out += "|" + std::to_string(db_.GetActiveLightMode(profile)) + "|";
        for (const wchar_t* key : {L"dpi_index", L"dpi_group0_value", L"report_rate"}) {
            out += DUI::WideToUtf8(Config(profile, key)) + ",";
        }
        return out;
    }

    testing::TempDir dir_{"pellora-exchange"};
    DeviceDatabase db_;
};

TEST_F(ProfileExchangeTest, ExportWritesTheExactLayout) {
    db_.SaveKey(KeyRecord{.profile = 1,
                          .key_code = 3,
                          .macro_type = 2,
                          .macro_value = 7,
                          .macro_value2 = 8,
                          .macro_value3 = 9,
                          .macro_desc = L"A & \"B\""});
    AddLights(1);
    db_.SetActiveLightMode(1, 2);
    db_.SetConfigValue(1, L"dpi_group0_value", L"400");

    const fs::path file = dir_ / "out.xml";
    ASSERT_TRUE(ExportProfile(db_, file, 1, L"Mein Profil", true));
    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<profile>\r\n"
        "<profileinfo name=\"Mein Profil\">\r\n"
        "<keyitems>\r\n"
        "<item key_code=\"3\" macro_type=\"2\" macro_value=\"7\" macro_value2=\"8\" "
        "macro_value3=\"9\" macro_desc=\"A &amp; &quot;B&quot;\"/>\r\n"
        "</keyitems>\r\n"
        "<Lightitems lightmode=\"2\">\r\n"
        "<item light_mode=\"1\" brightness=\"3\" speed=\"2\" direction=\"0\" colorful=\"0\" "
        "colorindex=\"0\" color_value1=\"0\" color_value2=\"0\" color_value3=\"0\" "
        "color_value4=\"0\" color_value5=\"0\" color_value6=\"0\" color_value7=\"0\"/>\r\n"
        "<item light_mode=\"2\" brightness=\"3\" speed=\"2\" direction=\"0\" colorful=\"0\" "
        "colorindex=\"0\" color_value1=\"0\" color_value2=\"0\" color_value3=\"0\" "
        "color_value4=\"0\" color_value5=\"0\" color_value6=\"0\" color_value7=\"0\"/>\r\n"
        "</Lightitems>\r\n"
        "<Mouse_DPI dpi_flag=\"6\" dpi_index=\"1\" dpi_count=\"6\">\r\n"
        "<DPI1 value=\"400\" color=\"255\"/>\r\n"
        "<DPI2 value=\"1600\" color=\"65280\"/>\r\n"
        "<DPI3 value=\"2400\" color=\"16711680\"/>\r\n"
        "<DPI4 value=\"3200\" color=\"16711935\"/>\r\n"
        "<DPI5 value=\"6400\" color=\"65535\"/>\r\n"
        "<DPI6 value=\"10000\" color=\"16776960\"/>\r\n"
        "</Mouse_DPI>\r\n"
        "<Mouse>\r\n"
        "<button_respondtime value=\"8\"/>\r\n"
        "<report_rate value=\"2\"/>\r\n"
        "<sensor_flag value=\"53\"/>\r\n"
        "<liftoff_height value=\"1\"/>\r\n"
        "<scroll_flag value=\"1\"/>\r\n"
        "<e-sports_flag value=\"0\"/>\r\n"
        "<sleep_light value=\"6\"/>\r\n"
        "<move_wakeup value=\"1\"/>\r\n"
        "<move_closelight value=\"1\"/>\r\n"
        "</Mouse>\r\n"
        "</profileinfo>\r\n"
        "</profile>\r\n";
    EXPECT_EQ(testing::ReadFile(file), expected);
}

TEST_F(ProfileExchangeTest, ModelWithoutLightingPageWritesNoLightItems) {
    AddLights(1);
    const fs::path file = dir_ / "out.xml";
    ASSERT_TRUE(ExportProfile(db_, file, 1, L"P", false));
    const std::string text = testing::ReadFile(file);
    EXPECT_EQ(text.find("Lightitems"), std::string::npos);
    EXPECT_NE(text.find("<keyitems/>\r\n<Mouse_DPI"), std::string::npos);
}

TEST_F(ProfileExchangeTest, RoundTripCarriesKeysLightsDpiAndOptionsIntoAnotherProfile) {
    db_.SaveKey(KeyRecord{.profile = 1,
                          .key_code = 3,
                          .macro_type = 2,
                          .macro_value = 7,
                          .macro_desc = L"🎮 <macro>"});
    db_.SaveKey(KeyRecord{.profile = 1, .key_code = 5, .macro_value2 = 4});
    db_.SaveKey(KeyRecord{.profile = 2, .key_code = 9, .macro_value = 1});  // replaced
    AddLights(1);
    AddLights(2);
    db_.UpdateLight(2, LightRecord{.profile = 1, .brightness = 9, .color_values = {1, 2, 3}});
    db_.SetActiveLightMode(1, 2);
    db_.SetConfigValue(1, L"dpi_index", L"4");
    db_.SetConfigValue(1, L"dpi_group5_rgb", L"123");
    db_.SetConfigValue(1, L"e-sports_flag", L"1");

    const fs::path file = dir_ / "Work.xml";
    ASSERT_TRUE(ExportProfile(db_, file, 1, L"ignored on import", true));
    const ProfileImportResult result = ImportProfile(db_, file, 2, true);
    EXPECT_TRUE(result.imported);
    EXPECT_EQ(result.profile_name, L"Work");
    EXPECT_EQ(result.task_to_queue, kWriteProfileTask);

    std::wstring name;
    db_.GetProfileName(2, name);
    EXPECT_EQ(name, L"Work");
    KeyList keys;
    ASSERT_EQ(db_.ListKeys(2, keys), 2);
    EXPECT_EQ(keys[0]->key_code, 3);
    EXPECT_EQ(keys[0]->macro_desc, L"🎮 <macro>");
    EXPECT_EQ(keys[0]->macro_type, 2);
    EXPECT_EQ(keys[1]->macro_value2, 4);
    EXPECT_EQ(db_.GetActiveLightMode(2), 2);
    LightRecord light;
    ASSERT_TRUE(db_.GetLight(2, 2, light));
    EXPECT_EQ(light.brightness, 9);
    EXPECT_EQ(light.color_values[2], 3);
    EXPECT_EQ(light.config_func, 40);  // not carried by the file: kept
    EXPECT_EQ(Config(2, L"dpi_index"), L"4");
    EXPECT_EQ(Config(2, L"dpi_group5_rgb"), L"123");
    EXPECT_EQ(Config(2, L"e-sports_flag"), L"1");
    EXPECT_EQ(Dump(1).substr(Dump(1).find('|')), Dump(2).substr(Dump(2).find('|')));
}

void WriteProfileFile(const fs::path& file, const std::string& body) {
    ASSERT_TRUE(testing::WriteFile(
        file,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n" + body + "</profile>\r\n"));
}

TEST_F(ProfileExchangeTest, ImportFollowsTheFileWhereItIsPartial) {
    db_.SaveKey(KeyRecord{.profile = 1, .key_code = 3, .macro_value = 7});
    db_.SaveKey(KeyRecord{.profile = 1, .key_code = 4, .macro_value = 8});
    AddLights(1);
    db_.SetActiveLightMode(1, 1);
    const fs::path file = dir_ / "partial.XML";
    // An item back to the factory function drops that button; Mouse before Mouse_DPI is
    // not found because the search continues after Mouse_DPI; the lights are not in the file.
    WriteProfileFile(file,
                     "<profileinfo name=\"x\">\r\n"
                     "<keyitems>\r\n<item key_code=\"3\" macro_value=\"0\" macro_value2=\"0\"/>\r\n"
                     "<item key_code=\"6\" macro_value=\"2\"/>\r\n</keyitems>\r\n"
                     "<Mouse>\r\n<report_rate value=\"4\"/>\r\n</Mouse>\r\n"
                     "<Mouse_DPI dpi_index=\"3\">\r\n<DPI2 value=\"1200\"/>\r\n</Mouse_DPI>\r\n"
                     "</profileinfo>\r\n");
    const ProfileImportResult result = ImportProfile(db_, file, 1, true);
    ASSERT_TRUE(result.imported);
    EXPECT_EQ(result.profile_name, L"partial");
    KeyList keys;
    ASSERT_EQ(db_.ListKeys(1, keys), 1);
    EXPECT_EQ(keys[0]->key_code, 6);
    EXPECT_EQ(db_.GetActiveLightMode(1), 1);  // no Lightitems: lighting unchanged
    EXPECT_EQ(Config(1, L"report_rate"), L"2");
    EXPECT_EQ(Config(1, L"dpi_index"), L"3");
    EXPECT_EQ(Config(1, L"dpi_group1_value"), L"1200");
    // Missing attributes keep the stored numbers instead of becoming 0.
    EXPECT_EQ(Config(1, L"dpi_count"), L"6");
    EXPECT_EQ(Config(1, L"dpi_group1_rgb"), L"65280");
}

TEST_F(ProfileExchangeTest, LightItemsOnlyUpdateEffectsTheProfileHasAndOnlyWithALightingPage) {
    AddLights(1);
    const std::string body =
        "<profileinfo>\r\n<Lightitems lightmode=\"2\">\r\n"
        "<item light_mode=\"2\" brightness=\"5\" color_value7=\"99\"/>\r\n"
        "<item light_mode=\"6\" brightness=\"5\"/>\r\n</Lightitems>\r\n</profileinfo>\r\n";
    WriteProfileFile(dir_ / "l.xml", body);

    ASSERT_TRUE(ImportProfile(db_, dir_ / "l.xml", 1, false).imported);
    EXPECT_EQ(db_.GetActiveLightMode(1), 0);
    ASSERT_TRUE(ImportProfile(db_, dir_ / "l.xml", 1, true).imported);
    EXPECT_EQ(db_.GetActiveLightMode(1), 2);
    LightRecord light;
    ASSERT_TRUE(db_.GetLight(1, 2, light));
    EXPECT_EQ(light.brightness, 5);
    EXPECT_EQ(light.speed, 0);  // missing attribute: 0, as the file says nothing else
    EXPECT_EQ(light.color_values[6], 99);
    EXPECT_EQ(db_.CountLights(1), 2);  // no row made for mode 6
}

TEST_F(ProfileExchangeTest, FilesThatAreNotProfilesChangeNothing) {
    db_.SaveKey(KeyRecord{.profile = 1, .key_code = 3, .macro_value = 7});
    AddLights(1);
    db_.SetActiveLightMode(1, 1);
    const std::string before = Dump(1);

    const std::string valid =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n<profileinfo name=\"x\">\r\n"
        "<keyitems>\r\n<item key_code=\"1\" macro_value=\"1\"/>\r\n</keyitems>\r\n"
        "<Mouse_DPI dpi_index=\"5\"/>\r\n</profileinfo>\r\n</profile>\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"truncated.xml", valid.substr(0, valid.find("</keyitems>"))},
        {"garbage.xml", std::string("\x00\xff\x13garbage", 10)},
        {"empty.xml", ""},
        {"macro.xml", "<macro><macroinfo macro_name=\"m\"/></macro>"},
        {"no_info.xml", "<profile><keyitems><item key_code=\"1\"/></keyitems></profile>"},
        {"two_roots.xml", "<profile><profileinfo/></profile><profile/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testing::WriteFile(dir_ / c.name, c.bytes));
        const ProfileImportResult result = ImportProfile(db_, dir_ / c.name, 1, true);
        EXPECT_FALSE(result.imported);
        EXPECT_EQ(result.task_to_queue, 0);
        EXPECT_EQ(Dump(1), before);
    }
    EXPECT_FALSE(ImportProfile(db_, dir_ / "missing.xml", 1, true).imported);
    EXPECT_FALSE(ImportProfile(db_, dir_.path(), 1, true).imported);  // a folder
    EXPECT_EQ(Dump(1), before);
}

TEST_F(ProfileExchangeTest, AStoreFailureHalfwayLeavesTheProfileAsItWas) {
    db_.SaveKey(KeyRecord{.profile = 1, .key_code = 3, .macro_value = 7});
    const std::string before = Dump(1);
    WriteProfileFile(dir_ / "p.xml",
                     "<profileinfo>\r\n<keyitems>\r\n<item key_code=\"1\" macro_value=\"1\"/>\r\n"
                     "<item key_code=\"2\" macro_value=\"666\"/>\r\n</keyitems>\r\n"
                     "<Mouse_DPI dpi_index=\"5\"/>\r\n</profileinfo>\r\n");
    // The second button cannot be stored (as if the disk were full at that moment).
    ASSERT_EQ(db_.Execute("CREATE TEMP TRIGGER refuse BEFORE INSERT ON t_key_macro_data "
                          "WHEN NEW.macro_value = 666 BEGIN SELECT RAISE(ABORT, 'no'); END"),
              SQLITE_OK);
    EXPECT_FALSE(ImportProfile(db_, dir_ / "p.xml", 1, true).imported);
    EXPECT_EQ(Dump(1), before);
}

TEST_F(ProfileExchangeTest, HandWrittenUtf16FileWithMarkImports) {
    const std::wstring text =
        L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<profile>\r\n"
        L"<profileinfo name=\"Ü\">\r\n<keyitems>\r\n"
        L"<item key_code=\"2\" macro_value=\"5\" macro_desc=\"Änderung 🎮\"/>\r\n"
        L"</keyitems>\r\n<Mouse>\r\n<report_rate value=\"3\"/>\r\n</Mouse>\r\n"
        L"</profileinfo>\r\n</profile>\r\n";
    ASSERT_TRUE(testing::WriteFile(
        dir_ / "Händisch.xml", "\xff\xfe" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little)));
    const ProfileImportResult result = ImportProfile(db_, dir_ / "Händisch.xml", 1, true);
    ASSERT_TRUE(result.imported);
    EXPECT_EQ(result.profile_name, L"Händisch");
    KeyRecord key;
    ASSERT_TRUE(db_.GetKey(1, 2, key));
    EXPECT_EQ(key.macro_desc, L"Änderung 🎮");
    EXPECT_EQ(Config(1, L"report_rate"), L"3");
}

TEST_F(ProfileExchangeTest, ExportToAnUnwritablePlaceReportsFalse) {
    EXPECT_FALSE(ExportProfile(db_, dir_ / "no" / "such" / "folder.xml", 1, L"P", true));
    EXPECT_FALSE(ExportProfile(db_, dir_.path(), 1, L"P", true));
}

TEST_F(ProfileExchangeTest, LockedDatabaseImportsNothingAndTheNextAttemptWorks) {
    db_.SaveKey(KeyRecord{.profile = 1, .key_code = 3, .macro_value = 7});
    const std::string before = Dump(1);
    WriteProfileFile(dir_ / "p.xml",
                     "<profileinfo>\r\n<Mouse_DPI dpi_index=\"5\"/>\r\n</profileinfo>\r\n");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((dir_ / "db" / "M1_data.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(ImportProfile(db_, dir_ / "p.xml", 1, true).imported);
    sqlite3_exec(other, "END", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Dump(1), before);
    EXPECT_TRUE(ImportProfile(db_, dir_ / "p.xml", 1, true).imported);
    EXPECT_EQ(Config(1, L"dpi_index"), L"5");
}

TEST_F(ProfileExchangeTest, AwkwardTextsSurviveExportAndImport) {
    const std::wstring texts[] = {
        L"quotes \" ' & < > ;",
        L"emoji 🎮🖱️ and 配置",
        std::wstring(20000, L'w'),
        L"",
    };
    for (const std::wstring& text : texts) {
        db_.SaveKey(KeyRecord{.profile = 1, .key_code = 1, .macro_value = 1, .macro_desc = text});
        ASSERT_TRUE(ExportProfile(db_, dir_ / "t.xml", 1, text, true));
        ASSERT_TRUE(ImportProfile(db_, dir_ / "t.xml", 2, true).imported);
        KeyRecord key;
        ASSERT_TRUE(db_.GetKey(2, 1, key));
        EXPECT_EQ(key.macro_desc, text);
    }
}

TEST(ProfileNameFromFile, DropsOnlyAnXmlEnding) {
    const struct {
        const char* file;
        const wchar_t* name;
    } cases[] = {
        {"/x/Work.xml", L"Work"},
        {"/x/Work.XML", L"Work"},
        {"/x/a.b.xml", L"a.b"},
        {"/x/.xml", L""},
        {"/x/Work", L"Work"},
        {"/x/Wo", L"Wo"},
        {"/x/Work.profile", L"Work.profile"},
        {"/x/配置 🎮.xml", L"配置 🎮"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProfileNameFromFile(c.file), c.name) << c.file;
    }
}

}  // namespace
}  // namespace pellora
