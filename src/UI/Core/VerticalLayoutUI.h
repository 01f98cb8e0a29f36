// CVerticalLayoutUI: children stacked top to bottom. Fixed heights first; the
// remaining height is shared among the others within their min/max. Each
// child takes the full inner width unless it has a fixed width. "sepheight"
// makes an edge of the layout a drag strip for its own height (LayoutSeparator.h).
#pragma once

#include "UI/Core/ContainerUI.h"
#include "UI/Core/LayoutSeparator.h"

namespace Vellum {

class CVerticalLayoutUI : public CContainerUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void DoEvent(TEventUI& event) override;
    CControlUI* FindControl(FindControlProc proc, void* pData, UINT uFlags) override;

private:
    int RequiredHeight(const RECT& rcInner);

    CLayoutSeparator m_separator{false};
};

}  // namespace Vellum
