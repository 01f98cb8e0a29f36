// The reading pattern every load step uses on the management databases.
#pragma once

#include <functional>
#include <string>

#include "comm/DBTools/Sqlite/DBConnect.h"

// Runs the query `szSQL` on the open connection `db` and calls `onRow` with the
// record set standing on each row, in the order SQLite delivers them, until
// `onRow` returns false or the rows end; the set is then given back through
// CloseRS. False, with nothing called, when the query gives no record set.
bool ForEachRow(CDBConnect& db, const char* szSQL, const std::function<bool(CDBRecordSet&)>& onRow);

// Calls `onValue` with the trimmed text of column `szColumn` of every row whose
// value is not empty, in row order. False as ForEachRow.
bool ForEachNonEmptyValue(CDBConnect& db, const char* szSQL, const char* szColumn,
                          const std::function<void(std::string&&)>& onValue);

// Closes an open connection when the load step that opened it ends, on
// every path out of it. `db` must outlive the guard.
class CCloseOnExit {
public:
    explicit CCloseOnExit(CDBConnect& db) : m_db(db) {}
    ~CCloseOnExit() { m_db.Close(); }
    CCloseOnExit(const CCloseOnExit&) = delete;
    CCloseOnExit& operator=(const CCloseOnExit&) = delete;

private:
    CDBConnect& m_db;
};

// The current row's value of column `szName` as text trimmed of blanks at both
// ends; empty for a NULL or unknown column.
std::string TrimmedField(CDBRecordSet& rs, const char* szName);
