// Opening, closing and statements without rows.
#include "comm/DBTools/Sqlite/SqliteConnect.h"

#include <sqlite3.h>

#include "comm/log/LogWriter.h"
#include "comm/platform/FileName.h"

namespace {

const int kBusyTimeoutMs = 3000;

// Run after every open, in this order; their failure does not fail the open.
const char* const kOpenPragmas[] = {
    "PRAGMA cache_size = 8000",
    "PRAGMA synchronous = OFF",
    "PRAGMA temp_store = MEMORY",
};

}  // namespace

std::string CSqliteConnect::GetDBPath() { return m_strDBPath; }

bool CSqliteConnect::Open(const std::string& strPath, bool bCreate) {
    LOG_WRITE(LOG_INFO, "Sqlite Open [%s], Create=%d.", strPath.c_str(), bCreate ? 1 : 0);
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_pDB != nullptr) {
        Close();
    }
    if (!platform::IsRegularFile(strPath) && !bCreate) {
        return false;
    }
    // An empty name would make SQLite open a private temporary database, so a
    // path that cannot be converted is refused rather than "opened".
    std::string strUtf8Path;
    if (!platform::ToUtf8FileName(strPath, &strUtf8Path)) {
        LOG_WRITE(LOG_ERROR, "Sqlite Open [%s] refused: the path is not valid code page 936.", strPath.c_str());
        return false;
    }
    const int nRet = sqlite3_open_v2(strUtf8Path.c_str(), &m_pDB, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (nRet != SQLITE_OK) {
        // m_pDB keeps the handle SQLite hands back on most errors; the next Close
        // or Open releases it.
        LOG_WRITE(LOG_ERROR, "sqlite3_open failed. Ret=%d.", nRet);
        return false;
    }
    if (m_pDB == nullptr) {
        LOG_WRITE(LOG_ERROR, "sqlite3_open failed. m_pDB is NULL.");
        return false;
    }
    m_strDBPath = strPath;
    sqlite3_busy_timeout(m_pDB, kBusyTimeoutMs);
    for (const char* szPragma : kOpenPragmas) {
        int32_t nPragmaRet = 0;
        ExecCmd(szPragma, nPragmaRet);
    }
    return true;
}

bool CSqliteConnect::Close() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_pDB == nullptr) {
        return true;
    }
    sqlite3* pDB = m_pDB;
    m_pDB = nullptr;
    const int nRet = sqlite3_close(pDB);
    if (nRet != SQLITE_OK) {
        LOG_WRITE(LOG_ERROR, "sqlite3_close failed. Ret=%d.", nRet);
        // The connection forgets the handle either way. Hand it to SQLite to
        // release once its last statement is finalized, so that neither the
        // memory nor the open file outlives the record sets still out.
        sqlite3_close_v2(pDB);
        return false;
    }
    return true;
}

bool CSqliteConnect::ExecCmd(const char* szSQL, int32_t& nRet, int32_t& nChanges) {
    nChanges = 0;
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!ExecCmd(szSQL, nRet)) {
        return false;
    }
    nChanges = sqlite3_changes(m_pDB);
    return true;
}

bool CSqliteConnect::ExecCmd(const char* szSQL, int32_t& nRet) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_pDB == nullptr) {
        LOG_WRITE(LOG_ERROR, "CSqliteConnect::Exec Filed, m_pDB is NULL");
        return false;
    }
    LOG_WRITE(LOG_TRACE, "[SQL]: %s", szSQL);
    nRet = sqlite3_exec(m_pDB, szSQL, nullptr, nullptr, nullptr);
    if (nRet != SQLITE_OK) {
        LOG_WRITE(LOG_ERROR, "sqlite3_exec failed. Ret=%d. SQL=%s.", nRet, szSQL);
        return false;
    }
    return true;
}
