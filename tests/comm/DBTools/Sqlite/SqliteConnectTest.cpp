// Opening, closing and statements without rows, on real database files.
#include "comm/DBTools/Sqlite/SqliteConnect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDatabase.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using sqlitetest::MakeDatabase;
using sqlitetest::RawConnection;
using testsupport::FileExists;
using testsupport::LogCapture;
using testsupport::TempDir;

namespace {

using Lines = std::vector<std::string>;
using Names = std::vector<std::string>;

const Lines kPragmaLines = {
    "[Trace]|[SQL]: PRAGMA cache_size = 8000",
    "[Trace]|[SQL]: PRAGMA synchronous = OFF",
    "[Trace]|[SQL]: PRAGMA temp_store = MEMORY",
};

Lines OpenLines(const std::string& path, int create) {
    Lines lines = {"[Info]|Sqlite Open [" + path + "], Create=" + std::to_string(create) + "."};
    lines.insert(lines.end(), kPragmaLines.begin(), kPragmaLines.end());
    return lines;
}

TEST(SqliteConnectOpen, WithoutCreateRefusesWhatIsNoRegularFile) {
    TempDir dir;
    const struct {
        const char* what;
        std::string path;
    } cases[] = {
        {"missing file", dir.File("missing.db")},
        {"folder", dir.Path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSqliteConnect db;
        LogCapture log;
        EXPECT_FALSE(db.Open(c.path, false));
        EXPECT_EQ(log.Lines(), Lines({"[Info]|Sqlite Open [" + c.path + "], Create=0."}));
        EXPECT_EQ(db.GetDBPath(), "");
        EXPECT_TRUE(db.Close());
    }
    EXPECT_FALSE(FileExists(dir.File("missing.db")));
}

TEST(SqliteConnectOpen, WithCreateMakesAnEmptyDatabaseAndRunsThePragmas) {
    TempDir dir;
    const std::string path = dir.File("new.db");
    CSqliteConnect db;
    LogCapture log;
    ASSERT_TRUE(db.Open(path, true));
    EXPECT_EQ(log.Lines(), OpenLines(path, 1));
    EXPECT_EQ(db.GetDBPath(), path);
    EXPECT_TRUE(FileExists(path));

    // The busy timeout and the pragmas are in force on the connection.
    const struct {
        const char* pragma;
        int64_t value;
    } settings[] = {
        {"busy_timeout", 3000},
        {"cache_size", 8000},
        {"synchronous", 0},  // OFF
        {"temp_store", 2},   // MEMORY
    };
    for (const auto& setting : settings) {
        SCOPED_TRACE(setting.pragma);
        CDBRecordSet* pRS = nullptr;
        int32_t nRet = -1;
        ASSERT_TRUE(db.ExecSQL((std::string("PRAGMA ") + setting.pragma).c_str(), pRS, nRet));
        Names vecNames;
        pRS->GetFieldNames(vecNames);
        ASSERT_EQ(vecNames.size(), 1u);
        int64_t nValue = -1;
        EXPECT_TRUE(pRS->GetFieldValue(vecNames[0].c_str(), nValue));
        EXPECT_EQ(nValue, setting.value);
        EXPECT_TRUE(db.CloseRS(pRS));
    }
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.GetDBPath(), path);  // Close keeps the path
}

TEST(SqliteConnectOpen, WhileOpenClosesTheFirstDatabase) {
    TempDir dir;
    MakeDatabase(dir.File("a.db"), "create table only_a(x)");
    MakeDatabase(dir.File("b.db"), "create table only_b(x)");
    CSqliteConnect db;
    ASSERT_TRUE(db.Open(dir.File("a.db"), false));
    ASSERT_TRUE(db.Open(dir.File("b.db"), false));
    EXPECT_EQ(db.GetDBPath(), dir.File("b.db"));
    int32_t nRet = 0;
    EXPECT_TRUE(db.ExecCmd("insert into only_b values(1)", nRet));
    EXPECT_FALSE(db.ExecCmd("insert into only_a values(1)", nRet));
    EXPECT_TRUE(db.Close());
    // The first file is no longer held: it can be removed (Windows refuses to
    // delete a file that is still open).
    EXPECT_EQ(std::remove(dir.File("a.db").c_str()), 0);
}

// The caller's code page 936 name reaches the file system as the name the
// operator sees; the connection keeps the caller's text.
TEST(SqliteConnectOpen, ChinesePathOpensTheFileOfThatName) {
    TempDir dir;
    const std::string utf8Name = u8"\u670d\u52a1\u6570\u636e.db";  // 服务数据.db
    const std::string gbkName = "服务数据.db";                     // GBK bytes in the binary
    ASSERT_NE(utf8Name, gbkName);
    MakeDatabase(dir.File(utf8Name), "create table marker(v); insert into marker values(42)");

    CSqliteConnect db;
    ASSERT_TRUE(db.Open(dir.File(gbkName), false));
    EXPECT_EQ(db.GetDBPath(), dir.File(gbkName));
    std::vector<std::string> vecNames;
    std::list<std::vector<std::string>> lstRows;
    ASSERT_TRUE(db.ExecSQL("select v from marker", vecNames, lstRows));
    EXPECT_EQ(lstRows, (std::list<std::vector<std::string>>{{"42"}}));
    EXPECT_TRUE(db.Close());
}

// A name that is not valid code page 936 would reach SQLite as an empty name,
// which SQLite opens as a private temporary database.
TEST(SqliteConnectOpen, PathThatCannotBeConvertedIsRefused) {
    TempDir dir;
    const std::string path = dir.File("bad\x81.db");  // a lead byte without its trail byte
    CSqliteConnect db;
    LogCapture log;
    EXPECT_FALSE(db.Open(path, true));
    EXPECT_EQ(log.Lines(), Lines({"[Info]|Sqlite Open [" + path + "], Create=1.",
                                  "[Error]|Sqlite Open [" + path + "] refused: the path is not valid code page 936."}));
    int32_t nRet = 0;
    EXPECT_FALSE(db.ExecCmd("create table t(x)", nRet));
    EXPECT_TRUE(db.Close());
}

TEST(SqliteConnectOpen, FailedOpenKeepsTheHandleUntilClose) {
    TempDir dir;
    CSqliteConnect db;
    LogCapture log;
    // A folder with create: SQLite itself fails and hands back a handle.
    EXPECT_FALSE(db.Open(dir.Path(), true));
    EXPECT_EQ(log.Lines(),
              Lines({"[Info]|Sqlite Open [" + dir.Path() + "], Create=1.", "[Error]|sqlite3_open failed. Ret=14."}));
    EXPECT_EQ(db.GetDBPath(), "");
    int32_t nRet = 0;
    EXPECT_FALSE(db.ExecCmd("create table t(x)", nRet));  // statements on it fail
    EXPECT_TRUE(db.Close());
}

TEST(SqliteConnectClose, NothingOpenSucceedsSilently) {
    CSqliteConnect db;
    LogCapture log;
    EXPECT_TRUE(db.Close());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(log.Lines(), Lines());
}

TEST(SqliteConnectClose, WithARecordSetStillOpenFailsAndForgetsTheDatabase) {
    TempDir dir;
    CSqliteConnect db;
    ASSERT_TRUE(db.Open(dir.File("busy.db"), true));
    CDBRecordSet* pRS = nullptr;
    int32_t nRet = -1;
    ASSERT_TRUE(db.ExecSQL("select 1 as one union all select 2", pRS, nRet));

    LogCapture log;
    EXPECT_FALSE(db.Close());
    EXPECT_EQ(log.Lines(), Lines({"[Error]|sqlite3_close failed. Ret=5."}));
    EXPECT_FALSE(db.ExecCmd("select 1", nRet));  // forgotten
    EXPECT_TRUE(db.Close());

    // The set still reads and closes; the database goes with it.
    int32_t nOne = 0;
    EXPECT_TRUE(pRS->GetFieldValue("one", nOne));
    EXPECT_EQ(nOne, 1);
    EXPECT_TRUE(db.CloseRS(pRS));
    EXPECT_EQ(std::remove(dir.File("busy.db").c_str()), 0);
}

TEST(SqliteConnectExecCmd, OnAClosedConnectionLeavesTheResultCode) {
    CSqliteConnect db;
    LogCapture log;
    int32_t nRet = 1234;
    int32_t nChanges = 77;
    EXPECT_FALSE(db.ExecCmd("create table t(x)", nRet, nChanges));
    EXPECT_EQ(nRet, 1234);
    EXPECT_EQ(nChanges, 0);
    EXPECT_FALSE(db.ExecCmd("create table t(x)", nRet));
    EXPECT_EQ(nRet, 1234);
    const std::string line = "[Error]|CSqliteConnect::Exec Filed, m_pDB is NULL";
    EXPECT_EQ(log.Lines(), Lines({line, line}));
}

TEST(SqliteConnectExecCmd, RunsStatementsInOrderUntilTheFirstFailure) {
    TempDir dir;
    CSqliteConnect db;
    ASSERT_TRUE(db.Open(dir.File("t.db"), true));
    const char* szSQL =
        "create table t(a); insert into t values(1); insert into nope values(2); insert into t values(3)";
    LogCapture log;
    int32_t nRet = 0;
    int32_t nChanges = 77;
    EXPECT_FALSE(db.ExecCmd(szSQL, nRet, nChanges));
    EXPECT_EQ(nRet, 1);
    EXPECT_EQ(nChanges, 0);
    EXPECT_EQ(log.Lines(), Lines({std::string("[Trace]|[SQL]: ") + szSQL,
                                  std::string("[Error]|sqlite3_exec failed. Ret=1. SQL=") + szSQL + "."}));
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(RawConnection(dir.File("t.db")).QueryInt("select group_concat(a) = '1' from t"), 1);
}

TEST(SqliteConnectExecCmd, ReportsTheRowsChangedByTheLastStatement) {
    TempDir dir;
    CSqliteConnect db;
    ASSERT_TRUE(db.Open(dir.File("t.db"), true));
    const struct {
        const char* sql;
        int32_t changes;
    } cases[] = {
        {"create table t(a)", 0},
        {"insert into t values(1),(2),(3)", 3},
        {"update t set a = a + 1 where a > 1", 2},
        {"delete from t where a = 1; select * from t", 1},  // a query changes nothing itself
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        int32_t nRet = -1;
        int32_t nChanges = -1;
        EXPECT_TRUE(db.ExecCmd(c.sql, nRet, nChanges));
        EXPECT_EQ(nRet, 0);
        EXPECT_EQ(nChanges, c.changes);
    }
    EXPECT_TRUE(db.Close());
}

}  // namespace
