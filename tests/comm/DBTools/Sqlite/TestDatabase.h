// Database files for the tests, built and inspected with SQLite's own C API so
// that the code under test never checks itself.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace sqlitetest {

// A connection of SQLite's own, closed by the destructor. `utf8Path` is the
// UTF-8 name SQLite takes; the file is created when missing.
class RawConnection {
public:
    explicit RawConnection(const std::string& utf8Path);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    sqlite3* Get() const { return m_pDB; }
    // Runs `sql`; a failure fails the current test.
    void Exec(const std::string& sql) const;
    // The first column of the first row of `sql` as an integer (-1 without a row).
    int64_t QueryInt(const std::string& sql) const;

private:
    sqlite3* m_pDB = nullptr;
};

// Creates the database file `utf8Path` and runs `sql` on it.
void MakeDatabase(const std::string& utf8Path, const std::string& sql);

}  // namespace sqlitetest
