#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineTable.h"

#include <list>
#include <set>

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
    "state TEXT NOT NULL CHECK (state IN ('moving', 'held', 'restoring', 'purging')), "
    "size_at_least INTEGER NOT NULL DEFAULT 0, "
    "incomplete INTEGER NOT NULL DEFAULT 0, "
    "only_links INTEGER NOT NULL DEFAULT 0, "
    "time_unsure INTEGER NOT NULL DEFAULT 0, "
    "made_folders TEXT NOT NULL DEFAULT '')";

// The columns after "state", each with the value every record written
// before it had: a database of an older Trevand gains them and is read and
// kept as it is, and an older Trevand still reads and writes one of ours (it
// names its columns, and the defaults fill ours in). Kept as kCreateTable
// has them.
const struct {
    const char* name;
    const char* definition;
} kAddedColumns[] = {
    {"size_at_least", "INTEGER NOT NULL DEFAULT 0"},
    {"incomplete", "INTEGER NOT NULL DEFAULT 0"},
    {"only_links", "INTEGER NOT NULL DEFAULT 0"},
    {"time_unsure", "INTEGER NOT NULL DEFAULT 0"},
    // The folders a restore makes above the original path before its
    // rename, one a line, so a crash in between leaves none behind.
    {"made_folders", "TEXT NOT NULL DEFAULT ''"},
};

// The latest time the disk has seen, one row (QuarantineClock.h).
const char kCreateClock[] =
    "CREATE TABLE IF NOT EXISTS clock (id INTEGER PRIMARY KEY CHECK (id = 1), "
    "seen INTEGER NOT NULL, far_since INTEGER NOT NULL)";

const char kSelect[] =
    "SELECT id, batch, original_path, stored_path, kind, size, quarantined, state, size_at_least, incomplete, "
    "only_links, time_unsure, made_folders FROM records";

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

// Folder paths kept one a line without their drive, as the paths are; a
// line feed is never part of a name, nor a GBK trail byte.
std::string JoinLines(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths) {
        std::string kept;
        if (!WithoutDrive(path, &kept)) continue;
        if (!text.empty()) text += '\n';
        text += kept;
    }
    return text;
}

std::vector<std::string> SplitLines(const std::string& text, const std::string& letter) {
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) paths.push_back(letter + text.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

std::string Number(bool flag) { return flag ? "1" : "0"; }

std::string ClockSql(const TDiskTime& time) {
    return "INSERT OR REPLACE INTO clock (id, seen, far_since) VALUES (1, " + std::to_string(time.nSeen) + ", " +
           std::to_string(time.nFarSince) + ")";
}

bool Flag(CDBRecordSet& rs, const char* column) {
    int32_t value = 0;
    rs.GetFieldValue(column, value);
    return value != 0;
}

TStoredRecord RowOf(CDBRecordSet& rs, char drive) {
    TStoredRecord row;
    TQuarantineRecord& record = row.record;
    int64_t size = 0;
    std::string kind;
    std::string state;
    std::string madeFolders;
    rs.GetFieldValue("id", record.nId);
    // Untrimmed: paths are kept byte for byte.
    rs.GetFieldValue("batch", record.strBatch, false);
    rs.GetFieldValue("original_path", record.strOriginalPath, false);
    rs.GetFieldValue("stored_path", record.strStoredPath, false);
    rs.GetFieldValue("kind", kind, false);
    rs.GetFieldValue("size", size);
    rs.GetFieldValue("quarantined", record.nQuarantined);
    rs.GetFieldValue("state", state, false);
    record.bSizeAtLeast = Flag(rs, "size_at_least");
    record.bIncomplete = Flag(rs, "incomplete");
    record.bOnlyLinks = Flag(rs, "only_links");
    record.bTimeUnsure = Flag(rs, "time_unsure");
    rs.GetFieldValue("made_folders", madeFolders, false);
    const std::string letter = std::string(1, drive) + ":";
    record.strOriginalPath.insert(0, letter);
    record.strStoredPath.insert(0, letter);
    record.bDir = kind == "folder";
    record.nSize = static_cast<uint64_t>(size);
    row.state = StateOfName(state);
    row.madeFolders = SplitLines(madeFolders, letter);
    return row;
}

}  // namespace

bool IsConsistent(const TQuarantineRecord& record) {
    return !record.strStoredPath.empty() && StoredPath(record.strOriginalPath, record.strBatch) == record.strStoredPath;
}

bool CQuarantineTable::Create(uint32_t* error) {
    // One transaction: every write of a fresh database costs a flush.
    if (!Exec(std::string("BEGIN; ") + kCreateTable + "; " + kCreateClock + "; COMMIT", error)) {
        uint32_t ignored = 0;
        Exec("ROLLBACK", &ignored);
        return false;
    }
    std::vector<std::string> names;
    std::list<std::vector<std::string>> columns;
    if (!m_db.ExecSQL("PRAGMA table_info(records)", names, columns)) {
        *error = static_cast<uint32_t>(kSqliteError);
        return false;
    }
    // table_info gives one row per column, its name second.
    std::set<std::string> present;
    for (const std::vector<std::string>& column : columns) {
        if (column.size() > 1) present.insert(column[1]);
    }
    std::string added;
    for (const auto& column : kAddedColumns) {
        if (!present.count(column.name))
            added += std::string("ALTER TABLE records ADD COLUMN ") + column.name + " " + column.definition + "; ";
    }
    if (added.empty() || Exec("BEGIN; " + added + "COMMIT", error)) return true;
    uint32_t ignored = 0;
    Exec("ROLLBACK", &ignored);
    return false;
}

bool CQuarantineTable::Insert(const TQuarantineRecord& record, RecordState state, int64_t* id, uint32_t* error,
                              const TDiskTime* clock) {
    std::string original;
    std::string stored;
    if (!WithoutDrive(record.strOriginalPath, &original) || !WithoutDrive(record.strStoredPath, &stored)) {
        *error = kErrorBadPathname;
        return false;
    }
    const std::string sql =
        "INSERT INTO records (batch, original_path, stored_path, kind, size, quarantined, state, size_at_least, "
        "incomplete, only_links, time_unsure) VALUES (" +
        Quoted(record.strBatch) + ", " + Quoted(original) + ", " + Quoted(stored) + ", " +
        Quoted(record.bDir ? "folder" : "file") + ", " + std::to_string(static_cast<int64_t>(record.nSize)) + ", " +
        std::to_string(record.nQuarantined) + ", " + Quoted(StateName(state)) + ", " + Number(record.bSizeAtLeast) +
        ", " + Number(record.bIncomplete) + ", " + Number(record.bOnlyLinks) + ", " + Number(record.bTimeUnsure) + ")";
    if (clock) {
        // One transaction, one flush to the disk: a move pays for the mark
        // only in the write it makes anyway. The clock first, so that the
        // last row inserted is the record's.
        if (!Exec("BEGIN; " + ClockSql(*clock) + "; " + sql + "; COMMIT", error)) {
            uint32_t ignored = 0;
            Exec("ROLLBACK", &ignored);
            return false;
        }
    } else if (!Exec(sql, error)) {
        return false;
    }
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

bool CQuarantineTable::SetPurgeMarks(int64_t id, bool incomplete, bool onlyLinks, uint32_t* error) {
    return Update(id, "incomplete = " + Number(incomplete) + ", only_links = " + Number(onlyLinks), error);
}

bool CQuarantineTable::Restamp(int64_t id, int64_t quarantined, uint32_t* error) {
    return Update(id, "quarantined = " + std::to_string(quarantined) + ", time_unsure = 0", error);
}

bool CQuarantineTable::SetMadeFolders(int64_t id, const std::vector<std::string>& folders, uint32_t* error) {
    return Update(id, "made_folders = " + Quoted(JoinLines(folders)), error);
}

bool CQuarantineTable::ReadClock(TDiskTime* time, bool* found, uint32_t* error) {
    CDBRecordSet* rs = nullptr;
    int32_t ret = 0;
    *found = false;
    *time = TDiskTime();
    if (!m_db.ExecSQL("SELECT seen, far_since FROM clock WHERE id = 1", rs, ret)) {
        *error = static_cast<uint32_t>(ret != 0 ? ret : kSqliteError);
        return false;
    }
    if (!rs->IsEOF()) {
        rs->GetFieldValue("seen", time->nSeen);
        rs->GetFieldValue("far_since", time->nFarSince);
        *found = true;
    }
    if (!m_db.CloseRS(rs)) {
        *error = static_cast<uint32_t>(kSqliteError);
        return false;
    }
    return true;
}

bool CQuarantineTable::WriteClock(const TDiskTime& time, uint32_t* error) { return Exec(ClockSql(time), error); }

bool CQuarantineTable::Update(int64_t id, const std::string& assignments, uint32_t* error) {
    int32_t changes = 0;
    if (!Exec("UPDATE records SET " + assignments + WhereId(id), error, &changes)) return false;
    if (changes != 1) {
        *error = kErrorNotFound;
        return false;
    }
    return true;
}

bool CQuarantineTable::Remove(int64_t id, uint32_t* error) { return Exec("DELETE FROM records" + WhereId(id), error); }

bool CQuarantineTable::HasStoredPath(const std::string& stored, bool* found, uint32_t* error) {
    std::string kept;
    std::vector<TStoredRecord> rows;
    *found = false;
    if (!WithoutDrive(stored, &kept)) return true;
    if (!Read(std::string(kSelect) + " WHERE stored_path = " + Quoted(kept), &rows, error)) return false;
    *found = !rows.empty();
    return true;
}

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
