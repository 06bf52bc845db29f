// Profiles and their configuration keys.

#include <sqlite3.h>

#include "store/column_text.h"
#include "store/default_config.h"
#include "store/device_database.h"
#include "tessel/platform/text.h"

namespace pellora {

int DeviceDatabase::AddProfile(const ProfileInfo& profile) {
    std::lock_guard lock(mutex_);
    const std::string name = DUI::WideToUtf8(profile.name);
    const std::string app = DUI::WideToUtf8(profile.app);
    SQLiteStatement statement;
    Prepare(statement, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);");
    statement.BindText(1, name);
    statement.BindInt(2, 0);
    statement.BindText(3, app);
    statement.BindInt(4, 0);
    int id = 0;
    if (IsWriteDone(statement.Step())) {
        id = static_cast<int>(LastInsertRowId());
    }
    statement.Finalize();
    WriteDefaultConfig(id);
    return id;
}

bool DeviceDatabase::RenameProfile(int profile, const std::wstring& name) {
    std::lock_guard lock(mutex_);
    const std::string utf8 = DUI::WideToUtf8(name);
    SQLiteStatement statement;
    Prepare(statement, "UPDATE t_profile_data SET name = ? WHERE profile = ?");
    statement.BindText(1, utf8);
    statement.BindInt(2, profile);
    return IsWriteDone(statement.Step());
}

bool DeviceDatabase::GetProfileName(int profile, std::wstring& name) {
    std::lock_guard lock(mutex_);
    name.clear();
    SQLiteStatement statement;
    Prepare(statement, "SELECT name FROM t_profile_data WHERE profile = ?");
    statement.BindInt(1, profile);
    if (statement.Step() != SQLITE_ROW) {
        return false;
    }
    name = WideColumn(statement, 0);
    return true;
}

int DeviceDatabase::ListProfiles(ProfileList& list) {
    std::lock_guard lock(mutex_);
    list.clear();
    SQLiteStatement statement;
    Prepare(statement, "SELECT * FROM t_profile_data");
    while (statement.Step() == SQLITE_ROW) {
        auto info = std::make_unique<ProfileInfo>();
        info->id = statement.ColumnInt(0);
        info->name = WideColumn(statement, 1);
        info->status = statement.ColumnInt(2);
        info->app = WideColumn(statement, 3);
        info->type = statement.ColumnInt(4);
        list.push_back(std::move(info));
    }
    return static_cast<int>(list.size());
}

bool DeviceDatabase::SetActiveProfile(int profile) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "UPDATE t_profile_data SET status = ?");
    statement.BindInt(1, 0);
    statement.Step();
    Prepare(statement, "UPDATE t_profile_data SET status = ? WHERE profile = ?");
    statement.BindInt(1, 1);
    statement.BindInt(2, profile);
    return IsWriteDone(statement.Step());
}

int DeviceDatabase::GetActiveProfile() {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    Prepare(statement, "SELECT profile FROM t_profile_data WHERE status = ?");
    statement.BindInt(1, 1);
    if (statement.Step() != SQLITE_ROW) {
        return 0;
    }
    return statement.ColumnInt(0);
}

bool DeviceDatabase::SetConfigValue(int profile, const std::wstring& key,
                                    const std::wstring& value) {
    std::lock_guard lock(mutex_);
    const std::string key_utf8 = DUI::WideToUtf8(key);
    const std::string value_utf8 = DUI::WideToUtf8(value);
    SQLiteStatement statement;
    Prepare(statement, "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?");
    statement.BindText(1, value_utf8);
    statement.BindInt(2, profile);
    statement.BindText(3, key_utf8);
    return IsWriteDone(statement.Step());
}

bool DeviceDatabase::GetConfigValue(int profile, const std::wstring& key, std::wstring& value) {
    std::lock_guard lock(mutex_);
    value.clear();
    const std::string key_utf8 = DUI::WideToUtf8(key);
    SQLiteStatement statement;
    Prepare(statement, "SELECT value FROM t_configdata WHERE profile = ? and key = ?");
    statement.BindInt(1, profile);
    statement.BindText(2, key_utf8);
    if (statement.Step() != SQLITE_ROW) {
        return false;
    }
    value = WideColumn(statement, 0);
    return true;
}

void DeviceDatabase::WriteDefaultConfig(int profile) {
    std::lock_guard lock(mutex_);
    SQLiteStatement statement;
    for (const DefaultConfigEntry& entry : kDefaultConfig) {
        Prepare(statement, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);");
        statement.BindInt(1, profile);
        statement.BindText(2, entry.key, -1);
        statement.BindText(3, entry.value, -1);
        statement.Step();
    }
}

}  // namespace pellora
