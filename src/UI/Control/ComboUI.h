// CComboUI: a selector showing its selected entry, whose entries (list rows,
// normally CListLabelElementUI) open in a drop-down popup (CComboWnd). The
// entries are the combo's children; while the drop-down is open they are
// shown, and bound, in the popup.
//
// Notifications: "itemselect" (new index, previous index) when the selection
// changes, "dropdown" after the drop-down opened.
#pragma once

#include <memory>
#include <string>

#include "UI/Control/ListItemUI.h"
#include "UI/Core/ContainerUI.h"

namespace Vellum {

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;

    // The selected entry's text; empty when nothing is selected.
    const CUIString& GetText() const;

    // A list row added here gets the combo as owner and its position as index.
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl) override;
    bool RemoveAt(int iIndex) override;
    // Clears the selection and removes every entry (the drop-down closes).
    void RemoveAll() override;

    // IListOwnerUI.
    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    int GetCurSel() const override { return m_iCurSel; }
    // The same index → true. Otherwise the current entry is cleared; a
    // negative index or an empty combo → false; an index past the end takes
    // the last entry, which must be a visible, enabled list row. Sends
    // "itemselect" (new, previous) and repaints.
    bool SelectItem(int iIndex, bool bTakeFocus = false) override;
    void DoEvent(TEventUI& event) override;

    // Opens the drop-down (unless it is open) and sends "dropdown" when it opened.
    bool Activate() override;
    bool IsDropped() const;
    // Closes the drop-down after the current message; nothing when closed.
    void CloseDropDown();
    // The drop-down's native window while it is open, else null.
    HWND GetDropDownWindow() const;
    // Attribute list applied to the drop-down's layout ("dropbox") and its
    // size ("dropboxsize"; 0 takes the combo's width / the entries' height).
    const std::string& GetDropBoxAttributeList() const { return m_strDropBoxAttributes; }
    SIZE GetDropBoxSize() const { return m_szDropBox; }
    // Called by the drop-down when its window is gone.
    void OnDropDownClosed();

    void SetEnabled(bool bEnable = true) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    SIZE EstimateSize(SIZE szAvailable) override;
    // The entries live in the drop-down: the combo itself is one control for
    // hit tests and painting.
    CControlUI* FindControl(FindControlProc proc, void* pData, UINT uFlags) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;

private:
    IListItemUI* ItemAt(int iIndex) const;
    void RenumberFrom(int iIndex);

    int m_iCurSel = -1;
    TListInfoUI m_ListInfo;
    std::unique_ptr<CComboWnd> m_pWindow;
    std::string m_strDropBoxAttributes;
    SIZE m_szDropBox = {0, 0};
    RECT m_rcTextPadding = {8, 0, 24, 0};
    UINT m_uButtonState = 0;
    CImageAttribute m_strNormalImage, m_strHotImage, m_strPushedImage, m_strFocusedImage, m_strDisabledImage;
};

}  // namespace Vellum
