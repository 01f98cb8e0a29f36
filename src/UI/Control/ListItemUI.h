// The contract between a list-like owner (the list, the combo box) and its
// rows: the settings rows paint by (TListInfoUI), what a row asks of its owner
// (IListOwnerUI), and what an owner asks of a row (IListItemUI).
#pragma once

#include <windows.h>

#include <vector>

#include "UI/Core/ControlUI.h"

namespace Vellum {

// The list settings the rows read: the columns (taken from the header) and
// the item look from the list's "item..." attributes. Colour 0 means none.
struct TListInfoUI {
    int nColumns = 0;
    std::vector<RECT> rcColumn;      // left/right of each column (top/bottom unused)
    std::vector<int> nColumnFont;    // font index of each column
    std::vector<UINT> uColumnAlign;  // DT_LEFT / DT_CENTER / DT_RIGHT of each column
    int nFont = -1;
    UINT uTextStyle = DT_VCENTER | DT_SINGLELINE;
    RECT rcTextPadding = {0, 0, 0, 0};
    DWORD dwTextColor = 0xFF000000;
    DWORD dwBkColor = 0;
    DWORD dwSelectedTextColor = 0xFF000000;
    DWORD dwSelectedBkColor = 0xFFC1E3FF;
    DWORD dwHotTextColor = 0xFF000000;
    DWORD dwHotBkColor = 0xFFE9F5FF;
    DWORD dwDisabledTextColor = 0xFFCCCCCC;
    DWORD dwDisabledBkColor = 0xFFFFFFFF;
    DWORD dwLineColor = 0;
    CImageAttribute sBkImage;
    CImageAttribute sSelectedImage;
    CImageAttribute sHotImage;
    CImageAttribute sDisabledImage;
    bool bAlternateBk = false;
    bool bShowHtml = false;
    bool bEndEllipsis = false;
    bool bMultiExpandable = false;
    int iSepWidth = 0;
    int iSepOffset = 0;
    int iItemHeight = 0;  // 0: the rows' own fixed height, else 26 pixels
    DWORD dwMultiSelLineColor = 0;
    int iMultiSelLineWidth = 0;
};

// Gives the text of a cell instead of the row's own text (virtual lists).
class IListCallbackUI {
public:
    virtual const char* GetItemText(CControlUI* pList, int iItem, int iSubItem) = 0;

protected:
    ~IListCallbackUI() = default;
};

// Implemented by the control that holds list rows.
class IListOwnerUI {
public:
    // The owner's settings, never null; a plain accessor that rows may call
    // on every paint and hit test.
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int iIndex, bool bTakeFocus = false) = 0;
    // Rows pass on input they do not handle themselves (keys, wheel).
    virtual void DoEvent(TEventUI& event) = 0;
    virtual IListCallbackUI* GetTextCallback() const { return nullptr; }

protected:
    ~IListOwnerUI() = default;
};

// Implemented by every list row ("ListItem" interface).
class IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int iIndex) = 0;
    virtual IListOwnerUI* GetOwner() const = 0;
    // The owner control; its "IListOwner" interface becomes the owner.
    virtual void SetOwner(CControlUI* pOwner) = 0;
    virtual bool IsSelected() const = 0;
    // False when the row refuses (a disabled row cannot be selected).
    virtual bool Select(bool bSelect = true) = 0;
    virtual void DrawItemText(HDC hDC, const RECT& rcItem) = 0;

protected:
    ~IListItemUI() = default;
};

// The height of one list row when neither the list nor the rows set one.
const int kDefaultListItemHeight = 26;

}  // namespace Vellum
