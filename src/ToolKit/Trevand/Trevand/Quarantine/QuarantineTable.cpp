#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineTable.h"

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "comm/DBTools/Sqlite/DBConnect.h"

namespace quarantine {
namespace {

const uint32_t kErrorNotFound = 1168;    // ERROR_NOT_FOUND
const uint32_t kErrorBadPathname = 161;  // ERROR_BAD_PATHNAME
const int32_t kSqliteError = 1;          // SQLITE_ERROR, when SQLite gives no code of its own

// AUTOINCREMENT: an id is never given twice, so a list that still shows a
// restored or purged record can never act on a later one by mistake.
// stored_path UNIQUE: two records never claim one stored entry.
const char kCreateTable[] =
    "CREATE TABLE IF NOT EXISTS records ("
    "id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "batch TEXT NOT NULL, "
    "original_path TEXT NOT NULL, "
    "stored_path TEXT NOT NULL UNIQUE, "
    "kind TEXT NOT NULL CHECK (kind IN ('file', 'folder')), "
    "size INTEGER NOT NULL, "
    "quarantined INTEGER NOT NULL, "
    "state TEXT NOT NULL CHECK (state IN ('moving', 'held', 'restoring', 'purging')))";

const char kSelect[] = "SELECT id, batch, original_path, stored_path, kind, size, quarantined, state FROM records";

const char* StateName(RecordState state) {
    switch (state) {
    case RecordState::kMoving: return "moving";
    case RecordState::kHeld: return "held";
    case RecordState::kRestoring: return "restoring";
    case RecordState::kPurging: return "purging";
    }
    return "held";
}

// An unknown name reads as "held": a record the program cannot place stays
// listed rather than being settled away.
RecordState StateOfName(const std::string& name) {
    for (RecordState state : {RecordState::kMoving, RecordState::kRestoring, RecordState::kPurging}) {
        if (name == StateName(state)) return state;
    }
    return RecordState::kHeld;
}

// `text` as an SQL string literal. Doubling the quote is enough for code
// page 936 texts: a GBK trail byte is 0x40 or above, never a quote.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

std::string WhereId(int64_t id) { return " WHERE id = " + std::to_string(id); }

// "E:\Games\Old" as it is kept: "\Games\Old"; false for a path without a drive.
bool WithoutDrive(const std::string& path, std::string* kept) {
    if (DriveOfPath(path) == 0) return false;
    *kept = path.substr(2);
    return true;
}

TStoredRecord RowOf(CDBRecordSet& rs, char drive) {
    TStoredRecord row;
    TQuarantineRecord& record = row.record;
    int64_t size = 0;
    std::string kind;
    std::string state;
    rs.GetFieldValue("id", record.nId);
    // Untrimmed: paths are kept byte for byte.
    rs.GetFieldValue("batch", record.strBatch, false);
    rs.GetFieldValue("original_path", record.strOriginalPath, false);
    rs.GetFieldValue("stored_path", record.strStoredPath, false);
    rs.GetFieldValue("kind", kind, false);
    rs.GetFieldValue("size", size);
    rs.GetFieldValue("quarantined", record.nQuarantined);
    rs.GetFieldValue("state", state, false);
    const std::string letter = std::string(1, drive) + ":";
    record.strOriginalPath.insert(0, letter);
    record.strStoredPath.insert(0, letter);
    record.bDir = kind == "folder";
    record.nSize = static_cast<uint64_t>(size);
    row.state = StateOfName(state);
    return row;
}

}  // namespace

bool IsConsistent(const TQuarantineRecord& record) {
    return !record.strStoredPath.empty() && StoredPath(record.strOriginalPath, record.strBatch) == record.strStoredPath;
}

bool CQuarantineTable::Create(uint32_t* error) { return Exec(kCreateTable, error); }

bool CQuarantineTable::Insert(const TQuarantineRecord& record, RecordState state, int64_t* id, uint32_t* error) {
    std::string original;
    std::string stored;
    if (!WithoutDrive(record.strOriginalPath, &original) || !WithoutDrive(record.strStoredPath, &stored)) {
        *error = kErrorBadPathname;
        return false;
    }
    const std::string sql =
        "INSERT INTO records (batch, original_path, stored_path, kind, size, quarantined, state) VALUES (" +
        Quoted(record.strBatch) + ", " + Quoted(original) + ", " + Quoted(stored) + ", " +
        Quoted(record.bDir ? "folder" : "file") + ", " + std::to_string(static_cast<int64_t>(record.nSize)) + ", " +
        std::to_string(record.nQuarantined) + ", " + Quoted(StateName(state)) + ")";
    if (!Exec(sql, error)) return false;
    // The one connection is used by one thread at a time, so the last row
    // it inserted is this one.
    std::vector<TStoredRecord> rows;
    if (!Read(std::string(kSelect) + " WHERE rowid = last_insert_rowid()", &rows, error)) return false;
    if (rows.empty()) {
        *error = kErrorNotFound;
        return false;
    }
    *id = rows.front().record.nId;
    return true;
}

bool CQuarantineTable::SetState(int64_t id, RecordState from, RecordState to, uint32_t* error) {
    int32_t changes = 0;
    const std::string sql = std::string("UPDATE records SET state = ") + Quoted(StateName(to)) + WhereId(id) +
                            " AND state = " + Quoted(StateName(from));
    if (!Exec(sql, error, &changes)) return false;
    if (changes != 1) {
        *error = kErrorNotFound;
        return false;
    }
    return true;
}

bool CQuarantineTable::Remove(int64_t id, uint32_t* error) { return Exec("DELETE FROM records" + WhereId(id), error); }

bool CQuarantineTable::Find(int64_t id, TStoredRecord* found, uint32_t* error) {
    std::vector<TStoredRecord> rows;
    if (!Read(kSelect + WhereId(id), &rows, error)) return false;
    if (rows.empty()) {
        *error = kErrorNotFound;
        return false;
    }
    *found = rows.front();
    return true;
}

bool CQuarantineTable::ReadAll(std::vector<TStoredRecord>* records, uint32_t* error) {
    records->clear();
    return Read(std::string(kSelect) + " ORDER BY quarantined, id", records, error);
}

bool CQuarantineTable::Exec(const std::string& sql, uint32_t* error, int32_t* changes) {
    int32_t ret = 0;
    int32_t changed = 0;
    if (m_db.ExecCmd(sql.c_str(), ret, changed)) {
        if (changes) *changes = changed;
        return true;
    }
    *error = static_cast<uint32_t>(ret != 0 ? ret : kSqliteError);
    return false;
}

bool CQuarantineTable::Read(const std::string& sql, std::vector<TStoredRecord>* records, uint32_t* error) {
    CDBRecordSet* rs = nullptr;
    int32_t ret = 0;
    if (!m_db.ExecSQL(sql.c_str(), rs, ret)) {
        *error = static_cast<uint32_t>(ret != 0 ? ret : kSqliteError);
        return false;
    }
    for (; !rs->IsEOF(); rs->MoveNext()) records->push_back(RowOf(*rs, m_drive));
    // A step that failed part way ends the loop as the last row would; only
    // the finalize tells them apart.
    if (!m_db.CloseRS(rs)) {
        *error = static_cast<uint32_t>(kSqliteError);
        return false;
    }
    return true;
}

}  // namespace quarantine
