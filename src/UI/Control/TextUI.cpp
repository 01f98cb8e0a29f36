#include "UI/Control/TextUI.h"

#include <cstring>

#include "UI/Core/UIManager.h"

namespace Vellum {

CTextUI::CTextUI() { m_uTextStyle = DT_WORDBREAK; }

const char* CTextUI::GetClass() const { return "TextUI"; }

void* CTextUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "Text") == 0) return static_cast<CTextUI*>(this);
    return CLabelUI::GetInterface(pstrName);
}

UINT CTextUI::GetControlFlags() const { return (IsEnabled() && !m_links.empty()) ? UIFLAG_SETCURSOR : 0; }

const char* CTextUI::GetLinkContent(int iIndex) const {
    for (const THtmlLink& link : m_links) {
        if (link.nIndex == iIndex) return link.strTarget.c_str();
    }
    return nullptr;
}

SIZE CTextUI::EstimateSize(SIZE szAvailable) {
    SIZE size = m_cxyFixed;
    if ((size.cx > 0 && size.cy > 0) || !m_pManager) return size;
    const int padX = m_rcTextPadding.left + m_rcTextPadding.right;
    const int padY = m_rcTextPadding.top + m_rcTextPadding.bottom;
    const SIZE text = MeasureText((size.cx > 0 ? size.cx : szAvailable.cx) - padX, m_uTextStyle);
    if (size.cx == 0) size.cx = text.cx + padX;
    if (size.cy == 0) size.cy = text.cy + padY;
    return size;
}

int CTextUI::LinkAt(POINT pt) const {
    for (const THtmlLink& link : m_links) {
        if (::PtInRect(&link.rc, pt)) return link.nIndex;
    }
    return -1;
}

void CTextUI::SetHoverLink(int iIndex) {
    if (m_iHoverLink == iIndex) return;
    m_iHoverLink = iIndex;
    Invalidate();
}

void CTextUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_MOUSEMOVE) SetHoverLink(IsEnabled() ? LinkAt(event.ptMouse) : -1);
    if (event.Type == UIEVENT_MOUSELEAVE) SetHoverLink(-1);
    if (event.Type == UIEVENT_SETCURSOR && LinkAt(event.ptMouse) >= 0) {
        ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
        return;
    }
    if (event.Type == UIEVENT_BUTTONUP && IsEnabled() && m_pManager) {
        const int link = LinkAt(event.ptMouse);
        if (link >= 0) {
            m_pManager->SendNotify(this, "link", static_cast<WPARAM>(link));
            return;
        }
    }
    CLabelUI::DoEvent(event);
}

}  // namespace Vellum
