#include "files/exchange/macro_exchange.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "tessel/platform/text.h"

namespace fs = std::filesystem;

namespace pellora {
namespace {

class MacroExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir_.path() / "db");
        ASSERT_TRUE(db_.OpenForDevice(dir_.path(), L"M1"));
    }

    int MacroWithThreeSteps() {
        const int id = db_.AddMacroRecord(MacroRecord{.name = L"stored name",
                                                      .play_type = 1,
                                                      .play_times = 3,
                                                      .delay_type = 2,
                                                      .delay_time = 25});
        db_.AddMacroSteps({
            MacroStep{
                .macro = id, .kind = 2, .position = 0, .value = 4, .timestamp = 11, .desc = L"A ↓"},
            MacroStep{.macro = id,
                      .kind = 1,
                      .position = 1,
                      .value = 50,
                      .timestamp = 12,
                      .desc = L"50 ms"},
            MacroStep{.macro = id,
                      .kind = 3,
                      .position = 2,
                      .value = 4,
                      .timestamp = 11,
                      .desc = L"A <up>"},
        });
        return id;
    }

    int Count(const char* sql) {
        SQLiteStatement st;
        db_.Prepare(st, sql);
        return st.Step() == SQLITE_ROW ? st.ColumnInt(0) : -1;
    }

    testing::TempDir dir_{"pellora-exchange"};
    DeviceDatabase db_;
};

TEST_F(MacroExchangeTest, ExportWritesTheExactLayout) {
    const int id = MacroWithThreeSteps();
    const fs::path file = dir_ / "m.xml";
    ASSERT_TRUE(ExportMacro(db_, file, id, L"Shown 'name'"));
    EXPECT_EQ(testing::ReadFile(file),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<macro>\r\n"
              "<macroinfo macro_name=\"Shown &apos;name&apos;\" macro_type=\"1\" "
              "play_times=\"3\" delay_type=\"2\" delay_time=\"25\"/>\r\n"
              "<macroitems>\r\n"
              "<item desc=\"A \xE2\x86\x93\" index=\"0\" type=\"2\" value=\"4\" "
              "timestamp=\"11\"/>\r\n"
              "<item desc=\"50 ms\" index=\"1\" type=\"1\" value=\"50\" timestamp=\"12\"/>\r\n"
              "<item desc=\"A &lt;up&gt;\" index=\"2\" type=\"3\" value=\"4\" "
              "timestamp=\"11\"/>\r\n"
              "</macroitems>\r\n"
              "</macro>\r\n");
}

TEST_F(MacroExchangeTest, ImportCreatesANewMacroWithTheSameSteps) {
    const int id = MacroWithThreeSteps();
    const fs::path file = dir_ / "m.xml";
    ASSERT_TRUE(ExportMacro(db_, file, id, L"Combo 🎮"));

    const MacroImportResult result = ImportMacro(db_, file);
    ASSERT_GT(result.macro_id, id);
    EXPECT_EQ(result.name, L"Combo 🎮");
    MacroRecord macro;
    ASSERT_TRUE(db_.GetMacro(result.macro_id, macro));
    EXPECT_EQ(macro.name, L"Combo 🎮");
    EXPECT_EQ(macro.play_type, 1);
    EXPECT_EQ(macro.play_times, 3);
    EXPECT_EQ(macro.delay_type, 2);
    EXPECT_EQ(macro.delay_time, 25);

    MacroStepList original;
    MacroStepList imported;
    db_.ListMacroSteps(id, original);
    ASSERT_EQ(db_.ListMacroSteps(result.macro_id, imported), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(imported[i]->macro, result.macro_id);
        EXPECT_EQ(imported[i]->position, i);
        EXPECT_EQ(imported[i]->kind, original[i]->kind);
        EXPECT_EQ(imported[i]->value, original[i]->value);
        EXPECT_EQ(imported[i]->timestamp, original[i]->timestamp);
        EXPECT_EQ(imported[i]->desc, original[i]->desc);
    }
}

TEST_F(MacroExchangeTest, MacroWithoutStepsRoundTripsAsAnEmptyMacro) {
    const int id = db_.AddMacro(L"empty");
    ASSERT_TRUE(ExportMacro(db_, dir_ / "e.xml", id, L"empty"));
    EXPECT_NE(testing::ReadFile(dir_ / "e.xml").find("<macroitems/>\r\n</macro>"),
              std::string::npos);
    ASSERT_TRUE(
        testing::WriteFile(dir_ / "bare.xml", "<macro><macroinfo macro_name=\"bare\"/></macro>"));
    for (const char* name : {"e.xml", "bare.xml"}) {
        const MacroImportResult result = ImportMacro(db_, dir_ / name);
        ASSERT_GT(result.macro_id, 0) << name;
        MacroStepList steps;
        EXPECT_EQ(db_.ListMacroSteps(result.macro_id, steps), 0);
    }
}

TEST_F(MacroExchangeTest, FilesThatAreNotMacrosAddNothing) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty.xml", ""},
        {"profile.xml", "<profile><profileinfo/></profile>"},
        {"no_info.xml", "<macro><macroitems><item type=\"2\"/></macroitems></macro>"},
        {"truncated.xml", "<macro><macroinfo macro_name=\"m\"/><macroitems><item type=\"2\"/>"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(testing::WriteFile(dir_ / c.name, c.bytes));
        EXPECT_EQ(ImportMacro(db_, dir_ / c.name).macro_id, 0) << c.name;
    }
    EXPECT_EQ(ImportMacro(db_, dir_ / "missing.xml").macro_id, 0);
    EXPECT_EQ(Count("SELECT count(*) FROM t_macro_data"), 0);
}

TEST_F(MacroExchangeTest, AStepThatCannotBeStoredLeavesNoHalfMacro) {
    ASSERT_TRUE(testing::WriteFile(
        dir_ / "m.xml",
        "<macro><macroinfo macro_name=\"m\"/><macroitems><item index=\"0\" value=\"1\"/>"
        "<item index=\"1\" value=\"666\"/></macroitems></macro>"));
    ASSERT_EQ(db_.Execute("CREATE TEMP TRIGGER refuse BEFORE INSERT ON t_macrorecord "
                          "WHEN NEW.value = 666 BEGIN SELECT RAISE(ABORT, 'no'); END"),
              SQLITE_OK);
    EXPECT_EQ(ImportMacro(db_, dir_ / "m.xml").macro_id, 0);
    EXPECT_EQ(Count("SELECT count(*) FROM t_macro_data"), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM t_macrorecord"), 0);
}

TEST_F(MacroExchangeTest, ClosedStoreImportsNothingAndExportStillWritesAFile) {
    DeviceDatabase closed;
    ASSERT_TRUE(testing::WriteFile(dir_ / "m.xml", "<macro><macroinfo macro_name=\"m\"/></macro>"));
    EXPECT_EQ(ImportMacro(closed, dir_ / "m.xml").macro_id, 0);
    EXPECT_TRUE(ExportMacro(closed, dir_ / "out.xml", 1, L"m"));
}

}  // namespace
}  // namespace pellora
