// The SQLite connection: every operation of CDBConnect on one database file.
//
// Open always opens for reading and writing, sets a 3000 ms busy timeout (SQLite
// retries that long while another program holds a lock on the file) and runs
// three tuning pragmas: an 8000-page cache, no synchronous flushing, temporary
// storage in memory.
//
// The lock is recursive because operations call other operations of the same
// connection while holding it (Open runs Close and ExecCmd). Record sets take no
// lock while stepping and reading.
#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <string>

#include "comm/DBTools/Sqlite/DBConnect.h"

struct sqlite3;

class CSqliteConnect : public CDBConnect {
public:
    CSqliteConnect() = default;
    // Does not close the database: call Close first.
    ~CSqliteConnect() override = default;
    CSqliteConnect(const CSqliteConnect&) = delete;
    CSqliteConnect& operator=(const CSqliteConnect&) = delete;

    std::string GetDBPath() override;
    bool Open(const std::string& strPath, bool bCreate) override;
    bool Close() override;
    bool ExecCmd(const char* szSQL, int32_t& nRet, int32_t& nChanges) override;
    bool ExecCmd(const char* szSQL, int32_t& nRet) override;
    bool BatchExecSQLList(const std::deque<std::string>& lstSQL) override;
    bool BatchExecSQLList(const std::vector<std::string>& lstSQL) override;
    bool BatchExecSQLList(const std::list<std::string>& lstSQL) override;
    bool ExecSQL(const char* szSQL, std::vector<std::string>& vecNames,
                 std::list<std::vector<std::string>>& lstRows) override;
    bool ExecSQL(const char* szSQL, CDBRecordSet*& pRS, int32_t& nRet) override;
    bool CloseRS(CDBRecordSet* pRS) override;
    bool GetDBTableInfo(std::list<DBTableInfo>& lstTableInfo) override;
    bool GetDBTableContext(const DBTableInfo& tableInfo, std::vector<std::string>& vecNames,
                           std::list<std::vector<std::string>>& lstRows) override;

    // The names of all tables, in the order SQLite lists them, appended to
    // `lstTableName`. The internal sqlite_sequence table is among them when the
    // database uses AUTOINCREMENT.
    bool GetTableNameList(std::list<std::string>& lstTableName);

    // The columns of table `strTableName` appended to `lstColInfo`. The name is
    // put into the statement as it is (no quoting), so a name holding a blank
    // fails. When a column's description fails, the columns before it stay.
    bool GetColInfoByTblName(const std::string& strTableName, std::list<DBColInfo>& lstColInfo);

private:
    // The one transactional batch behind the three container forms.
    template <typename Container>
    bool BatchExec(const Container& lstSQL);

    std::recursive_mutex m_lock;
    std::string m_strDBPath;
    sqlite3* m_pDB = nullptr;
};
