#include "ToolKit/Trevand/Trevand/QuarantineRows.h"

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "comm/platform/PathSeparator.h"

namespace {

std::vector<TQuarantineRecord> RecordsOf(const std::vector<const TQuarantineRow*>& rows) {
    std::vector<TQuarantineRecord> records;
    records.reserve(rows.size());
    for (const TQuarantineRow* row : rows) records.push_back(row->record);
    return records;
}

}  // namespace

TCandidateFacts FactsOfRecord(const TQuarantineRecord& record) {
    TCandidateFacts facts;
    facts.strPath = record.strOriginalPath;
    facts.strName = platform::EntryName(record.strOriginalPath);
    facts.bDir = record.bDir;
    facts.nSize = record.nSize;
    facts.bSizeKnown = true;
    facts.bSizePartial = record.bSizeAtLeast;
    facts.nModified = record.nQuarantined;
    return facts;
}

void CQuarantineRows::Sync(const std::vector<TQuarantineRecord>& records, int64_t now, int keepDays) {
    SyncRows(
        records, [](const TQuarantineRecord& record) -> const std::string& { return record.strStoredPath; },
        [now, keepDays](const TQuarantineRecord& record, TQuarantineRow& row, bool) {
            static_cast<TCandidateFacts&>(row) = FactsOfRecord(record);
            row.record = record;
            CListItemPaint* pRow = row.pRow;
            pRow->SetText(kColumnName, row.strName.c_str());
            pRow->SetText(kColumnPath, row.strPath.c_str());
            pRow->SetText(kColumnKind, HeldKindText(row.bDir, record.bIncomplete).c_str());
            pRow->SetText(kColumnSize, HeldSizeText(row.nSize, record.bSizeAtLeast).c_str());
            pRow->SetText(kColumnModified, FormatModifiedTime(row.nModified).c_str());
            const int days = quarantine::DaysLeft(record.nQuarantined, now, keepDays);
            pRow->SetText(kColumnDaysLeft,
                          HeldDaysLeftText(days, record.bTimeUnsure, record.bOnlyLinks).c_str());
        });
}

std::vector<TQuarantineRecord> CQuarantineRows::CheckedRecords() const { return RecordsOf(CheckedInListOrder()); }

std::vector<TQuarantineRecord> CQuarantineRows::AllRecords() const { return RecordsOf(InListOrder()); }

std::vector<TDiskHeld> CQuarantineRows::HeldPerDisk(const std::vector<char>& drives) const {
    std::vector<TDiskHeld> held;
    for (char drive : drives) {
        TDiskHeld disk;
        disk.chDrive = drive;
        held.push_back(disk);
    }
    for (const auto& entry : Entries()) {
        const char drive = quarantine::DriveOfPath(entry.second.record.strOriginalPath);
        for (TDiskHeld& disk : held) {
            if (disk.chDrive != drive) continue;
            ++disk.nCount;
            disk.nBytes += entry.second.nSize;
            disk.bAtLeast |= entry.second.record.bSizeAtLeast;
            if (entry.second.record.bIncomplete) ++disk.nIncomplete;
        }
    }
    return held;
}
