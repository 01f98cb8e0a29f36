// CQuarantineDisk, putting things in order: the records a crash left half-way
// (Reconcile) and the folders left empty (RemoveEmptyFolders).
#include <set>
#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineFolders.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineTable.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/CaseFold936.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/File.h"

using quarantine::RecordState;
using quarantine::TStoredRecord;

namespace {

const char kStillHeld[] = "Trevand  隔离区核对：%s 仍在隔离区";
const char kNeverLeft[] = "Trevand  隔离区核对：%s 未曾移动";
const char kBackInPlace[] = "Trevand  隔离区核对：%s 已还原";
const char kPurged[] = "Trevand  隔离区核对：%s 已清除";
const char kUnreadable[] = "Trevand  未能读取隔离区记录%s（错误码%lu）";

// What a record left half-way becomes, from what is on the disk now.
struct Settlement {
    bool keep;            // held from now on; else the record goes
    const char* logLine;  // takes the original path
};

Settlement SettlementOf(const TStoredRecord& row) {
    const bool storedThere = platform::EntryExists(row.record.strStoredPath);
    switch (row.state) {
    case RecordState::kMoving:
        // A stored entry there means the rename happened (stored paths are
        // unique), whatever came to the original place since.
        return storedThere ? Settlement{true, kStillHeld} : Settlement{false, kNeverLeft};
    case RecordState::kRestoring:
        if (!storedThere && platform::EntryExists(row.record.strOriginalPath)) return {false, kBackInPlace};
        return {true, kStillHeld};
    case RecordState::kPurging: return storedThere ? Settlement{true, kStillHeld} : Settlement{false, kPurged};
    case RecordState::kHeld: break;
    }
    return {true, nullptr};
}

}  // namespace

int CQuarantineDisk::Reconcile(int* held) {
    if (held) *held = 0;
    if (!IsOpen()) return 0;
    std::vector<TStoredRecord> rows;
    uint32_t error = 0;
    if (!m_table->ReadAll(&rows, &error)) {
        LOG_WRITE(LOG_ERROR, kUnreadable, m_strFolder.c_str(), static_cast<unsigned long>(error));
        return 0;
    }
    int settled = 0;
    for (const TStoredRecord& row : rows) {
        // Records that lead nowhere of ours are not acted on (Records
        // leaves them out too).
        if (row.state == RecordState::kHeld || !quarantine::IsConsistent(row.record)) continue;
        const Settlement settlement = SettlementOf(row);
        if (settlement.keep) KeepAfterCrash(row);
        const bool written = settlement.keep ? m_table->SetState(row.record.nId, row.state, RecordState::kHeld, &error)
                                             : m_table->Remove(row.record.nId, &error);
        if (!written) continue;
        ++settled;
        if (held && settlement.keep) ++*held;
        LOG_WRITE(LOG_WARNING, settlement.logLine, row.record.strOriginalPath.c_str());
        if (!settlement.keep) quarantine::RemoveEmptyParents(m_strFolder, row.record.strStoredPath);
    }
    return settled;
}

void CQuarantineDisk::KeepAfterCrash(const TStoredRecord& row) {
    uint32_t error = 0;
    // A purge that stopped in the middle of a folder may have taken part
    // of it: it must not look whole.
    if (row.state == RecordState::kPurging && row.record.bDir && !row.record.bIncomplete)
        m_table->SetPurgeMarks(row.record.nId, true, row.record.bOnlyLinks, &error);
    // A restore that made the folders above the original place and went no
    // further: empty, they would be offered as orphans.
    if (row.state == RecordState::kRestoring && !row.madeFolders.empty()) {
        quarantine::RemoveCreatedFolders(row.madeFolders);
        m_table->SetMadeFolders(row.record.nId, {}, &error);
    }
}

void CQuarantineDisk::RemoveEmptyFolders() {
    std::vector<TStoredRecord> rows;
    uint32_t error = 0;
    // Without the records nobody can tell an empty folder that was
    // quarantined from one left behind: nothing is removed.
    if (!IsOpen() || !m_table->ReadAll(&rows, &error)) return;
    std::set<std::string> keep;
    for (const TStoredRecord& row : rows) keep.insert(platform::FoldCase936(row.record.strStoredPath));
    quarantine::RemoveEmptyFoldersBelow(m_strFolder, keep);
    // Anything else left in the folder, recorded or not, keeps the database
    // that may account for it.
    if (!rows.empty() || !quarantine::HoldsOnlyDatabase(m_strFolder)) return;
    const std::string database = DatabasePath();
    Close();
    platform::RemoveFile(database + "-journal");
    platform::RemoveFile(database);
    platform::RemoveFolder(m_strFolder, &error);
}
