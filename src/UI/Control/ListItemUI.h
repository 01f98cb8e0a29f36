// The contract between list rows and the control that holds them (a list or
// a combo box): the owner gives the rows their shared look (TListInfoUI) and
// decides the selection; a row knows its owner, its index in the owner and
// whether it is selected.
#pragma once

#include "UI/Core/ControlUI.h"

namespace Vellum {

// The look every row of one owner shares: the item attributes of the skin.
struct TListInfoUI {
    int nFont = -1;
    UINT uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    RECT rcTextPadding = {6, 0, 6, 0};
    bool bShowHtml = false;
    bool bAlternateBk = false;
    DWORD dwTextColor = 0xFF1F2937;
    DWORD dwBkColor = 0;
    DWORD dwSelectedTextColor = 0xFF1F2937;
    DWORD dwSelectedBkColor = 0xFFDBEAFE;
    DWORD dwHotTextColor = 0xFF1F2937;
    DWORD dwHotBkColor = 0xFFEFF6FF;
    DWORD dwDisabledTextColor = 0xFF9CA3AF;
    DWORD dwDisabledBkColor = 0;
    DWORD dwLineColor = 0;
    CUIString sBkImage, sSelectedImage, sHotImage, sDisabledImage;
};

class IListOwnerUI {
public:
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int iIndex, bool bTakeFocus = false) = 0;
    // Input a row does not handle itself (keys, wheel) goes to its owner.
    virtual void DoEvent(TEventUI& event) = 0;

protected:
    ~IListOwnerUI() = default;
};

// Found through GetInterface("ListItem").
class IListItemUI {
public:
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int iIndex) = 0;
    // The owner is a control answering GetInterface("IListOwner"); null
    // (or any other control) leaves the row without an owner.
    virtual IListOwnerUI* GetOwner() = 0;
    virtual void SetOwner(CControlUI* pOwner) = 0;
    virtual bool IsSelected() const = 0;
    // Marks the row selected (or not) and repaints; false when the row
    // refuses (hidden or disabled rows are never selected).
    virtual bool Select(bool bSelect = true) = 0;
    // Paints the row's content into rcItem with the owner's look.
    virtual void DrawItemText(HDC hDC, const RECT& rcItem) = 0;

protected:
    ~IListItemUI() = default;
};

}  // namespace Vellum
