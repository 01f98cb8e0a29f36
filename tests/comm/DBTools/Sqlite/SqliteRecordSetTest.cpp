// Queries with rows: record sets and whole results, on a real database file.
#include "comm/DBTools/Sqlite/SqliteConnect.h"

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "TestDatabase.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using testsupport::LogCapture;
using testsupport::TempDir;

namespace {

using Lines = std::vector<std::string>;
using Rows = std::list<std::vector<std::string>>;
using Names = std::vector<std::string>;

// A table shaped like the management software's disk table, with the values
// that trip readers up: padding, a leading tab, NULL, a value past 32 bits.
class SqliteRecordSetTest : public testing::Test {
protected:
    void SetUp() override {
        sqlitetest::MakeDatabase(m_dir.File("cafe.db"),
                                 "create table Disk(Id integer primary key, ServerSymbol varchar(10),"
                                 " Flags integer, Note text, Data blob);"
                                 "insert into Disk values(1, ' E ', 4294967297, NULL, x'00ff10');"
                                 "insert into Disk values(2, '\tF  ', -1, ' two  words ', NULL);"
                                 "insert into Disk values(3, '   ', 7, '', x'');");
        ASSERT_TRUE(m_db.Open(m_dir.File("cafe.db"), false));
    }
    void TearDown() override { EXPECT_TRUE(m_db.Close()); }

    // Opens a set that the test must give back through CloseRS.
    CDBRecordSet* Query(const char* szSQL) {
        CDBRecordSet* pRS = nullptr;
        int32_t nRet = -1;
        EXPECT_TRUE(m_db.ExecSQL(szSQL, pRS, nRet)) << szSQL;
        EXPECT_EQ(nRet, 0);
        return pRS;
    }

    TempDir m_dir;
    CSqliteConnect m_db;
};

TEST_F(SqliteRecordSetTest, ReadsEveryRowAsTextWithAndWithoutTrim) {
    CDBRecordSet* pRS = Query("select ServerSymbol, Note, Flags from Disk order by Id");
    ASSERT_NE(pRS, nullptr);
    const struct {
        const char* raw;
        const char* trimmed;
        const char* note;  // trimmed
        const char* flags;
    } rows[] = {
        {" E ", "E", "", "4294967297"},        // NULL note reads as empty
        {"\tF  ", "\tF", "two  words", "-1"},  // a tab is no space; inner spaces stay
        {"   ", "", "", "7"},                  // spaces only become empty
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.raw);
        ASSERT_FALSE(pRS->IsEOF());
        std::string strValue;
        EXPECT_TRUE(pRS->GetFieldValue("ServerSymbol", strValue, false));
        EXPECT_EQ(strValue, row.raw);
        EXPECT_TRUE(pRS->GetFieldValue("ServerSymbol", strValue, true));
        EXPECT_EQ(strValue, row.trimmed);
        EXPECT_TRUE(pRS->GetFieldValue("Note", strValue, true));
        EXPECT_EQ(strValue, row.note);
        EXPECT_TRUE(pRS->GetFieldValue("Flags", strValue, true));
        EXPECT_EQ(strValue, row.flags);
        pRS->MoveNext();
    }
    EXPECT_TRUE(pRS->IsEOF());
    EXPECT_TRUE(m_db.CloseRS(pRS));
}

TEST_F(SqliteRecordSetTest, IntegerFormsCutTo32BitsAndReadNullAsZero) {
    CDBRecordSet* pRS = Query("select Flags, Note from Disk order by Id");
    ASSERT_NE(pRS, nullptr);
    const struct {
        int64_t n64;
        int32_t n32;
        uint32_t u32;
    } rows[] = {
        {4294967297LL, 1, 1u},
        {-1, -1, 0xFFFFFFFFu},
        {7, 7, 7u},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.n64);
        int64_t n64 = 99;
        int32_t n32 = 99;
        uint32_t u32 = 99;
        EXPECT_TRUE(pRS->GetFieldValue("Flags", n64));
        EXPECT_TRUE(pRS->GetFieldValue("Flags", n32));
        EXPECT_TRUE(pRS->GetFieldValue("Flags", u32));
        EXPECT_EQ(n64, row.n64);
        EXPECT_EQ(n32, row.n32);
        EXPECT_EQ(u32, row.u32);
        n64 = 99;
        EXPECT_TRUE(pRS->GetFieldValue("Note", n64));  // NULL, then text: 0 either way
        EXPECT_EQ(n64, 0);
        pRS->MoveNext();
    }
    EXPECT_TRUE(m_db.CloseRS(pRS));
}

TEST_F(SqliteRecordSetTest, BlobFormGivesTheBytesAndNullAsNoData) {
    CDBRecordSet* pRS = Query("select Data from Disk order by Id");
    ASSERT_NE(pRS, nullptr);
    const unsigned char* pData = nullptr;
    int32_t nSize = -1;
    EXPECT_TRUE(pRS->GetFieldValue("Data", pData, nSize));
    ASSERT_EQ(nSize, 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pData), 3), std::string("\x00\xff\x10", 3));
    pRS->MoveNext();
    nSize = -1;
    EXPECT_TRUE(pRS->GetFieldValue("Data", pData, nSize));  // NULL
    EXPECT_EQ(pData, nullptr);
    EXPECT_EQ(nSize, 0);
    EXPECT_TRUE(m_db.CloseRS(pRS));
}

TEST_F(SqliteRecordSetTest, ColumnNamesMatchExactlyAndAMissOnlyResetsTheOutput) {
    CDBRecordSet* pRS = Query("select ServerSymbol from Disk order by Id");
    ASSERT_NE(pRS, nullptr);
    LogCapture log;
    std::string strValue = "stale";
    int64_t n64 = 5;
    int32_t n32 = 5;
    uint32_t u32 = 5;
    const unsigned char* pData = reinterpret_cast<const unsigned char*>("x");
    int32_t nSize = 5;
    EXPECT_FALSE(pRS->GetFieldValue("serversymbol", strValue, true));
    EXPECT_FALSE(pRS->GetFieldValue("ServerSymbol ", n64));
    EXPECT_FALSE(pRS->GetFieldValue("SERVERSYMBOL", n32));
    EXPECT_FALSE(pRS->GetFieldValue("Flags", u32));
    EXPECT_FALSE(pRS->GetFieldValue("", pData, nSize));
    EXPECT_EQ(strValue, "");
    EXPECT_EQ(n64, 0);
    EXPECT_EQ(n32, 0);
    EXPECT_EQ(u32, 0u);
    EXPECT_EQ(pData, nullptr);
    EXPECT_EQ(nSize, 0);
    EXPECT_EQ(log.Lines(), Lines());
    EXPECT_TRUE(m_db.CloseRS(pRS));
}

TEST_F(SqliteRecordSetTest, EmptyResultIsAtItsEndButKnowsItsColumns) {
    CDBRecordSet* pRS = Query("select Id, ServerSymbol from Disk where Id > 100");
    ASSERT_NE(pRS, nullptr);
    EXPECT_TRUE(pRS->IsEOF());
    Names vecNames = {"stale"};
    pRS->GetFieldNames(vecNames);
    EXPECT_EQ(vecNames, Names({"Id", "ServerSymbol"}));
    // No current row: SQLite reports NULL for every column.
    std::string strValue = "stale";
    EXPECT_TRUE(pRS->GetFieldValue("ServerSymbol", strValue, true));
    EXPECT_EQ(strValue, "");
    EXPECT_TRUE(m_db.CloseRS(pRS));

    Rows lstRows = {{"kept"}};
    EXPECT_TRUE(m_db.ExecSQL("select Id, ServerSymbol from Disk where Id > 100", vecNames, lstRows));
    EXPECT_EQ(vecNames, Names({"Id", "ServerSymbol"}));
    EXPECT_EQ(lstRows, Rows({{"kept"}}));
}

TEST_F(SqliteRecordSetTest, WholeResultAppendsTrimmedRowsAndLogsTheStatement) {
    Names vecNames;
    Rows lstRows = {{"kept"}};
    LogCapture log;
    EXPECT_TRUE(m_db.ExecSQL("select Id, ServerSymbol, Note from Disk order by Id", vecNames, lstRows));
    EXPECT_EQ(vecNames, Names({"Id", "ServerSymbol", "Note"}));
    EXPECT_EQ(lstRows, Rows({{"kept"}, {"1", "E", ""}, {"2", "\tF", "two  words"}, {"3", "", ""}}));
    EXPECT_EQ(log.Lines(), Lines({"[Trace]|[SQL]: select Id, ServerSymbol, Note from Disk order by Id"}));
}

TEST_F(SqliteRecordSetTest, DuplicateNameReadsTheLastColumnOnly) {
    CDBRecordSet* pRS = Query(
        "select a.ServerSymbol, b.Flags as ServerSymbol, a.Id from Disk a, Disk b"
        " where a.Id = 1 and b.Id = 3");
    ASSERT_NE(pRS, nullptr);
    Names vecNames;
    pRS->GetFieldNames(vecNames);
    EXPECT_EQ(vecNames, Names({"ServerSymbol", "Id"}));
    std::string strValue;
    EXPECT_TRUE(pRS->GetFieldValue("ServerSymbol", strValue, true));
    EXPECT_EQ(strValue, "7");
    EXPECT_TRUE(m_db.CloseRS(pRS));

    Rows lstRows;
    EXPECT_TRUE(
        m_db.ExecSQL("select a.Note, b.Note from Disk a, Disk b where a.Id = 2 and b.Id = 1", vecNames, lstRows));
    EXPECT_EQ(vecNames, Names({"Note"}));
    EXPECT_EQ(lstRows, Rows({{""}}));
}

TEST_F(SqliteRecordSetTest, OnlyTheFirstStatementOfTheTextRuns) {
    Names vecNames;
    Rows lstRows;
    EXPECT_TRUE(m_db.ExecSQL("select count(*) as n from Disk; delete from Disk", vecNames, lstRows));
    EXPECT_EQ(lstRows, Rows({{"3"}}));
    lstRows.clear();
    EXPECT_TRUE(m_db.ExecSQL("select count(*) as n from Disk", vecNames, lstRows));
    EXPECT_EQ(lstRows, Rows({{"3"}}));
}

TEST_F(SqliteRecordSetTest, SyntaxErrorFailsAtThePrepareWithItsCode) {
    CDBRecordSet* pRS = reinterpret_cast<CDBRecordSet*>(0x1);  // must stay untouched
    int32_t nRet = 0;
    LogCapture log;
    EXPECT_FALSE(m_db.ExecSQL("selec Id from Disk", pRS, nRet));
    EXPECT_EQ(nRet, 1);
    EXPECT_EQ(pRS, reinterpret_cast<CDBRecordSet*>(0x1));
    EXPECT_EQ(log.Lines(), Lines({"[Trace]|[SQL]: selec Id from Disk",
                                  "[Error]|Error on sqlite3_prepare: near \"selec\": syntax error, Ret=1."}));

    Names vecNames;
    Rows lstRows;
    LogCapture wholeLog;
    EXPECT_FALSE(m_db.ExecSQL("select nope from Disk", vecNames, lstRows));
    EXPECT_EQ(wholeLog.Lines(), Lines({"[Trace]|[SQL]: select nope from Disk",
                                       "[Error]|Error on sqlite3_prepare: no such column: nope, Ret=1.",
                                       "[Error]|收集数据 ExecCmd return 1. SQL=select nope from Disk"}));
}

// abs() of the smallest 64-bit integer fails the step that reaches that row.
const char kFailsAtSecondRow[] = "select abs(x) as v from (select 1 as x union all select -9223372036854775808)";
const char kFailsAtFirstRow[] = "select abs(x) as v from (select -9223372036854775808 as x)";

TEST_F(SqliteRecordSetTest, StepFailingMidwayEndsTheLoopAndFailsTheClose) {
    CDBRecordSet* pRS = Query(kFailsAtSecondRow);
    ASSERT_NE(pRS, nullptr);
    LogCapture log;
    int read = 0;
    while (!pRS->IsEOF() && read < 10) {
        std::string strValue;
        EXPECT_TRUE(pRS->GetFieldValue("v", strValue, true));
        EXPECT_EQ(strValue, "1");
        ++read;
        EXPECT_FALSE(pRS->MoveNext());
    }
    EXPECT_EQ(read, 1);
    EXPECT_FALSE(m_db.CloseRS(pRS));
    EXPECT_EQ(log.Lines(), Lines({"[Error]|CSqliteRecordSet::Exit sqlite3_finalize Failed, Ret=1."}));

    Names vecNames;
    Rows lstRows;
    LogCapture wholeLog;
    EXPECT_FALSE(m_db.ExecSQL(kFailsAtSecondRow, vecNames, lstRows));
    EXPECT_EQ(lstRows, Rows({{"1"}}));  // the row read before the failure stays
    EXPECT_EQ(wholeLog.Lines(), Lines({std::string("[Trace]|[SQL]: ") + kFailsAtSecondRow,
                                       "[Error]|CSqliteRecordSet::Exit sqlite3_finalize Failed, Ret=1.",
                                       "[Error]|收集数据 CloseRS Failed."}));
}

TEST_F(SqliteRecordSetTest, StepFailingAtTheFirstRowFailsTheQuery) {
    CDBRecordSet* pRS = nullptr;
    int32_t nRet = -1;
    LogCapture log;
    EXPECT_FALSE(m_db.ExecSQL(kFailsAtFirstRow, pRS, nRet));
    EXPECT_EQ(pRS, nullptr);
    EXPECT_EQ(nRet, 0);  // the prepare's result
    EXPECT_EQ(log.Lines(), Lines({std::string("[Trace]|[SQL]: ") + kFailsAtFirstRow,
                                  // the legacy statement's step says no more than this
                                  "[Error]|Error on sqlite3_prepare: SQL logic error, Ret=1.",
                                  "[Error]|CSqliteRecordSet::Exit sqlite3_finalize Failed, Ret=1."}));
}

TEST(SqliteRecordSetClosed, QueriesOnAClosedConnectionFailWithMisuse) {
    CSqliteConnect db;
    CDBRecordSet* pRS = nullptr;
    int32_t nRet = 0;
    LogCapture log;
    EXPECT_FALSE(db.ExecSQL("select 1", pRS, nRet));
    EXPECT_EQ(nRet, 21);
    // SQLite's message for a missing handle.
    EXPECT_EQ(log.Lines(),
              Lines({"[Trace]|[SQL]: select 1", "[Error]|Error on sqlite3_prepare: out of memory, Ret=21."}));
    EXPECT_EQ(pRS, nullptr);
    EXPECT_FALSE(db.CloseRS(nullptr));
}

}  // namespace
