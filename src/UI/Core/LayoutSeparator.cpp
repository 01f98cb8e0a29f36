#include "UI/Core/LayoutSeparator.h"

#include <algorithm>

namespace Vellum {

bool CLayoutSeparator::HitTest(const RECT& rcItem, POINT pt) const {
    if (m_nSize == 0) return false;
    RECT strip = rcItem;
    if (m_bHorizontal) {
        if (m_nSize > 0) strip.left = strip.right - m_nSize;
        else strip.right = strip.left - m_nSize;
    } else {
        if (m_nSize > 0) strip.top = strip.bottom - m_nSize;
        else strip.bottom = strip.top - m_nSize;
    }
    return ::PtInRect(&strip, pt) != FALSE;
}

void CLayoutSeparator::Apply(CControlUI& layout, int length) const {
    if (m_bHorizontal) {
        length = std::max(layout.GetMinWidth(), std::min(length, layout.GetMaxWidth()));
        layout.SetFixedWidth(std::max(0, length));
    } else {
        length = std::max(layout.GetMinHeight(), std::min(length, layout.GetMaxHeight()));
        layout.SetFixedHeight(std::max(0, length));
    }
}

bool CLayoutSeparator::DoEvent(CControlUI& layout, TEventUI& event) {
    if (m_nSize == 0) return false;
    switch (event.Type) {
    case UIEVENT_SETCURSOR:
        if (!HitTest(layout.GetPos(), event.ptMouse)) return false;
        ::SetCursor(::LoadCursor(nullptr, m_bHorizontal ? IDC_SIZEWE : IDC_SIZENS));
        return true;
    case UIEVENT_BUTTONDOWN:
        if (!layout.IsEnabled() || !HitTest(layout.GetPos(), event.ptMouse)) return false;
        m_bDragging = true;
        m_nStart = Along(event.ptMouse);
        m_nStartLength = m_bHorizontal ? layout.GetWidth() : layout.GetHeight();
        m_nPending = m_nStartLength;
        return true;
    case UIEVENT_MOUSEMOVE: {
        if (!m_bDragging) return false;
        const int delta = Along(event.ptMouse) - m_nStart;
        // A strip at the far edge grows the layout when dragged outwards.
        m_nPending = m_nSize > 0 ? m_nStartLength + delta : m_nStartLength - delta;
        if (m_bImmediate) Apply(layout, m_nPending);
        return true;
    }
    case UIEVENT_BUTTONUP:
        if (!m_bDragging) return false;
        m_bDragging = false;
        Apply(layout, m_nPending);
        return true;
    default: return false;
    }
}

}  // namespace Vellum
