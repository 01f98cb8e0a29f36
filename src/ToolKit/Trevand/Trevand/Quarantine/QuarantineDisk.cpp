// CQuarantineDisk: opening, and the moves in and out with their records.
//
// Each move writes its record first, renames, then settles the record, and a
// failed rename takes the record (and the folders made for it) back, so the
// database and the disk agree after every call; a crash in between is what
// Reconcile (QuarantineReconcile.cpp) settles.
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"

#include <atomic>
#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineFolders.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineTable.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/AsciiCase.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/EntryMove.h"
#include "comm/platform/Folder.h"
#include "comm/platform/PathSeparator.h"

using quarantine::CQuarantineTable;
using quarantine::RecordState;
using quarantine::TStoredRecord;

namespace {

const char kMovedIn[] = "Trevand  隔离%s -> %s";
const char kMoveFailed[] = "Trevand  未能隔离%s（错误码%lu）";
const char kRestored[] = "Trevand  还原%s";
const char kRestoreFailed[] = "Trevand  未能还原%s（错误码%lu）";
const char kPlaceTaken[] = "Trevand  未还原%s（原位置已被占用）";
const char kOpenFailed[] = "Trevand  未能打开隔离区%s（错误码%lu）";
const char kNotHidden[] = "Trevand  未能隐藏隔离区%s（错误码%lu）";
const char kInconsistent[] = "Trevand  隔离区记录有误，已略过%s";
const char kDatabaseMissing[] =
    "Trevand  隔离区%s中有文件但缺少记录数据库，为免其中的项目无人知晓，未在此盘隔离任何项目；请检查该文件夹";
const char kInsideAnother[] = "Trevand  未能隔离%s：批次%s中已有隔离项%s（系统时间可能曾被调回），未移动";
const char kRestoredIncomplete[] = "Trevand  还原%s（不完整：彻底删除曾中途停止，部分内容已不在）";

// Codes of failures that are not the system's, with the values Windows and
// SQLite give them.
const uint32_t kErrorFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
const uint32_t kErrorInvalidDrive = 15;  // ERROR_INVALID_DRIVE
const uint32_t kErrorBadPathname = 161;  // ERROR_BAD_PATHNAME
const uint32_t kErrorNotReady = 21;      // ERROR_NOT_READY: no database open
const uint32_t kErrorNotFound = 1168;    // ERROR_NOT_FOUND
const uint32_t kSqliteCantOpen = 14;     // SQLITE_CANTOPEN: CDBConnect::Open gives no code of its own

std::atomic<CQuarantineDisk::CrashStep> g_crashStep{CQuarantineDisk::CrashStep::kNone};
std::atomic<bool> g_settleFails{false};

bool CrashesAfter(CQuarantineDisk::CrashStep step) { return g_crashStep.load() == step; }

unsigned long Code(uint32_t error) { return static_cast<unsigned long>(error); }

bool IsPlaceTakenCode(uint32_t error) {
    return error == platform::kErrorAlreadyExists || error == platform::kErrorFileExists;
}

}  // namespace

CQuarantineDisk::CQuarantineDisk(char drive)
    : m_drive(platform::ToUpperAscii(drive)), m_strFolder(quarantine::FolderOfDrive(drive)) {}

CQuarantineDisk::~CQuarantineDisk() { Close(); }

std::string CQuarantineDisk::DatabasePath() const { return m_strFolder + "\\" + quarantine::kDatabaseName; }

bool CQuarantineDisk::Exists() const { return platform::IsExistingFolder(m_strFolder); }

bool CQuarantineDisk::IsOpen() const { return m_db != nullptr; }

void CQuarantineDisk::Close() {
    m_table.reset();
    if (m_db) m_db->Close();
    m_db.reset();
}

bool CQuarantineDisk::Open(bool create, uint32_t* error) {
    Close();
    *error = 0;
    if (m_strFolder.empty()) {
        *error = kErrorInvalidDrive;
        LOG_WRITE(LOG_ERROR, kOpenFailed, std::string(1, m_drive).c_str(), Code(*error));
        return false;
    }
    bool madeFolder = false;
    if (!OpenFolder(create, &madeFolder, error)) return false;
    if (!OpenDatabase(create, error)) {
        // A failed open leaves the disk as it found it.
        uint32_t ignored = 0;
        if (madeFolder) platform::RemoveFolder(m_strFolder, &ignored);
        return false;
    }
    uint32_t hideError = 0;
    const bool hidden = (platform::ReadAttributes(m_strFolder) & platform::kAttributeHidden) != 0;
    if (create && !hidden && !platform::MarkHidden(m_strFolder, &hideError)) {
        // A visible quarantine still keeps everything; only Explorer shows it.
        LOG_WRITE(LOG_WARNING, kNotHidden, m_strFolder.c_str(), Code(hideError));
    }
    return true;
}

bool CQuarantineDisk::OpenFolder(bool create, bool* made, uint32_t* error) {
    uint32_t attributes = platform::ReadAttributes(m_strFolder);
    if (attributes == platform::kAttributesInvalid) {
        if (!create) return false;  // no quarantine on this disk: not a failure
        if (!platform::CreateFolders(m_strFolder, error)) {
            LOG_WRITE(LOG_ERROR, kOpenFailed, m_strFolder.c_str(), Code(*error));
            return false;
        }
        *made = true;
        attributes = platform::ReadAttributes(m_strFolder);
    }
    if (attributes == platform::kAttributesInvalid || !(attributes & platform::kAttributeDirectory)) {
        // A file of that name is in the way.
        *error = platform::kErrorAlreadyExists;
    } else if (attributes & platform::kAttributeReparsePoint) {
        // Entries renamed into a link would land wherever it points.
        *error = platform::kErrorStoppedOnLink;
    }
    if (*error == 0) return true;
    LOG_WRITE(LOG_ERROR, kOpenFailed, m_strFolder.c_str(), Code(*error));
    return false;
}

bool CQuarantineDisk::OpenDatabase(bool create, uint32_t* error) {
    const std::string database = DatabasePath();
    // A folder that holds batches but lost its database: a fresh database
    // would list none of them, and tidying would take their folders.
    if (create && !platform::EntryExists(database) && !quarantine::IsEmptyFolder(m_strFolder)) {
        *error = kErrorDatabaseMissing;
        LOG_WRITE(LOG_ERROR, kDatabaseMissing, m_strFolder.c_str());
        return false;
    }
    std::unique_ptr<CDBConnect> db(new CSqliteConnect);
    if (!db->Open(database, create)) {
        *error = platform::EntryExists(database) ? kSqliteCantOpen : kErrorFileNotFound;
        LOG_WRITE(LOG_ERROR, kOpenFailed, database.c_str(), Code(*error));
        return false;
    }
    // Every record must be on the disk before the rename it announces: the
    // connection's default leaves flushing to the system, and a power cut
    // could then keep the rename and lose the record.
    int32_t ret = 0;
    std::unique_ptr<CQuarantineTable> table(new CQuarantineTable(*db, m_drive));
    if (!db->ExecCmd("PRAGMA synchronous = FULL", ret) || !table->Create(error)) {
        if (*error == 0) *error = static_cast<uint32_t>(ret);
        LOG_WRITE(LOG_ERROR, kOpenFailed, database.c_str(), Code(*error));
        db->Close();
        return false;
    }
    m_db = std::move(db);
    m_table = std::move(table);
    return true;
}

std::vector<TQuarantineRecord> CQuarantineDisk::Records() {
    std::vector<TQuarantineRecord> held;
    std::vector<TStoredRecord> rows;
    uint32_t error = 0;
    if (!IsOpen() || !m_table->ReadAll(&rows, &error)) return held;
    for (const TStoredRecord& row : rows) {
        if (row.state != RecordState::kHeld) continue;
        if (quarantine::IsConsistent(row.record)) held.push_back(row.record);
        else LOG_WRITE(LOG_ERROR, kInconsistent, row.record.strStoredPath.c_str());
    }
    return held;
}

bool CQuarantineDisk::FindHeld(int64_t id, TQuarantineRecord* held, uint32_t* error) {
    TStoredRecord row;
    if (!IsOpen()) *error = kErrorNotReady;
    else if (!m_table->Find(id, &row, error)) return false;
    // Not held: being purged, say.
    else if (row.state != RecordState::kHeld) *error = kErrorNotFound;
    else if (!quarantine::IsConsistent(row.record)) *error = kErrorBadPathname;
    if (*error != 0) return false;
    *held = row.record;
    return true;
}

bool CQuarantineDisk::MoveIn(const std::string& original, bool bDir, uint64_t size, const std::string& batch,
                             int64_t now, TQuarantineRecord* record, uint32_t* error, bool sizeAtLeast) {
    *error = 0;
    TQuarantineRecord held;
    held.strBatch = batch;
    held.strOriginalPath = original;
    held.strStoredPath = quarantine::StoredPath(original, batch);
    held.bDir = bDir;
    held.nSize = size;
    held.bSizeAtLeast = sizeAtLeast;
    held.nQuarantined = now;
    std::string other;
    quarantine::TDiskTime time;
    if (!IsOpen()) *error = kErrorNotReady;
    // Under Wine two drive letters on one Linux file system rename into
    // each other: an entry of another disk is refused here, never moved.
    else if (quarantine::DriveOfPath(original) != m_drive) *error = platform::kErrorNotSameDevice;
    else if (held.strStoredPath.empty()) *error = kErrorBadPathname;
    else if (!ReadTime(&time)) *error = kSqliteCantOpen;
    else if (LiesInsideAnother(held.strStoredPath, batch, &other)) {
        *error = platform::kErrorAlreadyExists;
        LOG_WRITE(LOG_ERROR, kInsideAnother, original.c_str(), batch.c_str(), other.c_str());
        return false;
    }
    const quarantine::TMoveStamp stamp = quarantine::StampMove(time, now);
    held.bTimeUnsure = stamp.bTimeUnsure;
    // The mark is written with the record: it is what makes a later start's
    // clock believable or not.
    const quarantine::TDiskTime* mark = stamp.next == time ? nullptr : &stamp.next;
    if (*error != 0 || !m_table->Insert(held, RecordState::kMoving, &held.nId, error, mark)) {
        LOG_WRITE(LOG_ERROR, kMoveFailed, original.c_str(), Code(*error));
        return false;
    }
    if (CrashesAfter(CrashStep::kAfterRecord)) return false;
    if (!RenameOrTakeBack(held.strOriginalPath, held.strStoredPath, held.nId, error)) {
        LOG_WRITE(LOG_ERROR, kMoveFailed, original.c_str(), Code(*error));
        return false;
    }
    if (CrashesAfter(CrashStep::kAfterRename)) return false;
    if (!Settle(held, error)) return false;
    LOG_WRITE(LOG_INFO, kMovedIn, original.c_str(), held.strStoredPath.c_str());
    if (record) *record = held;
    return true;
}

bool CQuarantineDisk::RenameOrTakeBack(const std::string& from, const std::string& to, int64_t id, uint32_t* error) {
    std::vector<std::string> created;
    if (platform::CreateFolders(platform::ParentFolder(to), error, &created) && platform::MoveEntry(from, to, error))
        return true;
    quarantine::RemoveCreatedFolders(created);
    uint32_t ignored = 0;
    m_table->Remove(id, &ignored);
    return false;
}

bool CQuarantineDisk::Settle(const TQuarantineRecord& held, uint32_t* error) {
    if (g_settleFails.load()) *error = kSqliteCantOpen;
    else if (m_table->SetState(held.nId, RecordState::kMoving, RecordState::kHeld, error)) return true;
    // The record cannot say the entry is held: put the entry back so the
    // call's answer is the truth. Should that fail too, the entry did move
    // and its "moving" record is settled as held by the next Reconcile.
    uint32_t ignored = 0;
    if (!platform::MoveEntry(held.strStoredPath, held.strOriginalPath, &ignored)) {
        *error = 0;
        return true;
    }
    quarantine::RemoveEmptyParents(m_strFolder, held.strStoredPath);
    m_table->Remove(held.nId, &ignored);
    LOG_WRITE(LOG_ERROR, kMoveFailed, held.strOriginalPath.c_str(), Code(*error));
    return false;
}

CQuarantineDisk::RestoreResult CQuarantineDisk::Restore(const TQuarantineRecord& record, uint32_t* error) {
    *error = 0;
    // The database's own copy decides what moves where, whatever the
    // caller's copy says.
    TQuarantineRecord held;
    if (!FindHeld(record.nId, &held, error)) {
        LOG_WRITE(LOG_ERROR, kRestoreFailed, record.strOriginalPath.c_str(), Code(*error));
        return RestoreResult::kFailed;
    }
    if (platform::EntryExists(held.strOriginalPath)) return PlaceTaken(held);
    if (!m_table->SetState(held.nId, RecordState::kHeld, RecordState::kRestoring, error)) {
        LOG_WRITE(LOG_ERROR, kRestoreFailed, held.strOriginalPath.c_str(), Code(*error));
        return RestoreResult::kFailed;
    }
    if (CrashesAfter(CrashStep::kAfterRecord)) return RestoreResult::kFailed;
    std::vector<std::string> created;
    const bool made = MakeFoldersAbove(held.nId, held.strOriginalPath, &created, error);
    if (made && CrashesAfter(CrashStep::kAfterFolders)) return RestoreResult::kFailed;
    if (!made || !platform::MoveEntry(held.strStoredPath, held.strOriginalPath, error)) {
        quarantine::RemoveCreatedFolders(created);
        uint32_t ignored = 0;
        m_table->SetMadeFolders(held.nId, {}, &ignored);
        m_table->SetState(held.nId, RecordState::kRestoring, RecordState::kHeld, &ignored);
        // Something took the place (or a file sits where a folder above it
        // belongs) since it was looked at.
        if (IsPlaceTakenCode(*error)) return PlaceTaken(held);
        LOG_WRITE(LOG_ERROR, kRestoreFailed, held.strOriginalPath.c_str(), Code(*error));
        return RestoreResult::kFailed;
    }
    if (CrashesAfter(CrashStep::kAfterRename)) return RestoreResult::kFailed;
    // Should this fail, Reconcile finds the entry back and drops the record.
    uint32_t ignored = 0;
    m_table->Remove(held.nId, &ignored);
    // Back, but not whole: the operator must not take it for what was moved.
    if (held.bIncomplete) LOG_WRITE(LOG_WARNING, kRestoredIncomplete, held.strOriginalPath.c_str());
    else LOG_WRITE(LOG_INFO, kRestored, held.strOriginalPath.c_str());
    quarantine::RemoveEmptyParents(m_strFolder, held.strStoredPath);
    return RestoreResult::kRestored;
}

bool CQuarantineDisk::MakeFoldersAbove(int64_t id, const std::string& original, std::vector<std::string>* created,
                                       uint32_t* error) {
    const std::string parent = platform::ParentFolder(original);
    // The record learns of the folders before they exist: a crash before
    // the rename then leaves none the scan would offer as an orphan.
    const std::vector<std::string> missing = quarantine::MissingFolders(parent);
    if (!missing.empty() && !m_table->SetMadeFolders(id, missing, error)) return false;
    return platform::CreateFolders(parent, error, created);
}

CQuarantineDisk::RestoreResult CQuarantineDisk::PlaceTaken(const TQuarantineRecord& held) {
    LOG_WRITE(LOG_WARNING, kPlaceTaken, held.strOriginalPath.c_str());
    return RestoreResult::kPlaceTaken;
}

bool CQuarantineDisk::BeginPurge(int64_t id, TQuarantineRecord* held) {
    uint32_t error = 0;
    TQuarantineRecord found;
    if (!FindHeld(id, &found, &error) || !m_table->SetState(id, RecordState::kHeld, RecordState::kPurging, &error))
        return false;
    if (held) *held = found;
    return true;
}

bool CQuarantineDisk::EndPurge(int64_t id, const TPurgeLeft& left) {
    TStoredRecord row;
    uint32_t error = 0;
    if (!IsOpen() || !m_table->Find(id, &row, &error) || row.state != RecordState::kPurging) return false;
    const TQuarantineRecord& record = row.record;
    const bool gone = !platform::EntryExists(record.strStoredPath);
    // What the deletion left (a link, the folders holding one, an entry the
    // system refused) is held again, to be purged another time — unless it
    // is links only, which no purge ever deletes.
    if (!gone) {
        const bool incomplete = record.bIncomplete || (record.bDir && left.bTouched);
        if (incomplete != record.bIncomplete || left.bOnlyLinks != record.bOnlyLinks)
            m_table->SetPurgeMarks(id, incomplete, left.bOnlyLinks, &error);
        m_table->SetState(id, RecordState::kPurging, RecordState::kHeld, &error);
    } else {
        m_table->Remove(id, &error);
    }
    quarantine::RemoveEmptyParents(m_strFolder, record.strStoredPath);
    return gone;
}

bool CQuarantineDisk::ReadTime(quarantine::TDiskTime* time) {
    uint32_t error = 0;
    bool found = false;
    if (!m_table->ReadClock(time, &found, &error)) return false;
    if (found) return true;
    // A database from before the mark was kept: its records are what it
    // has seen of time.
    std::vector<TStoredRecord> rows;
    if (!m_table->ReadAll(&rows, &error)) return false;
    for (const TStoredRecord& row : rows) {
        if (!row.record.bTimeUnsure && row.record.nQuarantined > time->nSeen) time->nSeen = row.record.nQuarantined;
    }
    return true;
}

quarantine::TClockJudgement CQuarantineDisk::KeepTime(int64_t now, int keepDays, int64_t* seen) {
    quarantine::TDiskTime time;
    if (!IsOpen() || !ReadTime(&time)) return quarantine::TClockJudgement();
    if (seen) *seen = time.nSeen;
    const quarantine::TClockJudgement judgement = quarantine::JudgeStartClock(time, now, keepDays);
    uint32_t error = 0;
    // A mark that cannot be kept would let the next start believe any
    // clock: nothing is purged on a disk that cannot remember.
    if (!(judgement.next == time) && !m_table->WriteClock(judgement.next, &error)) return quarantine::TClockJudgement();
    if (!judgement.bRestamps) return judgement;
    std::vector<TStoredRecord> rows;
    if (!m_table->ReadAll(&rows, &error)) return judgement;
    for (const TStoredRecord& row : rows) {
        if (quarantine::TakesNewStamp(row.record.nQuarantined, row.record.bTimeUnsure, now, judgement))
            m_table->Restamp(row.record.nId, now, &error);
    }
    return judgement;
}

bool CQuarantineDisk::LiesInsideAnother(const std::string& stored, const std::string& batch, std::string* other) {
    // Only the folders between the batch and the entry can be held entries:
    // a few lookups by the stored path's unique index, however many records
    // the disk holds.
    const std::string batchFolder = m_strFolder + "\\" + batch;
    for (std::string folder = platform::ParentFolder(stored);
         folder.size() > batchFolder.size() && folder.compare(0, batchFolder.size(), batchFolder) == 0;
         folder = platform::ParentFolder(folder)) {
        bool found = false;
        uint32_t error = 0;
        if (m_table->HasStoredPath(folder, &found, &error) && found) {
            *other = folder;
            return true;
        }
    }
    return false;
}

void CQuarantineDisk::SetCrashStepForTests(CrashStep step) { g_crashStep.store(step); }

void CQuarantineDisk::SetSettleFailsForTests(bool fails) { g_settleFails.store(fails); }
