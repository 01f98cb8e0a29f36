#include "UI/Control/OptionUI.h"

#include <vector>

#include "UI/Base/NameMatch.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

namespace {

// The default glyph: one 16x16 cell of the strip, with this much room kept
// for it left of the text.
const int kGlyphSize = 16;
const int kGlyphRoom = 22;

}  // namespace

COptionUI::COptionUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT; }

const char* COptionUI::GetClass() const { return "OptionUI"; }

void* COptionUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "Option")) return static_cast<COptionUI*>(this);
    return CButtonUI::GetInterface(pstrName);
}

void COptionUI::SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit) {
    if (m_pManager && m_pManager != pManager && !m_strGroupName.IsEmpty())
        m_pManager->RemoveOptionGroup(m_strGroupName.GetData(), this);
    CButtonUI::SetManager(pManager, pParent, bInit);
    if (!bInit || !pManager || m_strGroupName.IsEmpty()) return;
    pManager->AddOptionGroup(m_strGroupName.GetData(), this);
    // A skin that marks two options of one group selected keeps the later one.
    if (m_bSelected) ClearGroupSiblings();
}

void COptionUI::SetGroup(const char* pstrGroupName) {
    const char* name = pstrGroupName ? pstrGroupName : "";
    if (m_strGroupName == name) return;
    if (m_pManager && !m_strGroupName.IsEmpty()) m_pManager->RemoveOptionGroup(m_strGroupName.GetData(), this);
    m_strGroupName = name;
    if (m_pManager && !m_strGroupName.IsEmpty()) m_pManager->AddOptionGroup(m_strGroupName.GetData(), this);
    Invalidate();
}

void COptionUI::ClearGroupSiblings() {
    if (!m_pManager || m_strGroupName.IsEmpty()) return;
    const std::vector<CControlUI*>* group = m_pManager->GetOptionGroup(m_strGroupName.GetData());
    if (!group) return;
    // Clearing a grouped option notifies nobody, so the group cannot change
    // under us; a copy keeps that true whatever Selected does in a subclass.
    const std::vector<CControlUI*> members = *group;
    for (CControlUI* member : members) {
        COptionUI* option = static_cast<COptionUI*>(member->GetInterface("Option"));
        if (option && option != this) option->Selected(false);
    }
}

void COptionUI::Selected(bool bSelected) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    if (m_bSelected) m_uButtonState |= UISTATE_SELECTED;
    else m_uButtonState &= ~UISTATE_SELECTED;
    if (m_pManager) {
        if (m_strGroupName.IsEmpty()) {
            m_pManager->SendNotify(this, "selectchanged");
        } else if (m_bSelected) {
            ClearGroupSiblings();
            m_pManager->SendNotify(this, "selectchanged");
        }
    }
    Invalidate();
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) return false;  // "click", with the state from before
    if (!m_strGroupName.IsEmpty()) Selected(true);
    else Selected(!m_bSelected);
    return true;
}

void COptionUI::SetEnabled(bool bEnable) {
    CButtonUI::SetEnabled(bEnable);
    // The button clears its states when disabled; the selection stays.
    if (m_bSelected) m_uButtonState |= UISTATE_SELECTED;
}

void COptionUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "group")) SetGroup(v);
    else if (Is(pstrName, "selected")) Selected(ParseBool(v));
    else if (Is(pstrName, "selectedimage")) m_strSelectedImage = v;
    else if (Is(pstrName, "selectedhotimage")) m_strSelectedHotImage = v;
    else if (Is(pstrName, "normaldisabledimage")) m_strNormalDisabledImage = v;
    else if (Is(pstrName, "selecteddisabledimage")) m_strSelectedDisabledImage = v;
    else if (Is(pstrName, "selectedbkcolor")) m_dwSelectedBkColor = ParseColor(v);
    else if (Is(pstrName, "selectedtextcolor")) m_dwSelectedTextColor = ParseColor(v);
    else CButtonUI::SetAttribute(pstrName, pstrValue);
    // "foreimage" is the button's: drawn over the state image.
}

const char* COptionUI::GetDefaultGlyph() const { return "Default_Radio.png"; }

bool COptionUI::UsesDefaultGlyph() const { return m_strNormalImage.IsEmpty() && m_strSelectedImage.IsEmpty(); }

DWORD COptionUI::GetPaintTextColor() const {
    if (IsEnabled() && m_bSelected && m_dwSelectedTextColor) return m_dwSelectedTextColor;
    return CButtonUI::GetPaintTextColor();
}

void COptionUI::PaintStatusImage(HDC hDC) {
    if (UsesDefaultGlyph()) {
        // Cells: normal, hot, selected, disabled.
        int cell = 0;
        if (!IsEnabled()) cell = 3;
        else if (m_bSelected) cell = 2;
        else if (m_uButtonState & (UISTATE_HOT | UISTATE_PUSHED)) cell = 1;
        const int top = (GetHeight() - kGlyphSize) / 2;
        TImageModifier place;
        place.bSource = true;
        place.rcSource = {cell * kGlyphSize, 0, (cell + 1) * kGlyphSize, kGlyphSize};
        place.bDest = true;
        place.rcDest = {0, top, kGlyphSize, top + kGlyphSize};
        // The default glyph is never given up: one that could not be drawn
        // is emptied, read again and tried at the next paint.
        if (m_strDefaultGlyph.IsEmpty()) m_strDefaultGlyph = GetDefaultGlyph();
        DrawImage(hDC, m_strDefaultGlyph, &place);
        return;
    }
    if (!m_bSelected) {
        if (!IsEnabled() && DrawImage(hDC, m_strNormalDisabledImage)) return;
        CButtonUI::PaintStatusImage(hDC);
        return;
    }
    if (IsEnabled() && m_dwSelectedBkColor) CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwSelectedBkColor);
    bool drawn = false;
    if (!IsEnabled()) drawn = DrawImage(hDC, m_strSelectedDisabledImage);
    else if (m_uButtonState & UISTATE_HOT) drawn = DrawImage(hDC, m_strSelectedHotImage);
    if (!drawn) drawn = DrawImage(hDC, m_strSelectedImage);
    if (!drawn) CButtonUI::PaintStatusImage(hDC);
    else DrawImage(hDC, m_strForeImage);
}

void COptionUI::PaintText(HDC hDC) {
    if (!UsesDefaultGlyph()) {
        CButtonUI::PaintText(hDC);
        return;
    }
    // The glyph sits in the left padding; the text starts after it.
    const RECT saved = m_rcTextPadding;
    m_rcTextPadding.left += kGlyphRoom;
    CButtonUI::PaintText(hDC);
    m_rcTextPadding = saved;
}

}  // namespace Vellum
