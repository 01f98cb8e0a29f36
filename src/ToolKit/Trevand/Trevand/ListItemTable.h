// CListItemTable: the main window's candidate rows. It keeps one entry per
// row of the list control "TrevandList", keyed by the candidate's full path,
// so a refresh can keep existing rows (and their ticks and order) instead of
// rebuilding the list. Rows show name, path, kind, size and modified time;
// a folder's size arrives later (SetFolderSize). Once the operator has
// chosen an order (SetOrder) it holds for every later Sync: new rows take
// their sorted place.
//
// Invariant: every row in the list has exactly one entry and every entry
// points to a row in the list. The list owns the rows; the table only points.
// UI thread only.
#pragma once

#include <list>
#include <map>
#include <set>
#include <string>

#include <vector>

#include "ToolKit/Trevand/Trevand/CandidateOrder.h"
#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"
#include "ToolKit/Trevand/Trevand/ListRowInfo.h"

namespace Vellum {
class CListUI;
}

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

class CListItemTable {
public:
    CListItemTable() = default;
    CListItemTable(const CListItemTable&) = delete;
    CListItemTable& operator=(const CListItemTable&) = delete;

    // The list control the rows live in; null until the window has found it.
    void SetList(Vellum::CListUI* pList) { m_pList = pList; }
    Vellum::CListUI* GetList() const { return m_pList; }

    // Makes the rows match `list`: rows of candidates still listed keep their
    // object, position and tick; new candidates get an unticked row at the
    // end (or, once an order is chosen, in their sorted place); rows of
    // candidates no longer listed are removed. Every folder's size is
    // unknown again: its tree may have changed since it was sized.
    void Sync(const UnLoadPathList& list);
    // Sorts the rows by `order` and keeps that order in later Syncs; ticks
    // and the selection stay with their rows.
    void SetOrder(const TCandidateOrder& order);
    const TCandidateOrder& GetOrder() const { return m_order; }
    // Puts the rows in the chosen order again (sizes arrived); nothing
    // without one.
    void Resort() { SetOrder(m_order); }
    // Shows the size of the folder row of `strPath`, with a "+" when
    // `bPartial` (part of its tree could not be read, nSize is what could).
    // False, changing nothing, when the table has no folder of that path.
    bool SetFolderSize(const std::string& strPath, uint64_t nSize, bool bPartial);
    TSizeTotals Totals() const;
    // The entries of the rows, top to bottom.
    std::vector<const ListRowInfo*> InListOrder() const;
    // The rows top to bottom as plain values, each with its tick: what the
    // export writes.
    std::vector<TListedCandidate> ListedInOrder() const;
    // Ticked, visible rows that have an entry.
    int CountChecked() const;
    // Appends the full paths of the ticked rows, top to bottom.
    void GetCheckedPaths(std::list<std::string>& paths) const;
    // Ticks or clears every row, repainting the rows that change.
    void SetAllChecked(bool bChecked);
    // Removes the row of `strPath`; false when the table has none.
    bool Remove(const std::string& strPath);
    // Removes every row and entry.
    void Clear();

    size_t Size() const { return m_mapRow.size(); }
    // The entry of `strPath`, or null.
    const ListRowInfo* Find(const std::string& strPath) const;

private:
    // The row at list position `i` when it leads to an entry of this table.
    const ListRowInfo* EntryAt(int i) const;
    CListItemPaint* NewRow(const std::string& strPath);
    // Removes the rows of `paths`, every one of which has an entry.
    void RemoveRows(const std::set<std::string>& paths);
    // Writes the row's texts; the time only when `showTime` (it is unchanged
    // otherwise).
    static void ShowCandidate(const ListRowInfo& row, bool showTime);
    // Puts the rows in m_order; one reorder of the list.
    void ApplyOrder();

    Vellum::CListUI* m_pList = nullptr;
    std::map<std::string, ListRowInfo> m_mapRow;
    TCandidateOrder m_order;
};
