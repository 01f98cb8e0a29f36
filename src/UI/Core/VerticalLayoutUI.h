// CVerticalLayoutUI: children stacked top to bottom. Fixed heights first; the
// remaining height is shared among the others within their min/max. Each
// child takes the full inner width unless it has a fixed width. "sepheight"
// makes an edge of the layout a drag strip for its own height (LayoutSeparator.h).
// The routine itself is CBoxLayoutUI's (BoxLayout.h).
#pragma once

#include "UI/Core/BoxLayout.h"

namespace Vellum {

class CVerticalLayoutUI : public CBoxLayoutUI {
public:
    CVerticalLayoutUI() : CBoxLayoutUI(false) {}

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
};

}  // namespace Vellum
