#include "UI/Control/EditUI.h"

#include <algorithm>
#include <string>

#include "UI/Base/NameMatch.h"
#include "UI/Control/EditWnd.h"
#include "UI/Core/UIManager.h"
#include "UI/Markup/ValueParse.h"
#include "UI/Render/RenderEngine.h"

namespace Vellum {

namespace {

// The box draws its own text (disabled, or before its window exists) the
// way the EDIT shows it: one line from the left, cut with an ellipsis.
const UINT kTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS;

// ITranslateAccelerator's answers.
const LRESULT kKeyTaken = 0;
const LRESULT kKeyNotTaken = 1;

}  // namespace

// Out of the box, the look of the program's fields: white, a thin grey
// border that turns blue with the focus, a little room at the sides.
CEditUI::CEditUI() {
    m_dwBackColor = 0xFFFFFFFF;
    m_dwBorderColor = 0xFFD1D5DB;
    m_dwFocusBorderColor = 0xFF2563EB;
    m_nBorderSize = 1;
    m_rcTextPadding = {6, 0, 6, 0};
    m_uTextStyle = kTextStyle;
}

CEditUI::~CEditUI() {
    CloseNative();
    m_pEdit.reset();
}

const char* CEditUI::GetClass() const { return "EditUI"; }

void* CEditUI::GetInterface(const char* pstrName) {
    if (Is(pstrName, "Edit")) return static_cast<CEditUI*>(this);
    return CLabelUI::GetInterface(pstrName);
}

UINT CEditUI::GetControlFlags() const { return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | UIFLAG_SETCURSOR; }

HWND CEditUI::GetNativeWindow() const { return m_pEdit ? m_pEdit->GetHWND() : nullptr; }

HWND CEditUI::PaintWindow() const { return m_pManager ? m_pManager->GetPaintWindow() : nullptr; }

bool CEditUI::IsNativeShown() const {
    const HWND hWnd = GetNativeWindow();
    return hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CEditUI::SetText(const char* pstrText) {
    CLabelUI::SetText(pstrText);
    const HWND hWnd = GetNativeWindow();
    if (!hWnd || m_pEdit->GetText() == m_strText.GetData()) return;
    // The EDIT reports this change too; it finds the box's text equal to its
    // own and says nothing.
    ::SetWindowTextA(hWnd, m_strText.GetData());
    // Typing goes on after the text, not before it.
    ::SendMessageA(hWnd, EM_SETSEL, m_strText.GetLength(), m_strText.GetLength());
    ::InvalidateRect(hWnd, nullptr, TRUE);  // the hint comes or goes as a whole
}

void CEditUI::SetHint(const char* pstrHint) {
    m_strHint = pstrHint ? pstrHint : "";
    Invalidate();
    if (HWND hWnd = GetNativeWindow()) ::InvalidateRect(hWnd, nullptr, TRUE);
}

void CEditUI::SetHintTextColor(DWORD dwColor) {
    m_dwHintTextColor = dwColor;
    Invalidate();
    if (HWND hWnd = GetNativeWindow()) ::InvalidateRect(hWnd, nullptr, TRUE);
}

void CEditUI::SetMaxChar(int nMax) {
    m_nMaxChar = std::max(0, nMax);
    // 0 asks the EDIT for its largest limit.
    if (HWND hWnd = GetNativeWindow()) ::SendMessageA(hWnd, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxChar), 0);
}

void CEditUI::SetFont(int index) {
    CLabelUI::SetFont(index);
    ApplyNativeFont();
    UpdateNative(false);  // another line height
}

void CEditUI::ApplyNativeFont() {
    const HWND hWnd = GetNativeWindow();
    if (!hWnd || !m_pManager) return;
    // The manager owns the font and outlives the EDIT (its tree goes first).
    ::SendMessageA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_pManager->GetFont(m_iFont)), FALSE);
    // A new font brings margins of its own; the box's text padding is the margin.
    ::SendMessageA(hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
}

int CEditUI::LineHeight() const {
    return m_pManager ? static_cast<int>(m_pManager->GetFontInfo(m_iFont).tm.tmHeight) : 0;
}

// The border as PaintBorder draws it: per side when any side is set.
RECT CEditUI::BorderSizes() const {
    const RECT& s = m_rcBorderSize;
    if (s.left > 0 || s.top > 0 || s.right > 0 || s.bottom > 0) return s;
    return RECT{m_nBorderSize, m_nBorderSize, m_nBorderSize, m_nBorderSize};
}

RECT CEditUI::TextRect() const {
    const RECT border = BorderSizes();
    RECT rc = m_rcItem;
    rc.left += border.left + m_rcTextPadding.left;
    rc.top += border.top + m_rcTextPadding.top;
    rc.right -= border.right + m_rcTextPadding.right;
    rc.bottom -= border.bottom + m_rcTextPadding.bottom;
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

RECT CEditUI::NativeRect() const {
    RECT rc = TextRect();
    // A single-line EDIT draws its line at its top: one line high, centred,
    // the text sits where a label's would.
    const int line = LineHeight();
    const int height = rc.bottom - rc.top;
    if (line > 0 && height > line) {
        rc.top += (height - line) / 2;
        rc.bottom = rc.top + line;
    }
    return rc;
}

void CEditUI::OpenNative() {
    const HWND parent = PaintWindow();
    if (!parent) return;
    if (!m_pEdit) m_pEdit.reset(new CEditWnd(this));
    if (!m_pEdit->IsOpen()) {
        if (!m_pEdit->Open(parent, m_strText.GetData())) return;  // logged; the box draws its text itself
        m_rcNative = {0, 0, 0, 0};
        m_bNativeClipped = false;
        ApplyNativeFont();
        SetMaxChar(m_nMaxChar);
        ::EnableWindow(m_pEdit->GetHWND(), IsEnabled() ? TRUE : FALSE);
    }
    if (!m_bAcceleratorAdded) {
        m_pManager->AddTranslateAccelerator(this);
        m_bAcceleratorAdded = true;
    }
    // Before the first layout the box has no place yet and the EDIT stays hidden.
    UpdateNative(true);
}

void CEditUI::CloseNative() {
    if (m_bAcceleratorAdded && m_pManager) m_pManager->RemoveTranslateAccelerator(this);
    m_bAcceleratorAdded = false;
    if (m_pEdit) m_pEdit->Destroy();
}

void CEditUI::OnNativeDestroyed() {
    m_rcNative = {0, 0, 0, 0};
    m_bNativeClipped = false;
}

void CEditUI::UpdateNative(bool bMayShow) {
    const HWND hWnd = GetNativeWindow();
    if (!hWnd) return;
    const RECT rc = NativeRect();
    // Only the part inside every container is on screen.
    RECT visible = rc;
    bool show = m_pManager && IsVisible() && IsEnabled() && !::IsRectEmpty(&rc);
    for (CControlUI* parent = m_pParent; show && parent; parent = parent->GetParent()) {
        const RECT& rcParent = parent->GetPos();
        show = ::IntersectRect(&visible, &visible, &rcParent) != FALSE;
    }
    const bool shown = IsNativeShown();
    if (!show) {
        if (!shown) return;
        // A hidden window would still take the keys.
        if (::GetFocus() == hWnd) ::SetFocus(PaintWindow());
        ::ShowWindow(hWnd, SW_HIDE);
        Invalidate();  // the box draws its text itself now
        return;
    }
    if (!::EqualRect(&rc, &m_rcNative)) {
        ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        m_rcNative = rc;
    }
    const bool clipped = !::EqualRect(&visible, &rc);
    if (clipped || m_bNativeClipped) {
        HRGN region = clipped ? ::CreateRectRgn(visible.left - rc.left, visible.top - rc.top, visible.right - rc.left,
                                                visible.bottom - rc.top)
                              : nullptr;
        // Accepted, the region belongs to the window; refused, it is ours to free.
        if (!::SetWindowRgn(hWnd, region, TRUE) && region) ::DeleteObject(region);
        m_bNativeClipped = clipped;
    }
    if (!shown && bMayShow) {
        ::ShowWindow(hWnd, SW_SHOWNA);
        Invalidate();
    }
}

void CEditUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CLabelUI::SetPos(rc, bNeedInvalidate);
    UpdateNative(true);
}

// A box that becomes visible again still has its old place: the layout that
// follows (the change asked for one) shows the EDIT where it belongs.
void CEditUI::SetVisible(bool bVisible) {
    CLabelUI::SetVisible(bVisible);
    UpdateNative(false);
}

void CEditUI::SetInternVisible(bool bVisible) {
    CLabelUI::SetInternVisible(bVisible);
    UpdateNative(false);
}

void CEditUI::SetEnabled(bool bEnable) {
    if (!bEnable && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocusControl(nullptr);
    CLabelUI::SetEnabled(bEnable);
    if (HWND hWnd = GetNativeWindow()) ::EnableWindow(hWnd, bEnable ? TRUE : FALSE);
    UpdateNative(true);
}

void CEditUI::SetManager(CUIManager* pManager, CControlUI* pParent, bool bInit) {
    // The EDIT is a child of the manager's window: another manager, another EDIT.
    if (pManager != m_pManager) CloseNative();
    CLabelUI::SetManager(pManager, pParent, bInit);
}

void CEditUI::DoInit() {
    CLabelUI::DoInit();
    OpenNative();
}

void CEditUI::DoEvent(TEventUI& event) {
    const HWND hWnd = GetNativeWindow();
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
        CLabelUI::DoEvent(event);
        // Focus from the framework (Tab, a click on the border, code): the
        // keyboard goes to the EDIT with the whole text selected, to be typed
        // over. A click into the EDIT has put the caret where it wants it.
        if (IsNativeShown() && ::GetFocus() != hWnd) {
            ::SetFocus(hWnd);
            ::SendMessageA(hWnd, EM_SETSEL, 0, -1);
        }
        return;
    case UIEVENT_KILLFOCUS:
        CLabelUI::DoEvent(event);
        if (hWnd && ::GetFocus() == hWnd) ::SetFocus(PaintWindow());
        return;
    case UIEVENT_SETCURSOR: ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM)); return;
    case UIEVENT_KEYDOWN:
        m_bKeyPassed = true;
        if (event.wParam == VK_RETURN && m_pManager) m_pManager->SendNotify(this, "return");
        return;
    case UIEVENT_KEYUP:
    case UIEVENT_CHAR: m_bKeyPassed = true; return;
    default: CLabelUI::DoEvent(event); return;
    }
}

SIZE CEditUI::EstimateSize(SIZE) {
    SIZE size = m_cxyFixed;
    if (size.cy == 0 && m_pManager) {
        // One line with a little air, and what lies around the text area.
        const RECT border = BorderSizes();
        size.cy = LineHeight() + 8 + m_rcTextPadding.top + m_rcTextPadding.bottom + border.top + border.bottom;
    }
    return size;
}

void CEditUI::SetAttribute(const char* pstrName, const char* pstrValue) {
    const char* v = pstrValue ? pstrValue : "";
    if (Is(pstrName, "hint") || Is(pstrName, "prompt")) {
        SetHint(v);
    } else if (Is(pstrName, "hinttextcolor")) {
        SetHintTextColor(ParseColor(v));
    } else if (Is(pstrName, "maxchar")) {
        SetMaxChar(ParseInt(v));
    } else {
        CLabelUI::SetAttribute(pstrName, pstrValue);
        // A border or padding moves the text area; the next layout shows the
        // EDIT where it is hidden now.
        UpdateNative(false);
    }
}

DWORD CEditUI::BackColor() const {
    const DWORD color = (!IsEnabled() && m_dwDisabledBkColor) ? m_dwDisabledBkColor : m_dwBackColor;
    // An EDIT cannot show what lies behind it: no colour means white.
    return (color >> 24) == 0 ? 0xFFFFFFFF : color;
}

DWORD CEditUI::TextColor() const { return GetPaintTextColor(); }

void CEditUI::DoPaint(HDC hDC, const RECT& rcPaint) {
    CLabelUI::DoPaint(hDC, rcPaint);
    // The EDIT paints with the colours it was given at its last paint; the
    // box's colours changed since (a skin attribute, code): it paints again.
    const HWND hWnd = GetNativeWindow();
    if (hWnd && (BackColor() != m_dwNativeBkColor || TextColor() != m_dwNativeTextColor)) {
        ::InvalidateRect(hWnd, nullptr, TRUE);
    }
}

void CEditUI::PaintText(HDC hDC) {
    // While shown, the EDIT covers the text area and shows the text itself.
    if (IsNativeShown() || !m_pManager) return;
    RECT rc = TextRect();
    const bool empty = m_strText.IsEmpty();
    CRenderEngine::DrawText(hDC, m_pManager->GetFont(m_iFont), rc, empty ? m_strHint.GetData() : m_strText.GetData(),
                            empty ? m_dwHintTextColor : TextColor(), kTextStyle);
}

LRESULT CEditUI::TranslateAccel(MSG* pMsg) {
    const HWND hWnd = GetNativeWindow();
    if (!hWnd || pMsg->hwnd != hWnd || pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_ESCAPE) return kKeyNotTaken;
    // An empty box has nothing to undo: the window's Escape.
    if (m_strText.IsEmpty()) return kKeyNotTaken;
    // The EDIT reports the change like one typed: "textchanged" goes out.
    ::SetWindowTextA(hWnd, "");
    return kKeyTaken;
}

bool CEditUI::OnNativeKey(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    TEventUI event;
    event.Type = uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN : uMsg == WM_KEYUP ? UIEVENT_KEYUP : UIEVENT_CHAR;
    event.pSender = this;
    event.dwTimestamp = ::GetTickCount();
    if (m_pManager) event.ptMouse = m_pManager->GetMousePos();
    event.chKey = static_cast<char>(wParam);
    event.wParam = wParam;
    event.lParam = lParam;
    m_bKeyPassed = false;
    Event(event);  // the delegates, then DoEvent, which marks the key passed
    return m_bKeyPassed;
}

void CEditUI::OnNativeFocus(bool bGained, HWND hOther) {
    if (!m_pManager) return;
    if (bGained) {
        // A click into the EDIT: the framework's focus follows.
        if (m_pManager->GetFocus() != this) m_pManager->SetFocusControl(this);
        return;
    }
    // The keyboard went to the window around the box (a click beside it, or
    // the framework's focus moving on): the box lets go of the focus too.
    // Gone to another window (another program, a popup), the box keeps it and
    // gets the keyboard back with its window.
    if (hOther && hOther == PaintWindow() && m_pManager->GetFocus() == this) m_pManager->SetFocusControl(nullptr);
}

void CEditUI::OnNativeTextChanged() {
    if (!m_pEdit) return;
    const std::string text = m_pEdit->GetText();
    if (m_strText == text.c_str()) return;  // the box's own SetText
    const bool wasEmpty = m_strText.IsEmpty();
    CLabelUI::SetText(text.c_str());
    if (wasEmpty != text.empty()) {
        // The EDIT repaints only what it changed; the hint comes or goes whole.
        if (HWND hWnd = GetNativeWindow()) ::InvalidateRect(hWnd, nullptr, TRUE);
    }
    if (m_pManager) m_pManager->SendNotify(this, "textchanged");
}

HBRUSH CEditUI::OnNativeColor(HDC hDC) {
    const DWORD bk = BackColor();
    const DWORD text = TextColor();
    if (!m_brush || m_dwBrushColor != bk) {
        // The EDIT uses the brush only while it paints; the old one is not
        // in use between two paints.
        m_brush.Reset(::CreateSolidBrush(ToColorRef(bk)));
        m_dwBrushColor = bk;
    }
    ::SetTextColor(hDC, ToColorRef(text));
    ::SetBkColor(hDC, ToColorRef(bk));
    m_dwNativeBkColor = bk;
    m_dwNativeTextColor = text;
    return m_brush.Get();
}

void CEditUI::PaintNativeEmpty(HDC hDC, const RECT& rc) {
    ::FillRect(hDC, &rc, OnNativeColor(hDC));
    if (m_strHint.IsEmpty() || !m_pManager) return;
    // At the top, where the EDIT puts its line.
    RECT rcHint = rc;
    CRenderEngine::DrawText(hDC, m_pManager->GetFont(m_iFont), rcHint, m_strHint.GetData(), m_dwHintTextColor,
                            DT_SINGLELINE | DT_TOP | DT_LEFT | DT_END_ELLIPSIS);
}

}  // namespace Vellum
