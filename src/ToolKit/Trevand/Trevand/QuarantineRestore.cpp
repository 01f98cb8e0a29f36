#include "ToolKit/Trevand/Trevand/QuarantineRestore.h"

#include <algorithm>
#include <map>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "comm/log/LogWriter.h"

namespace {

// The disk's Restore has logged why, except for a disk that could not be
// opened, whose entries it never saw: one line each, as for every entry.
void Refuse(TRestoreOutcome& outcome, const TQuarantineRecord& record, TRestoreRefusal::Reason reason,
            uint32_t error) {
    TRestoreRefusal refusal;
    refusal.strOriginalPath = record.strOriginalPath;
    refusal.reason = reason;
    refusal.nError = error;
    if (reason == TRestoreRefusal::kDiskUnreadable) {
        LOG_WRITE(LOG_WARNING, "Trevand  隔离项未还原：%s（%s），仍在 %s", record.strOriginalPath.c_str(),
                  RefusalReasonText(refusal).c_str(), record.strStoredPath.c_str());
    }
    outcome.refused.push_back(refusal);
}

// Restores `records`, all of disk `drive`, in the order given.
void RestoreOnDisk(char drive, const std::vector<TQuarantineRecord>& records, TRestoreOutcome& outcome) {
    CQuarantineDisk disk(drive);
    uint32_t error = 0;
    if (!disk.Open(false, &error)) {
        for (const TQuarantineRecord& record : records) Refuse(outcome, record, TRestoreRefusal::kDiskUnreadable, error);
        return;
    }
    for (const TQuarantineRecord& record : records) {
        error = 0;
        switch (disk.Restore(record, &error)) {
        case CQuarantineDisk::RestoreResult::kRestored:
            outcome.restored.push_back(record);
            break;
        case CQuarantineDisk::RestoreResult::kPlaceTaken:
            Refuse(outcome, record, TRestoreRefusal::kPlaceTaken, 0);
            break;
        case CQuarantineDisk::RestoreResult::kFailed:
            Refuse(outcome, record, TRestoreRefusal::kFailed, error);
            break;
        }
    }
    disk.RemoveEmptyFolders();
}

}  // namespace

TRestoreOutcome RestoreRecords(const std::vector<TQuarantineRecord>& records) {
    std::map<char, std::vector<TQuarantineRecord>> byDisk;
    for (const TQuarantineRecord& record : records)
        byDisk[quarantine::DriveOfPath(record.strOriginalPath)].push_back(record);
    TRestoreOutcome outcome;
    for (auto& disk : byDisk) {
        // Stable: of two entries from the same place, the one listed first
        // comes back and the other finds its place taken.
        std::stable_sort(disk.second.begin(), disk.second.end(),
                         [](const TQuarantineRecord& a, const TQuarantineRecord& b) {
                             return a.strOriginalPath < b.strOriginalPath;
                         });
        RestoreOnDisk(disk.first, disk.second, outcome);
    }
    return outcome;
}
