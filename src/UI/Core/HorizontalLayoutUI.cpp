#include "UI/Core/HorizontalLayoutUI.h"

#include <algorithm>
#include <cstring>

#include "UI/Core/BoxLayout.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

const char* CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "HorizontalLayout") == 0) return this;
    return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const RECT inner = GetInnerRect();
    const SIZE available = {inner.right - inner.left, inner.bottom - inner.top};

    std::vector<CControlUI*> flow;
    std::vector<TBoxItem> boxes;
    int used = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            SetFloatPos(child, inner);
            continue;
        }
        const RECT& pad = child->GetPadding();
        TBoxItem box;
        box.nFixed = child->EstimateSize(available).cx;
        box.nMin = child->GetMinWidth();
        box.nMax = child->GetMaxWidth();
        used += pad.left + pad.right;
        flow.push_back(child);
        boxes.push_back(box);
    }
    if (!flow.empty()) used += m_iChildPadding * static_cast<int>(flow.size() - 1);
    const std::vector<int> widths = ShareLength(boxes, available.cx - used);

    int x = inner.left;
    for (size_t i = 0; i < flow.size(); ++i) {
        CControlUI* child = flow[i];
        const RECT& pad = child->GetPadding();
        int height = child->GetFixedHeight();
        if (height <= 0) height = available.cy - pad.top - pad.bottom;
        height = std::max(child->GetMinHeight(), std::min(height, child->GetMaxHeight()));
        x += pad.left;
        const RECT rcChild = {x, inner.top + pad.top, x + widths[i], inner.top + pad.top + height};
        child->SetPos(rcChild, false);
        x += widths[i] + pad.right + m_iChildPadding;
    }
}

void CHorizontalLayoutUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    if (std::strcmp(pstrName, "sepwidth") == 0) m_separator.SetSize(ParseInt(pstrValue));
    else if (std::strcmp(pstrName, "sepimm") == 0) m_separator.SetImmediate(ParseBool(pstrValue));
    else CContainerUI::SetAttribute(pstrName, pstrValue);
}

void CHorizontalLayoutUI::DoEvent(TEventUI& event) {
    if (m_separator.DoEvent(*this, event)) return;
    CContainerUI::DoEvent(event);
}

// The separator strip lies over the children at the edge: it is hit first.
CControlUI* CHorizontalLayoutUI::FindControl(FindControlProc proc, void* pData, UINT uFlags) {
    if ((uFlags & UIFIND_HITTEST) != 0 && IsVisible() && IsMouseEnabled() &&
        m_separator.HitTest(m_rcItem, *static_cast<const POINT*>(pData))) {
        return proc(this, pData);
    }
    return CContainerUI::FindControl(proc, pData, uFlags);
}

}  // namespace Vellum
