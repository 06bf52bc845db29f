#include "store/sqlite_db.h"

#include <sqlite3.h>

#include <cstring>

namespace pellora {

namespace {

bool IsOk(int rc) {
    return rc == SQLITE_OK;
}

}  // namespace

// ---- SQLiteStatement ----

SQLiteStatement::~SQLiteStatement() {
    Finalize();
}

bool SQLiteStatement::Finalize() {
    if (handle_ == nullptr) {
        return true;
    }
    if (lender_ != nullptr) {
        const int rc = sqlite3_reset(handle_);
        lender_->ReturnToCache(cache_key_, handle_);
        lender_ = nullptr;
        handle_ = nullptr;
        done_ = 1;
        return IsOk(rc);
    }
    // sqlite3_finalize always releases the statement; its result only repeats the last step's
    // error, which the caller has already seen.
    const int rc = sqlite3_finalize(handle_);
    handle_ = nullptr;
    done_ = 1;
    return IsOk(rc);
}

int SQLiteStatement::BindInt(int index, int value) {
    if (handle_ == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_bind_int(handle_, index, value);
}

int SQLiteStatement::BindText(int index, const char* bytes, int length) {
    if (handle_ == nullptr) {
        return SQLITE_MISUSE;
    }
    // An empty std::string may hand a null pointer, which SQLite would bind as NULL; every
    // stored text column must read back as text, so bind an empty text instead.
    return sqlite3_bind_text(handle_, index, bytes != nullptr ? bytes : "", length, SQLITE_STATIC);
}

int SQLiteStatement::Step() {
    if (handle_ == nullptr) {
        return SQLITE_MISUSE;
    }
    const int rc = sqlite3_step(handle_);
    if (rc == SQLITE_DONE) {
        done_ = 1;
    }
    return rc;
}

int SQLiteStatement::ColumnInt(int index) {
    if (handle_ == nullptr) {
        return 0;
    }
    return sqlite3_column_int(handle_, index);
}

const char* SQLiteStatement::ColumnText(int index) {
    if (handle_ == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(sqlite3_column_text(handle_, index));
}

// ---- SQLiteDB ----

SQLiteDB::~SQLiteDB() {
    if (handle_ != nullptr) {
        sqlite3_interrupt(handle_);
        Close();
    }
}

bool SQLiteDB::Open(const char* path, const std::string& key, int flags) {
    if (handle_ != nullptr) {
        sqlite3_interrupt(handle_);
        Close();
    }
    if (path == nullptr) {
        return false;
    }
    sqlite3* db = nullptr;
    if (!IsOk(sqlite3_open_v2(path, &db, flags, nullptr))) {
        sqlite3_close(db);  // a half-open connection still holds memory
        return false;
    }
    handle_ = db;
    sqlite3_exec(handle_, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
    if (!key.empty()) {
        // This build links the plain SQLite library, which cannot encrypt. Refusing is safer
        // than writing settings in the clear that the caller expected to be protected.
        Close();
        return false;
    }
    return true;
}

bool SQLiteDB::Close() {
    if (handle_ == nullptr) {
        return true;
    }
    FinalizeCached();
    if (!IsOk(sqlite3_close(handle_))) {
        return false;  // still busy with an unfinished statement: keep the handle
    }
    handle_ = nullptr;
    return true;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
    statement.Finalize();
    if (handle_ == nullptr || sql == nullptr) {
        return SQLITE_MISUSE;
    }
    if (length < 0) {
        length = static_cast<int>(std::strlen(sql)) + 1;
    }
    statement.done_ = 0;
    if (cache_enabled_) {
        std::string_view text(sql, static_cast<std::size_t>(length));
        if (!text.empty() && text.back() == '\0') {
            text.remove_suffix(1);
        }
        std::string_view key;
        if (sqlite3_stmt* cached = TakeCached(text, key)) {
            statement.handle_ = cached;
            statement.lender_ = this;
            statement.cache_key_ = key;
            return SQLITE_OK;
        }
        const int rc = sqlite3_prepare_v2(handle_, sql, length, &statement.handle_, nullptr);
        if (!IsOk(rc) || statement.handle_ == nullptr) {
            statement.handle_ = nullptr;
            statement.done_ = 1;
            return rc;
        }
        statement.lender_ = this;
        statement.cache_key_ = key;
        return rc;
    }
    const int rc = sqlite3_prepare_v2(handle_, sql, length, &statement.handle_, nullptr);
    if (!IsOk(rc)) {
        statement.handle_ = nullptr;  // binds and steps on a failed statement stay no-ops
        statement.done_ = 1;
    }
    return rc;
}

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* context) {
    if (handle_ == nullptr || sql == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_exec(handle_, sql, callback, context, nullptr);
}

std::int64_t SQLiteDB::LastInsertRowId() const {
    if (handle_ == nullptr) {
        return -1;
    }
    return sqlite3_last_insert_rowid(handle_);
}

void SQLiteDB::EnableStatementCache(bool enable) {
    cache_enabled_ = enable;
    if (!enable) {
        FinalizeCached();
    }
}

sqlite3_stmt* SQLiteDB::TakeCached(std::string_view sql, std::string_view& key) {
    std::lock_guard lock(cache_mutex_);
    auto it = cache_.find(sql);
    if (it == cache_.end()) {
        it = cache_.emplace(std::string(sql), std::vector<sqlite3_stmt*>()).first;
    }
    key = it->first;  // map keys stay put while the map lives
    if (it->second.empty()) {
        return nullptr;
    }
    sqlite3_stmt* statement = it->second.back();
    it->second.pop_back();
    return statement;
}

void SQLiteDB::ReturnToCache(std::string_view key, sqlite3_stmt* statement) {
    // A handful per text covers statements used side by side; more would only hold memory.
    constexpr std::size_t kKeptPerText = 4;
    sqlite3_clear_bindings(statement);
    {
        std::lock_guard lock(cache_mutex_);
        auto it = cache_.find(key);
        if (cache_enabled_ && it != cache_.end() && sqlite3_db_handle(statement) == handle_ &&
            it->second.size() < kKeptPerText) {
            it->second.push_back(statement);
            return;
        }
    }
    sqlite3_finalize(statement);
}

void SQLiteDB::FinalizeCached() {
    std::lock_guard lock(cache_mutex_);
    for (auto& [sql, statements] : cache_) {
        for (sqlite3_stmt* statement : statements) {
            sqlite3_finalize(statement);
        }
        statements.clear();
    }
}

// ---- SQLiteAutoTransaction ----

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (active_ != 0) {
        End();
    }
}

bool SQLiteAutoTransaction::Begin() {
    if (database_ == nullptr || active_ != 0) {
        return false;
    }
    if (!database_->IsOpen()) {
        active_ = 1;
        return false;
    }
    // A BEGIN refused because a transaction is already running must not leave this object
    // active: its END would commit the outer transaction halfway.
    const bool begun = IsOk(database_->Execute("BEGIN"));
    active_ = begun ? 1 : 0;
    return begun;
}

bool SQLiteAutoTransaction::End() {
    active_ = 0;
    if (database_ == nullptr || !database_->IsOpen()) {
        return false;
    }
    return IsOk(database_->Execute("END"));
}

bool SQLiteAutoTransaction::Rollback() {
    active_ = 0;
    if (database_ == nullptr || !database_->IsOpen()) {
        return false;
    }
    return IsOk(database_->Execute("ROLLBACK"));
}

}  // namespace pellora
