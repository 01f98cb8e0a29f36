#include "UI/Control/ListLabelElementUI.h"

#include <cstring>

#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

bool Is(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

}  // namespace

const char* CListLabelElementUI::GetClass() const { return "ListLabelElementUI"; }

void* CListLabelElementUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "ListItem")) return static_cast<IListItemUI*>(this);
    if (Is(pstrName, "ListLabelElement")) return static_cast<CListLabelElementUI*>(this);
    return CControlUI::GetInterface(pstrName);
}

UINT CListLabelElementUI::GetControlFlags() const { return UIFLAG_WANTRETURN; }

void CListLabelElementUI::SetOwner(CControlUI* pOwner) {
    m_pOwner = pOwner ? static_cast<IListOwnerUI*>(pOwner->GetInterface("IListOwner")) : nullptr;
}

bool CListLabelElementUI::Select(bool bSelect) {
    if (bSelect && (!IsVisible() || !IsEnabled())) return false;
    if (m_bSelected == bSelect) return true;
    m_bSelected = bSelect;
    Invalidate();
    return true;
}

void CListLabelElementUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!bEnable) m_bHot = false;
}

SIZE CListLabelElementUI::EstimateSize(SIZE) {
    if (m_cxyFixed.cy > 0 || !m_pManager) return m_cxyFixed;
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    const TFontInfo& font = m_pManager->GetFontInfo(info ? info->nFont : -1);
    const int padding = info ? info->rcTextPadding.top + info->rcTextPadding.bottom : 0;
    return {m_cxyFixed.cx, static_cast<int>(font.tm.tmHeight) + 8 + padding};
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
    // A row without an owner (not yet added, or in a foreign container)
    // takes no input of its own.
    if (!m_pOwner) {
        CControlUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (IsEnabled()) {
            // The click notice first: selecting may close the drop-down that
            // shows this row.
            if (m_pManager) m_pManager->SendNotify(this, "itemclick", static_cast<WPARAM>(-1), -1);
            m_pOwner->SelectItem(m_iIndex, true);
        }
        return;
    case UIEVENT_KEYDOWN:
    case UIEVENT_SCROLLWHEEL:
        m_pOwner->DoEvent(event);
        return;
    case UIEVENT_MOUSEENTER:
    case UIEVENT_MOUSELEAVE:
        m_bHot = event.Type == UIEVENT_MOUSEENTER && IsEnabled();
        Invalidate();
        return;
    default:
        CControlUI::DoEvent(event);
        return;
    }
}

void CListLabelElementUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    if (Is(pstrName, "selected")) Select(ParseBool(pstrValue ? pstrValue : ""));
    else CControlUI::SetAttribute(pstrName, pstrValue);
}

void CListLabelElementUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    RECT rc;
    if (!::IntersectRect(&rc, &rcPaint, &m_rcItem)) return;
    m_rcPaint = rc;
    DrawItemBk(hDC, m_rcItem);
    DrawItemText(hDC, m_rcItem);
}

void CListLabelElementUI::DrawItemBk(HDC hDC, const RECT& rcItem) {
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info) return;
    DWORD color = info->dwBkColor;
    const CUIString* image = &info->sBkImage;
    if (!IsEnabled()) {
        color = info->dwDisabledBkColor;
        image = &info->sDisabledImage;
    } else if (m_bSelected) {
        color = info->dwSelectedBkColor;
        image = &info->sSelectedImage;
    } else if (m_bHot) {
        color = info->dwHotBkColor;
        image = &info->sHotImage;
    } else if (info->bAlternateBk && (m_iIndex % 2) == 1) {
        color = 0xFFF9FAFB;
    }
    if (color) CRenderEngine::DrawColor(hDC, rcItem, color);
    if (!image->IsEmpty()) DrawImage(hDC, image->GetData());
    if (info->dwLineColor) {
        CRenderEngine::DrawLine(hDC, {rcItem.left, rcItem.bottom - 1}, {rcItem.right, rcItem.bottom - 1}, 1,
                                info->dwLineColor);
    }
}

void CListLabelElementUI::DrawItemText(HDC hDC, const RECT& rcItem) {
    if (m_strText.IsEmpty() || !m_pManager) return;
    TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    TListInfoUI defaults;
    if (!info) info = &defaults;
    DWORD color = info->dwTextColor;
    if (!IsEnabled()) color = info->dwDisabledTextColor;
    else if (m_bSelected) color = info->dwSelectedTextColor;
    else if (m_bHot) color = info->dwHotTextColor;
    RECT rc = rcItem;
    rc.left += info->rcTextPadding.left;
    rc.right -= info->rcTextPadding.right;
    rc.top += info->rcTextPadding.top;
    rc.bottom -= info->rcTextPadding.bottom;
    HFONT font = m_pManager->GetFont(info->nFont);
    if (info->bShowHtml) {
        CRenderEngine::DrawHtmlText(hDC, font, rc, m_strText.GetData(), color, m_pManager->GetDefaultLinkFontColor(),
                                    nullptr, info->uTextStyle);
    } else {
        CRenderEngine::DrawText(hDC, font, rc, m_strText.GetData(), color, info->uTextStyle);
    }
}

}  // namespace Vellum
