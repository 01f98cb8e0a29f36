#include "UI/Control/ButtonUI.h"

#include "UI/Base/NameMatch.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

const char* CButtonUI::GetClass() const { return "ButtonUI"; }

void* CButtonUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "Button")) return static_cast<CButtonUI*>(this);
    return CLabelUI::GetInterface(pstrName);
}

UINT CButtonUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0);
}

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pManager) m_pManager->SendNotify(this, "click");
    return true;
}

void CButtonUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!bEnable) m_uButtonState = 0;
}

void CButtonUI::DoEvent(TEventUI& event) {
    const bool inside = ::PtInRect(&m_rcItem, event.ptMouse) != FALSE;
    switch (event.Type) {
    case UIEVENT_KEYDOWN:
        if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
            Activate();
            return;
        }
        break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (inside && IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uButtonState & UISTATE_CAPTURED) {
            const UINT before = m_uButtonState;
            if (inside) m_uButtonState |= UISTATE_PUSHED;
            else m_uButtonState &= ~UISTATE_PUSHED;
            if (before != m_uButtonState) Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
            // The state is settled first: a click handler may hide or remove us.
            if (inside) Activate();
        }
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_uButtonState |= UISTATE_HOT;
            Invalidate();
        }
        break;
    case UIEVENT_MOUSELEAVE:
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
        break;
    case UIEVENT_SETCURSOR: ::SetCursor(::LoadCursor(nullptr, IsEnabled() ? IDC_HAND : IDC_ARROW)); return;
    default: break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetNormalImage(const char* pstrImage) {
    m_strNormalImage = pstrImage;
    Invalidate();
}

void CButtonUI::SetHotImage(const char* pstrImage) {
    m_strHotImage = pstrImage;
    Invalidate();
}

void CButtonUI::SetPushedImage(const char* pstrImage) {
    m_strPushedImage = pstrImage;
    Invalidate();
}

void CButtonUI::SetDisabledImage(const char* pstrImage) {
    m_strDisabledImage = pstrImage;
    Invalidate();
}

void CButtonUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "normalimage")) SetNormalImage(v);
    else if (Is(pstrName, "hotimage")) SetHotImage(v);
    else if (Is(pstrName, "pushedimage")) SetPushedImage(v);
    else if (Is(pstrName, "focusedimage")) m_strFocusedImage = v;
    else if (Is(pstrName, "disabledimage")) SetDisabledImage(v);
    else if (Is(pstrName, "foreimage")) m_strForeImage = v;
    else if (Is(pstrName, "hotforeimage")) m_strHotForeImage = v;
    else if (Is(pstrName, "pushedforeimage")) m_strPushedForeImage = v;
    else if (Is(pstrName, "disabledforeimage")) m_strDisabledForeImage = v;
    else if (Is(pstrName, "hotbkcolor")) m_dwHotBkColor = ParseColor(v);
    else if (Is(pstrName, "pushedbkcolor")) m_dwPushedBkColor = ParseColor(v);
    else if (Is(pstrName, "Focusedbkcolor")) m_dwFocusedBkColor = ParseColor(v);
    else if (Is(pstrName, "hottextcolor")) m_dwHotTextColor = ParseColor(v);
    else if (Is(pstrName, "pushedtextcolor")) m_dwPushedTextColor = ParseColor(v);
    else if (Is(pstrName, "focusedtextcolor")) m_dwFocusedTextColor = ParseColor(v);
    else if (Is(pstrName, "pushfloat")) m_bPushFloat = ParseBool(v);
    else CLabelUI::SetAttribute(pstrName, pstrValue);
}

DWORD CButtonUI::GetPaintTextColor() const {
    if (IsEnabled()) {
        if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor) return m_dwPushedTextColor;
        if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor) return m_dwHotTextColor;
        if (IsFocused() && m_dwFocusedTextColor) return m_dwFocusedTextColor;
    }
    return CLabelUI::GetPaintTextColor();
}

void CButtonUI::PaintStatusImage(HDC hDC) {
    const bool pushed = (m_uButtonState & UISTATE_PUSHED) != 0;
    const bool hot = (m_uButtonState & UISTATE_HOT) != 0;
    // Background colour of the state, then the state image; a state without
    // its own image falls back to the normal one.
    if (IsEnabled()) {
        DWORD color = 0;
        if (pushed) color = m_dwPushedBkColor ? m_dwPushedBkColor : m_dwHotBkColor;
        else if (hot) color = m_dwHotBkColor;
        else if (IsFocused()) color = m_dwFocusedBkColor;
        if (color) CRenderEngine::DrawColor(hDC, m_rcPaint, color);
    }
    bool drawn = false;
    if (!IsEnabled()) drawn = DrawImage(hDC, m_strDisabledImage);
    else if (pushed) drawn = DrawImage(hDC, m_strPushedImage) || DrawImage(hDC, m_strHotImage);
    else if (hot) drawn = DrawImage(hDC, m_strHotImage);
    else if (IsFocused()) drawn = DrawImage(hDC, m_strFocusedImage);
    if (!drawn) DrawImage(hDC, m_strNormalImage);

    bool foreDrawn = false;
    if (!IsEnabled()) foreDrawn = DrawImage(hDC, m_strDisabledForeImage);
    else if (pushed) foreDrawn = DrawImage(hDC, m_strPushedForeImage);
    else if (hot) foreDrawn = DrawImage(hDC, m_strHotForeImage);
    if (!foreDrawn) DrawImage(hDC, m_strForeImage);
}

}  // namespace Vellum
