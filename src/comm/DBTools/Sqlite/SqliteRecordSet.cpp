#include "comm/DBTools/Sqlite/SqliteRecordSet.h"

#include <sqlite3.h>

#include <string_view>

#include "comm/log/LogWriter.h"

namespace {

// Removes spaces (0x20 only) at both ends of `text`.
std::string_view TrimSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string_view();
    }
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

bool CSqliteRecordSet::IsEOF() { return m_bEOF; }

bool CSqliteRecordSet::MoveNext() {
    const int nRet = sqlite3_step(m_pStmt);
    if (nRet == SQLITE_ROW) {
        return true;
    }
    // A failed step ends the set as well, so that every reading loop ends; its
    // error is reported by the finalize in Exit (the statement is compiled with
    // the legacy prepare, whose step only says SQLITE_ERROR).
    m_bEOF = true;
    return false;
}

int32_t CSqliteRecordSet::ColumnIndex(const char* szName) const {
    const auto it = m_mapColIndex.find(std::string_view(szName));
    return it == m_mapColIndex.end() ? -1 : it->second;
}

bool CSqliteRecordSet::GetFieldValue(const char* szName, const unsigned char*& pData, int32_t& nSize) {
    pData = nullptr;
    nSize = 0;
    const int32_t nIndex = ColumnIndex(szName);
    if (nIndex < 0) {
        return false;
    }
    // The blob first, then its size: asking for the size first could convert
    // the value and leave the pointer to a stale form.
    pData = static_cast<const unsigned char*>(sqlite3_column_blob(m_pStmt, nIndex));
    nSize = sqlite3_column_bytes(m_pStmt, nIndex);
    return true;
}

bool CSqliteRecordSet::GetFieldValue(const char* szName, std::string& strValue, bool bTrim) {
    strValue.clear();
    const int32_t nIndex = ColumnIndex(szName);
    if (nIndex < 0) {
        return false;
    }
    const unsigned char* pText = sqlite3_column_text(m_pStmt, nIndex);
    if (pText == nullptr) {
        return true;  // SQL NULL
    }
    std::string_view text(reinterpret_cast<const char*>(pText),
                          static_cast<size_t>(sqlite3_column_bytes(m_pStmt, nIndex)));
    if (bTrim) {
        text = TrimSpaces(text);
    }
    strValue.assign(text.data(), text.size());
    return true;
}

bool CSqliteRecordSet::GetFieldValue(const char* szName, int64_t& nValue) {
    nValue = 0;
    const int32_t nIndex = ColumnIndex(szName);
    if (nIndex < 0) {
        return false;
    }
    nValue = sqlite3_column_int64(m_pStmt, nIndex);
    return true;
}

bool CSqliteRecordSet::GetFieldValue(const char* szName, int32_t& nValue) {
    nValue = 0;
    const int32_t nIndex = ColumnIndex(szName);
    if (nIndex < 0) {
        return false;
    }
    nValue = sqlite3_column_int(m_pStmt, nIndex);
    return true;
}

bool CSqliteRecordSet::GetFieldValue(const char* szName, uint32_t& nValue) {
    nValue = 0;
    const int32_t nIndex = ColumnIndex(szName);
    if (nIndex < 0) {
        return false;
    }
    nValue = static_cast<uint32_t>(sqlite3_column_int(m_pStmt, nIndex));
    return true;
}

void CSqliteRecordSet::GetFieldNames(std::vector<std::string>& vecNames) {
    vecNames.clear();
    // Indexes of the readable columns, in column order; a name shadowed by a
    // later column of the same name leaves a gap.
    std::vector<const std::string*> byIndex(static_cast<size_t>(m_nColCount), nullptr);
    for (const auto& entry : m_mapColIndex) {
        byIndex[static_cast<size_t>(entry.second)] = &entry.first;
    }
    for (const std::string* pName : byIndex) {
        if (pName != nullptr) {
            vecNames.push_back(*pName);
        }
    }
}

bool CSqliteRecordSet::Init() {
    const int nRet = sqlite3_step(m_pStmt);
    if (nRet == SQLITE_DONE) {
        m_bEOF = true;
    } else if (nRet != SQLITE_ROW) {
        return false;
    }
    m_nColCount = sqlite3_column_count(m_pStmt);
    for (int32_t nIndex = 0; nIndex < m_nColCount; ++nIndex) {
        const char* szName = sqlite3_column_name(m_pStmt, nIndex);
        if (szName != nullptr) {
            m_mapColIndex[szName] = nIndex;  // a later column of the same name wins
        }
    }
    return true;
}

bool CSqliteRecordSet::Exit() {
    const int nRet = sqlite3_finalize(m_pStmt);
    m_pStmt = nullptr;
    if (nRet != SQLITE_OK) {
        LOG_WRITE(LOG_ERROR, "CSqliteRecordSet::Exit sqlite3_finalize Failed, Ret=%d.", nRet);
        return false;
    }
    return true;
}
