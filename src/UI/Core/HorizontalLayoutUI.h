// CHorizontalLayoutUI: children side by side, left to right. Fixed widths
// first; the remaining width is shared among the others within their
// min/max. Each child takes the full inner height unless it has a fixed height.
// "sepwidth" makes an edge of the layout a drag strip for its own width
// (LayoutSeparator.h).
#pragma once

#include "UI/Core/ContainerUI.h"
#include "UI/Core/LayoutSeparator.h"

namespace Vellum {

class CHorizontalLayoutUI : public CContainerUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void DoEvent(TEventUI& event) override;
    CControlUI* FindControl(FindControlProc proc, void* pData, UINT uFlags) override;

private:
    CLayoutSeparator m_separator{true};
};

}  // namespace Vellum
