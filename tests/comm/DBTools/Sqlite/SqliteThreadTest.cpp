// One connection shared by two threads: every statement goes through the
// connection's lock, record sets step without it.
#include "comm/DBTools/Sqlite/SqliteConnect.h"

#include <gtest/gtest.h>

#include <deque>
#include <list>
#include <string>
#include <thread>
#include <vector>

#include "TestDatabase.h"
#include "support/TempDir.h"

using testsupport::TempDir;

namespace {

const int kRounds = 100;

TEST(SqliteConnectThreads, TwoThreadsShareOneConnection) {
    TempDir dir;
    CSqliteConnect db;
    ASSERT_TRUE(db.Open(dir.File("shared.db"), true));
    int32_t nRet = 0;
    ASSERT_TRUE(db.ExecCmd("create table t(id integer primary key, who text)", nRet));

    int nWriterFailures = 0;
    std::thread writer([&] {
        for (int i = 0; i < kRounds; ++i) {
            int32_t nWriteRet = 0;
            int32_t nChanges = 0;
            if (!db.ExecCmd("insert into t(who) values('single')", nWriteRet, nChanges) || nChanges != 1) {
                ++nWriterFailures;
            }
            const std::deque<std::string> batch = {"insert into t(who) values('batch')",
                                                   "insert into t(who) values('batch')"};
            if (!db.BatchExecSQLList(batch)) {
                ++nWriterFailures;
            }
        }
    });

    int nReaderFailures = 0;
    int64_t nLastCount = 0;
    for (int i = 0; i < kRounds; ++i) {
        CDBRecordSet* pRS = nullptr;
        int32_t nReadRet = 0;
        if (!db.ExecSQL("select who from t order by id", pRS, nReadRet)) {
            ++nReaderFailures;
            continue;
        }
        int64_t nCount = 0;
        for (; !pRS->IsEOF(); pRS->MoveNext()) {
            std::string strWho;
            if (!pRS->GetFieldValue("who", strWho, true) || (strWho != "single" && strWho != "batch")) {
                ++nReaderFailures;
            }
            ++nCount;
        }
        if (!db.CloseRS(pRS) || nCount < nLastCount) {
            ++nReaderFailures;
        }
        nLastCount = nCount;
    }
    writer.join();

    EXPECT_EQ(nWriterFailures, 0);
    EXPECT_EQ(nReaderFailures, 0);
    std::vector<std::string> vecNames;
    std::list<std::vector<std::string>> lstRows;
    ASSERT_TRUE(db.ExecSQL("select count(*) as n from t", vecNames, lstRows));
    EXPECT_EQ(lstRows, (std::list<std::vector<std::string>>{{std::to_string(3 * kRounds)}}));
    EXPECT_TRUE(db.Close());
}

}  // namespace
