#include "TestDatabase.h"

#include <gtest/gtest.h>

#include "support/LogCapture.h"

namespace sqlitetest {

RawConnection::RawConnection(const std::string& utf8Path) {
    const int rc = sqlite3_open_v2(utf8Path.c_str(), &m_pDB, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    EXPECT_EQ(rc, SQLITE_OK) << utf8Path;
}

RawConnection::~RawConnection() { EXPECT_EQ(sqlite3_close(m_pDB), SQLITE_OK); }

void RawConnection::Exec(const std::string& sql) const {
    char* error = nullptr;
    const int rc = sqlite3_exec(m_pDB, sql.c_str(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << sql << ": " << (error != nullptr ? error : "");
    sqlite3_free(error);
}

int64_t RawConnection::QueryInt(const std::string& sql) const {
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(m_pDB, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sql;
    const int64_t value = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    return value;
}

void MakeDatabase(const std::string& utf8Path, const std::string& sql) { RawConnection(utf8Path).Exec(sql); }

}  // namespace sqlitetest

namespace {

// The log writer keeps the first day's file it opens, so it is pointed at the
// capture folder before any test (or fixture) writes a line.
class CaptureLogFromTheStart : public testing::Environment {
public:
    void SetUp() override { testsupport::LogCapture capture; }
};

testing::Environment* const g_captureLog = testing::AddGlobalTestEnvironment(new CaptureLogFromTheStart);

}  // namespace
