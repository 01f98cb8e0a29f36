#include "UI/Control/ListTextElementUI.h"

#include <cassert>
#include <cstring>

#include "UI/Core/UIManager.h"

namespace Vellum {

const char* CListTextElementUI::GetClass() const { return "ListTextElementUI"; }

void* CListTextElementUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "ListTextElement") == 0) return static_cast<CListTextElementUI*>(this);
    return CListLabelElementUI::GetInterface(pstrName);
}

const char* CListTextElementUI::GetText(int iColumn) const {
    if (iColumn < 0 || iColumn >= static_cast<int>(m_aTexts.size())) return "";
    return m_aTexts[iColumn].GetData();
}

void CListTextElementUI::SetText(int iColumn, const char* pstrText) {
    if (!m_pOwner) return;
    const TListInfoUI* info = m_pOwner->GetListInfo();
    assert(info);
    if (iColumn < 0 || iColumn >= info->nColumns) return;
    const char* text = pstrText ? pstrText : "";
    if (iColumn < static_cast<int>(m_aTexts.size()) && m_aTexts[iColumn] == text) return;
    if (static_cast<int>(m_aTexts.size()) < info->nColumns) m_aTexts.resize(info->nColumns);
    m_aTexts[iColumn] = text;
    Invalidate();
}

const char* CListTextElementUI::GetColumnText(int iColumn) const {
    IListCallbackUI* callback = m_pOwner ? m_pOwner->GetTextCallback() : nullptr;
    if (callback) return callback->GetItemText(m_pOwnerControl, m_iIndex, iColumn);
    return GetText(iColumn);
}

void CListTextElementUI::DrawItemText(HDC hDC, const RECT& rcItem) {
    if (!m_pOwner) return;
    const TListInfoUI* info = m_pOwner->GetListInfo();
    assert(info);
    m_links.clear();
    for (int c = 0; c < info->nColumns; ++c) {
        RECT rc = {info->rcColumn[c].left, rcItem.top, info->rcColumn[c].right, rcItem.bottom};
        rc.left += info->rcTextPadding.left;
        rc.right -= info->rcTextPadding.right;
        rc.top += info->rcTextPadding.top;
        rc.bottom -= info->rcTextPadding.bottom;
        UINT style = info->uColumnAlign[c] | DT_VCENTER | DT_SINGLELINE;
        if (info->bEndEllipsis) style |= DT_END_ELLIPSIS;
        DrawRowText(hDC, rc, GetColumnText(c), info->nColumnFont[c], style, GetItemTextColor(*info));
    }
}

}  // namespace Vellum
