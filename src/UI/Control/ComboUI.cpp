#include "UI/Control/ComboUI.h"

#include "UI/Base/NameMatch.h"
#include "UI/Control/ComboListUI.h"
#include "UI/Control/ComboWnd.h"
#include "UI/Control/ListInfoAttribute.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

const CUIString& EmptyText() {
    static const CUIString empty;
    return empty;
}

// The look of a combo whose skin gives no images: a white field with a thin
// border and a chevron at the right.
const DWORD kFieldColor = 0xFFFFFFFF;
const DWORD kBorderColor = 0xFFD1D5DB;
const DWORD kHotBorderColor = 0xFF2563EB;
const DWORD kArrowColor = 0xFF6B7280;

}  // namespace

// The entries keep the combo's own quieter palette and a little room at the
// sides unless the skin's "item..." attributes say otherwise.
CComboUI::CComboUI() {
    TListInfoUI& info = m_ListInfo;
    info.uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    info.rcTextPadding = {6, 0, 6, 0};
    info.dwTextColor = 0xFF1F2937;
    info.dwSelectedTextColor = 0xFF1F2937;
    info.dwSelectedBkColor = 0xFFDBEAFE;
    info.dwHotTextColor = 0xFF1F2937;
    info.dwHotBkColor = 0xFFEFF6FF;
    info.dwDisabledTextColor = 0xFF9CA3AF;
    info.dwDisabledBkColor = 0;
}

CComboUI::~CComboUI() {
    // The popup gives the entries back before the container deletes them.
    m_pWindow.reset();
}

const char* CComboUI::GetClass() const { return "ComboUI"; }

void* CComboUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "Combo")) return static_cast<CComboUI*>(this);
    if (Is(pstrName, "IListOwner")) return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(pstrName);
}

UINT CComboUI::GetControlFlags() const { return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | UIFLAG_SETCURSOR; }

IListItemUI* CComboUI::ItemAt(int iIndex) const {
    CControlUI* control = GetItemAt(iIndex);
    return control ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

const CUIString& CComboUI::GetText() const {
    CControlUI* control = GetItemAt(m_iCurSel);
    return control ? control->GetText() : EmptyText();
}

void CComboUI::RenumberFrom(int iIndex) {
    for (int i = iIndex; i < GetCount(); ++i) {
        if (IListItemUI* item = ItemAt(i)) item->SetIndex(i);
    }
}

bool CComboUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CComboUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!CContainerUI::AddAt(pControl, iIndex)) return false;
    if (IListItemUI* item = static_cast<IListItemUI*>(pControl->GetInterface("ListItem"))) item->SetOwner(this);
    RenumberFrom(iIndex);
    if (m_iCurSel >= iIndex) ++m_iCurSel;
    return true;
}

bool CComboUI::Remove(CControlUI* pControl) {
    const int index = GetItemIndex(pControl);
    return index >= 0 && RemoveAt(index);
}

bool CComboUI::RemoveAt(int iIndex) {
    if (!GetItemAt(iIndex)) return false;
    // An entry cannot leave while the popup shows it.
    if (m_pWindow) m_pWindow->Destroy();
    if (!CContainerUI::RemoveAt(iIndex)) return false;
    RenumberFrom(iIndex);
    if (iIndex == m_iCurSel) {
        m_iCurSel = -1;
        m_strText.Empty();
    } else if (iIndex < m_iCurSel) {
        --m_iCurSel;
    }
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    if (m_pWindow) m_pWindow->Destroy();  // gives the entries back at once
    m_iCurSel = -1;
    m_strText.Empty();
    CContainerUI::RemoveAll();
    Invalidate();
}

bool CComboUI::SelectItem(int iIndex, bool bTakeFocus) {
    if (iIndex == m_iCurSel) return true;
    const int previous = m_iCurSel;
    if (m_iCurSel >= 0) {
        if (IListItemUI* item = ItemAt(m_iCurSel)) item->Select(false);
        m_iCurSel = -1;
        m_strText.Empty();
    }
    if (iIndex < 0 || GetCount() == 0) return false;
    if (iIndex >= GetCount()) iIndex = GetCount() - 1;
    CControlUI* control = GetItemAt(iIndex);
    IListItemUI* item = ItemAt(iIndex);
    if (!control->IsVisible() || !control->IsEnabled() || !item) return false;
    m_iCurSel = iIndex;
    if (IsDropped()) m_pWindow->GetList()->EnsureVisible(control);
    if (IsDropped() || bTakeFocus) control->SetFocus();
    item->Select(true);
    // Callers holding a plain control pointer read the same text.
    m_strText = control->GetText();
    if (m_pManager) m_pManager->SendNotify(this, "itemselect", static_cast<WPARAM>(m_iCurSel), previous);
    Invalidate();
    return true;
}

bool CComboUI::IsDropped() const { return m_pWindow && m_pWindow->IsOpen(); }

HWND CComboUI::GetDropDownWindow() const { return IsDropped() ? m_pWindow->GetHWND() : nullptr; }

bool CComboUI::Activate() {
    if (!CContainerUI::Activate()) return false;
    if (IsDropped()) return true;
    if (!m_pWindow) m_pWindow.reset(new CComboWnd(this));
    if (!m_pWindow->Open()) return false;
    if (m_pManager) m_pManager->SendNotify(this, "dropdown");
    Invalidate();
    return true;
}

void CComboUI::CloseDropDown() {
    if (IsDropped()) m_pWindow->Close();
}

void CComboUI::OnDropDownClosed() {
    m_uButtonState &= ~UISTATE_PUSHED;
    Invalidate();
}

void CComboUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (IsEnabled() && ::PtInRect(&m_rcItem, event.ptMouse)) {
            m_uButtonState |= UISTATE_PUSHED;
            Activate();
        }
        return;
    case UIEVENT_BUTTONUP:
        m_uButtonState &= ~UISTATE_PUSHED;
        Invalidate();
        return;
    case UIEVENT_KEYDOWN:
        switch (event.chKey) {
        case VK_UP:
            if (m_iCurSel > 0) SelectItem(m_iCurSel - 1, IsDropped());
            return;
        case VK_DOWN:
            if (::GetKeyState(VK_MENU) < 0) Activate();
            else SelectItem(m_iCurSel + 1 < GetCount() ? m_iCurSel + 1 : m_iCurSel, IsDropped());
            return;
        case VK_F4:
        case VK_SPACE: Activate(); return;
        default: return;
        }
        return;
    case UIEVENT_SCROLLWHEEL:
        // Entries in the drop-down pass the wheel to us: it scrolls the drop-down.
        if (IsDropped()) m_pWindow->GetList()->DoEvent(event);
        else CContainerUI::DoEvent(event);
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) m_uButtonState |= UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_SETCURSOR: ::SetCursor(::LoadCursor(nullptr, IDC_ARROW)); return;
    default: CContainerUI::DoEvent(event); return;
    }
}

void CComboUI::SetEnabled(bool bEnable) {
    CContainerUI::SetEnabled(bEnable);
    if (!bEnable) {
        m_uButtonState = 0;
        CloseDropDown();
    }
}

void CComboUI::SetPos(RECT rc, bool bNeedInvalidate) {
    // The entries are laid out by the drop-down, not inside the combo.
    CControlUI::SetPos(rc, bNeedInvalidate);
}

SIZE CComboUI::EstimateSize(SIZE szAvailable) {
    if (m_cxyFixed.cy > 0 || !m_pManager) return CControlUI::EstimateSize(szAvailable);
    const TFontInfo& font = m_pManager->GetFontInfo(m_ListInfo.nFont);
    return {m_cxyFixed.cx, static_cast<int>(font.tm.tmHeight) + 12};
}

CControlUI* CComboUI::FindControl(FindControlProc proc, void* pData, UINT uFlags) {
    // Hit tests stop at the combo; other searches (names, cleanup) see the entries.
    if (uFlags & UIFIND_HITTEST) return CControlUI::FindControl(proc, pData, uFlags);
    return CContainerUI::FindControl(proc, pData, uFlags);
}

void CComboUI::DoPaint(HDC hDC, const RECT& rcPaint) { CControlUI::DoPaint(hDC, rcPaint); }

void CComboUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    TListInfoUI& info = m_ListInfo;
    if (SetListInfoAttribute(info, pstrName, pstrValue)) return;
    if (Is(pstrName, "textpadding")) m_rcTextPadding = ToRECT(ParseRect(v));
    else if (Is(pstrName, "normalimage")) m_strNormalImage = v;
    else if (Is(pstrName, "hotimage")) m_strHotImage = v;
    else if (Is(pstrName, "pushedimage")) m_strPushedImage = v;
    else if (Is(pstrName, "focusedimage")) m_strFocusedImage = v;
    else if (Is(pstrName, "disabledimage")) m_strDisabledImage = v;
    else if (Is(pstrName, "dropbox")) m_strDropBoxAttributes = v;
    else if (Is(pstrName, "dropboxsize")) m_szDropBox = ToSIZE(ParseSize(v));
    else CContainerUI::SetAttribute(pstrName, pstrValue);
}

void CComboUI::PaintStatusImage(HDC hDC) {
    const bool hot = (m_uButtonState & UISTATE_HOT) != 0 || IsDropped();
    bool drawn = false;
    if (!IsEnabled()) drawn = DrawImage(hDC, m_strDisabledImage);
    else if (m_uButtonState & UISTATE_PUSHED) drawn = DrawImage(hDC, m_strPushedImage);
    else if (hot) drawn = DrawImage(hDC, m_strHotImage);
    else if (IsFocused()) drawn = DrawImage(hDC, m_strFocusedImage);
    if (!drawn) drawn = DrawImage(hDC, m_strNormalImage);
    if (drawn) return;

    // No skin images: field, border (blue when hot or focused), chevron.
    if (!m_dwBackColor) CRenderEngine::DrawColor(hDC, m_rcItem, IsEnabled() ? kFieldColor : 0xFFF3F4F6);
    if (!m_nBorderSize) {
        CRenderEngine::DrawRect(hDC, m_rcItem, 1, IsEnabled() && (hot || IsFocused()) ? kHotBorderColor : kBorderColor);
    }
    const int cx = m_rcItem.right - 14;
    const int cy = (m_rcItem.top + m_rcItem.bottom) / 2;
    CRenderEngine::DrawLine(hDC, {cx - 4, cy - 2}, {cx, cy + 2}, 1, kArrowColor);
    CRenderEngine::DrawLine(hDC, {cx, cy + 2}, {cx + 5, cy - 3}, 1, kArrowColor);
}

void CComboUI::PaintText(HDC hDC) {
    if (!m_pManager) return;
    const CUIString& text = GetText();
    if (text.IsEmpty()) return;
    RECT rc = m_rcItem;
    rc.left += m_rcTextPadding.left;
    rc.right -= m_rcTextPadding.right;
    rc.top += m_rcTextPadding.top;
    rc.bottom -= m_rcTextPadding.bottom;
    const DWORD color = IsEnabled() ? m_ListInfo.dwTextColor : m_ListInfo.dwDisabledTextColor;
    const UINT style =
        DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (m_ListInfo.uTextStyle & (DT_LEFT | DT_CENTER | DT_RIGHT));
    CRenderEngine::DrawText(hDC, m_pManager->GetFont(m_ListInfo.nFont), rc, text.GetData(), color, style);
}

}  // namespace Vellum
