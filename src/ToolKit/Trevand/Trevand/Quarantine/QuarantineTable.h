// Internal to the quarantine: the record table of one disk's database. All
// of the quarantine's SQL is here.
//
// A record's state says how far its move has come, so that a crash between
// writing it and renaming the entry can be settled afterwards
// (QuarantineDisk.h): "moving" and "restoring" are written before a rename,
// "held" once an entry rests in the quarantine, "purging" while it is being
// deleted for good.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"

class CDBConnect;

namespace quarantine {

enum class RecordState { kMoving, kHeld, kRestoring, kPurging };

struct TStoredRecord {
    TQuarantineRecord record;
    RecordState state = RecordState::kHeld;
};

// Whether `record` (read back) describes an entry of a quarantine: its
// stored path is where a move puts its original (StoredPath). A database
// damaged or written by hand then never leads a restore, a purge or a
// tidying anywhere else.
bool IsConsistent(const TQuarantineRecord& record);

// Paths are kept without their drive letter and read back with the letter
// of the disk the database is on: a disk that gets another letter, or a copy
// of a disk, finds its own entries rather than those of the disk that once
// had its letter.
//
// Every call returns false on failure with SQLite's code (or
// ERROR_NOT_FOUND for a record that is not there as asked) in *error and a
// log line from the database layer. `db` must stay open while in use.
class CQuarantineTable {
public:
    // `drive`: the letter of the disk the database is on ('E').
    CQuarantineTable(CDBConnect& db, char drive) : m_db(db), m_drive(drive) {}

    // Makes the table when it is missing; refuses a file that is no
    // database of ours.
    bool Create(uint32_t* error);

    // Adds `record` in `state`; its id (record.nId is ignored) in *id. Both
    // its paths must start with a drive letter and a colon
    // (ERROR_BAD_PATHNAME otherwise).
    bool Insert(const TQuarantineRecord& record, RecordState state, int64_t* id, uint32_t* error);

    // Moves record `id` from state `from` to `to`; ERROR_NOT_FOUND when it
    // is not in `from` (or not there at all).
    bool SetState(int64_t id, RecordState from, RecordState to, uint32_t* error);

    // Deletes record `id` (nothing to delete is no failure).
    bool Remove(int64_t id, uint32_t* error);

    // Record `id` in *found; ERROR_NOT_FOUND when there is none.
    bool Find(int64_t id, TStoredRecord* found, uint32_t* error);

    // Every record whatever its state, oldest first (ties by id), into
    // *records (replaced). False when they could not all be read: a partial
    // list never passes for the whole.
    bool ReadAll(std::vector<TStoredRecord>* records, uint32_t* error);

private:
    bool Exec(const std::string& sql, uint32_t* error, int32_t* changes = nullptr);
    bool Read(const std::string& sql, std::vector<TStoredRecord>* records, uint32_t* error);

    CDBConnect& m_db;
    char m_drive;
};

}  // namespace quarantine
