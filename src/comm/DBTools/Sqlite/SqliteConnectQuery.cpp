// Statements that return rows: record sets and whole results.
#include <sqlite3.h>

#include <cstring>
#include <new>
#include <utility>

#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/DBTools/Sqlite/SqliteRecordSet.h"
#include "comm/log/LogWriter.h"

bool CSqliteConnect::ExecSQL(const char* szSQL, CDBRecordSet*& pRS, int32_t& nRet) {
    LOG_WRITE(LOG_TRACE, "[SQL]: %s", szSQL);
    CSqliteRecordSet* pSet = new (std::nothrow) CSqliteRecordSet();
    if (pSet == nullptr) {
        LOG_WRITE(LOG_ERROR, "Alloc CSqliteRecordSet Failed, SQL=%s.", szSQL);
        return false;
    }
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    // The legacy prepare on purpose: a failed step then reports only
    // SQLITE_ERROR and its real code comes from the finalize in CloseRS.
    // Only the first statement of the text is compiled.
    nRet = sqlite3_prepare(m_pDB, szSQL, static_cast<int>(std::strlen(szSQL)), &pSet->m_pStmt, nullptr);
    if (nRet != SQLITE_OK) {
        LOG_WRITE(LOG_ERROR, "Error on sqlite3_prepare: %s, Ret=%d.", sqlite3_errmsg(m_pDB), nRet);
        delete pSet;
        return false;
    }
    if (!pSet->Init()) {
        // The first step failed; the finalize in CloseRS logs its code too.
        LOG_WRITE(LOG_ERROR, "Error on sqlite3_prepare: %s, Ret=%d.", sqlite3_errmsg(m_pDB), sqlite3_errcode(m_pDB));
        CloseRS(pSet);
        return false;
    }
    pRS = pSet;
    return true;
}

bool CSqliteConnect::CloseRS(CDBRecordSet* pRS) {
    if (pRS == nullptr) {
        return false;
    }
    const bool bResult = pRS->Exit();
    delete pRS;
    return bResult;
}

bool CSqliteConnect::ExecSQL(const char* szSQL, std::vector<std::string>& vecNames,
                             std::list<std::vector<std::string>>& lstRows) {
    CDBRecordSet* pRS = nullptr;
    int32_t nRet = 0;
    if (!ExecSQL(szSQL, pRS, nRet)) {
        LOG_WRITE(LOG_ERROR, "收集数据 ExecCmd return %d. SQL=%s", nRet, szSQL);
        return false;
    }
    pRS->GetFieldNames(vecNames);
    while (!pRS->IsEOF()) {
        std::vector<std::string> vecRow;
        vecRow.reserve(vecNames.size());
        for (const std::string& strName : vecNames) {
            std::string strValue;
            pRS->GetFieldValue(strName.c_str(), strValue, true);
            vecRow.push_back(std::move(strValue));
        }
        pRS->MoveNext();
        lstRows.push_back(std::move(vecRow));
    }
    if (!CloseRS(pRS)) {
        LOG_WRITE(LOG_ERROR, "收集数据 CloseRS Failed.");
        return false;
    }
    return true;
}
