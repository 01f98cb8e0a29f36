// CComboListUI: the layout inside a combo box's drop-down. Lays its entries
// out one below the other at their own heights; when they need more room
// than the drop-down has, the wheel scrolls them and a thin bar at the right
// shows where the view is.
#pragma once

#include "UI/Core/VerticalLayoutUI.h"

namespace Vellum {

class CComboListUI : public CVerticalLayoutUI {
public:
    const char* GetClass() const override;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;

    int GetScrollPos() const { return m_nScroll; }
    int GetScrollRange() const { return m_nRange; }
    // Scrolls by `dy` pixels (positive: towards the end), kept in range.
    void ScrollBy(int dy);
    // Scrolls as little as needed to show the whole of `pControl`.
    void EnsureVisible(CControlUI* pControl);
    // The entry to show at the first layout (the drop-down opens on the
    // selected entry).
    void SetFirstVisible(CControlUI* pControl) { m_pFirstVisible = pControl; }

private:
    // The height the entries need at `width`, inset included.
    int ContentHeight(int width);

    int m_nScroll = 0;
    int m_nRange = 0;
    CControlUI* m_pFirstVisible = nullptr;
};

}  // namespace Vellum
