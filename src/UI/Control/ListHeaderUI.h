// CListHeaderUI: the header of a list, a row of column items side by side.
// Without a fixed height it is as tall as its tallest item wants, or 28
// pixels.
//
// The columns of its list's rows follow the header: whenever the header is
// laid out, shown or hidden, or gains or loses an item, or one of its items
// changes a column setting, the owning list works its columns out again.
#pragma once

#include "UI/Core/HorizontalLayoutUI.h"

namespace Vellum {

class CListUI;

class CListHeaderUI : public CHorizontalLayoutUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    SIZE EstimateSize(SIZE szAvailable) override;

    // The list whose columns this header gives; null until a list adopts it.
    CListUI* GetOwner() const { return m_pOwner; }
    void SetOwner(CListUI* pOwner) { m_pOwner = pOwner; }
    // Called by an item whose column settings changed.
    void ColumnsChanged();

    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;
    void SetVisible(bool bVisible = true) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;

private:
    CListUI* m_pOwner = nullptr;
};

}  // namespace Vellum
