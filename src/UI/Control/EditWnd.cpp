#include "UI/Control/EditWnd.h"

#include <vector>

#include "UI/Control/EditUI.h"
#include "UI/Core/UIDefs.h"

namespace Vellum {

namespace {

const char kClassName[] = "VellumEdit";

// Characters a single-line EDIT has no use for: it would only beep at them.
// Their keys have reached the box (and the window's filters) before.
bool IsControlCharacter(WPARAM ch) { return ch == VK_RETURN || ch == VK_ESCAPE || ch == VK_TAB || ch == '\n'; }

}  // namespace

CEditWnd::CEditWnd(CEditUI* pOwner) : m_pOwner(pOwner) {}

CEditWnd::~CEditWnd() {
    // Destroyed while still linked to this object, so the system EDIT frees
    // its own state at WM_NCDESTROY; the box being deleted hears nothing.
    m_pOwner = nullptr;
    Destroy();
}

const char* CEditWnd::GetWindowClassName() const { return kClassName; }

const char* CEditWnd::GetSuperClassName() const { return "EDIT"; }

bool CEditWnd::Open(HWND hWndParent, const char* text) {
    if (m_hWnd) return true;
    // No WS_TABSTOP: the framework moves the focus between its controls.
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL;
    if (!Create(hWndParent, text ? text : "", style, 0, 0, 0, 0, 0)) return false;
    // The manager sends our notifications and colour requests back here.
    ::SetPropA(m_hWnd, kReflectProperty, reinterpret_cast<HANDLE>(1));
    return true;
}

void CEditWnd::Destroy() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

std::string CEditWnd::GetText() const {
    if (!m_hWnd) return std::string();
    // The length may be an overestimate for double-byte text; the copy says
    // how many bytes there are.
    const int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void CEditWnd::OnWindowDestroyed(HWND) {
    if (m_pOwner) m_pOwner->OnNativeDestroyed();
}

void CEditWnd::PaintEmpty(HDC hDC) {
    RECT rc = {0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &rc);
    m_pOwner->PaintNativeEmpty(hDC, rc);
}

void CEditWnd::RepaintEmpty() {
    HDC hDC = ::GetDC(m_hWnd);
    if (!hDC) return;
    ::HideCaret(m_hWnd);  // drawn inverted over the text: not drawn over
    PaintEmpty(hDC);
    ::ShowCaret(m_hWnd);
    ::ReleaseDC(m_hWnd, hDC);
}

// An empty EDIT would paint only its background: the box's hint is drawn in
// its place. With text, the system EDIT paints as it always does.
LRESULT CEditWnd::OnPaint(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (!m_pOwner || ::GetWindowTextLengthA(m_hWnd) > 0) return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    if (uMsg == WM_PRINTCLIENT) {
        PaintEmpty(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);  // hides the caret until EndPaint
    if (hDC) PaintEmpty(hDC);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

// Keys go to the box first, as every focused control's keys do; the box may
// keep one from the EDIT (an event delegate that returned false).
LRESULT CEditWnd::OnKey(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (m_pOwner && !m_pOwner->OnNativeKey(uMsg, wParam, lParam)) return 0;
    if (!m_hWnd) return 0;  // the box let go of its window while handling the key
    if (uMsg == WM_CHAR && IsControlCharacter(wParam)) return 0;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

LRESULT CEditWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // The EDIT makes or drops its caret first; then the box's focus follows.
        const LRESULT lRes = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
        // Wine's single-line EDIT repaints itself there straight into its
        // DC, not through WM_PAINT: an empty one has just painted over the hint.
        if (m_pOwner && m_hWnd && ::GetWindowTextLengthA(m_hWnd) == 0) RepaintEmpty();
        if (m_pOwner && m_hWnd) m_pOwner->OnNativeFocus(uMsg == WM_SETFOCUS, reinterpret_cast<HWND>(wParam));
        return lRes;
    }
    case WM_PAINT:
    case WM_PRINTCLIENT: return OnPaint(uMsg, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: return OnKey(uMsg, wParam, lParam);
    case WM_VELLUM_REFLECT + WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && m_pOwner) m_pOwner->OnNativeTextChanged();
        return 0;
    case WM_VELLUM_REFLECT + WM_CTLCOLOREDIT:
    case WM_VELLUM_REFLECT + WM_CTLCOLORSTATIC:
        return m_pOwner ? reinterpret_cast<LRESULT>(m_pOwner->OnNativeColor(reinterpret_cast<HDC>(wParam))) : 0;
    default: return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    }
}

}  // namespace Vellum
