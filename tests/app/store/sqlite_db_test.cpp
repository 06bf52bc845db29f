#include "store/sqlite_db.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "support/temp_dir.h"

namespace pellora {
namespace {

class SQLiteDBTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = (dir_.path() / "t.db").string();
        ASSERT_TRUE(db_.Open(path_.c_str(), "", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
        ASSERT_EQ(db_.Execute("CREATE TABLE t(a INTEGER, b TEXT)"), SQLITE_OK);
    }

    int Count() {
        SQLiteStatement st;
        db_.Prepare(st, "SELECT count(*) FROM t");
        return st.Step() == SQLITE_ROW ? st.ColumnInt(0) : -1;
    }

    testing::TempDir dir_{"pellora-sqlite"};
    std::string path_;
    SQLiteDB db_;
};

TEST_F(SQLiteDBTest, NegativeLengthPreparesTheWholeText) {
    SQLiteStatement st;
    const char* sql = "SELECT * FROM t WHERE a = 7";
    // A statement cut at "SELECT * FROM t" would return the row with a = 1 as well.
    db_.Execute("INSERT INTO t VALUES (1, 'x'), (7, 'y')");
    ASSERT_EQ(db_.Prepare(st, sql, -1), SQLITE_OK);
    ASSERT_EQ(st.Step(), SQLITE_ROW);
    EXPECT_STREQ(st.ColumnText(1), "y");
    EXPECT_EQ(st.Step(), SQLITE_DONE);
    EXPECT_TRUE(st.IsDone());
}

TEST_F(SQLiteDBTest, OneStatementObjectServesSeveralStatementsInTurn) {
    SQLiteStatement st;
    ASSERT_EQ(db_.Prepare(st, "INSERT INTO t VALUES (?, ?)"), SQLITE_OK);
    EXPECT_FALSE(st.IsDone());
    const std::string text = "héllo";
    st.BindInt(1, 5);
    st.BindText(2, text);
    EXPECT_EQ(st.Step(), SQLITE_DONE);
    EXPECT_EQ(db_.LastInsertRowId(), 1);
    ASSERT_EQ(db_.Prepare(st, "SELECT b FROM t WHERE a = ?"), SQLITE_OK);
    st.BindInt(1, 5);
    ASSERT_EQ(st.Step(), SQLITE_ROW);
    EXPECT_EQ(std::string(st.ColumnText(0)), text);
}

TEST_F(SQLiteDBTest, FailedPrepareLeavesAnEmptyStatementWhoseCallsAreMisuse) {
    SQLiteStatement st;
    EXPECT_NE(db_.Prepare(st, "SELECT * FROM no_such_table"), SQLITE_OK);
    EXPECT_FALSE(st.IsPrepared());
    EXPECT_EQ(st.BindInt(1, 1), kSqliteMisuse);
    EXPECT_EQ(st.BindText(1, "x", 1), kSqliteMisuse);
    EXPECT_EQ(st.Step(), kSqliteMisuse);
    EXPECT_EQ(st.ColumnInt(0), 0);
    EXPECT_EQ(st.ColumnText(0), nullptr);
}

TEST(SQLiteDBClosed, EveryCallReportsMisuseOrNothing) {
    SQLiteDB db;
    SQLiteStatement st;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.Prepare(st, "SELECT 1"), kSqliteMisuse);
    EXPECT_EQ(db.Execute("SELECT 1"), kSqliteMisuse);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_FALSE(db.Open(nullptr, "", SQLITE_OPEN_READWRITE));
    SQLiteAutoTransaction transaction(&db);
    EXPECT_FALSE(transaction.Begin());
    EXPECT_FALSE(transaction.End());
}

TEST(SQLiteDBOpen, MissingFileWithoutCreateFailsAndStaysClosed) {
    testing::TempDir dir("pellora-sqlite");
    SQLiteDB db;
    const std::string path = (dir.path() / "missing.db").string();
    EXPECT_FALSE(db.Open(path.c_str(), "", SQLITE_OPEN_READWRITE));
    EXPECT_FALSE(db.IsOpen());
}

TEST(SQLiteDBOpen, AKeyIsRefusedBecauseThisBuildCannotEncrypt) {
    testing::TempDir dir("pellora-sqlite");
    SQLiteDB db;
    const std::string path = (dir.path() / "k.db").string();
    EXPECT_FALSE(db.Open(path.c_str(), "secret", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(SQLiteDBTest, TransactionGroupsWritesAndRollbackUndoesThem) {
    {
        SQLiteAutoTransaction transaction(&db_);
        ASSERT_TRUE(transaction.Begin());
        EXPECT_FALSE(transaction.Begin());  // already active
        db_.Execute("INSERT INTO t VALUES (1, 'a')");
        EXPECT_TRUE(transaction.End());
    }
    EXPECT_EQ(Count(), 1);
    {
        SQLiteAutoTransaction transaction(&db_);
        ASSERT_TRUE(transaction.Begin());
        db_.Execute("INSERT INTO t VALUES (2, 'b')");
        EXPECT_TRUE(transaction.Rollback());
    }
    EXPECT_EQ(Count(), 1);
    {
        SQLiteAutoTransaction transaction(&db_);
        ASSERT_TRUE(transaction.Begin());
        db_.Execute("INSERT INTO t VALUES (3, 'c')");
    }  // the destructor ends what is still open
    EXPECT_EQ(Count(), 2);
}

TEST_F(SQLiteDBTest, NestedBeginDoesNotCommitTheOuterTransaction) {
    SQLiteAutoTransaction outer(&db_);
    ASSERT_TRUE(outer.Begin());
    db_.Execute("INSERT INTO t VALUES (1, 'a')");
    {
        SQLiteAutoTransaction inner(&db_);
        EXPECT_FALSE(inner.Begin());
        EXPECT_FALSE(inner.IsActive());
    }
    EXPECT_TRUE(outer.Rollback());
    EXPECT_EQ(Count(), 0);
}

TEST_F(SQLiteDBTest, CachedStatementsServeSideBySideUsesAndLetTheConnectionClose) {
    db_.EnableStatementCache(true);
    db_.Execute("INSERT INTO t VALUES (1, 'a'), (2, 'b')");
    const char* sql = "SELECT b FROM t WHERE a = ?";
    for (int round = 0; round < 3; ++round) {
        SQLiteStatement outer;
        SQLiteStatement inner;
        ASSERT_EQ(db_.Prepare(outer, sql), SQLITE_OK);
        ASSERT_EQ(db_.Prepare(inner, sql), SQLITE_OK);
        outer.BindInt(1, 1);
        inner.BindInt(1, 2);
        ASSERT_EQ(outer.Step(), SQLITE_ROW);
        ASSERT_EQ(inner.Step(), SQLITE_ROW);
        EXPECT_STREQ(outer.ColumnText(0), "a");
        EXPECT_STREQ(inner.ColumnText(0), "b");
    }
    {
        // A reused statement starts without the bindings of its previous use.
        SQLiteStatement st;
        db_.Prepare(st, sql);
        EXPECT_EQ(st.Step(), SQLITE_DONE);
    }
    // A statement left in the middle of its rows must not keep the file locked for others.
    {
        SQLiteStatement st;
        db_.Prepare(st, "SELECT * FROM t");
        ASSERT_EQ(st.Step(), SQLITE_ROW);
    }
    SQLiteDB other;
    ASSERT_TRUE(other.Open(path_.c_str(), "", SQLITE_OPEN_READWRITE));
    EXPECT_EQ(other.Execute("INSERT INTO t VALUES (3, 'c')"), SQLITE_OK);
    EXPECT_TRUE(db_.Close());
    EXPECT_FALSE(db_.IsOpen());

    // After reopening, the statements come from the new connection.
    ASSERT_TRUE(db_.Open(path_.c_str(), "", SQLITE_OPEN_READWRITE));
    SQLiteStatement st;
    ASSERT_EQ(db_.Prepare(st, sql), SQLITE_OK);
    st.BindInt(1, 3);
    ASSERT_EQ(st.Step(), SQLITE_ROW);
    EXPECT_STREQ(st.ColumnText(0), "c");
}

}  // namespace
}  // namespace pellora
