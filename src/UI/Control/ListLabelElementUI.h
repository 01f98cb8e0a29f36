// CListLabelElementUI: a list row showing one text, drawn with its owner's
// row look (colours for normal, hot, selected and disabled rows). A left
// press selects it through its owner and sends "itemclick" (-1, -1).
#pragma once

#include "UI/Control/ListItemUI.h"

namespace Vellum {

class CListLabelElementUI : public CControlUI, public IListItemUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;

    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int iIndex) override { m_iIndex = iIndex; }
    IListOwnerUI* GetOwner() override { return m_pOwner; }
    void SetOwner(CControlUI* pOwner) override;
    bool IsSelected() const override { return m_bSelected; }
    bool Select(bool bSelect = true) override;
    void DrawItemText(HDC hDC, const RECT& rcItem) override;

    void SetEnabled(bool bEnable = true) override;
    // One line of the owner's font; the width is left to the layout.
    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;

private:
    void DrawItemBk(HDC hDC, const RECT& rcItem);

    int m_iIndex = -1;
    IListOwnerUI* m_pOwner = nullptr;
    bool m_bSelected = false;
};

}  // namespace Vellum
