// The macro library (one per database, not tied to a profile) and the steps of each macro.

#include <sqlite3.h>

#include "store/column_text.h"
#include "store/device_database.h"

namespace pellora {

namespace {

constexpr const char* kInsertMacroSql =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, "
    "?, ?, ?, ?);";
constexpr const char* kInsertStepSql =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) VALUES "
    "(?, ?, ?, ?, ?, ?);";

void ReadMacro(SQLiteStatement& statement, MacroRecord& record) {
    record.id = statement.ColumnInt(0);
    record.name = WideColumn(statement, 1);
    record.play_type = statement.ColumnInt(2);
    record.play_times = statement.ColumnInt(3);
    record.delay_type = statement.ColumnInt(4);
    record.delay_time = statement.ColumnInt(5);
}

}  // namespace

int DeviceDatabase::InsertMacro(const std::wstring& name, int play_type, int play_times,
                                int delay_type, int delay_time) {
    std::lock_guard lock(mutex_);
    const std::string utf8 = DUI::WideToUtf8(name);
    SQLiteStatement statement;
    Prepare(statement, kInsertMacroSql);
    statement.BindText(1, utf8);
    statement.BindInt(2, play_type);
    statement.BindInt(3, play_times);
    statement.BindInt(4, delay_type);
    statement.BindInt(5, delay_time);
    if (!IsWriteDone(statement.Step())) {
        return 0;
    }
    return static_cast<int>(LastInsertRowId());
}

int DeviceDatabase::AddMacro(const std::wstring& name) {
    // A new macro repeats once and keeps the recorded delays.
    return InsertMacro(name, 0, 1, 1, 0);
}

int DeviceDatabase::AddMacroRecord(const MacroRecord& record) {
    return InsertMacro(record.name, record.play_type, record.play_times, record.delay_type,
                       record.delay_time);
}

bool DeviceDatabase::RenameMacro(int macro, const std::wstring& name) {
    std::lock_guard lock(mutex_);
    const std::string utf8 = DUI::WideToUtf8(name);
    SQLiteStatement statement;
    Prepare(statement, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?");
    statement.BindText(1, utf8);
    statement.BindInt(2, macro);
    return IsWriteDone(statement.Step());
}

bool DeviceDatabase::UpdateMacro(const MacroRecord& record) {
    std::lock_guard lock(mutex_);
    const std::string utf8 = DUI::WideToUtf8(record.name);
    SQLiteStatement statement;
    Prepare(statement,
            "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = "
            "?,delay_time = ? WHERE macro_id = ?");
    statement.BindText(1, utf8);
    statement.BindInt(2, record.play_type);
    statement.BindInt(3, record.play_times);
    statement.BindInt(4, record.delay_type);
    statement.BindInt(5, record.delay_time);
    statement.BindInt(6, record.id);
    return IsWriteDone(statement.Step());
}

bool DeviceDatabase::GetMacro(int macro, MacroRecord& record) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "SELECT * FROM t_macro_data WHERE macro_id = ?");
    statement.BindInt(1, macro);
    if (statement.Step() != SQLITE_ROW) {
        return false;
    }
    ReadMacro(statement, record);
    return true;
}

int DeviceDatabase::ListMacros(MacroList& list) {
    std::lock_guard lock(mutex_);
    list.clear();
    SQLiteStatement statement;
    Prepare(statement, "SELECT * FROM t_macro_data");
    while (statement.Step() == SQLITE_ROW) {
        auto record = std::make_unique<MacroRecord>();
        ReadMacro(statement, *record);
        list.push_back(std::move(record));
    }
    return static_cast<int>(list.size());
}

bool DeviceDatabase::DeleteMacro(int macro) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "DELETE FROM t_macro_data WHERE macro_id = ?");
    statement.BindInt(1, macro);
    if (!IsWriteDone(statement.Step())) {
        return false;  // keep the steps of a macro that is still there
    }
    Prepare(statement, "DELETE FROM t_macrorecord WHERE macro_id = ?");
    statement.BindInt(1, macro);
    return IsWriteDone(statement.Step());
}

int DeviceDatabase::InsertMacroStep(SQLiteStatement& statement, const MacroStep& step) {
    const std::string desc = DUI::WideToUtf8(step.desc);
    Prepare(statement, kInsertStepSql);
    statement.BindInt(1, step.macro);
    statement.BindInt(2, step.kind);
    statement.BindInt(3, step.position);
    statement.BindText(4, desc);
    statement.BindInt(5, step.value);
    statement.BindInt(6, step.timestamp);
    if (!IsWriteDone(statement.Step())) {
        return 0;
    }
    return static_cast<int>(LastInsertRowId());
}

int DeviceDatabase::AddMacroStep(const MacroStep& step) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    return InsertMacroStep(statement, step);
}

void DeviceDatabase::AddMacroSteps(std::vector<MacroStep> steps) {
    std::lock_guard lock(mutex_);
    SQLiteAutoTransaction transaction(this);
    transaction.Begin();
    SQLiteStatement statement;
    for (const MacroStep& step : steps) {
        InsertMacroStep(statement, step);  // a failed row does not stop the others
    }
    statement.Finalize();
    transaction.End();
}

int DeviceDatabase::ListMacroSteps(int macro, MacroStepList& list) {
    std::lock_guard lock(mutex_);
    list.clear();
    SQLiteStatement statement;
    Prepare(statement, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC");
    statement.BindInt(1, macro);
    while (statement.Step() == SQLITE_ROW) {
        auto step = std::make_unique<MacroStep>();
        step->id = statement.ColumnInt(0);
        step->macro = statement.ColumnInt(1);
        step->kind = statement.ColumnInt(2);
        step->position = statement.ColumnInt(3);
        step->desc = WideColumn(statement, 4);
        step->value = statement.ColumnInt(5);
        step->timestamp = statement.ColumnInt(6);
        list.push_back(std::move(step));
    }
    return static_cast<int>(list.size());
}

bool DeviceDatabase::DeleteMacroSteps(int macro) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "DELETE FROM t_macrorecord WHERE macro_id = ?");
    statement.BindInt(1, macro);
    return IsWriteDone(statement.Step());
}

}  // namespace pellora
