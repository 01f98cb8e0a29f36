// The quarantine's record table as a database damaged or written by hand may
// hold it: the program's own table or a looser one, rows of any value types
// (NULL, numbers, texts with any bytes, blobs), read back as the program
// reads them.
//
// Checked beyond "no crash": every record read that IsConsistent accepts is
// a place of its own below its batch in the quarantine of the disk the
// database is on (QuarantineInvariant.h), and finding a record by its id
// gives that record.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "QuarantineInvariant.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineTable.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"

namespace {

// The table as the program makes it, then forms it never makes.
const char* const kTables[] = {
    nullptr,
    "CREATE TABLE records (id INTEGER PRIMARY KEY, batch, original_path, stored_path, kind, size, quarantined, state)",
    "CREATE TABLE records (id, batch, original_path, stored_path, kind, size, quarantined, state)",
    "CREATE TABLE records (id INTEGER PRIMARY KEY, batch TEXT, stored_path TEXT, state TEXT)",
};

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

// One value as an SQL literal: any type SQLite stores.
std::string Value(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: return "NULL";
    case 1: return std::to_string(input.ConsumeIntegral<int64_t>());
    case 2: {
        char text[64];
        std::snprintf(text, sizeof(text), "%.17g", input.ConsumeFloatingPoint<double>());
        // SQLite reads neither "inf" nor "nan"; 9e999 is its infinity.
        const std::string number = text;
        return number.find_first_of("in") != std::string::npos ? "9e999" : number;
    }
    case 3: return "X'" + Hex(input.ConsumeRandomLengthString(64)) + "'";
    default: return "CAST(X'" + Hex(input.ConsumeRandomLengthString(96)) + "' AS TEXT)";
    }
}

// A text value: its bytes, or those of another type now and then.
std::string Text(FuzzedDataProvider& input) {
    if (input.ConsumeIntegralInRange<int>(0, 7) == 0) return Value(input);
    return "CAST(X'" + Hex(input.ConsumeRandomLengthString(96)) + "' AS TEXT)";
}

// One row. The stored path is mostly where a move would put the row's own
// original, kept without its drive as the table keeps it, with a tail of
// other bytes now and then: such rows reach the checks past IsConsistent.
std::string Row(FuzzedDataProvider& input, char drive) {
    const std::string id = input.ConsumeBool() ? "NULL" : std::to_string(input.ConsumeIntegralInRange<int64_t>(-4, 64));
    const std::string batch = input.ConsumeRandomLengthString(24);
    const std::string original = input.ConsumeRandomLengthString(64);
    std::string stored;
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: stored = Text(input); break;
    default: {
        std::string made = quarantine::StoredPath(std::string(1, drive) + ":" + original, batch);
        if (made.size() >= 2) made = made.substr(2);
        if (input.ConsumeBool()) made += input.ConsumeRandomLengthString(16);
        stored = "CAST(X'" + Hex(made) + "' AS TEXT)";
        break;
    }
    }
    const std::string kind = input.ConsumeBool() ? (input.ConsumeBool() ? "'file'" : "'folder'") : Value(input);
    std::string state = Value(input);
    if (input.ConsumeBool()) state = input.ConsumeBool() ? "'held'" : "'moving'";
    return "INSERT INTO records VALUES (" + id + ", CAST(X'" + Hex(batch) + "' AS TEXT), CAST(X'" + Hex(original) +
           "' AS TEXT), " + stored + ", " + kind + ", " + Value(input) + ", " + Value(input) + ", " + state + ")";
}

// The fourth table has four columns: the same row cut to them.
std::string ShortRow(FuzzedDataProvider& input) {
    return "INSERT INTO records VALUES (" + Value(input) + ", " + Text(input) + ", " + Text(input) + ", " +
           Value(input) + ")";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The database layer logs every open and every refused statement: here
    // that is millions of lines about nothing.
    CLogWriter::Instance().SetOutput(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const char drive = static_cast<char>('A' + input.ConsumeIntegralInRange<int>(0, 25));
    const size_t table = input.ConsumeIntegralInRange<size_t>(0, 3);
    CSqliteConnect db;
    FUZZ_REQUIRE(db.Open(":memory:", true));
    {
        quarantine::CQuarantineTable records(db, drive);
        uint32_t error = 0;
        int32_t ret = 0;
        if (kTables[table] == nullptr) FUZZ_REQUIRE(records.Create(&error));
        else FUZZ_REQUIRE(db.ExecCmd(kTables[table], ret));
        const int rows = input.ConsumeIntegralInRange<int>(0, 6);
        for (int i = 0; i < rows; ++i) {
            // A row the table refuses (a type, a constraint) is simply not there.
            db.ExecCmd((table == 3 ? ShortRow(input) : Row(input, drive)).c_str(), ret);
        }
        std::vector<quarantine::TStoredRecord> read;
        if (records.ReadAll(&read, &error)) {
            for (const quarantine::TStoredRecord& row : read) {
                if (quarantine::IsConsistent(row.record)) fuzzquarantine::CheckConsistentRecord(row.record);
                // Both paths read back carry the letter of the database's disk.
                FUZZ_REQUIRE(row.record.strOriginalPath.compare(0, 2, std::string(1, drive) + ":") == 0);
                quarantine::TStoredRecord found;
                if (records.Find(row.record.nId, &found, &error)) FUZZ_REQUIRE(found.record.nId == row.record.nId);
            }
        }
    }
    FUZZ_REQUIRE(db.Close());
    return 0;
}
