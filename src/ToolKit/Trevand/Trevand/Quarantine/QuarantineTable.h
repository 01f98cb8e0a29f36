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

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineClock.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"

class CDBConnect;

namespace quarantine {

enum class RecordState { kMoving, kHeld, kRestoring, kPurging };

struct TStoredRecord {
    TQuarantineRecord record;
    RecordState state = RecordState::kHeld;
    // The folders a restore made above the original path before its rename
    // (SetMadeFolders), topmost first.
    std::vector<std::string> madeFolders;
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

    // Makes the tables when they are missing, and the columns a database of
    // an older Trevand lacks; refuses a file that is no database of ours.
    bool Create(uint32_t* error);

    // Adds `record` in `state` (with its marks:
    // bSizeAtLeast, bIncomplete, bOnlyLinks, bTimeUnsure), and when `clock`
    // is given writes it as the disk's time in the same transaction; its id (record.nId is ignored) in *id. Both
    // its paths must start with a drive letter and a colon
    // (ERROR_BAD_PATHNAME otherwise).
    bool Insert(const TQuarantineRecord& record, RecordState state, int64_t* id, uint32_t* error,
                const TDiskTime* clock = nullptr);

    // Moves record `id` from state `from` to `to`; ERROR_NOT_FOUND when it
    // is not in `from` (or not there at all).
    bool SetState(int64_t id, RecordState from, RecordState to, uint32_t* error);

    // Record `id`'s marks after a purge that left its entry (bIncomplete,
    // bOnlyLinks of TQuarantineRecord).
    bool SetPurgeMarks(int64_t id, bool incomplete, bool onlyLinks, uint32_t* error);

    // Record `id` stamped `quarantined` by a trusted clock (no longer unsure).
    bool Restamp(int64_t id, int64_t quarantined, uint32_t* error);

    // The folders a restore of record `id` is about to make (full paths on
    // this disk), replacing any kept before.
    bool SetMadeFolders(int64_t id, const std::vector<std::string>& folders, uint32_t* error);

    // What the disk remembers of time; *found false (and *time zero) when it
    // has never been written.
    bool ReadClock(TDiskTime* time, bool* found, uint32_t* error);
    bool WriteClock(const TDiskTime& time, uint32_t* error);

    // Deletes record `id` (nothing to delete is no failure).
    bool Remove(int64_t id, uint32_t* error);

    // Whether a record of any state has the stored path `stored` (byte for
    // byte, as moves write them).
    bool HasStoredPath(const std::string& stored, bool* found, uint32_t* error);

    // Record `id` in *found; ERROR_NOT_FOUND when there is none.
    bool Find(int64_t id, TStoredRecord* found, uint32_t* error);

    // Every record whatever its state, oldest first (ties by id), into
    // *records (replaced). False when they could not all be read: a partial
    // list never passes for the whole.
    bool ReadAll(std::vector<TStoredRecord>* records, uint32_t* error);

private:
    bool Exec(const std::string& sql, uint32_t* error, int32_t* changes = nullptr);
    // Sets `assignments` ("a = 1, b = 2") on record `id`; ERROR_NOT_FOUND
    // when there is none.
    bool Update(int64_t id, const std::string& assignments, uint32_t* error);
    bool Read(const std::string& sql, std::vector<TStoredRecord>* records, uint32_t* error);

    CDBConnect& m_db;
    char m_drive;
};

}  // namespace quarantine
