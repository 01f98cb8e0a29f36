// Describing a database and reading whole tables, on real database files.
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
using Names = std::vector<std::string>;
using Rows = std::list<std::vector<std::string>>;

class SqliteSchemaTest : public testing::Test {
protected:
    // Opens a fresh database made by `sql`.
    void OpenDatabase(const std::string& sql) {
        sqlitetest::MakeDatabase(m_dir.File("schema.db"), sql);
        ASSERT_TRUE(m_db.Open(m_dir.File("schema.db"), false));
    }
    void TearDown() override { EXPECT_TRUE(m_db.Close()); }

    TempDir m_dir;
    CSqliteConnect m_db;
};

TEST_F(SqliteSchemaTest, DeclaredTypesGiveTheTypeCodeAndLength) {
    OpenDatabase(
        "create table types(a integer, b VARCHAR(260), c varchar(32), d TEXT, e REAL, f BLOB,"
        " g NVARCHAR(20), h, i VARCHAR, j Integer primary key, k VARCHAR(10,2), l INT)");
    std::list<DBColInfo> lstCols;
    ASSERT_TRUE(m_db.GetColInfoByTblName("types", lstCols));
    const struct {
        const char* name;
        int32_t type;
        int32_t length;
        bool primaryKey;
    } expected[] = {
        {"a", DB_COL_INTEGER, 0, false}, {"b", DB_COL_VARCHAR, 260, false}, {"c", DB_COL_VARCHAR, 32, false},
        {"d", DB_COL_INTEGER, 0, false}, {"e", DB_COL_INTEGER, 0, false},   {"f", DB_COL_INTEGER, 0, false},
        {"g", DB_COL_INTEGER, 0, false}, {"h", DB_COL_INTEGER, 0, false},   {"i", DB_COL_VARCHAR, 0, false},
        {"j", DB_COL_INTEGER, 0, true},  {"k", DB_COL_VARCHAR, 10, false},  {"l", DB_COL_INTEGER, 0, false},
    };
    ASSERT_EQ(lstCols.size(), sizeof(expected) / sizeof(expected[0]));
    auto it = lstCols.begin();
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(it->strColName, e.name);
        EXPECT_EQ(it->nColType, e.type);
        EXPECT_EQ(it->nLength, e.length);
        EXPECT_EQ(it->bPrimaryKey, e.primaryKey);
        ++it;
    }
}

TEST_F(SqliteSchemaTest, TableInfoListsEveryTableWithItsColumnsAndKeys) {
    OpenDatabase(
        "create table Disk(Symbol varchar(4), Flags integer, primary key(Symbol, Flags));"
        "create table Game(Id integer primary key autoincrement, Name varchar(64));"
        "create index GameName on Game(Name);"
        "create view GameView as select Name from Game;"
        "create table Empty(x)");
    std::list<DBTableInfo> lstTables = {DBTableInfo{"stale", {}}};
    ASSERT_TRUE(m_db.GetDBTableInfo(lstTables));
    // Creation order; AUTOINCREMENT brings SQLite's own sqlite_sequence; the
    // index and the view are no tables.
    Names vecTableNames;
    for (const DBTableInfo& table : lstTables) {
        vecTableNames.push_back(table.strTableName);
    }
    ASSERT_EQ(vecTableNames, Names({"Disk", "Game", "sqlite_sequence", "Empty"}));
    const DBTableInfo& disk = lstTables.front();
    ASSERT_EQ(disk.lstColInfo.size(), 2u);
    EXPECT_TRUE(disk.lstColInfo.front().bPrimaryKey);  // both columns of a two-column key
    EXPECT_TRUE(disk.lstColInfo.back().bPrimaryKey);
    EXPECT_EQ(disk.lstColInfo.front().nLength, 4);
    const DBTableInfo& sequence = *std::next(lstTables.begin(), 2);
    ASSERT_EQ(sequence.lstColInfo.size(), 2u);
    EXPECT_EQ(sequence.lstColInfo.front().strColName, "name");
    EXPECT_EQ(sequence.lstColInfo.front().nColType, DB_COL_INTEGER);  // no declared type
}

TEST_F(SqliteSchemaTest, DatabaseWithoutTablesListsNothing) {
    OpenDatabase("");
    std::list<std::string> lstNames = {"kept"};
    EXPECT_TRUE(m_db.GetTableNameList(lstNames));
    EXPECT_EQ(lstNames, std::list<std::string>({"kept"}));
    std::list<DBTableInfo> lstTables = {DBTableInfo{"stale", {}}};
    EXPECT_TRUE(m_db.GetDBTableInfo(lstTables));
    EXPECT_TRUE(lstTables.empty());
}

TEST_F(SqliteSchemaTest, ColumnDescriptionFailuresAreLogged) {
    OpenDatabase("create table \"my table\"(x); create table t(x); create view v as select x from t");
    const struct {
        const char* table;
        const char* line;
    } cases[] = {
        // The name goes into the statement unquoted.
        {"my table", "[Error]|GetColInfoByTblName Filed, sqlite3_prepare Failed, TableName=my table."},
        // A view compiles but has no column metadata.
        {"v", "[Error]|sqlite3_table_column_metadata Filed, TblName=v, ColIndex=0."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        std::list<DBColInfo> lstCols(1);
        LogCapture log;
        EXPECT_FALSE(m_db.GetColInfoByTblName(c.table, lstCols));
        EXPECT_EQ(lstCols.size(), 1u);  // appended to, never cleared
        EXPECT_EQ(log.Lines(), Lines({c.line}));
    }

    // One table that cannot be described fails the whole description.
    std::list<DBTableInfo> lstTables;
    LogCapture log;
    EXPECT_FALSE(m_db.GetDBTableInfo(lstTables));
    EXPECT_TRUE(lstTables.empty());
    EXPECT_EQ(log.Lines(), Lines({cases[0].line}));
}

TEST(SqliteSchemaClosed, EveryOperationFailsWithoutADatabase) {
    CSqliteConnect db;
    LogCapture log;
    std::list<std::string> lstNames;
    std::list<DBColInfo> lstCols;
    std::list<DBTableInfo> lstTables;
    EXPECT_FALSE(db.GetTableNameList(lstNames));
    EXPECT_FALSE(db.GetColInfoByTblName("t", lstCols));
    EXPECT_FALSE(db.GetDBTableInfo(lstTables));
    EXPECT_EQ(log.Lines(),
              Lines({"[Error]|CSqliteConnect::GetTableNameList Failed, m_pDB is NULL",
                     "[Error]|GetColumnInfo Filed, m_pDB is NULL",
                     "[Error]|CSqliteConnect::GetTableNameList Failed, m_pDB is NULL", "[Error]|获取表列表失败"}));
}

TEST_F(SqliteSchemaTest, TableContextStopsAtAMissingOrRepeatedKey) {
    OpenDatabase(
        "create table plain(a, b);"
        "insert into plain values(' 1 ', 'x'), (' 1 ', 'x'), (NULL, '');"
        "create table single(id text primary key, v);"
        "insert into single values('a', 1), ('b', 2), ('  ', 3), ('d', 4);"
        // Distinct in the database; (1, 23) and (12, 3) must not collide, and
        // (' 12', '3 ') repeats (12, 3) once trimmed.
        "create table pair(a text, b text, v, primary key(a, b));"
        "insert into pair values('1', '23', 'p'), ('12', '3', 'q'), (' 12', '3 ', 'r'), ('9', '9', 's');");
    std::list<DBTableInfo> lstTables;
    ASSERT_TRUE(m_db.GetDBTableInfo(lstTables));
    ASSERT_EQ(lstTables.size(), 3u);
    const struct {
        const char* table;
        Names names;
        Rows rows;
        Lines log;
    } cases[] = {
        {"plain",
         {"a", "b"},
         {{"kept"}, {"1", "x"}, {"1", "x"}, {"", ""}},
         {"[Trace]|[SQL]: select [a],[b] from plain"}},
        {"single",
         {"id", "v"},
         {{"kept"}, {"a", "1"}, {"b", "2"}},
         {"[Trace]|[SQL]: select [id],[v] from single",
          "[Error]|GetDBTableContext Table[single] Primary key [id] val is empty"}},
        {"pair",
         {"a", "b", "v"},
         {{"kept"}, {"1", "23", "p"}, {"12", "3", "q"}},
         {"[Trace]|[SQL]: select [a],[b],[v] from pair", "[Error]|GetDBTableContext table[pair] key[12,3] exist"}},
    };
    auto table = lstTables.begin();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_EQ(table->strTableName, c.table);
        Names vecNames = {"stale"};
        Rows lstRows = {{"kept"}};
        LogCapture log;
        EXPECT_TRUE(m_db.GetDBTableContext(*table, vecNames, lstRows));
        EXPECT_EQ(vecNames, c.names);
        EXPECT_EQ(lstRows, c.rows);
        EXPECT_EQ(log.Lines(), c.log);
        ++table;
    }
}

TEST_F(SqliteSchemaTest, TableContextFailsWhenTheQueryOrItsCloseFails) {
    // The second row's value cannot be computed, so the read ends there.
    OpenDatabase("create view bad as select abs(x) as v from (select 1 as x union all select -9223372036854775808)");
    DBTableInfo bad{"bad", {DBColInfo{"v", DB_COL_INTEGER, false, 0}}};
    Names vecNames;
    Rows lstRows;
    LogCapture log;
    EXPECT_FALSE(m_db.GetDBTableContext(bad, vecNames, lstRows));
    EXPECT_EQ(lstRows, Rows({{"1"}}));
    EXPECT_EQ(log.Lines(), Lines({"[Trace]|[SQL]: select [v] from bad",
                                  "[Error]|CSqliteRecordSet::Exit sqlite3_finalize Failed, Ret=1.",
                                  "[Error]|GetDBTableContext CloseRS Failed."}));

    DBTableInfo missing{"missing", {DBColInfo{"id", DB_COL_INTEGER, true, 0}}};
    LogCapture missingLog;
    EXPECT_FALSE(m_db.GetDBTableContext(missing, vecNames, lstRows));
    EXPECT_EQ(vecNames, Names({"id"}));
    EXPECT_EQ(missingLog.Lines(), Lines({"[Trace]|[SQL]: select [id] from missing",
                                         "[Error]|Error on sqlite3_prepare: no such table: missing, Ret=1.",
                                         "[Error]|GetDBTableContext ExecCmd return 1. SQL=select [id] from missing"}));
}

}  // namespace
