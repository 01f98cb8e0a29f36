#include "UI/Control/ListTextElementExUI.h"

#include <cassert>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "UI/Core/UIManager.h"

namespace Vellum {

namespace {

// The check box sits 10 pixels into the first column; its text starts after it.
const int kCheckBoxTextIndent = 30;

// The box's place in the row's descriptors, made for a row 20 pixels high
// (2 above the 16-pixel box, 2 below).
const int kBoxLeft = 10, kBoxTop = 2, kBoxRight = 26, kBoxBottom = 18, kBoxRowHeight = 20;

// The box images, read once for all rows of the program.
const CImageAttribute& CheckBoxImage(bool bChecked) {
    static const CImageAttribute checked("file='Default_Checkbox.png' source='32,0,48,16' dest='10,2,26,18'");
    static const CImageAttribute unchecked("file='Default_Checkbox.png' source='0,0,16,16' dest='10,2,26,18'");
    return bChecked ? checked : unchecked;
}

// A taller row keeps the box in its middle, level with its centred text:
// the descriptor's place moved down by half the extra height. No change
// when the row is not taller.
TImageModifier CentredBoxPlace(const RECT& rcItem) {
    TImageModifier place;
    const int shift = (rcItem.bottom - rcItem.top - kBoxRowHeight) / 2;
    if (shift <= 0) return place;
    place.bDest = true;
    place.rcDest = {kBoxLeft, kBoxTop + shift, kBoxRight, kBoxBottom + shift};
    return place;
}

// Colour 0 carries no alpha; the row's texts are opaque black.
DWORD OpaqueColor(DWORD dwColor) { return dwColor | 0xFF000000; }

}  // namespace

CListTextElementExUI::CListTextElementExUI() = default;

const char* CListTextElementExUI::GetClass() const { return "ListTextElementExUI"; }

void* CListTextElementExUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "ListTextElementEx") == 0) return static_cast<CListTextElementExUI*>(this);
    return CListTextElementUI::GetInterface(pstrName);
}

int CListTextElementExUI::HitColumn(POINT pt) const {
    for (const auto& column : m_mColumnRects) {
        if (::PtInRect(&column.second, pt)) return column.first;
    }
    return -1;
}

void CListTextElementExUI::DoEvent(TEventUI& event) {
    // Rows of anything but a list (a combo box) take no input.
    CControlUI* list = GetOwnerList();
    if (!list) return;
    assert(m_pOwner);  // a list owner is always an IListOwnerUI
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK: {
        if (!IsEnabled()) break;
        const TListInfoUI* info = m_pOwner->GetListInfo();
        assert(info);
        if (m_bShowCheckBox && info->nColumns > 0) {
            RECT hit = m_rcItem;
            hit.right = info->rcColumn[0].right;
            // The window class has CS_DBLCLKS: a quick second press on the box
            // arrives as a double-click. It is a press all the same, or the
            // second of two quick ticks would be lost (and what gets deleted
            // would no longer follow the operator's clicks).
            if (::PtInRect(&hit, event.ptMouse)) {
                m_bChecked = !m_bChecked;
                if (m_pManager) {
                    m_pManager->SendNotify(this, "itemclick", static_cast<WPARAM>(m_iIndex), 0);
                    // Told apart from a press on the name (also column 0)
                    // and from a right press: the tick changed.
                    m_pManager->SendNotify(this, "itemcheck", static_cast<WPARAM>(m_iIndex), m_bChecked ? 1 : 0);
                }
                Invalidate();
                return;
            }
        }
        if (event.Type == UIEVENT_DBLCLICK) break;  // elsewhere it activates the row
        const int column = HitColumn(event.ptMouse);
        if (column >= 0) {
            m_pOwner->SelectItem(m_iIndex, true);
            if (m_pManager) m_pManager->SendNotify(this, "itemclick", static_cast<WPARAM>(m_iIndex), column);
            Invalidate();
            return;
        }
        m_pOwner->DoEvent(event);
        break;
    }
    case UIEVENT_SETCURSOR:
        for (const auto& column : m_mColumnRects) {
            if (::PtInRect(&column.second, event.ptMouse)) {
                ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
                return;
            }
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        }
        return;
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE: m_pOwner->DoEvent(event); break;
    default: break;
    }
    CListTextElementUI::DoEvent(event);
}

void CListTextElementExUI::DrawItemText(HDC hDC, const RECT& rcItem) {
    if (!m_pOwner || !m_pManager) return;
    const TListInfoUI* info = m_pOwner->GetListInfo();
    assert(info);
    if (static_cast<int>(m_aColumnTextColor.size()) < info->nColumns) m_aColumnTextColor.resize(info->nColumns, 0);
    m_links.clear();
    std::string cut;
    for (int c = 0; c < info->nColumns; ++c) {
        const RECT rcColumn = {info->rcColumn[c].left, rcItem.top, info->rcColumn[c].right, rcItem.bottom};
        m_mColumnRects[c] = rcColumn;
        if (info->iSepWidth != 0 && c < info->nColumns - 1) {
            const int x = rcColumn.right + info->iSepOffset;
            DWORD color = info->dwLineColor;
            if (!IsEnabled()) color = (color & 0x00FFFFFF) | 0x60000000;  // faded
            CRenderEngine::DrawColor(hDC, {x, rcColumn.top, x + info->iSepWidth, rcColumn.bottom}, color);
        }
        RECT rc = rcColumn;
        rc.left += info->rcTextPadding.left;
        rc.right -= info->rcTextPadding.right;
        rc.top += info->rcTextPadding.top;
        rc.bottom -= info->rcTextPadding.bottom;
        UINT style = info->uColumnAlign[c] | DT_SINGLELINE | DT_VCENTER;
        if (c == 0 && m_bShowCheckBox) {
            bool& broken = m_bChecked ? m_bCheckedImageBroken : m_bUncheckedImageBroken;
            const TImageModifier place = CentredBoxPlace(rcItem);
            if (!broken && !DrawImages(hDC, CheckBoxImage(m_bChecked).GetImages(), &place)) broken = true;
            style = (style & ~(DT_CENTER | DT_RIGHT)) | DT_LEFT;
            rc.left += kCheckBoxTextIndent;
        }
        if (info->bEndEllipsis) style |= DT_END_ELLIPSIS;
        const char* text = GetColumnText(c);
        DrawRowText(hDC, rc, text, info->nColumnFont[c], style, OpaqueColor(m_aColumnTextColor[c]));
        if (IsCut(hDC, c, text, info->nColumnFont[c], rc.right - rc.left)) {
            if (!cut.empty()) cut += "\r\n";
            cut += text;
        }
    }
    // A text the column cuts is read whole in the row's tip.
    if (GetToolTip() != cut.c_str()) SetToolTip(cut.c_str());
}

bool CListTextElementExUI::IsCut(HDC hDC, int iColumn, const char* text, int iFont, int width) {
    if (!text || !*text || !m_pManager) return false;
    return TextWidth(hDC, iColumn, text, iFont) > width;
}

int CListTextElementExUI::TextWidth(HDC hDC, int iColumn, const char* text, int iFont) {
    if (static_cast<int>(m_aMeasured.size()) <= iColumn) m_aMeasured.resize(iColumn + 1);
    TMeasuredText& measured = m_aMeasured[iColumn];
    const size_t length = std::strlen(text);
    const uint64_t hash = std::hash<std::string_view>{}(std::string_view(text, length));
    if (measured.iFont == iFont && measured.nTextHash == hash) return measured.cxWidth;
    HGDIOBJ old = ::SelectObject(hDC, m_pManager->GetFont(iFont));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, text, static_cast<int>(length), &size);
    ::SelectObject(hDC, old);
    measured = {hash, iFont, size.cx};
    return size.cx;
}

void CListTextElementExUI::DrawItemBk(HDC hDC, const RECT& rcItem) { CListTextElementUI::DrawItemBk(hDC, rcItem); }

}  // namespace Vellum
