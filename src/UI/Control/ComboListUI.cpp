#include "UI/Control/ComboListUI.h"

#include <algorithm>

#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

const int kWheelStep = 3 * 24;  // about three entries per notch
const DWORD kThumbColor = 0xFF9CA3AF;

}  // namespace

const char* CComboListUI::GetClass() const { return "ComboListUI"; }

int CComboListUI::ContentHeight(int width) {
    int height = m_rcInset.top + m_rcInset.bottom;
    int shown = 0;
    for (CControlUI* child : m_items) {
        if (!child->IsVisible() || child->IsFloat()) continue;
        const RECT& pad = child->GetPadding();
        height += child->EstimateSize({width, 0}).cy + pad.top + pad.bottom;
        ++shown;
    }
    if (shown > 1) height += m_iChildPadding * (shown - 1);
    return height;
}

void CComboListUI::SetPos(RECT rc, bool bNeedInvalidate) {
    const int view = rc.bottom - rc.top;
    const int content = ContentHeight(rc.right - rc.left - m_rcInset.left - m_rcInset.right);
    m_nRange = std::max(0, content - view);
    m_nScroll = std::max(0, std::min(m_nScroll, m_nRange));
    // The entries are laid out in a strip as tall as they need, moved up by
    // the scroll position; the layout itself keeps the visible rectangle, to
    // which painting and hit tests are clipped.
    RECT strip = rc;
    strip.top -= m_nScroll;
    strip.bottom = strip.top + std::max(content, view);
    CVerticalLayoutUI::SetPos(strip, bNeedInvalidate);
    CControlUI::SetPos(rc, bNeedInvalidate);
    if (CControlUI* first = m_pFirstVisible) {
        m_pFirstVisible = nullptr;
        EnsureVisible(first);
    }
}

void CComboListUI::ScrollBy(int dy) {
    const int target = std::max(0, std::min(m_nScroll + dy, m_nRange));
    if (target == m_nScroll) return;
    m_nScroll = target;
    SetPos(m_rcItem, true);
}

void CComboListUI::EnsureVisible(CControlUI* pControl) {
    if (!pControl || m_nRange == 0) return;
    const RECT& rc = pControl->GetPos();
    const int top = m_rcItem.top + m_rcInset.top;
    const int bottom = m_rcItem.bottom - m_rcInset.bottom;
    if (rc.top < top) ScrollBy(rc.top - top);
    else if (rc.bottom > bottom) ScrollBy(rc.bottom - bottom);
}

void CComboListUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        ScrollBy(LOWORD(event.wParam) == SB_LINEDOWN ? kWheelStep : -kWheelStep);
        return;
    }
    CVerticalLayoutUI::DoEvent(event);
}

void CComboListUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    CVerticalLayoutUI::DoPaint(hDC, rcPaint);
    if (m_nRange == 0) return;
    // A thin thumb: its length is the visible share, its place the position.
    const int view = m_rcItem.bottom - m_rcItem.top;
    const int content = view + m_nRange;
    const int length = std::max(12, view * view / content);
    const int top = m_rcItem.top + (view - length) * m_nScroll / m_nRange;
    const RECT thumb = {m_rcItem.right - 5, top + 1, m_rcItem.right - 2, top + length - 1};
    CRenderEngine::DrawColor(hDC, thumb, kThumbColor);
}

}  // namespace Vellum
