// Lighting effects of a profile: at most one row per mode, one of them selected (status 1).

#include <sqlite3.h>

#include "store/column_text.h"
#include "store/device_database.h"

namespace pellora {

namespace {

void ReadLight(SQLiteStatement& statement, LightRecord& record) {
    record.id = statement.ColumnInt(0);
    record.profile = statement.ColumnInt(1);
    record.name = WideColumn(statement, 2);
    record.mode = statement.ColumnInt(3);
    record.brightness = statement.ColumnInt(4);
    record.speed = statement.ColumnInt(5);
    record.direction = statement.ColumnInt(6);
    record.colorful = statement.ColumnInt(7);
    record.colorindex = statement.ColumnInt(8);
    for (int i = 0; i < kLightColourCount; ++i) {
        record.color_values[i] = statement.ColumnInt(9 + i);
    }
    record.config_func = statement.ColumnInt(16);
    record.reserved = statement.ColumnInt(17);
    record.status = statement.ColumnInt(18);
}

}  // namespace

int DeviceDatabase::CountLights(int profile) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "select count(*) FROM t_light_data WHERE profile = ?");
    statement.BindInt(1, profile);
    if (statement.Step() != SQLITE_ROW) {
        return 0;
    }
    return statement.ColumnInt(0);
}

bool DeviceDatabase::DeleteLights(int profile) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "DELETE FROM t_light_data WHERE profile = ?");
    statement.BindInt(1, profile);
    return IsWriteDone(statement.Step());
}

int DeviceDatabase::AddLight(const LightRecord& record) {
    std::lock_guard lock(mutex_);
    const std::string name = DUI::WideToUtf8(record.name);
    SQLiteStatement statement;
    Prepare(statement,
            "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, "
            "colorful, colorindex, color_value1, color_value2, color_value3, color_value4, "
            "color_value5, color_value6, color_value7, config_func, reserved, status) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    statement.BindInt(1, record.profile);
    statement.BindText(2, name);
    statement.BindInt(3, record.mode);
    statement.BindInt(4, record.brightness);
    statement.BindInt(5, record.speed);
    statement.BindInt(6, record.direction);
    statement.BindInt(7, record.colorful);
    statement.BindInt(8, record.colorindex);
    for (int i = 0; i < kLightColourCount; ++i) {
        statement.BindInt(9 + i, record.color_values[i]);
    }
    statement.BindInt(16, record.config_func);
    statement.BindInt(17, record.reserved);
    statement.BindInt(18, record.status);
    if (!IsWriteDone(statement.Step())) {
        return 0;
    }
    return static_cast<int>(LastInsertRowId());
}

bool DeviceDatabase::UpdateLight(int mode, const LightRecord& record) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement,
            "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, "
            "colorindex = ?, color_value1 = ?, color_value2 = ?, color_value3 = ?, "
            "color_value4 = ?, color_value5 = ?, color_value6 = ?, color_value7 = ?, "
            "config_func = ?, reserved = ? WHERE profile = ? and mode = ?");
    statement.BindInt(1, record.brightness);
    statement.BindInt(2, record.speed);
    statement.BindInt(3, record.direction);
    statement.BindInt(4, record.colorful);
    statement.BindInt(5, record.colorindex);
    for (int i = 0; i < kLightColourCount; ++i) {
        statement.BindInt(6 + i, record.color_values[i]);
    }
    statement.BindInt(13, record.config_func);
    statement.BindInt(14, record.reserved);
    statement.BindInt(15, record.profile);
    statement.BindInt(16, mode);
    return IsWriteDone(statement.Step());
}

bool DeviceDatabase::SetActiveLightMode(int profile, int mode) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "UPDATE t_light_data SET status = ? WHERE profile = ?");
    statement.BindInt(1, 0);
    statement.BindInt(2, profile);
    statement.Step();
    Prepare(statement, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?");
    statement.BindInt(1, 1);
    statement.BindInt(2, profile);
    statement.BindInt(3, mode);
    return IsWriteDone(statement.Step());
}

int DeviceDatabase::GetActiveLightMode(int profile) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, 1);
    if (statement.Step() != SQLITE_ROW) {
        return 0;
    }
    return statement.ColumnInt(0);
}

bool DeviceDatabase::GetLight(int profile, int mode, LightRecord& record) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, mode);
    if (statement.Step() != SQLITE_ROW) {
        return false;
    }
    ReadLight(statement, record);
    return true;
}

int DeviceDatabase::ListLights(int profile, LightList& list) {
    std::lock_guard lock(mutex_);
    list.clear();
    SQLiteStatement statement;
    Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ?");
    statement.BindInt(1, profile);
    while (statement.Step() == SQLITE_ROW) {
        auto record = std::make_unique<LightRecord>();
        ReadLight(statement, *record);
        list.push_back(std::move(record));
    }
    return static_cast<int>(list.size());
}

}  // namespace pellora
