// CListItemTable: the main window's candidate rows. It keeps one entry per
// row of the list control "TrevandList", keyed by the candidate's full path,
// so a refresh can keep existing rows (and their ticks and order) instead of
// rebuilding the list. Rows show name, path, kind, size and modified time;
// a folder's size arrives later (SetFolderSize). Finding, sorting and
// ticking rows: CCheckedRowsT. UI thread only.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/CheckedRowsT.h"
#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"
#include "ToolKit/Trevand/Trevand/ListRowInfo.h"
#include "ToolKit/Trevand/Trevand/RowFilter.h"

// The candidates of one drive, in the order of the engine's candidate map.
using UnLoadPathList = std::list<UnLoadPathInfo>;

// Known bytes of the listed and of the ticked rows; a sum is partial while a
// folder it covers has no size yet, or only a partial one.
struct TSizeTotals {
    uint64_t nListed = 0;
    uint64_t nChecked = 0;
    bool bListedPartial = false;
    bool bCheckedPartial = false;
};

// What a folder's size cell shows until the sizer has reported it.
extern const char kSizePendingText[];

class CListItemTable : public CCheckedRowsT<ListRowInfo> {
public:
    CListItemTable() = default;

    // Makes the rows match `list`: rows of candidates still listed keep their
    // object, position and tick; new candidates get an unticked row at the
    // end (or, once an order is chosen, in their sorted place); rows of
    // candidates no longer listed are removed. Every folder's size is
    // unknown again: its tree may have changed since it was sized.
    void Sync(const UnLoadPathList& list);
    // Shows the size of the folder row of `strPath`, with a "+" when
    // `bPartial` (part of its tree could not be read, nSize is what could).
    // False, changing nothing, when the table has no folder of that path.
    bool SetFolderSize(const std::string& strPath, uint64_t nSize, bool bPartial);
    // The sums over the rows shown.
    TSizeTotals Totals() const;
    // Shows only the rows that pass `filter`, now and after every later
    // Sync; a row hidden keeps its tick but counts nowhere.
    void SetFilter(const TRowFilter& filter);
    // How many rows the filter lets through; kept as rows come and go, so
    // that a deletion's row removals do not each walk every row.
    size_t ShownCount() const { return m_nShown; }
    // Removes the row of `key` as Remove does, keeping ShownCount.
    bool RemoveRow(const std::string& key);
    // The rows top to bottom as plain values, each with its tick: what the
    // export writes.
    std::vector<TListedCandidate> ListedInOrder() const;
    // Appends the full paths of the ticked rows, top to bottom.
    void GetCheckedPaths(std::list<std::string>& paths) const;

private:
    // Writes the row's texts; the time only when `showTime` (it is unchanged
    // otherwise).
    static void ShowCandidate(const ListRowInfo& row, bool showTime);

    // Counts the rows shown again (after a filter change or a sync).
    void CountShown();

    TRowFilter m_filter;
    size_t m_nShown = 0;
};
