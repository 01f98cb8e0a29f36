// Statement lists run as one transaction.
#include <sqlite3.h>

#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"

namespace {

int RunStatement(sqlite3* pDB, const char* szSQL) { return sqlite3_exec(pDB, szSQL, nullptr, nullptr, nullptr); }

}  // namespace

// The lock is held from BEGIN to COMMIT or ROLLBACK, so no other thread's
// statement on this connection lands inside the transaction.
//
// Result codes are ORed into one running result that starts with BEGIN's: a
// BEGIN that failed (a transaction already open, say) lets the first statement
// run and then takes the rollback path. A refused COMMIT is reported without a
// ROLLBACK: the transaction stays as SQLite leaves it, open for a retry.
template <typename Container>
bool CSqliteConnect::BatchExec(const Container& lstSQL) {
    if (lstSQL.empty()) {
        return true;
    }
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    int nRet = RunStatement(m_pDB, "BEGIN TRANSACTION");
    for (const std::string& strSQL : lstSQL) {
        LOG_WRITE(LOG_TRACE, "[SQL]: %s.", strSQL.c_str());
        nRet |= RunStatement(m_pDB, strSQL.c_str());
        if (nRet != SQLITE_OK) {
            LOG_WRITE(LOG_ERROR, "sqlite3_exec failed, sql=%s. Ret=%d.", strSQL.c_str(), nRet);
            LOG_WRITE(LOG_ERROR, "exec sql failed. ROLLBACK");
            RunStatement(m_pDB, "ROLLBACK");
            return false;
        }
    }
    if (RunStatement(m_pDB, "COMMIT") != SQLITE_OK) {
        LOG_WRITE(LOG_ERROR, "COMMIT failed");
        return false;
    }
    return true;
}

bool CSqliteConnect::BatchExecSQLList(const std::deque<std::string>& lstSQL) { return BatchExec(lstSQL); }

bool CSqliteConnect::BatchExecSQLList(const std::vector<std::string>& lstSQL) { return BatchExec(lstSQL); }

bool CSqliteConnect::BatchExecSQLList(const std::list<std::string>& lstSQL) { return BatchExec(lstSQL); }
