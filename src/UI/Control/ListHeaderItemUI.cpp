#include "UI/Control/ListHeaderItemUI.h"

#include <algorithm>
#include <cstring>

#include "UI/Base/NameMatch.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

UINT ParseAlign(const char* v) {
    if (std::strstr(v, "center")) return DT_CENTER;
    if (std::strstr(v, "right")) return DT_RIGHT;
    return DT_LEFT;
}

// A column is never dragged narrower than this.
const int kMinColumnWidth = 16;

// The sort mark: a triangle this many pixels wide at its base (odd, so it has
// a one-pixel tip), kept this far from the item's right edge.
const int kSortMarkWidth = 9;
const int kSortMarkMargin = 10;

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

void CListHeaderItemUI::SetSortMark(int iDirection) {
    const int mark = iDirection > 0 ? 1 : iDirection < 0 ? -1 : 0;
    if (mark == m_iSortMark) return;
    m_iSortMark = mark;
    Invalidate();
}

void CListHeaderItemUI::PaintText(HDC hDC) {
    if (m_iSortMark == 0) return CLabelUI::PaintText(hDC);
    // The text keeps clear of the mark: a long title is cut before it.
    const RECT padding = m_rcTextPadding;
    m_rcTextPadding.right += kSortMarkWidth + kSortMarkMargin;
    CLabelUI::PaintText(hDC);
    m_rcTextPadding = padding;
    PaintSortMark(hDC);
}

void CListHeaderItemUI::PaintSortMark(HDC hDC) {
    const int rows = (kSortMarkWidth + 1) / 2;
    const int left = m_rcItem.right - kSortMarkMargin - kSortMarkWidth;
    const int top = (m_rcItem.top + m_rcItem.bottom - rows) / 2;
    DWORD color = GetTextColor();
    if (color == 0 && m_pManager) color = m_pManager->GetDefaultFontColor();
    // One line of pixels per row: the base is kSortMarkWidth wide, each row
    // towards the tip two pixels narrower.
    for (int i = 0; i < rows; ++i) {
        const int inset = m_iSortMark > 0 ? rows - 1 - i : i;
        const RECT line = {left + inset, top + i, left + kSortMarkWidth - inset, top + i + 1};
        CRenderEngine::DrawColor(hDC, line, color);
    }
}

}  // namespace Vellum
