// CListBodyUI: the scrolling part of a list that holds the rows. All rows
// have one height (the list's "itemheight", else the first row's fixed
// height, else 26), so the body knows where each row is without asking it:
// a layout places only the rows inside the view, painting and hit tests
// look only at those, and a list of 100,000 rows stays as quick as one of
// twenty. Rows outside the view have an empty rectangle.
#pragma once

#include <functional>
#include <vector>

#include "UI/Control/ListItemUI.h"
#include "UI/Core/ContainerUI.h"

namespace Vellum {

class CListUI;

class CListBodyUI : public CContainerUI {
public:
    explicit CListBodyUI(CListUI* pOwner);

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool SetItemIndex(CControlUI* pControl, int iIndex) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;
    // Removes (and destroys) every row for which `remove` is true, in one
    // pass. Returns the position the first of them had, or -1 for none.
    int RemoveIf(const std::function<bool(CControlUI*)>& remove);
    // Puts the rows in the order of `rows` in one pass. False, with nothing
    // changed, unless `rows` holds each row of the body exactly once.
    bool Reorder(const std::vector<CControlUI*>& rows);
    // The row at iIndex as a list row, null for other controls. Kept beside
    // the children so renumbering after a removal needs no lookup by name.
    IListItemUI* GetListItemAt(int iIndex) const;

    // The height every row gets.
    int GetRowHeight() const;
    // The rows inside the view at the last layout: [first, last) positions.
    int GetFirstPlaced() const { return m_iFirst; }
    int GetLastPlaced() const { return m_iLast; }
    // Scrolls so that the row at iIndex is inside the view (at the next
    // layout when the body has not been laid out since rows changed).
    void EnsureVisible(int iIndex);

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    CControlUI* FindControl(FindControlProc proc, void* pData, UINT uFlags) override;

protected:
    int GetScrollLineSize() const override;

private:
    // Clears the rectangles of rows that left the view.
    void UnplaceRows(const std::vector<CControlUI*>& keep);
    // The positions of the visible rows (hidden rows take no room).
    void CollectShown(std::vector<int>& shown) const;

    CListUI* m_pOwner;
    std::vector<CControlUI*> m_placed;      // rows that hold a rectangle now
    std::vector<IListItemUI*> m_listItems;  // parallel to m_items
    std::vector<int> m_shown;               // item indexes of the visible rows, at the last layout
    int m_iFirst = 0;
    int m_iLast = 0;
    int m_iEnsureVisible = -1;
};

}  // namespace Vellum
