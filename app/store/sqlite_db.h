#pragma once
// Thin wrappers over SQLite's C interface. They never throw: every call returns the SQLite
// result code (or false / 0 / null), and calls on a closed connection or an empty statement
// return SQLITE_MISUSE (21) so that a store whose open failed degrades to empty answers.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace pellora {

inline constexpr int kSqliteMisuse = 21;  // SQLITE_MISUSE

class SQLiteDB;

class SQLiteStatement {
  public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    // Text is bound without copying: the caller keeps the bytes alive until the last Step.
    int BindInt(int index, int value);
    int BindText(int index, const char* bytes, int length);
    int BindText(int index, const std::string& utf8) {
        return BindText(index, utf8.data(), static_cast<int>(utf8.size()));
    }
    int Step();
    int ColumnInt(int index);
    const char* ColumnText(int index);

    // Releases the prepared statement (to its connection's cache when it came from there);
    // true when there was none or it ended cleanly.
    bool Finalize();

    bool IsPrepared() const { return handle_ != nullptr; }
    bool IsDone() const { return done_ != 0; }

  private:
    friend class SQLiteDB;
    int done_ = 1;
    sqlite3_stmt* handle_ = nullptr;
    // Set when the statement was lent by a connection's cache; it must not outlive that
    // connection object.
    SQLiteDB* lender_ = nullptr;
    std::string_view cache_key_;
};

class SQLiteDB {
  public:
    SQLiteDB() = default;
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // The key is accepted for encrypted builds; a plain SQLite library is used, so a non-empty
    // key makes the open fail rather than silently store the data unencrypted.
    bool Open(const char* path, const std::string& key, int flags);
    bool Close();
    bool IsOpen() const { return handle_ != nullptr; }

    // A negative length means the whole zero-terminated text.
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);

    using RowCallback = int (*)(void* context, int columns, char** values, char** names);
    int Execute(const char* sql, RowCallback callback = nullptr, void* context = nullptr);

    std::int64_t LastInsertRowId() const;

    // Keeps finished statements for reuse by a later Prepare of the same SQL text, so a
    // store that prepares its statements for every operation does not parse them every time.
    // Off by default; the cache is emptied when the connection closes.
    void EnableStatementCache(bool enable);

  protected:
    sqlite3* handle() const { return handle_; }

  private:
    friend class SQLiteStatement;

    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    using StatementCache =
        std::unordered_map<std::string, std::vector<sqlite3_stmt*>, KeyHash, std::equal_to<>>;

    sqlite3_stmt* TakeCached(std::string_view sql, std::string_view& key);
    void ReturnToCache(std::string_view key, sqlite3_stmt* statement);
    void FinalizeCached();

    sqlite3* handle_ = nullptr;
    bool cache_enabled_ = false;
    std::mutex cache_mutex_;
    StatementCache cache_;
};

// Groups several writes into one transaction; an open transaction is ended by the destructor.
class SQLiteAutoTransaction {
  public:
    explicit SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {}
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    bool Begin();
    bool End();
    // Undoes everything since Begin; for callers that must not leave half a change behind.
    bool Rollback();
    bool IsActive() const { return active_ != 0; }

  private:
    SQLiteDB* database_ = nullptr;
    unsigned char active_ = 0;
};

}  // namespace pellora
