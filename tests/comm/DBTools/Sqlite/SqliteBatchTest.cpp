// Statement lists run as one transaction, on real database files.
#include "comm/DBTools/Sqlite/SqliteConnect.h"

#include <gtest/gtest.h>

#include <deque>
#include <list>
#include <string>
#include <vector>

#include "TestDatabase.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using sqlitetest::RawConnection;
using testsupport::LogCapture;
using testsupport::TempDir;

namespace {

using Lines = std::vector<std::string>;
using Statements = std::vector<std::string>;

// Runs `statements` through the container form named by `form`.
bool RunBatch(CSqliteConnect& db, int form, const Statements& statements) {
    switch (form) {
    case 0: return db.BatchExecSQLList(std::deque<std::string>(statements.begin(), statements.end()));
    case 1: return db.BatchExecSQLList(statements);
    default: return db.BatchExecSQLList(std::list<std::string>(statements.begin(), statements.end()));
    }
}
const char* const kFormNames[] = {"deque", "vector", "list"};

class SqliteBatchTest : public testing::Test {
protected:
    void SetUp() override {
        sqlitetest::MakeDatabase(Path(), "create table t(v text)");
        ASSERT_TRUE(m_db.Open(Path(), false));
    }
    void TearDown() override { EXPECT_TRUE(m_db.Close()); }

    std::string Path() const { return m_dir.File("batch.db"); }
    // The values in t, as another connection sees them.
    std::string Committed() const {
        RawConnection raw(Path());
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(raw.Get(), "select group_concat(v, ',') from t", -1, &stmt, nullptr), SQLITE_OK);
        std::string values;
        if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0) != nullptr) {
            values = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        }
        sqlite3_finalize(stmt);
        return values;
    }

    TempDir m_dir;
    CSqliteConnect m_db;
};

TEST_F(SqliteBatchTest, EveryContainerCommitsAllStatements) {
    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(kFormNames[form]);
        const std::string mark = kFormNames[form];
        const Statements statements = {"insert into t values('" + mark + "1')",
                                       "insert into t values('" + mark + "2'); insert into t values('" + mark + "3')",
                                       "update t set v = v || '!' where v = '" + mark + "1'"};
        LogCapture log;
        EXPECT_TRUE(RunBatch(m_db, form, statements));
        EXPECT_EQ(log.Lines(), Lines({"[Trace]|[SQL]: " + statements[0] + ".", "[Trace]|[SQL]: " + statements[1] + ".",
                                      "[Trace]|[SQL]: " + statements[2] + "."}));
    }
    EXPECT_EQ(Committed(), "deque1!,deque2,deque3,vector1!,vector2,vector3,list1!,list2,list3");
}

TEST_F(SqliteBatchTest, EmptyContainerDoesNothing) {
    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(kFormNames[form]);
        LogCapture log;
        EXPECT_TRUE(RunBatch(m_db, form, {}));
        EXPECT_EQ(log.Lines(), Lines());
    }
    // No transaction was left open: one can be begun.
    int32_t nRet = -1;
    EXPECT_TRUE(m_db.ExecCmd("BEGIN; COMMIT", nRet));
}

TEST_F(SqliteBatchTest, FailingStatementRollsBackTheWholeBatch) {
    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(kFormNames[form]);
        const Statements statements = {"insert into t values('first')", "insert into nope values('second')",
                                       "insert into t values('third')"};
        LogCapture log;
        EXPECT_FALSE(RunBatch(m_db, form, statements));
        EXPECT_EQ(log.Lines(), Lines({"[Trace]|[SQL]: insert into t values('first').",
                                      "[Trace]|[SQL]: insert into nope values('second').",
                                      "[Error]|sqlite3_exec failed, sql=insert into nope values('second'). Ret=1.",
                                      "[Error]|exec sql failed. ROLLBACK"}));
        EXPECT_EQ(Committed(), "");
    }
}

// BEGIN fails inside a transaction the caller opened: the first statement still
// runs, its code is ORed with BEGIN's, and the ROLLBACK ends the caller's
// transaction too.
TEST_F(SqliteBatchTest, FailedBeginTakesTheRollbackPath) {
    int32_t nRet = -1;
    ASSERT_TRUE(m_db.ExecCmd("BEGIN; insert into t values('outer')", nRet));
    LogCapture log;
    EXPECT_FALSE(m_db.BatchExecSQLList(Statements{"insert into t values('first')", "insert into t values('second')"}));
    EXPECT_EQ(log.Lines(), Lines({"[Trace]|[SQL]: insert into t values('first').",
                                  "[Error]|sqlite3_exec failed, sql=insert into t values('first'). Ret=1.",
                                  "[Error]|exec sql failed. ROLLBACK"}));
    EXPECT_FALSE(m_db.ExecCmd("COMMIT", nRet));  // nothing left to commit
    EXPECT_EQ(Committed(), "");
}

TEST(SqliteBatchClosed, ClosedConnectionFailsWithMisuse) {
    CSqliteConnect db;
    LogCapture log;
    EXPECT_FALSE(db.BatchExecSQLList(std::list<std::string>{"create table t(x)", "create table u(x)"}));
    EXPECT_EQ(log.Lines(),
              Lines({"[Trace]|[SQL]: create table t(x).", "[Error]|sqlite3_exec failed, sql=create table t(x). Ret=21.",
                     "[Error]|exec sql failed. ROLLBACK"}));
}

// Another program reading the file keeps its shared lock past our busy timeout:
// the COMMIT is refused and the transaction stays open, not rolled back.
TEST_F(SqliteBatchTest, RefusedCommitLeavesTheTransactionOpen) {
    int32_t nRet = -1;
    ASSERT_TRUE(m_db.ExecCmd("insert into t values('before')", nRet));
    RawConnection reader(Path());
    sqlite3_stmt* read = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(reader.Get(), "select v from t", -1, &read, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(read), SQLITE_ROW);  // holds the shared lock while the statement is active

    LogCapture log;
    EXPECT_FALSE(m_db.BatchExecSQLList(Statements{"insert into t values('batch')"}));
    EXPECT_EQ(log.Lines(), Lines({"[Trace]|[SQL]: insert into t values('batch').", "[Error]|COMMIT failed"}));

    sqlite3_finalize(read);
    EXPECT_TRUE(m_db.ExecCmd("COMMIT", nRet));  // still ours to commit
    EXPECT_EQ(Committed(), "before,batch");
}

}  // namespace
