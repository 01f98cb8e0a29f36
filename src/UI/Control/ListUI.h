// CListUI: a list with a header (CListHeaderUI, one CListHeaderItemUI per
// column) above a scrolling body (CListBodyUI) that holds the rows.
//
// The list's container operations work on the rows: adding a row makes the
// list its owner and gives it the next index; GetCount, GetItemAt,
// GetItemIndex, RemoveAt and RemoveAll see only the rows. Adding a header
// replaces the header, adding a header item adds a column.
//
// Columns: the rows read each column's left/right, font and alignment from
// the list settings (GetListInfo) while they paint and take clicks, so the
// list works them out when they can change, not when a row asks: at every
// layout of the list or its header, when a header item's column settings or
// visibility change, and when header items come or go.
//
// Selection: one current row (GetCurSel, -1 for none), changed by
// SelectItem, which sends "itemselect" (new index, previous index). Removing
// the selected row selects the row that followed it, or else the nearest
// one before it. Arrow keys, Page Up/Down, Home and End move the selection.
#pragma once

#include <functional>
#include <vector>

#include "UI/Control/ListItemUI.h"
#include "UI/Core/VerticalLayoutUI.h"

namespace Vellum {

class CListHeaderUI;
class CListBodyUI;

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;

    CListHeaderUI* GetHeader() const { return m_pHeader; }
    CListBodyUI* GetList() const { return m_pList; }

    CControlUI* GetItemAt(int iIndex) const override;
    int GetItemIndex(CControlUI* pControl) const override;
    bool SetItemIndex(CControlUI* pControl, int iIndex) override;
    int GetCount() const override;
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;
    // Removes every row for which `remove` is true and renumbers the rest
    // once; removing many rows one by one costs a renumbering each. The
    // selection follows its rows; a removed current row hands it on as
    // Remove does.
    void RemoveIf(const std::function<bool(CControlUI*)>& remove);
    // Puts the rows in the order of `rows` and renumbers them once; moving
    // rows one by one would renumber the list at every move. The selection
    // follows its rows. False, with nothing changed, unless `rows` holds
    // each row exactly once.
    bool Reorder(const std::vector<CControlUI*>& rows);

    int GetCurSel() const override { return m_iCurSel; }
    bool SelectItem(int iIndex, bool bTakeFocus = false) override;
    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    IListCallbackUI* GetTextCallback() const override { return m_pCallback; }
    void SetTextCallback(IListCallbackUI* pCallback) { m_pCallback = pCallback; }
    bool IsMultiSelect() const { return m_bMultiSel; }
    void SetMultiSelect(bool bMultiSel) { m_bMultiSel = bMultiSel; }
    void EnsureVisible(int iIndex);

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    // Refreshes the column part of the list settings from the header. A
    // header that is hidden is not laid out: its columns then follow the
    // items' fixed widths from the body's left edge.
    void UpdateColumns();

private:
    void AddPart(CControlUI* pControl, int iIndex);
    // The first selectable row from iStart in direction iStep (+1/-1), or -1.
    int FindSelectable(int iStart, int iStep) const;
    bool IsSelectable(CControlUI* pControl) const;
    // Rows from iFrom on get their position as index.
    void RenumberFrom(int iFrom);
    void SelectMoveTo(int iIndex);

    CListHeaderUI* m_pHeader;
    CListBodyUI* m_pList;
    TListInfoUI m_ListInfo;
    IListCallbackUI* m_pCallback = nullptr;
    int m_iCurSel = -1;
    std::vector<int> m_aSelItems;  // selected rows (one without "multisel")
    bool m_bMultiSel = false;
    bool m_bScrollSelect = false;
    bool m_bShowEnd = false;  // stored; the view keeps its place when rows are added
    bool m_bSort = false;     // stored; rows stay in the order they were added
};

}  // namespace Vellum
