// Windows only: the quarantine of one disk — its hidden folder, its record
// database, and the renames in and out of it.
//
// Every move is written ahead: the record is stored (state "moving" or
// "restoring") before the rename and settled after it, so a crash or power
// cut between the two loses track of nothing. Reconcile, run when a disk's
// quarantine is opened at start-up, settles what a crash left:
//   moving    + stored entry there                  -> held (the rename happened;
//                                                      whatever is at the original
//                                                      place came there since)
//   moving    + otherwise                           -> record dropped (it never left)
//   restoring + stored entry gone, original there   -> record dropped (it is back)
//   restoring + otherwise                           -> held
//   purging   + stored entry gone                   -> record dropped
//   purging   + otherwise                           -> held, marked incomplete
//                                                      when a folder (purged again
//                                                      later)
// A restore that crashed after making the folders above the original path
// and before its rename has those folders removed again (as far as they are
// empty), so the scan never offers them.
// So every entry is always in its original place or restorable from here.
// An entry that cannot be looked at counts as there.
//
// Entries move by rename only (MoveFileExA without copying): a 20,000-file
// tree moves in one call, and a move across volumes fails instead of copying.
// Nothing is moved through a link (platform/EntryMove.h): a folder holding
// links moves with them, as links; a link that is itself the entry moves as
// the link where the system renames links themselves (Windows) and is refused
// (kErrorStoppedOnLink, left in place) where it would move the link's target
// instead (Wine 8).
//
// Not thread-safe: one thread uses an object at a time. Records are read and
// written through our SQLite layer; texts are stored as the code page 936
// bytes the program uses. Each record is flushed to the disk before its
// rename.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineClock.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"

class CDBConnect;
namespace quarantine {
class CQuarantineTable;
struct TStoredRecord;
}

// What a purge left of a held entry (CQuarantineDisk::EndPurge).
struct TPurgeLeft {
    bool bTouched = false;    // something of it was deleted before it stopped or failed
    bool bOnlyLinks = false;  // what stays is links and the folders holding them
};

// The folder holds entries but no record database (QuarantineDisk::Open),
// with the value Windows gives ERROR_DATABASE_DOES_NOT_EXIST.
const uint32_t kErrorDatabaseMissing = 1065;

class CQuarantineDisk {
public:
    // `drive` is the disk's letter, either case.
    explicit CQuarantineDisk(char drive);
    ~CQuarantineDisk();
    CQuarantineDisk(const CQuarantineDisk&) = delete;
    CQuarantineDisk& operator=(const CQuarantineDisk&) = delete;

    // The letter, upper-cased.
    char Drive() const { return m_drive; }
    // "E:\TrevandQuarantine"; empty for a `drive` that is no letter.
    const std::string& Folder() const { return m_strFolder; }

    // Whether the disk has a quarantine folder at all (nothing is opened).
    bool Exists() const;

    // Opens the record database. With `create` the folder is made (hidden)
    // and the database with it when missing; without, a disk with no
    // quarantine folder gives false with *error 0. Other failures give false
    // with the system's (or SQLite's) code in *error and a log line: a file
    // named like the folder (kErrorAlreadyExists), a folder that is a link
    // (kErrorStoppedOnLink), a folder without its database
    // (kErrorDatabaseMissing when it holds anything: a fresh database would
    // never know of what it holds, so none is made; ERROR_FILE_NOT_FOUND
    // when not creating), a database that cannot be opened (SQLITE_CANTOPEN)
    // or is none of ours (SQLite's code).
    bool Open(bool create, uint32_t* error);
    bool IsOpen() const;
    void Close();

    // Settles the records a crash left half-way (see above); logs what it
    // changed. Returns how many records it settled; *held (when given)
    // receives how many of them are held in the quarantine from now on.
    // REQUIRES: IsOpen().
    int Reconcile(int* held = nullptr);

    // Every held record, oldest first. Records half-way through a move, a
    // restore or a purge are not among them. Empty also when the database
    // cannot be read (with a log line from the database layer).
    // REQUIRES: IsOpen().
    std::vector<TQuarantineRecord> Records();

    // Moves `original` into `batch`: record, rename (creating the stored
    // path's parent folders), settle. On failure the entry stays where it
    // was, the record goes, *error has the system's code and false returns:
    // also for an `original` on another disk (kErrorNotSameDevice), one
    // that has no place of its own below the batch (StoredPath is empty:
    // ERROR_BAD_PATHNAME), or one whose stored path would lie inside another
    // record's stored entry (kErrorAlreadyExists: a batch name repeated after
    // the clock was set back). `size` is recorded as a lower bound when
    // `sizeAtLeast`. The record is stamped `now`, marked unsure when the
    // clock is not to be trusted (StampMove). *record (when given) receives
    // the held record. One log line says what became of the entry.
    // REQUIRES: IsOpen().
    bool MoveIn(const std::string& original, bool bDir, uint64_t size, const std::string& batch, int64_t now,
                TQuarantineRecord* record, uint32_t* error, bool sizeAtLeast = false);

    enum class RestoreResult {
        kRestored,    // back in its original place; the record is gone
        kPlaceTaken,  // something is at the original path: nothing moved, still held
        kFailed,      // the rename failed (*error): still held
    };
    // Renames a held entry back, re-creating missing parent folders of the
    // original path. Never overwrites anything: a file where one of those
    // folders belongs counts as the place taken too. The record is looked up
    // by record.nId; the database's copy of the paths is used. A record that
    // is not held (gone, or being purged) gives kFailed with
    // ERROR_NOT_FOUND. One log line says what became of the entry.
    // REQUIRES: IsOpen().
    RestoreResult Restore(const TQuarantineRecord& record, uint32_t* error);

    // Around deleting a held entry's stored path for good (the deletion
    // worker does the deleting): BeginPurge marks the record "purging"
    // (false when it is not held) and gives the database's copy, whose
    // stored path is the one to delete, whatever a caller's copy says;
    // EndPurge drops it when the stored entry is gone, else marks it held
    // again with what `left` says of it. The folders emptied above the
    // stored path are removed after EndPurge. REQUIRES: IsOpen().
    bool BeginPurge(int64_t id, TQuarantineRecord* held = nullptr);
    // EndPurge returns whether the stored entry is gone.
    bool EndPurge(int64_t id, const TPurgeLeft& left = TPurgeLeft());

    // What the disk remembers of time (for a database that never kept it,
    // its latest record time); false when it cannot be read.
    // REQUIRES: IsOpen().
    bool ReadTime(quarantine::TDiskTime* time);

    // The start-up's view of the clock `now` on this disk (QuarantineClock.h):
    // judged against the time the disk remembers (for a database that never
    // kept one, its latest record time), which is then remembered; when the
    // judgement says so, unsure and future records are stamped `now`.
    // *seen (when given) receives the mark it was judged against. A
    // database that cannot be read or written gives an untrusted judgement.
    // REQUIRES: IsOpen().
    quarantine::TClockJudgement KeepTime(int64_t now, int keepDays, int64_t* seen = nullptr);

    // Removes the folders of the quarantine left empty (batches, parents of
    // restored or purged entries), and the quarantine folder itself with its
    // database when no record is left and nothing else is in it. Closes the
    // database in that case. An empty folder that is itself a quarantined
    // entry stays; links are never entered nor removed; when the records
    // cannot be read nothing is removed.
    void RemoveEmptyFolders();

    // For tests only: a simulated crash. With a step set, MoveIn or Restore
    // stops right after that step (the record written, or the rename done)
    // and returns false as a power cut would leave things.
    // kAfterFolders: a restore stops once the folders above the original
    // path are made, before its rename.
    enum class CrashStep { kNone, kAfterRecord, kAfterFolders, kAfterRename };
    static void SetCrashStepForTests(CrashStep step);
    // For tests only: the write that settles a moved entry's record as held
    // fails, as a full or failing disk would make it.
    static void SetSettleFailsForTests(bool fails);

private:
    // The parts of Open. The folder: made when missing with `create` (*made
    // says so), and checked to be a real folder. The database: opened, made
    // with `create`, and its table made when missing.
    bool OpenFolder(bool create, bool* made, uint32_t* error);
    bool OpenDatabase(bool create, uint32_t* error);
    // Makes the folders above `to` and renames `from` there; when either
    // fails, removes what it made and record `id`.
    bool RenameOrTakeBack(const std::string& from, const std::string& to, int64_t id, uint32_t* error);
    // Marks a record held after its rename in; false (the entry put back)
    // when that cannot be written.
    bool Settle(const TQuarantineRecord& held, uint32_t* error);
    RestoreResult PlaceTaken(const TQuarantineRecord& held);
    // Record `id` into *held when it is held and its paths are the ones
    // MoveIn gives; else false with ERROR_NOT_READY (no database),
    // ERROR_NOT_FOUND (not held, or not there) or ERROR_BAD_PATHNAME.
    bool FindHeld(int64_t id, TQuarantineRecord* held, uint32_t* error);
    // "E:\TrevandQuarantine\Quarantine.db".
    std::string DatabasePath() const;
    // What a record a crash left half-way keeps when it is held again: the
    // incomplete mark of a purged folder, no folders made by a restore.
    void KeepAfterCrash(const quarantine::TStoredRecord& row);
    // Whether `stored` would lie inside the stored entry of another record.
    bool LiesInsideAnother(const std::string& stored, const std::string& batch, std::string* other);
    // The restore's folders: made, with the record knowing of them first.
    bool MakeFoldersAbove(int64_t id, const std::string& original, std::vector<std::string>* created,
                          uint32_t* error);

    char m_drive;
    std::string m_strFolder;
    std::unique_ptr<CDBConnect> m_db;
    std::unique_ptr<quarantine::CQuarantineTable> m_table;  // on m_db, while it is open
};
