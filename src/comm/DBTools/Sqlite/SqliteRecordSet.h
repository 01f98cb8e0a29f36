// The SQLite record set: one compiled statement stepped row by row.
//
// Created by CSqliteConnect::ExecSQL, which compiles the statement into it and
// runs Init; given back through CSqliteConnect::CloseRS, which runs Exit and
// deletes it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "comm/DBTools/Sqlite/DBRecordSet.h"

struct sqlite3_stmt;

class CSqliteRecordSet : public CDBRecordSet {
public:
    CSqliteRecordSet() = default;
    CSqliteRecordSet(const CSqliteRecordSet&) = delete;
    CSqliteRecordSet& operator=(const CSqliteRecordSet&) = delete;

    bool IsEOF() override;
    bool MoveNext() override;
    bool GetFieldValue(const char* szName, const unsigned char*& pData, int32_t& nSize) override;
    bool GetFieldValue(const char* szName, std::string& strValue, bool bTrim) override;
    bool GetFieldValue(const char* szName, int64_t& nValue) override;
    bool GetFieldValue(const char* szName, int32_t& nValue) override;
    bool GetFieldValue(const char* szName, uint32_t& nValue) override;
    void GetFieldNames(std::vector<std::string>& vecNames) override;
    bool Init() override;
    bool Exit() override;

private:
    friend class CSqliteConnect;

    // The column index of `szName`, or -1 when the result has no such name.
    int32_t ColumnIndex(const char* szName) const;

    bool m_bEOF = false;
    sqlite3_stmt* m_pStmt = nullptr;
    int32_t m_nColCount = 0;
    // Byte-wise, case-sensitive; std::less<> looks names up without copying them.
    std::map<std::string, int32_t, std::less<>> m_mapColIndex;
};
