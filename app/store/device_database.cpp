#include "store/device_database.h"

#include <sqlite3.h>

#include <system_error>

#include "platform/trace.h"
#include "store/schema.h"
#include "tessel/platform/text.h"

namespace fs = std::filesystem;

namespace pellora {

namespace {

constexpr int kOpenExistingFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
constexpr int kCreateFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

bool KeyCanNameAFile(const std::wstring& key) {
    for (wchar_t c : key) {
        // A separator would let a catalogue entry put the database anywhere on disk.
        if (c == L'/' || c == L'\\' || c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

// An existing file must be a readable SQLite database before the store uses it; anything
// else is left exactly as it is so the user can still rescue it.
enum class FileCheck { kUsable, kDamaged };

FileCheck CheckDatabase(SQLiteDB& db) {
    SQLiteStatement check;
    int rc = db.Prepare(check, "PRAGMA quick_check");
    if (rc == SQLITE_OK) {
        rc = check.Step();
    }
    const int primary = rc & 0xFF;
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) {
        return FileCheck::kDamaged;
    }
    if (rc == SQLITE_ROW) {
        const char* verdict = check.ColumnText(0);
        if (verdict == nullptr || std::string(verdict) != "ok") {
            return FileCheck::kDamaged;
        }
    }
    // Busy (another program holds a lock) or other transient errors are not damage: keep the
    // connection; operations fail until the lock is gone.
    return FileCheck::kUsable;
}

}  // namespace

bool IsWriteDone(int step_result) {
    return step_result == SQLITE_OK || step_result == SQLITE_ROW || step_result == SQLITE_DONE;
}

DeviceDatabase& DeviceDatabase::Instance() {
    static DeviceDatabase instance;
    return instance;
}

DeviceDatabase::~DeviceDatabase() {
    std::lock_guard lock(mutex_);
    SQLiteDB::Close();
}

fs::path DeviceDatabase::FileNameForKey(const std::wstring& device_key) {
    if (device_key.empty() || !KeyCanNameAFile(device_key)) {
        return {};
    }
    return fs::path(DUI::WideToUtf8(device_key) + "_data.db");
}

bool DeviceDatabase::OpenForDevice(const fs::path& data_dir, const std::wstring& device_key) {
    std::lock_guard lock(mutex_);
    const fs::path name = FileNameForKey(device_key);
    if (name.empty()) {
        // The settings of one model must never land in another model's file or outside db/.
        SQLiteDB::Close();
        opened_ = false;
        path_.clear();
        state_ = device_key.empty() ? StoreState::kUnknownModel : StoreState::kUnsafeKey;
        Trace(kTraceWarning, "store: %s device key '%s', no database opened",
              device_key.empty() ? "unknown model, empty" : "unsafe",
              DUI::WideToUtf8(device_key).c_str());
        return false;
    }

    const std::string path = (data_dir / "db" / name).string();
    const bool same_file = IsOpen() && path == path_;
    if (IsOpen() && !same_file) {
        SQLiteDB::Close();  // the caller forgot to close the previous model's file
    }
    path_ = path;

    std::error_code error;
    bool result = false;
    if (fs::exists(path_, error)) {
        result = same_file ? true : OpenExisting();
    } else {
        result = CreateSchema();
    }
    opened_ = result;
    return result;
}

bool DeviceDatabase::OpenExisting() {
    if (!Open(path_.c_str(), open_key_, kOpenExistingFlags)) {
        state_ = StoreState::kOpenFailed;
        Trace(kTraceError, "store: cannot open %s", path_.c_str());
        return false;
    }
    if (CheckDatabase(*this) == FileCheck::kDamaged) {
        SQLiteDB::Close();
        state_ = StoreState::kDamaged;
        Trace(kTraceError, "store: %s is not a readable settings database; left untouched",
              path_.c_str());
        return false;
    }
    state_ = StoreState::kOpen;
    return true;
}

bool DeviceDatabase::CreateSchema() {
    std::lock_guard lock(mutex_);
    if (IsOpen()) {
        return true;
    }
    std::error_code error;
    const bool existed = fs::exists(path_, error);
    if (!Open(path_.c_str(), open_key_, kCreateFlags)) {
        state_ = StoreState::kOpenFailed;
        Trace(kTraceError, "store: cannot create %s", path_.c_str());
        return false;
    }
    bool all_ok = true;
    for (const char* statement : kSchemaStatements) {
        if (Execute(statement) != SQLITE_OK) {
            all_ok = false;
        }
    }
    if (!all_ok) {
        Trace(kTraceError, "store: schema of %s incomplete", path_.c_str());
        // A half-built file would be opened as it is on every later start; remove what this
        // call created so the next attempt starts clean. Files that were there are kept.
        if (!existed && SQLiteDB::Close()) {
            fs::remove(path_, error);
        }
        state_ = StoreState::kOpenFailed;
        return false;
    }
    state_ = existed ? StoreState::kOpen : StoreState::kCreated;
    return true;
}

bool DeviceDatabase::Close() {
    std::lock_guard lock(mutex_);
    const bool closed = SQLiteDB::Close();
    if (closed) {
        opened_ = false;
        state_ = StoreState::kClosed;
    }
    return closed;
}

bool DeviceDatabase::IsOpened() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

StoreState DeviceDatabase::State() const {
    std::lock_guard lock(mutex_);
    return state_;
}

std::string DeviceDatabase::Path() const {
    std::lock_guard lock(mutex_);
    return path_;
}

}  // namespace pellora
