// A connection to one database file.
//
// Every operation returns true on success and false on failure, with a log line
// at LOG_ERROR; where the caller needs SQLite's result code it comes back through
// an out-parameter (0 is success). Nothing throws.
//
// Ownership: the owner of a connection calls Close before destroying it; the
// destructor does not close. Every record set handed out by ExecSQL must return
// through CloseRS before Close, or the database cannot be closed.
//
// Thread safety: a connection may be shared between threads; each operation
// holds the connection's lock while it touches the database. GetDBPath takes no
// lock and must not race with Open.
#pragma once

#include <cstdint>
#include <deque>
#include <list>
#include <string>
#include <vector>

#include "comm/DBTools/Sqlite/DBRecordSet.h"
#include "comm/DBTools/Sqlite/DBTableInfo.h"

class CDBConnect {
public:
    virtual ~CDBConnect() {}

    // The path given to the last successful Open, exactly as the caller wrote it.
    // Close does not clear it.
    virtual std::string GetDBPath() = 0;

    // Opens the database file `strPath` (a code page 936 path), closing the one
    // open before. With `bCreate` false the file must already exist as a regular
    // file; with `bCreate` true a missing file is created as an empty database.
    virtual bool Open(const std::string& strPath, bool bCreate) = 0;

    // Closes the database. True also when nothing was open. On failure (a record
    // set still open, say) the connection forgets the database all the same.
    virtual bool Close() = 0;

    // Runs `szSQL` (one or more statements, rows discarded), storing SQLite's
    // result code in `nRet`. `nChanges` is set to 0 first and, on success, to the
    // rows changed by the last INSERT, UPDATE or DELETE that ran. When no database
    // is open, `nRet` is left as it was.
    virtual bool ExecCmd(const char* szSQL, int32_t& nRet, int32_t& nChanges) = 0;
    virtual bool ExecCmd(const char* szSQL, int32_t& nRet) = 0;

    // Runs every statement text in order as one transaction: all of them take
    // effect, or the transaction is rolled back at the first failure. An empty
    // list does nothing and succeeds. A refused COMMIT returns false without a
    // rollback. The log alone shows SQLite's result codes.
    virtual bool BatchExecSQLList(const std::deque<std::string>& lstSQL) = 0;
    virtual bool BatchExecSQLList(const std::vector<std::string>& lstSQL) = 0;
    virtual bool BatchExecSQLList(const std::list<std::string>& lstSQL) = 0;

    // Reads the whole result of `szSQL`: the readable column names into
    // `vecNames` (replaced) and one row of trimmed texts per result row appended
    // to `lstRows`.
    virtual bool ExecSQL(const char* szSQL, std::vector<std::string>& vecNames,
                         std::list<std::vector<std::string>>& lstRows) = 0;

    // Compiles the first statement of `szSQL` and hands out a record set standing
    // on the first row. `nRet` gets the compile's result code. On false `pRS` is
    // left as it was and no set exists.
    virtual bool ExecSQL(const char* szSQL, CDBRecordSet*& pRS, int32_t& nRet) = 0;

    // Finalizes and deletes a set from ExecSQL. False when `pRS` is null or the
    // finalize reports an error (such as the error of a step that failed).
    virtual bool CloseRS(CDBRecordSet* pRS) = 0;

    // Every table with its column descriptions; `lstTableInfo` is cleared first.
    virtual bool GetDBTableInfo(std::list<DBTableInfo>& lstTableInfo) = 0;

    // Every row of `tableInfo` as trimmed texts, checking its primary key: reading
    // stops (still returning true) before a row whose key value is empty or
    // repeats an earlier row's key. `vecNames` is replaced with the column names;
    // rows are appended to `lstRows`.
    virtual bool GetDBTableContext(const DBTableInfo& tableInfo, std::vector<std::string>& vecNames,
                                   std::list<std::vector<std::string>>& lstRows) = 0;
};
