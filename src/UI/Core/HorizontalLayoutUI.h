// CHorizontalLayoutUI: children side by side, left to right. Fixed widths
// first; the remaining width is shared among the others within their
// min/max. Each child takes the full inner height unless it has a fixed height.
#pragma once

#include "UI/Core/ContainerUI.h"

namespace Vellum {

class CHorizontalLayoutUI : public CContainerUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;

private:
    int m_iSepWidth = 0;       // stored; no skin of ours drags a layout separator
    bool m_bImmMode = false;   // stored; no skin of ours drags a layout separator
};

}  // namespace Vellum
