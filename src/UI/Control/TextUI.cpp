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

void CTextUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SETCURSOR) {
        for (const THtmlLink& link : m_links) {
            if (::PtInRect(&link.rc, event.ptMouse)) {
                ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
                return;
            }
        }
    }
    if (event.Type == UIEVENT_BUTTONUP && IsEnabled() && m_pManager) {
        for (const THtmlLink& link : m_links) {
            if (::PtInRect(&link.rc, event.ptMouse)) {
                m_pManager->SendNotify(this, "link", static_cast<WPARAM>(link.nIndex));
                return;
            }
        }
    }
    CLabelUI::DoEvent(event);
}

}  // namespace Vellum
