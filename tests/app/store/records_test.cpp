// Button assignments, lighting effects and macros.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "store_fixture.h"

namespace pellora {
namespace {

using RecordsTest = testing::StoreTest;

int CountRows(DeviceDatabase& db, const char* sql) {
    SQLiteStatement st;
    db.Prepare(st, sql);
    return st.Step() == SQLITE_ROW ? st.ColumnInt(0) : -1;
}

KeyRecord Key(int profile, int code, int value, int value2 = 0) {
    return KeyRecord{.profile = profile,
                     .key_code = code,
                     .layout_value = code,
                     .layout_desc = L"Button " + std::to_wstring(code),
                     .macro_type = 3,
                     .macro_value = value,
                     .macro_value2 = value2,
                     .macro_value3 = 77,
                     .macro_desc = L"Fire ✓"};
}

TEST_F(RecordsTest, SaveKeyKeepsOneRowPerButtonAndNoneForTheFactoryFunction) {
    EXPECT_EQ(db_.SaveKey(Key(1, 4, 10)), 1);
    EXPECT_EQ(db_.SaveKey(Key(1, 4, 11)), 2);    // replaces the row of the same button
    EXPECT_EQ(db_.SaveKey(Key(1, 5, 0, 8)), 3);  // value 2 alone is an assignment too
    EXPECT_EQ(db_.SaveKey(Key(2, 4, 10)), 4);
    EXPECT_EQ(CountRows(db_, "SELECT count(*) FROM t_key_macro_data"), 3);

    KeyRecord read;
    ASSERT_TRUE(db_.GetKey(1, 4, read));
    EXPECT_EQ(read.id, 2);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.layer, 0);
    EXPECT_EQ(read.key_code, 4);
    EXPECT_EQ(read.layout_value, 4);
    EXPECT_EQ(read.layout_desc, L"Button 4");
    EXPECT_EQ(read.macro_type, 3);
    EXPECT_EQ(read.macro_value, 11);
    EXPECT_EQ(read.macro_value2, 0);
    EXPECT_EQ(read.macro_value3, 77);
    EXPECT_EQ(read.macro_desc, L"Fire ✓");

    EXPECT_EQ(db_.SaveKey(Key(1, 4, 0, 0)), 0);  // back to factory: the row goes
    EXPECT_FALSE(db_.GetKey(1, 4, read));

    KeyList list;
    EXPECT_EQ(db_.ListKeys(1, list), 1);
    EXPECT_EQ(list[0]->key_code, 5);
    EXPECT_TRUE(db_.SetKeyDescription(1, 5, L"renamed"));
    ASSERT_TRUE(db_.GetKey(1, 5, read));
    EXPECT_EQ(read.macro_desc, L"renamed");

    EXPECT_TRUE(db_.DeleteKeys(1));
    EXPECT_EQ(db_.ListKeys(1, list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(db_.ListKeys(2, list), 1);
}

TEST_F(RecordsTest, KeysOfOtherLayersAreNotListed) {
    KeyRecord other = Key(1, 4, 10);
    other.layer = 1;
    ASSERT_GT(db_.SaveKey(other), 0);
    KeyList list;
    EXPECT_EQ(db_.ListKeys(1, list), 0);
    KeyRecord read;
    EXPECT_FALSE(db_.GetKey(1, 4, read));
}

LightRecord Light(int profile, int mode, int base) {
    LightRecord light{.profile = profile,
                      .name = L"effect " + std::to_wstring(mode),
                      .mode = mode,
                      .brightness = base + 1,
                      .speed = base + 2,
                      .direction = base + 3,
                      .colorful = base + 4,
                      .colorindex = base + 5,
                      .config_func = base + 6,
                      .reserved = base + 7,
                      .status = 0};
    for (int i = 0; i < kLightColourCount; ++i) {
        light.color_values[i] = base * 100 + i;
    }
    return light;
}

void ExpectSameEffect(const LightRecord& a, const LightRecord& b) {
    EXPECT_EQ(a.brightness, b.brightness);
    EXPECT_EQ(a.speed, b.speed);
    EXPECT_EQ(a.direction, b.direction);
    EXPECT_EQ(a.colorful, b.colorful);
    EXPECT_EQ(a.colorindex, b.colorindex);
    for (int i = 0; i < kLightColourCount; ++i) {
        EXPECT_EQ(a.color_values[i], b.color_values[i]) << i;
    }
    EXPECT_EQ(a.config_func, b.config_func);
    EXPECT_EQ(a.reserved, b.reserved);
}

TEST_F(RecordsTest, LightsStoreEveryFieldAndUpdateOnlyTheEffectValues) {
    EXPECT_EQ(db_.AddLight(Light(1, 1, 10)), 1);
    EXPECT_EQ(db_.AddLight(Light(1, 2, 20)), 2);
    EXPECT_EQ(db_.AddLight(Light(2, 1, 30)), 3);
    EXPECT_EQ(db_.CountLights(1), 2);

    LightRecord read;
    ASSERT_TRUE(db_.GetLight(1, 2, read));
    EXPECT_EQ(read.id, 2);
    EXPECT_EQ(read.name, L"effect 2");
    EXPECT_EQ(read.mode, 2);
    ExpectSameEffect(read, Light(1, 2, 20));

    LightRecord update = Light(1, 99, 50);
    update.name = L"ignored";
    update.status = 1;
    EXPECT_TRUE(db_.UpdateLight(2, update));
    ASSERT_TRUE(db_.GetLight(1, 2, read));
    ExpectSameEffect(read, update);
    EXPECT_EQ(read.name, L"effect 2");  // name, mode and status stay
    EXPECT_EQ(read.mode, 2);
    EXPECT_EQ(read.status, 0);
    ASSERT_TRUE(db_.GetLight(2, 1, read));
    ExpectSameEffect(read, Light(2, 1, 30));  // another profile's row is untouched

    LightList list;
    EXPECT_EQ(db_.ListLights(1, list), 2);
    EXPECT_TRUE(db_.DeleteLights(1));
    EXPECT_EQ(db_.CountLights(1), 0);
    EXPECT_EQ(db_.CountLights(2), 1);
    EXPECT_FALSE(db_.GetLight(1, 2, read));
}

TEST_F(RecordsTest, ActiveLightModeIsOnePerProfile) {
    for (int mode = 1; mode <= 3; ++mode) {
        db_.AddLight(Light(1, mode, mode));
    }
    db_.AddLight(Light(2, 1, 9));
    EXPECT_TRUE(db_.SetActiveLightMode(2, 1));
    EXPECT_TRUE(db_.SetActiveLightMode(1, 2));
    EXPECT_TRUE(db_.SetActiveLightMode(1, 3));
    EXPECT_EQ(db_.GetActiveLightMode(1), 3);
    EXPECT_EQ(db_.GetActiveLightMode(2), 1);
    EXPECT_EQ(CountRows(db_, "SELECT count(*) FROM t_light_data WHERE profile = 1 AND status = 1"),
              1);
    // A mode the profile has no row for clears every status and sets none.
    EXPECT_TRUE(db_.SetActiveLightMode(1, 6));
    EXPECT_EQ(db_.GetActiveLightMode(1), 0);
    EXPECT_EQ(db_.GetActiveLightMode(2), 1);
}

TEST_F(RecordsTest, MacrosKeepTheirSettingsAndNames) {
    const int plain = db_.AddMacro(L"Combo \"A\"");
    ASSERT_EQ(plain, 1);
    MacroRecord read;
    ASSERT_TRUE(db_.GetMacro(plain, read));
    EXPECT_EQ(read.name, L"Combo \"A\"");
    EXPECT_EQ(read.play_type, 0);
    EXPECT_EQ(read.play_times, 1);
    EXPECT_EQ(read.delay_type, 1);
    EXPECT_EQ(read.delay_time, 0);

    const int full = db_.AddMacroRecord(MacroRecord{
        .name = L"🎮", .play_type = 2, .play_times = 5, .delay_type = 2, .delay_time = 30});
    ASSERT_EQ(full, 2);
    ASSERT_TRUE(db_.GetMacro(full, read));
    EXPECT_EQ(read.id, 2);
    EXPECT_EQ(read.name, L"🎮");
    EXPECT_EQ(read.play_times, 5);
    EXPECT_EQ(read.delay_time, 30);

    EXPECT_TRUE(db_.RenameMacro(plain, L"renamed"));
    read.name = L"updated";
    read.play_type = 1;
    EXPECT_TRUE(db_.UpdateMacro(read));
    MacroList list;
    ASSERT_EQ(db_.ListMacros(list), 2);
    EXPECT_EQ(list[0]->name, L"renamed");
    EXPECT_EQ(list[1]->name, L"updated");
    EXPECT_EQ(list[1]->play_type, 1);
    EXPECT_FALSE(db_.GetMacro(99, read));
}

MacroStep Step(int macro, int position, int kind, int value) {
    return MacroStep{.macro = macro,
                     .kind = kind,
                     .position = position,
                     .value = value,
                     .timestamp = 1000 + position,
                     .desc = L"step " + std::to_wstring(position)};
}

TEST_F(RecordsTest, StepsComeBackInPositionOrderWhateverTheInsertOrder) {
    const int macro = db_.AddMacro(L"m");
    db_.AddMacroSteps({Step(macro, 2, kMacroStepKeyUp, 30), Step(macro, 0, kMacroStepKeyDown, 30),
                       Step(macro, 1, kMacroStepDelay, 50)});
    EXPECT_GT(db_.AddMacroStep(Step(macro + 1, 0, kMacroStepKeyDown, 4)), 0);

    MacroStepList steps;
    ASSERT_EQ(db_.ListMacroSteps(macro, steps), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(steps[i]->position, i);
        EXPECT_EQ(steps[i]->macro, macro);
        EXPECT_EQ(steps[i]->timestamp, 1000 + i);
        EXPECT_EQ(steps[i]->desc, L"step " + std::to_wstring(i));
    }
    EXPECT_EQ(steps[1]->kind, kMacroStepDelay);
    EXPECT_EQ(steps[1]->value, 50);

    EXPECT_TRUE(db_.DeleteMacroSteps(macro));
    EXPECT_EQ(db_.ListMacroSteps(macro, steps), 0);
    EXPECT_EQ(db_.ListMacroSteps(macro + 1, steps), 1);
}

TEST_F(RecordsTest, DeleteMacroTakesItsStepsAlong) {
    const int keep = db_.AddMacro(L"keep");
    const int gone = db_.AddMacro(L"gone");
    db_.AddMacroSteps({Step(keep, 0, 2, 4), Step(gone, 0, 2, 4), Step(gone, 1, 3, 4)});
    EXPECT_TRUE(db_.DeleteMacro(gone));
    MacroRecord read;
    EXPECT_FALSE(db_.GetMacro(gone, read));
    EXPECT_EQ(CountRows(db_, "SELECT count(*) FROM t_macrorecord"), 1);
    EXPECT_TRUE(db_.GetMacro(keep, read));
}

TEST_F(RecordsTest, AFailingStepDoesNotStopTheOthers) {
    const int macro = db_.AddMacro(L"m");
    // A trigger makes the middle row fail; the rows before and after must still be stored.
    ASSERT_EQ(db_.Execute("CREATE TEMP TRIGGER refuse BEFORE INSERT ON t_macrorecord "
                          "WHEN NEW.value = 666 BEGIN SELECT RAISE(ABORT, 'no'); END"),
              SQLITE_OK);
    db_.AddMacroSteps({Step(macro, 0, 2, 1), Step(macro, 1, 2, 666), Step(macro, 2, 2, 3)});
    MacroStepList steps;
    ASSERT_EQ(db_.ListMacroSteps(macro, steps), 2);
    EXPECT_EQ(steps[0]->value, 1);
    EXPECT_EQ(steps[1]->value, 3);
}

}  // namespace
}  // namespace pellora
