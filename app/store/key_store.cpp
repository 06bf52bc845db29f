// Button assignments. A row exists only for a button whose function differs from the factory
// one; the program always works on layer 0.

#include <sqlite3.h>

#include "store/column_text.h"
#include "store/device_database.h"

namespace pellora {

namespace {

constexpr int kWorkingLayer = 0;

void ReadKey(SQLiteStatement& statement, KeyRecord& record) {
    record.id = statement.ColumnInt(0);
    record.profile = statement.ColumnInt(1);
    record.layer = statement.ColumnInt(2);
    record.key_code = statement.ColumnInt(3);
    record.layout_value = statement.ColumnInt(4);
    record.layout_desc = WideColumn(statement, 5);
    record.macro_type = statement.ColumnInt(6);
    record.macro_value = statement.ColumnInt(7);
    record.macro_value2 = statement.ColumnInt(8);
    record.macro_value3 = statement.ColumnInt(9);
    record.macro_desc = WideColumn(statement, 10);
}

}  // namespace

int DeviceDatabase::SaveKey(const KeyRecord& record) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement,
            "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    statement.BindInt(1, record.profile);
    statement.BindInt(2, record.layer);
    statement.BindInt(3, record.key_code);
    statement.Step();
    if (record.macro_value == 0 && record.macro_value2 == 0) {
        return 0;  // back to the factory function: no row
    }
    const std::string layout_desc = DUI::WideToUtf8(record.layout_desc);
    const std::string macro_desc = DUI::WideToUtf8(record.macro_desc);
    Prepare(statement,
            "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, "
            "layout_desc, macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    statement.BindInt(1, record.profile);
    statement.BindInt(2, record.layer);
    statement.BindInt(3, record.key_code);
    statement.BindInt(4, record.layout_value);
    statement.BindText(5, layout_desc);
    statement.BindInt(6, record.macro_type);
    statement.BindInt(7, record.macro_value);
    statement.BindInt(8, record.macro_value2);
    statement.BindInt(9, record.macro_value3);
    statement.BindText(10, macro_desc);
    if (!IsWriteDone(statement.Step())) {
        return 0;
    }
    return static_cast<int>(LastInsertRowId());
}

bool DeviceDatabase::GetKey(int profile, int key_code, KeyRecord& record) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement,
            "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, kWorkingLayer);
    statement.BindInt(3, key_code);
    if (statement.Step() != SQLITE_ROW) {
        return false;
    }
    ReadKey(statement, record);
    return true;
}

bool DeviceDatabase::SetKeyDescription(int profile, int key_code, const std::wstring& description) {
    std::lock_guard lock(mutex_);
    const std::string utf8 = DUI::WideToUtf8(description);
    SQLiteStatement statement;
    Prepare(statement,
            "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and "
            "key_code = ?");
    statement.BindText(1, utf8);
    statement.BindInt(2, profile);
    statement.BindInt(3, kWorkingLayer);
    statement.BindInt(4, key_code);
    return IsWriteDone(statement.Step());
}

int DeviceDatabase::ListKeys(int profile, KeyList& list) {
    std::lock_guard lock(mutex_);
    list.clear();
    SQLiteStatement statement;
    Prepare(statement, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, kWorkingLayer);
    while (statement.Step() == SQLITE_ROW) {
        auto record = std::make_unique<KeyRecord>();
        ReadKey(statement, *record);
        list.push_back(std::move(record));
    }
    return static_cast<int>(list.size());
}

bool DeviceDatabase::DeleteKeys(int profile) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "DELETE FROM t_key_macro_data WHERE profile = ?");
    statement.BindInt(1, profile);
    return IsWriteDone(statement.Step());
}

}  // namespace pellora
