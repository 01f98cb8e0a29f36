// CHorizontalLayoutUI: children side by side, left to right. Fixed widths
// first; the remaining width is shared among the others within their
// min/max. Each child takes the full inner height unless it has a fixed height.
// "sepwidth" makes an edge of the layout a drag strip for its own width
// (LayoutSeparator.h). The routine itself is CBoxLayoutUI's (BoxLayout.h).
#pragma once

#include "UI/Core/BoxLayout.h"

namespace Vellum {

class CHorizontalLayoutUI : public CBoxLayoutUI {
public:
    CHorizontalLayoutUI() : CBoxLayoutUI(true) {}

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
};

}  // namespace Vellum
