// CListItemTable: the main window's candidate rows. It keeps one entry per
// row of the list control "TrevandList", keyed by the candidate's full path,
// so a refresh can keep existing rows (and their ticks and order) instead of
// rebuilding the list.
//
// Invariant: every row in the list has exactly one entry and every entry
// points to a row in the list. The list owns the rows; the table only points.
// UI thread only.
#pragma once

#include <list>
#include <map>
#include <set>
#include <string>

#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"
#include "ToolKit/Trevand/Trevand/ListItemPaintT.h"

namespace Vellum {
class CListUI;
}

// The candidates of one drive, in the order of the engine's candidate map.
using UnLoadPathList = std::list<UnLoadPathInfo>;

using CListItemPaint = CListItemPaintT<std::string>;

struct ListRowInfo {
    std::string strPath;  // the candidate's full path, equal to the map key
    std::string strName;  // the entry's name as found on disk
    bool bDir = false;
    CListItemPaint* pRow = nullptr;
};

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
    // end; rows of candidates no longer listed are removed.
    void Sync(const UnLoadPathList& list);
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
    static void ShowCandidate(CListItemPaint* pRow, const UnLoadPathInfo& info);

    Vellum::CListUI* m_pList = nullptr;
    std::map<std::string, ListRowInfo> m_mapRow;
};
