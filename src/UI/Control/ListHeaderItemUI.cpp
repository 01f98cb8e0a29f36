#include "UI/Control/ListHeaderItemUI.h"

#include <algorithm>
#include <cstring>

#include "UI/Base/NameMatch.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

namespace {

UINT ParseAlign(const char* v) {
    if (std::strstr(v, "center")) return DT_CENTER;
    if (std::strstr(v, "right")) return DT_RIGHT;
    return DT_LEFT;
}

// A column is never dragged narrower than this.
const int kMinColumnWidth = 16;

}  // namespace

CListHeaderItemUI::CListHeaderItemUI() { m_uTextStyle = DT_VCENTER | DT_SINGLELINE | DT_LEFT; }

const char* CListHeaderItemUI::GetClass() const { return "ListHeaderItemUI"; }

void* CListHeaderItemUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "ListHeaderItem")) return static_cast<CListHeaderItemUI*>(this);
    return CLabelUI::GetInterface(pstrName);
}

UINT CListHeaderItemUI::GetControlFlags() const { return IsEnabled() && m_iSepWidth != 0 ? UIFLAG_SETCURSOR : 0; }

RECT CListHeaderItemUI::GetThumbRect() const {
    RECT rc = m_rcItem;
    if (m_iSepWidth >= 0) rc.left = rc.right - m_iSepWidth;
    else rc.right = rc.left - m_iSepWidth;
    return rc;
}

void CListHeaderItemUI::ColumnsChanged() {
    if (!m_pParent) return;
    if (auto* header = static_cast<CListHeaderUI*>(m_pParent->GetInterface("ListHeader"))) header->ColumnsChanged();
    else if (auto* list = static_cast<CListUI*>(m_pParent->GetInterface("List"))) list->UpdateColumns();
}

void CListHeaderItemUI::SetVisible(bool bVisible) {
    CLabelUI::SetVisible(bVisible);
    ColumnsChanged();
}

void CListHeaderItemUI::SetPos(RECT rc, bool bNeedInvalidate) {
    const RECT before = m_rcItem;
    CLabelUI::SetPos(rc, bNeedInvalidate);
    if (!::EqualRect(&before, &m_rcItem)) ColumnsChanged();
}

void CListHeaderItemUI::DoEvent(TEventUI& event) {
    const RECT thumb = GetThumbRect();
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (!IsEnabled()) return;
        if (m_bDragable && m_iSepWidth != 0 && ::PtInRect(&thumb, event.ptMouse)) {
            m_uState |= UISTATE_CAPTURED;
            m_ptLastMouse = event.ptMouse;
        } else {
            m_uState |= UISTATE_PUSHED;
            if (m_pManager) m_pManager->SendNotify(this, "headerclick");
            Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        m_uState &= ~(UISTATE_CAPTURED | UISTATE_PUSHED);
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uState & UISTATE_CAPTURED) {
            const int dx = event.ptMouse.x - m_ptLastMouse.x;
            m_ptLastMouse = event.ptMouse;
            const int width = std::max(kMinColumnWidth, static_cast<int>(GetWidth() + (m_iSepWidth >= 0 ? dx : -dx)));
            SetFixedWidth(width);
        }
        return;
    case UIEVENT_SETCURSOR:
        if (m_bDragable && m_iSepWidth != 0 && IsEnabled() && ::PtInRect(&thumb, event.ptMouse)) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            return;
        }
        break;
    case UIEVENT_MOUSEENTER:
        m_uState |= UISTATE_HOT;
        Invalidate();
        break;
    case UIEVENT_MOUSELEAVE:
        m_uState &= ~UISTATE_HOT;
        Invalidate();
        break;
    default: break;
    }
    CLabelUI::DoEvent(event);
}

void CListHeaderItemUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "dragable")) m_bDragable = ParseBool(v);
    else if (Is(pstrName, "sepwidth")) m_iSepWidth = ParseInt(v);
    else if (Is(pstrName, "align")) SetTextStyle((m_uTextStyle & ~(DT_LEFT | DT_CENTER | DT_RIGHT)) | ParseAlign(v));
    else if (Is(pstrName, "itemtextalign")) {
        m_uItemTextAlign = ParseAlign(v);
        m_bItemTextAlign = true;
    } else if (Is(pstrName, "endellipsis")) {
        if (ParseBool(v)) SetTextStyle(m_uTextStyle | DT_END_ELLIPSIS);
        else SetTextStyle(m_uTextStyle & ~DT_END_ELLIPSIS);
    } else if (Is(pstrName, "colfont")) m_iColumnFont = ParseInt(v);
    else if (Is(pstrName, "normalimage")) m_strNormalImage = v;
    else if (Is(pstrName, "hotimage")) m_strHotImage = v;
    else if (Is(pstrName, "pushedimage")) m_strPushedImage = v;
    else if (Is(pstrName, "focusedimage")) m_strFocusedImage = v;
    else if (Is(pstrName, "sepimage")) m_strSepImage = v;
    else if (Is(pstrName, "itemendellipsis") || Is(pstrName, "number")) {
        // Accepted for the dialect; the list's "itemendellipsis" decides for the rows.
    } else CLabelUI::SetAttribute(pstrName, pstrValue);
    // What the rows read of this column at once: its font and alignment, and
    // its width while the header is hidden ("visible" goes through SetVisible).
    if (Is(pstrName, "colfont") || Is(pstrName, "itemtextalign") || Is(pstrName, "width")) ColumnsChanged();
}

void CListHeaderItemUI::PaintStatusImage(HDC hDC) {
    bool drawn = false;
    if (m_uState & UISTATE_PUSHED) drawn = DrawImage(hDC, m_strPushedImage);
    else if (m_uState & UISTATE_HOT) drawn = DrawImage(hDC, m_strHotImage);
    if (!drawn) DrawImage(hDC, m_strNormalImage);
    if (!m_strSepImage.IsEmpty()) {
        const RECT thumb = GetThumbRect();
        TImageModifier place;
        place.bDest = true;
        place.rcDest = {static_cast<int>(thumb.left - m_rcItem.left), static_cast<int>(thumb.top - m_rcItem.top),
                        static_cast<int>(thumb.right - m_rcItem.left), static_cast<int>(thumb.bottom - m_rcItem.top)};
        DrawImage(hDC, m_strSepImage, &place);
    }
}

}  // namespace Vellum
