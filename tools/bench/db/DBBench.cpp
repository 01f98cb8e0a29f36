// Reads 100,000 rows of three text columns the way the cleanup engine reads its
// databases (ExecSQL, IsEOF, GetFieldValue with trim, MoveNext, CloseRS) and
// the same loop written directly on SQLite's C API (each value copied into a
// std::string and trimmed), in one run, and prints both times and their ratio.
//
// Usage: bench_db [rounds]   (default 7; the best round of each loop counts)
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"

namespace fs = std::filesystem;

namespace {

const int kRows = 100000;
const char kQuery[] = "select Name, Path, Kind from Package";

// What a loop read: enough to keep the compiler from dropping the work and to
// check that both loops read the same.
struct Digest {
    size_t bytes = 0;
    size_t rows = 0;
    bool operator==(const Digest& other) const { return bytes == other.bytes && rows == other.rows; }
};

bool Exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error != nullptr ? error : "");
        sqlite3_free(error);
        return false;
    }
    return true;
}

// 100,000 rows with padded values like the ones the management software stores.
bool MakeDatabase(const std::string& path) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
              Exec(db,
                   "create table Package(Id integer primary key, Name varchar(64), Path varchar(260), Kind varchar(8));"
                   "begin");
    sqlite3_stmt* insert = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "insert into Package(Name, Path, Kind) values(?, ?, ?)", -1, &insert, nullptr) ==
                   SQLITE_OK;
    for (int i = 0; ok && i < kRows; ++i) {
        char name[64];
        char folder[160];
        std::snprintf(name, sizeof(name), " Game%06d ", i);
        std::snprintf(folder, sizeof(folder), "E:\\Games\\Category%02d\\Game%06d  ", i % 40, i);
        sqlite3_bind_text(insert, 1, name, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, folder, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, i % 3 == 0 ? "dir " : " file", -1, SQLITE_STATIC);
        ok = sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
    }
    sqlite3_finalize(insert);
    ok = ok && Exec(db, "commit");
    sqlite3_close(db);
    return ok;
}

// The record set loop of the cleanup engine.
Digest ReadThroughRecordSet(CSqliteConnect& db) {
    Digest digest;
    CDBRecordSet* pRS = nullptr;
    int32_t nRet = 0;
    if (!db.ExecSQL(kQuery, pRS, nRet)) {
        return digest;
    }
    std::string strName;
    std::string strPath;
    std::string strKind;
    while (!pRS->IsEOF()) {
        pRS->GetFieldValue("Name", strName, true);
        pRS->GetFieldValue("Path", strPath, true);
        pRS->GetFieldValue("Kind", strKind, true);
        digest.bytes += strName.size() + strPath.size() + strKind.size();
        ++digest.rows;
        pRS->MoveNext();
    }
    db.CloseRS(pRS);
    return digest;
}

void TrimSpaces(std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    text.erase(0, first);
}

void CopyColumn(sqlite3_stmt* stmt, int column, std::string& value) {
    const unsigned char* text = sqlite3_column_text(stmt, column);
    if (text == nullptr) {
        value.clear();
        return;
    }
    value.assign(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
    TrimSpaces(value);
}

// The same loop on SQLite's C API.
Digest ReadDirectly(sqlite3* db) {
    Digest digest;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, kQuery, -1, &stmt, nullptr) != SQLITE_OK) {
        return digest;
    }
    std::string name;
    std::string path;
    std::string kind;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        CopyColumn(stmt, 0, name);
        CopyColumn(stmt, 1, path);
        CopyColumn(stmt, 2, kind);
        digest.bytes += name.size() + path.size() + kind.size();
        ++digest.rows;
    }
    sqlite3_finalize(stmt);
    return digest;
}

template <typename Loop>
double TimeMs(Loop loop, Digest& digest) {
    const auto start = std::chrono::steady_clock::now();
    digest = loop();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::error_code ec;
    const fs::path dir = fs::temp_directory_path() / ("trevand-bench-db-" + std::to_string(std::rand()));
    fs::create_directories(dir, ec);
    const std::string path = (dir / "bench.db").string();

    // No log output: the one trace line per query would only leave a file behind.
    CLogWriter::Instance().SetOutput(0);

    int exitCode = 1;
    CSqliteConnect connect;
    sqlite3* direct = nullptr;
    if (MakeDatabase(path) && connect.Open(path, false) &&
        sqlite3_open_v2(path.c_str(), &direct, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        // The direct connection gets the same tuning as ours.
        sqlite3_busy_timeout(direct, 3000);
        Exec(direct, "PRAGMA cache_size = 8000; PRAGMA synchronous = OFF; PRAGMA temp_store = MEMORY");
        Digest viaRecordSet;
        Digest viaApi;
        double bestRecordSet = 1e300;
        double bestApi = 1e300;
        for (int round = 0; round < rounds; ++round) {
            bestRecordSet =
                std::min(bestRecordSet, TimeMs([&] { return ReadThroughRecordSet(connect); }, viaRecordSet));
            bestApi = std::min(bestApi, TimeMs([&] { return ReadDirectly(direct); }, viaApi));
        }
        if (viaRecordSet == viaApi && viaApi.rows == static_cast<size_t>(kRows)) {
            std::printf("rows: %zu x 3 text columns, %zu bytes after trim, best of %d rounds\n", viaApi.rows,
                        viaApi.bytes, rounds);
            std::printf("record set (ExecSQL/IsEOF/GetFieldValue trim/MoveNext): %8.2f ms\n", bestRecordSet);
            std::printf("direct SQLite C API loop (copy + trim):              %8.2f ms\n", bestApi);
            std::printf("ratio record set / direct: %.2f\n", bestRecordSet / bestApi);
            exitCode = 0;
        } else {
            std::fprintf(stderr, "the two loops read different data (%zu/%zu rows, %zu/%zu bytes)\n", viaRecordSet.rows,
                         viaApi.rows, viaRecordSet.bytes, viaApi.bytes);
        }
    } else {
        std::fprintf(stderr, "could not build or open %s\n", path.c_str());
    }
    sqlite3_close(direct);
    connect.Close();
    fs::remove_all(dir, ec);
    return exitCode;
}
