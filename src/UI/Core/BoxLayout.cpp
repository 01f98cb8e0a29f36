#include "UI/Core/BoxLayout.h"

#include <algorithm>
#include <cstring>

#include "UI/Markup/ValueParse.h"

namespace Vellum {

namespace {

// One axis of a box layout, so that a single routine serves both layouts:
// the main axis runs along the flow of children, the cross axis across it.
// Start and End read a rectangle's edges on the axis, or a padding's two sides.
class CAxis {
public:
    explicit CAxis(bool bHorizontal) : m_bHorizontal(bHorizontal) {}

    CAxis Cross() const { return CAxis(!m_bHorizontal); }
    int Of(SIZE sz) const { return m_bHorizontal ? sz.cx : sz.cy; }
    int Start(const RECT& rc) const { return m_bHorizontal ? rc.left : rc.top; }
    int End(const RECT& rc) const { return m_bHorizontal ? rc.right : rc.bottom; }
    int Fixed(const CControlUI& c) const { return m_bHorizontal ? c.GetFixedWidth() : c.GetFixedHeight(); }
    int Min(const CControlUI& c) const { return m_bHorizontal ? c.GetMinWidth() : c.GetMinHeight(); }
    int Max(const CControlUI& c) const { return m_bHorizontal ? c.GetMaxWidth() : c.GetMaxHeight(); }
    // The rectangle from `from` to `to` on this axis and from `crossFrom` to
    // `crossTo` across it.
    RECT Rect(int from, int to, int crossFrom, int crossTo) const {
        if (m_bHorizontal) return RECT{from, crossFrom, to, crossTo};
        return RECT{crossFrom, from, crossTo, to};
    }

private:
    bool m_bHorizontal;
};

}  // namespace

std::vector<int> ShareLength(const std::vector<TBoxItem>& items, int nAvailable) {
    std::vector<int> lengths(items.size(), 0);
    std::vector<bool> resolved(items.size(), false);
    int remaining = nAvailable;
    int open = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].nFixed > 0) {
            lengths[i] = std::max(items[i].nMin, std::min(items[i].nFixed, items[i].nMax));
            resolved[i] = true;
            remaining -= lengths[i];
        } else {
            ++open;
        }
    }
    // An item whose even share falls outside its min/max takes that bound;
    // the others then share what is left, until every share fits.
    bool changed = true;
    while (open > 0 && changed) {
        changed = false;
        const int share = std::max(0, remaining) / open;
        for (size_t i = 0; i < items.size(); ++i) {
            if (resolved[i]) continue;
            int bound = -1;
            if (share < items[i].nMin) bound = items[i].nMin;
            else if (share > items[i].nMax) bound = items[i].nMax;
            if (bound < 0) continue;
            lengths[i] = bound;
            resolved[i] = true;
            remaining -= bound;
            --open;
            changed = true;
        }
    }
    if (open > 0) {
        const int free = std::max(0, remaining);
        const int share = free / open;
        int extra = free - share * open;  // the rounding rest goes to the last open item
        for (size_t i = items.size(); i-- > 0;) {
            if (resolved[i]) continue;
            lengths[i] = share + extra;
            extra = 0;
        }
    }
    return lengths;
}

void CBoxLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const CAxis main(m_bHorizontal);
    const CAxis cross = main.Cross();
    RECT inner = GetInnerRect();
    if (m_pVerticalScrollBar || m_pHorizontalScrollBar) {
        // Only the flow axis can need more room than the view: across it each
        // child fits the inner size.
        const int required = RequiredLength(inner);
        inner = ProcessScrollBar(inner, m_bHorizontal ? required : 0, m_bHorizontal ? 0 : required);
    }
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
        box.nFixed = main.Of(child->EstimateSize(available));
        box.nMin = main.Min(*child);
        box.nMax = main.Max(*child);
        used += main.Start(pad) + main.End(pad);
        flow.push_back(child);
        boxes.push_back(box);
    }
    if (!flow.empty()) used += m_iChildPadding * static_cast<int>(flow.size() - 1);
    const std::vector<int> lengths = ShareLength(boxes, main.Of(available) - used);

    int at = main.Start(inner) - main.Of(GetScrollPos());
    for (size_t i = 0; i < flow.size(); ++i) {
        CControlUI* child = flow[i];
        const RECT& pad = child->GetPadding();
        // Across the flow: the fixed size, else all the inner size the padding leaves.
        int thickness = cross.Fixed(*child);
        if (thickness <= 0) thickness = cross.Of(available) - cross.Start(pad) - cross.End(pad);
        thickness = std::max(cross.Min(*child), std::min(thickness, cross.Max(*child)));
        const int crossFrom = cross.Start(inner) + cross.Start(pad);
        at += main.Start(pad);
        child->SetPos(main.Rect(at, at + lengths[i], crossFrom, crossFrom + thickness), false);
        at += lengths[i] + main.End(pad) + m_iChildPadding;
    }
}

// The length the children want along the flow: fixed and estimated lengths
// (at least the minimum) with paddings and gaps. More than the view makes the
// layout scroll.
int CBoxLayoutUI::RequiredLength(const RECT& rcInner) {
    const CAxis main(m_bHorizontal);
    const SIZE available = {rcInner.right - rcInner.left, rcInner.bottom - rcInner.top};
    int length = 0, count = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible() || child->IsFloat()) continue;
        const RECT& pad = child->GetPadding();
        length += std::max(main.Of(child->EstimateSize(available)), main.Min(*child)) + main.Start(pad) + main.End(pad);
        ++count;
    }
    return count > 0 ? length + m_iChildPadding * (count - 1) : 0;
}

void CBoxLayoutUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* sizeName = m_bHorizontal ? "sepwidth" : "sepheight";
    if (std::strcmp(pstrName, sizeName) == 0) m_separator.SetSize(ParseInt(pstrValue));
    else if (std::strcmp(pstrName, "sepimm") == 0) m_separator.SetImmediate(ParseBool(pstrValue));
    else CContainerUI::SetAttribute(pstrName, pstrValue);
}

void CBoxLayoutUI::DoEvent(TEventUI& event) {
    if (m_separator.DoEvent(*this, event)) return;
    CContainerUI::DoEvent(event);
}

// The separator strip lies over the children at the edge: it is hit first.
CControlUI* CBoxLayoutUI::FindControl(FindControlProc proc, void* pData, UINT uFlags) {
    if ((uFlags & UIFIND_HITTEST) != 0 && IsVisible() && IsMouseEnabled() &&
        m_separator.HitTest(m_rcItem, *static_cast<const POINT*>(pData))) {
        return proc(this, pData);
    }
    return CContainerUI::FindControl(proc, pData, uFlags);
}

}  // namespace Vellum
