// The drag strip of a box layout ("sepwidth" / "sepheight"): a strip of that
// many pixels at the layout's right (bottom) edge, or at its left (top) edge
// when the value is negative. Dragging it changes the layout's own fixed width
// (height) within its min/max, live with "sepimm", else on release.
#pragma once

#include "UI/Core/ControlUI.h"

namespace Vellum {

class CLayoutSeparator {
public:
    explicit CLayoutSeparator(bool bHorizontal) : m_bHorizontal(bHorizontal) {}

    void SetSize(int nSize) { m_nSize = nSize; }
    int GetSize() const { return m_nSize; }
    void SetImmediate(bool bImmediate) { m_bImmediate = bImmediate; }
    bool IsImmediate() const { return m_bImmediate; }

    // Whether pt lies on the strip of a layout at rcItem.
    bool HitTest(const RECT& rcItem, POINT pt) const;
    // Handles the layout's mouse events on the strip; true when the event was
    // the separator's.
    bool DoEvent(CControlUI& layout, TEventUI& event);

private:
    int Along(POINT pt) const { return m_bHorizontal ? pt.x : pt.y; }
    void Apply(CControlUI& layout, int length) const;

    bool m_bHorizontal;
    int m_nSize = 0;
    bool m_bImmediate = false;
    bool m_bDragging = false;
    int m_nStart = 0;        // mouse position along the axis at the press
    int m_nStartLength = 0;  // layout length at the press
    int m_nPending = 0;      // length to apply at the release (not immediate)
};

}  // namespace Vellum
