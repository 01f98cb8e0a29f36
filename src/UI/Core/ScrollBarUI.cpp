#include "UI/Core/ScrollBarUI.h"

#include <algorithm>

#include "UI/Base/NameMatch.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Markup/ValueParse.h"
#include "UI/Render/GdiHandles.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

// A thumb shorter than this is hard to hit; long content keeps this length.
const int kMinThumb = 20;

}  // namespace

CScrollBarUI::CScrollBarUI() {
    m_cxyFixed = {10, 10};
    m_dwBackColor = 0xFFF3F4F6;
}

const char* CScrollBarUI::GetClass() const { return "ScrollBarUI"; }

void* CScrollBarUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "ScrollBar")) return static_cast<CScrollBarUI*>(this);
    return CControlUI::GetInterface(pstrName);
}

void CScrollBarUI::SetHorizontal(bool bHorizontal) {
    m_bHorizontal = bHorizontal;
    NeedParentUpdate();
}

void CScrollBarUI::SetScrollRange(int nRange) {
    m_nRange = std::max(0, nRange);
    m_nScrollPos = std::min(m_nScrollPos, m_nRange);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int nPos) {
    nPos = std::max(0, std::min(nPos, m_nRange));
    if (nPos == m_nScrollPos) return;
    m_nScrollPos = nPos;
    Invalidate();
}

int CScrollBarUI::TrackLength() const { return m_bHorizontal ? GetWidth() : GetHeight(); }

int CScrollBarUI::ThumbLength() const {
    const int track = TrackLength();
    if (m_nRange <= 0) return track;
    // The thumb is to the track what the view is to the content.
    const long long len = static_cast<long long>(track) * m_nPageSize / (m_nPageSize + m_nRange);
    return std::min(track, std::max(kMinThumb, static_cast<int>(len)));
}

RECT CScrollBarUI::GetThumbRect() const {
    const int track = TrackLength();
    const int thumb = ThumbLength();
    const int offset =
        m_nRange > 0 ? static_cast<int>(static_cast<long long>(track - thumb) * m_nScrollPos / m_nRange) : 0;
    RECT rc = m_rcItem;
    if (m_bHorizontal) {
        rc.left += offset;
        rc.right = rc.left + thumb;
    } else {
        rc.top += offset;
        rc.bottom = rc.top + thumb;
    }
    return rc;
}

void CScrollBarUI::SetPos(RECT rc, bool bNeedInvalidate) { CControlUI::SetPos(rc, bNeedInvalidate); }

void CScrollBarUI::ScrollTo(int nPos) {
    nPos = std::max(0, std::min(nPos, m_nRange));
    if (!m_pOwner) {
        SetScrollPos(nPos);
        return;
    }
    SIZE pos = m_pOwner->GetScrollPos();
    if (m_bHorizontal) pos.cx = nPos;
    else pos.cy = nPos;
    m_pOwner->SetScrollPos(pos);
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    const POINT pt = event.ptMouse;
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK: {
        if (!IsEnabled()) return;
        const RECT thumb = GetThumbRect();
        if (::PtInRect(&thumb, pt)) {
            m_uThumbState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            m_ptDragStart = pt;
            m_nDragStartPos = m_nScrollPos;
        } else {
            // A press on the track pages towards the press.
            const bool before = m_bHorizontal ? pt.x < thumb.left : pt.y < thumb.top;
            ScrollTo(m_nScrollPos + (before ? -m_nPageSize : m_nPageSize));
        }
        Invalidate();
        return;
    }
    case UIEVENT_MOUSEMOVE:
        if (m_uThumbState & UISTATE_CAPTURED) {
            const int free = TrackLength() - ThumbLength();
            if (free <= 0) return;
            const int moved = m_bHorizontal ? pt.x - m_ptDragStart.x : pt.y - m_ptDragStart.y;
            ScrollTo(m_nDragStartPos + static_cast<int>(static_cast<long long>(moved) * m_nRange / free));
        } else {
            const RECT thumb = GetThumbRect();
            const UINT before = m_uThumbState;
            if (::PtInRect(&thumb, pt)) m_uThumbState |= UISTATE_HOT;
            else m_uThumbState &= ~UISTATE_HOT;
            if (before != m_uThumbState) Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        m_uThumbState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_uThumbState &= ~UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_SCROLLWHEEL:
        if (m_pOwner) m_pOwner->DoEvent(event);
        return;
    default: CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "hor")) SetHorizontal(ParseBool(v));
    else if (Is(pstrName, "linesize")) SetLineSize(ParseInt(v));
    else if (Is(pstrName, "range")) SetScrollRange(ParseInt(v));
    else if (Is(pstrName, "value")) SetScrollPos(ParseInt(v));
    else if (Is(pstrName, "thumbcolor")) m_dwThumbColor = ParseColor(v);
    else if (Is(pstrName, "thumbhotcolor")) m_dwThumbHotColor = ParseColor(v);
    else if (Is(pstrName, "thumbpushedcolor")) m_dwThumbPushedColor = ParseColor(v);
    else CControlUI::SetAttribute(pstrName, pstrValue);
}

void CScrollBarUI::PaintStatusImage(HDC hDC) {
    if (m_nRange <= 0) return;
    DWORD color = m_dwThumbColor;
    if (m_uThumbState & UISTATE_PUSHED) color = m_dwThumbPushedColor;
    else if (m_uThumbState & UISTATE_HOT) color = m_dwThumbHotColor;
    RECT thumb = GetThumbRect();
    // A thin gap around the thumb keeps it clear of the track's edges.
    if (m_bHorizontal) ::InflateRect(&thumb, 0, -2);
    else ::InflateRect(&thumb, -2, 0);
    const int round = m_bHorizontal ? thumb.bottom - thumb.top : thumb.right - thumb.left;
    const CGdiObject<HRGN> rgn(
        ::CreateRoundRectRgn(thumb.left, thumb.top, thumb.right + 1, thumb.bottom + 1, round, round));
    CSaveDC saved(hDC);
    // The clip takes a copy of the region: ours may go at scope end.
    ::ExtSelectClipRgn(hDC, rgn.Get(), RGN_AND);
    CRenderEngine::DrawColor(hDC, thumb, color);
}

}  // namespace Vellum
