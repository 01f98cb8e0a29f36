// The box layouts' common part. ShareLength shares one length among the
// children of a box layout: fixed lengths first, the rest shared evenly among
// the others within their min/max. CBoxLayoutUI is the one layout routine that
// CHorizontalLayoutUI and CVerticalLayoutUI run, each along its own axis.
#pragma once

#include <vector>

#include "UI/Core/ContainerUI.h"
#include "UI/Core/LayoutSeparator.h"

namespace Vellum {

struct TBoxItem {
    int nFixed = 0;  // 0 = takes a share of the free space
    int nMin = 0;
    int nMax = 9999;
};

// Returns the length of each item. `nAvailable` is the length left once the
// caller has taken off paddings and the gaps between items.
std::vector<int> ShareLength(const std::vector<TBoxItem>& items, int nAvailable);

// Children one after the other along the main axis (left to right when
// horizontal, top to bottom when vertical), `childpadding` apart. Lengths on
// that axis come from ShareLength. Across it each child takes the full inner
// size less its padding unless it has a fixed size, held within its min/max.
// Floating children are placed by their "pos" and take no part in the flow.
// The separator attribute ("sepwidth" when horizontal, "sepheight" when
// vertical, with "sepimm") makes an edge a drag strip for the layout's own
// length on its axis (LayoutSeparator.h). With scroll bars ("vscrollbar",
// "hscrollbar") the children may together be longer than the view along the
// flow; the layout then shows the bar and shifts them by the scroll position.
class CBoxLayoutUI : public CContainerUI {
public:
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void DoEvent(TEventUI& event) override;
    CControlUI* FindControl(FindControlProc proc, void* pData, UINT uFlags) override;

protected:
    explicit CBoxLayoutUI(bool bHorizontal) : m_bHorizontal(bHorizontal), m_separator(bHorizontal) {}

private:
    int RequiredLength(const RECT& rcInner);

    const bool m_bHorizontal;
    CLayoutSeparator m_separator;
};

}  // namespace Vellum
