// Describing the database: its tables, their columns, a whole table as text.
#include <sqlite3.h>

#include <cstring>
#include <limits>
#include <set>
#include <utility>

#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/AsciiCase.h"

namespace {

// Column index of tbl_name in sqlite_master.
const int kMasterTableNameColumn = 2;

// Owns a statement for the span of one scope; the finalize's result is of no
// interest to the callers here.
class StatementGuard {
public:
    explicit StatementGuard(sqlite3_stmt* pStmt) : m_pStmt(pStmt) {}
    ~StatementGuard() { sqlite3_finalize(m_pStmt); }
    StatementGuard(const StatementGuard&) = delete;
    StatementGuard& operator=(const StatementGuard&) = delete;

private:
    sqlite3_stmt* m_pStmt;
};

std::string ToUpperAscii(const char* szText) {
    std::string strUpper = szText == nullptr ? "" : szText;
    for (char& c : strUpper) {
        c = platform::ToUpperAscii(c);
    }
    return strUpper;
}

void RemoveAll(std::string& strText, const std::string& strPart) {
    for (size_t pos = strText.find(strPart); pos != std::string::npos; pos = strText.find(strPart, pos)) {
        strText.erase(pos, strPart.size());
    }
}

// The decimal number `strText` begins with; 0 when it begins with no digit.
// A number too large for 32 bits stops at the largest value.
int32_t LeadingNumber(const std::string& strText) {
    int64_t nValue = 0;
    for (char c : strText) {
        if (c < '0' || c > '9') {
            break;
        }
        nValue = nValue * 10 + (c - '0');
        if (nValue > std::numeric_limits<int32_t>::max()) {
            return std::numeric_limits<int32_t>::max();
        }
    }
    return static_cast<int32_t>(nValue);
}

// Type code and length from a declared type: INTEGER is an integer, VARCHAR…
// is text with the length in its parentheses, anything else counts as integer.
void ApplyDeclaredType(const char* szDeclType, DBColInfo& colInfo) {
    std::string strType = ToUpperAscii(szDeclType);
    if (strType == "INTEGER") {
        colInfo.nColType = DB_COL_INTEGER;
    } else if (strType.compare(0, 7, "VARCHAR") == 0) {
        colInfo.nColType = DB_COL_VARCHAR;
        RemoveAll(strType, "VARCHAR(");
        RemoveAll(strType, ")");
        colInfo.nLength = LeadingNumber(strType);
    }
}

// The key of a row for the repeat test: each value with its length in front,
// so that different value tuples never give the same key ((1, 23) is
// "1:1|2:23|", (12, 3) is "2:12|1:3|").
void AppendKeyPart(std::string& strKey, const std::string& strValue) {
    strKey += std::to_string(strValue.size());
    strKey += ':';
    strKey += strValue;
    strKey += '|';
}

// The key as the log shows it: the values joined by commas.
void AppendShownKeyPart(std::string& strShownKey, const std::string& strValue) {
    if (!strShownKey.empty()) {
        strShownKey += ',';
    }
    strShownKey += strValue;
}

}  // namespace

bool CSqliteConnect::GetTableNameList(std::list<std::string>& lstTableName) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_pDB == nullptr) {
        LOG_WRITE(LOG_ERROR, "CSqliteConnect::GetTableNameList Failed, m_pDB is NULL");
        return false;
    }
    // The double-quoted "table" is read as a string by SQLite's default rules.
    const char* szSQL = "select * from sqlite_master where type=\"table\"";
    sqlite3_stmt* pStmt = nullptr;
    const int nRet = sqlite3_prepare(m_pDB, szSQL, static_cast<int>(std::strlen(szSQL)), &pStmt, nullptr);
    if (nRet != SQLITE_OK) {
        LOG_WRITE(LOG_ERROR, "CSqliteConnect::GetTableNameList sqlite3_prepare Failed, Ret is %d", nRet);
        sqlite3_finalize(pStmt);
        return false;
    }
    StatementGuard stmtGuard(pStmt);
    // A step that fails ends the list; what was read so far stands.
    while (sqlite3_step(pStmt) == SQLITE_ROW) {
        const unsigned char* szName = sqlite3_column_text(pStmt, kMasterTableNameColumn);
        if (szName != nullptr && szName[0] != '\0') {
            lstTableName.push_back(reinterpret_cast<const char*>(szName));
        }
    }
    return true;
}

bool CSqliteConnect::GetColInfoByTblName(const std::string& strTableName, std::list<DBColInfo>& lstColInfo) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_pDB == nullptr) {
        LOG_WRITE(LOG_ERROR, "GetColumnInfo Filed, m_pDB is NULL");
        return false;
    }
    // Compiled only to learn the columns; never stepped.
    const std::string strSQL = "select * from " + strTableName;
    sqlite3_stmt* pStmt = nullptr;
    const int nRet = sqlite3_prepare(m_pDB, strSQL.c_str(), static_cast<int>(strSQL.size()), &pStmt, nullptr);
    if (nRet != SQLITE_OK) {
        LOG_WRITE(LOG_ERROR, "GetColInfoByTblName Filed, sqlite3_prepare Failed, TableName=%s.", strTableName.c_str());
        sqlite3_finalize(pStmt);
        return false;
    }
    StatementGuard stmtGuard(pStmt);
    const int nColCount = sqlite3_column_count(pStmt);
    for (int nIndex = 0; nIndex < nColCount; ++nIndex) {
        DBColInfo colInfo;
        const char* szColName = sqlite3_column_name(pStmt, nIndex);
        colInfo.strColName = szColName == nullptr ? "" : szColName;

        const char* szDeclType = nullptr;
        const char* szCollation = nullptr;
        int nNotNull = 0;
        int nPrimaryKey = 0;
        int nAutoInc = 0;
        if (sqlite3_table_column_metadata(m_pDB, "main", strTableName.c_str(), colInfo.strColName.c_str(), &szDeclType,
                                          &szCollation, &nNotNull, &nPrimaryKey, &nAutoInc) != SQLITE_OK) {
            LOG_WRITE(LOG_ERROR, "sqlite3_table_column_metadata Filed, TblName=%s, ColIndex=%d.", strTableName.c_str(),
                      nIndex);
            return false;
        }
        colInfo.bPrimaryKey = nPrimaryKey != 0;
        ApplyDeclaredType(szDeclType, colInfo);
        lstColInfo.push_back(std::move(colInfo));
    }
    return true;
}

bool CSqliteConnect::GetDBTableInfo(std::list<DBTableInfo>& lstTableInfo) {
    lstTableInfo.clear();
    std::list<std::string> lstTableName;
    if (!GetTableNameList(lstTableName)) {
        LOG_WRITE(LOG_ERROR, "获取表列表失败");
        return false;
    }
    for (const std::string& strTableName : lstTableName) {
        DBTableInfo tableInfo;
        tableInfo.strTableName = strTableName;
        if (!GetColInfoByTblName(strTableName, tableInfo.lstColInfo)) {
            lstTableInfo.clear();
            return false;
        }
        lstTableInfo.push_back(std::move(tableInfo));
    }
    return true;
}

bool CSqliteConnect::GetDBTableContext(const DBTableInfo& tableInfo, std::vector<std::string>& vecNames,
                                       std::list<std::vector<std::string>>& lstRows) {
    vecNames.clear();
    std::set<std::string> setPrimaryKey;
    for (const DBColInfo& colInfo : tableInfo.lstColInfo) {
        if (colInfo.bPrimaryKey) {
            setPrimaryKey.insert(colInfo.strColName);
        }
        vecNames.push_back(colInfo.strColName);
    }
    std::string strSQL = "select ";
    for (size_t i = 0; i < vecNames.size(); ++i) {
        strSQL += (i == 0 ? "[" : ",[") + vecNames[i] + "]";
    }
    strSQL += " from " + tableInfo.strTableName;

    CDBRecordSet* pRS = nullptr;
    int32_t nRet = 0;
    if (!ExecSQL(strSQL.c_str(), pRS, nRet)) {
        LOG_WRITE(LOG_ERROR, "GetDBTableContext ExecCmd return %d. SQL=%s", nRet, strSQL.c_str());
        return false;
    }
    std::set<std::string> setKeySeen;
    bool bStop = false;
    while (!bStop && !pRS->IsEOF()) {
        std::vector<std::string> vecRow;
        std::string strKey;
        std::string strShownKey;
        for (const std::string& strName : vecNames) {
            std::string strValue;
            pRS->GetFieldValue(strName.c_str(), strValue, true);
            if (setPrimaryKey.count(strName) != 0) {
                if (strValue.empty()) {
                    LOG_WRITE(LOG_ERROR, "GetDBTableContext Table[%s] Primary key [%s] val is empty",
                              tableInfo.strTableName.c_str(), strName.c_str());
                    bStop = true;
                    break;
                }
                AppendKeyPart(strKey, strValue);
                AppendShownKeyPart(strShownKey, strValue);
            }
            vecRow.push_back(std::move(strValue));
        }
        if (bStop) {
            break;
        }
        if (!strKey.empty() && !setKeySeen.insert(strKey).second) {
            LOG_WRITE(LOG_ERROR, "GetDBTableContext table[%s] key[%s] exist", tableInfo.strTableName.c_str(),
                      strShownKey.c_str());
            break;
        }
        lstRows.push_back(std::move(vecRow));
        pRS->MoveNext();
    }
    if (!CloseRS(pRS)) {
        LOG_WRITE(LOG_ERROR, "GetDBTableContext CloseRS Failed.");
        return false;
    }
    return true;
}
