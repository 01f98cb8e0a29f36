// Descriptions of a database's tables and columns, as the connection reports them.
#pragma once

#include <cstdint>
#include <list>
#include <string>

// Coarse column types: a declared type beginning with VARCHAR is text, every other
// declared type (INTEGER, TEXT, REAL, an empty one, ...) counts as an integer.
enum DBColType : int32_t {
    DB_COL_INTEGER = 1,
    DB_COL_VARCHAR = 3,
};

// One column of a table.
struct DBColInfo {
    std::string strColName;  // the name as SQLite reports it
    int32_t nColType = DB_COL_INTEGER;
    bool bPrimaryKey = false;  // part of the table's primary key
    int32_t nLength = 0;       // VARCHAR(n): n; otherwise 0
};

// One table with its columns in table order.
struct DBTableInfo {
    std::string strTableName;
    std::list<DBColInfo> lstColInfo;
};
