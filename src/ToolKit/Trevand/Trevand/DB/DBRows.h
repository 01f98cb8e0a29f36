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

// The current row's value of column `szName` as text trimmed of blanks at both
// ends; empty for a NULL or unknown column.
std::string TrimmedField(CDBRecordSet& rs, const char* szName);
