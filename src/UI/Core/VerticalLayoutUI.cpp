#include "UI/Core/VerticalLayoutUI.h"

#include <algorithm>
#include <cstring>

#include "UI/Core/BoxLayout.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

const char* CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "VerticalLayout") == 0) return this;
    return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT inner = GetInnerRect();
    if (m_pVerticalScrollBar || m_pHorizontalScrollBar) inner = ProcessScrollBar(inner, 0, RequiredHeight(inner));
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
        box.nFixed = child->EstimateSize(available).cy;
        box.nMin = child->GetMinHeight();
        box.nMax = child->GetMaxHeight();
        used += pad.top + pad.bottom;
        flow.push_back(child);
        boxes.push_back(box);
    }
    if (!flow.empty()) used += m_iChildPadding * static_cast<int>(flow.size() - 1);
    const std::vector<int> heights = ShareLength(boxes, available.cy - used);

    int y = inner.top - GetScrollPos().cy;
    for (size_t i = 0; i < flow.size(); ++i) {
        CControlUI* child = flow[i];
        const RECT& pad = child->GetPadding();
        int width = child->GetFixedWidth();
        if (width <= 0) width = available.cx - pad.left - pad.right;
        width = std::max(child->GetMinWidth(), std::min(width, child->GetMaxWidth()));
        y += pad.top;
        const RECT rcChild = {inner.left + pad.left, y, inner.left + pad.left + width, y + heights[i]};
        child->SetPos(rcChild, false);
        y += heights[i] + pad.bottom + m_iChildPadding;
    }
}

// The height the children want: fixed and estimated heights (at least the
// minimum) with paddings and gaps. More than the view makes the layout scroll.
int CVerticalLayoutUI::RequiredHeight(const RECT& rcInner) {
    const SIZE available = {rcInner.right - rcInner.left, rcInner.bottom - rcInner.top};
    int height = 0, count = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible() || child->IsFloat()) continue;
        const RECT& pad = child->GetPadding();
        height += std::max(static_cast<int>(child->EstimateSize(available).cy), child->GetMinHeight()) + pad.top + pad.bottom;
        ++count;
    }
    return count > 0 ? height + m_iChildPadding * (count - 1) : 0;
}

void CVerticalLayoutUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    if (std::strcmp(pstrName, "sepheight") == 0) m_separator.SetSize(ParseInt(pstrValue));
    else if (std::strcmp(pstrName, "sepimm") == 0) m_separator.SetImmediate(ParseBool(pstrValue));
    else CContainerUI::SetAttribute(pstrName, pstrValue);
}

void CVerticalLayoutUI::DoEvent(TEventUI& event) {
    if (m_separator.DoEvent(*this, event)) return;
    CContainerUI::DoEvent(event);
}

// The separator strip lies over the children at the edge: it is hit first.
CControlUI* CVerticalLayoutUI::FindControl(FindControlProc proc, void* pData, UINT uFlags) {
    if ((uFlags & UIFIND_HITTEST) != 0 && IsVisible() && IsMouseEnabled() &&
        m_separator.HitTest(m_rcItem, *static_cast<const POINT*>(pData))) {
        return proc(this, pData);
    }
    return CContainerUI::FindControl(proc, pData, uFlags);
}

}  // namespace Vellum
