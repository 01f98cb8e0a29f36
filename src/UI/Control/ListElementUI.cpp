#include "UI/Control/ListElementUI.h"

#include <cassert>
#include <cstring>

#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

const char* CListElementUI::GetClass() const { return "ListElementUI"; }

void* CListElementUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "ListItem") == 0) return static_cast<IListItemUI*>(this);
    if (std::strcmp(pstrName, "ListElement") == 0) return static_cast<CListElementUI*>(this);
    return CControlUI::GetInterface(pstrName);
}

UINT CListElementUI::GetControlFlags() const { return 0; }

void CListElementUI::SetOwner(CControlUI* pOwner) {
    m_pOwnerControl = pOwner;
    m_pOwner = pOwner ? static_cast<IListOwnerUI*>(pOwner->GetInterface("IListOwner")) : nullptr;
}

CControlUI* CListElementUI::GetOwnerList() const {
    if (!m_pOwnerControl || !m_pOwnerControl->GetInterface("List")) return nullptr;
    return m_pOwnerControl;
}

bool CListElementUI::Select(bool bSelect) {
    if (!IsEnabled()) return false;
    if (m_bSelected == bSelect) return true;
    m_bSelected = bSelect;
    Invalidate();
    return true;
}

void CListElementUI::SetVisible(bool bVisible) {
    CControlUI::SetVisible(bVisible);
    // A hidden row cannot stay the current selection.
    if (!IsVisible() && m_bSelected && m_pOwner) m_pOwner->SelectItem(-1);
}

void CListElementUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!bEnable) m_bHotRow = false;
}

bool CListElementUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pManager) m_pManager->SendNotify(this, "itemactivate");
    return true;
}

void CListElementUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_RBUTTONDOWN:
        if (IsEnabled()) {
            if (m_pOwner) m_pOwner->SelectItem(m_iIndex, true);
            if (m_pManager) {
                const bool left = event.Type == UIEVENT_BUTTONDOWN;
                m_pManager->SendNotify(this, "itemclick", left ? static_cast<WPARAM>(-1) : 0,
                                       left ? static_cast<LPARAM>(-1) : 0);
            }
            Invalidate();
        }
        return;
    case UIEVENT_DBLCLICK:
        if (IsEnabled()) Activate();
        return;
    case UIEVENT_KEYDOWN:
        if (IsEnabled() && event.chKey == VK_RETURN) {
            Activate();
            return;
        }
        if (m_pOwner) m_pOwner->DoEvent(event);
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_bHotRow = true;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if (m_bHotRow) {
            m_bHotRow = false;
            Invalidate();
        }
        return;
    case UIEVENT_SCROLLWHEEL:
        if (m_pOwner) m_pOwner->DoEvent(event);
        return;
    default: CControlUI::DoEvent(event);
    }
}

void CListElementUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    if (std::strcmp(pstrName, "selected") == 0) {
        // A row already in its list becomes the list's selection.
        const bool selected = ParseBool(pstrValue ? pstrValue : "");
        if (selected && m_pOwner) m_pOwner->SelectItem(m_iIndex);
        else Select(selected);
    } else CControlUI::SetAttribute(pstrName, pstrValue);
}

SIZE CListElementUI::EstimateSize(SIZE) {
    SIZE size = m_cxyFixed;
    if (size.cy == 0) {
        const TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
        size.cy = info && info->iItemHeight > 0 ? info->iItemHeight : kDefaultListItemHeight;
    }
    return size;
}

void CListElementUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    DrawItemBk(hDC, m_rcItem);
    DrawItemText(hDC, m_rcItem);
    PaintBorder(hDC);
}

DWORD CListElementUI::GetItemTextColor(const TListInfoUI& info) const {
    if (!IsEnabled()) return info.dwDisabledTextColor;
    if (m_bSelected) return info.dwSelectedTextColor;
    if (m_bHotRow) return info.dwHotTextColor;
    return info.dwTextColor;
}

void CListElementUI::DrawItemBk(HDC hDC, const RECT& rcItem) {
    if (!m_pOwner) return;
    TListInfoUI* info = m_pOwner->GetListInfo();
    assert(info);
    // Alternate rows go by the row's position in the list, so the pattern
    // holds while the list scrolls and after rows above are removed.
    DWORD color = info->dwBkColor;
    if (info->bAlternateBk && (m_iIndex % 2) != 0) color = 0;
    if (m_bHotRow && info->dwHotBkColor) color = info->dwHotBkColor;
    if (m_bSelected && info->dwSelectedBkColor) color = info->dwSelectedBkColor;
    if (!IsEnabled() && info->dwDisabledBkColor) color = info->dwDisabledBkColor;
    if (color) CRenderEngine::DrawColor(hDC, m_rcPaint, color);

    bool drawn = false;
    if (!IsEnabled()) drawn = DrawImage(hDC, info->sDisabledImage);
    if (!drawn && m_bSelected) drawn = DrawImage(hDC, info->sSelectedImage);
    if (!drawn && m_bHotRow) drawn = DrawImage(hDC, info->sHotImage);
    if (!drawn) drawn = DrawImage(hDC, m_strBkImage) || DrawImage(hDC, info->sBkImage);
    if (!drawn && info->dwLineColor) {
        const RECT line = {rcItem.left, rcItem.bottom - 1, rcItem.right, rcItem.bottom};
        CRenderEngine::DrawColor(hDC, line, info->dwLineColor);
    }
}

}  // namespace Vellum
