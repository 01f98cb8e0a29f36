// CListElementUI: the base of every list row. Keeps the row's index in its
// owner, the owner and the selected state; selects itself on a press, passes
// keys and wheel turns to its owner, and paints the row background from the
// owner's list settings (colours for the state, images, the bottom line).
#pragma once

#include "UI/Control/ListItemUI.h"

namespace Vellum {

class CListElementUI : public CControlUI, public IListItemUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;

    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int iIndex) override { m_iIndex = iIndex; }
    IListOwnerUI* GetOwner() const override { return m_pOwner; }
    void SetOwner(CControlUI* pOwner) override;
    bool IsSelected() const override { return m_bSelected; }
    bool Select(bool bSelect = true) override;
    bool IsHot() const { return m_bHotRow; }

    void SetVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    bool Activate() override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    // The row's height comes from the list; its width from the body.
    SIZE EstimateSize(SIZE szAvailable) override;

    virtual void DrawItemBk(HDC hDC, const RECT& rcItem);

protected:
    // The owner control when it is a list (rows of a combo box have none).
    CControlUI* GetOwnerList() const;
    // The colour a row's text is drawn in for its state.
    DWORD GetItemTextColor(const TListInfoUI& info) const;

    int m_iIndex = -1;
    IListOwnerUI* m_pOwner = nullptr;
    CControlUI* m_pOwnerControl = nullptr;
    bool m_bSelected = false;
    bool m_bHotRow = false;
};

}  // namespace Vellum
