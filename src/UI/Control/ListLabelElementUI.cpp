#include "UI/Control/ListLabelElementUI.h"

#include <cassert>
#include <cstring>

#include "UI/Core/UIManager.h"

namespace Vellum {

const char* CListLabelElementUI::GetClass() const { return "ListLabelElementUI"; }

void* CListLabelElementUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "ListLabelElement") == 0) return static_cast<CListLabelElementUI*>(this);
    return CListElementUI::GetInterface(pstrName);
}

void CListLabelElementUI::DrawRowText(HDC hDC, RECT rc, const char* pstrText, int iFont, UINT uStyle, DWORD dwColor) {
    if (!m_pManager || !pstrText || !*pstrText) return;
    const TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    HFONT font = m_pManager->GetFont(iFont);
    if (info && info->bShowHtml) {
        CRenderEngine::DrawHtmlText(hDC, font, rc, pstrText, dwColor, m_pManager->GetDefaultLinkFontColor(), &m_links,
                                    uStyle);
    } else {
        CRenderEngine::DrawText(hDC, font, rc, pstrText, dwColor, uStyle | DT_NOPREFIX);
    }
}

void CListLabelElementUI::DrawItemText(HDC hDC, const RECT& rcItem) {
    if (!m_pOwner || m_strText.IsEmpty()) return;
    const TListInfoUI* info = m_pOwner->GetListInfo();
    assert(info);
    RECT rc = rcItem;
    rc.left += info->rcTextPadding.left;
    rc.right -= info->rcTextPadding.right;
    rc.top += info->rcTextPadding.top;
    rc.bottom -= info->rcTextPadding.bottom;
    UINT style = info->uTextStyle | DT_SINGLELINE;
    if (info->bEndEllipsis) style |= DT_END_ELLIPSIS;
    m_links.clear();
    DrawRowText(hDC, rc, m_strText.GetData(), info->nFont, style, GetItemTextColor(*info));
}

}  // namespace Vellum
