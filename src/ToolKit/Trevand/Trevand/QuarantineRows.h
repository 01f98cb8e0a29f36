// CQuarantineRows: the quarantine window's rows, one per held record, keyed
// by the record's stored path (unique on every disk: the same original path
// can be held twice, from two batches). Rows show name, original path, kind,
// size, when the entry was quarantined and how many days it has left.
//
// The rows are sorted on the plain candidate values the main list sorts on
// (FactsOfRecord): the first five columns mean what the main list's do, with
// the quarantine time as the time; 剩余天数 sorts as 隔离时间 does, since the
// days left only follow from that time. Finding, sorting and ticking rows:
// CCheckedRowsT. UI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/CheckedRowsT.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"
#include "ToolKit/Trevand/Trevand/QuarantineText.h"

// The list's columns: the candidate columns, then the days left.
const int kColumnDaysLeft = kColumnCount;
const int kQuarantineColumnCount = kColumnCount + 1;

// The candidate values a record sorts as: its original path and name, its
// kind and size (always known), its quarantine time as the time.
TCandidateFacts FactsOfRecord(const TQuarantineRecord& record);

struct TQuarantineRow : TCandidateFacts {
    TQuarantineRecord record;
    CListItemPaint* pRow = nullptr;
};

class CQuarantineRows : public CCheckedRowsT<TQuarantineRow> {
public:
    // Makes the rows those of `records`: rows of records still held keep
    // their place and tick. The days left are counted at `now` (seconds since
    // 1970 UTC) for entries kept `keepDays` days.
    void Sync(const std::vector<TQuarantineRecord>& records, int64_t now, int keepDays);
    // The records of the ticked rows, and of every row, top to bottom.
    std::vector<TQuarantineRecord> CheckedRecords() const;
    std::vector<TQuarantineRecord> AllRecords() const;
    // Takes the row of `record` off the list; false when there is none.
    bool RemoveRecord(const TQuarantineRecord& record) { return Remove(record.strStoredPath); }
    // What the rows hold on each of `drives`, in that order.
    std::vector<TDiskHeld> HeldPerDisk(const std::vector<char>& drives) const;
};
