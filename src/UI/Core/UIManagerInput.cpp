// CUIManager: message processing, mouse and keyboard routing, tool tips and
// the message loops.
#include <windows.h>

#include "UI/Core/ControlUI.h"
#include "UI/Core/UIManager.h"
#include "comm/platform/AsciiCase.h"

namespace Vellum {

namespace {

// The first manager that decides for a message's window: its own window, or
// for a child window the manager of an ancestor below the first popup.
CUIManager* ManagerForMessage(const MSG* pMsg) {
    const std::vector<CUIManager*>& managers = CUIManager::GetManagers();
    const LONG style = ::GetWindowLongA(pMsg->hwnd, GWL_STYLE);
    if ((style & WS_CHILD) == 0) {
        for (CUIManager* manager : managers) {
            if (manager->GetPaintWindow() == pMsg->hwnd) return manager;
        }
        return nullptr;
    }
    for (CUIManager* manager : managers) {
        for (HWND parent = ::GetParent(pMsg->hwnd); parent; parent = ::GetParent(parent)) {
            if (manager->GetPaintWindow() == pMsg->hwnd || manager->GetPaintWindow() == parent) return manager;
            if (::GetWindowLongA(parent, GWL_STYLE) & WS_POPUP) break;
        }
    }
    return nullptr;
}

CControlUI* ShortcutProc(CControlUI* pControl, void* pData) {
    const char key = *static_cast<const char*>(pData);
    const char shortcut = pControl->GetShortcut();
    if (shortcut && platform::ToUpperAscii(shortcut) == key) return pControl;
    return nullptr;
}

}  // namespace

void CUIManager::RunMessageLoop() {
    MSG msg = {};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

bool CUIManager::RunMessageLoopUntil(const std::function<bool()>& done, int* quitCode) {
    bool quit = false;
    // The queue is emptied at least once, also when `done` holds already:
    // a quit posted before the wait (it comes behind every other posted
    // message) is the caller's to know of.
    for (;;) {
        MSG msg = {};
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                *quitCode = static_cast<int>(msg.wParam);
            } else if (!PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (done()) return quit;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

bool CUIManager::PreTranslateMessage(const MSG* pMsg) {
    CUIManager* manager = ManagerForMessage(pMsg);
    if (!manager) return false;
    MSG copy = *pMsg;
    if (manager->TranslateAccelerators(&copy)) return true;
    return manager->RunMessageFilters(pMsg->message, pMsg->wParam, pMsg->lParam);
}

bool CUIManager::TranslateAccelerators(MSG* pMsg) {
    const std::vector<ITranslateAccelerator*> accels = m_aTranslateAccelerators;
    for (ITranslateAccelerator* accel : accels) {
        if (accel->TranslateAccel(pMsg) == 0) return true;
    }
    return false;
}

bool CUIManager::RunMessageFilters(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // A filter may remove itself (a window closing on Escape): walk a copy.
    const std::vector<IMessageFilterUI*> filters = m_aMessageFilters;
    for (IMessageFilterUI* filter : filters) {
        bool bHandled = false;
        filter->FilterMessage(uMsg, wParam, lParam, bHandled);
        if (bHandled) return true;
    }
    return PreMessageHandler(uMsg, wParam, lParam);
}

// The manager's own keys: Tab moves the focus, Alt+letter activates the
// control with that shortcut.
bool CUIManager::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM) {
    if (uMsg == WM_KEYDOWN && wParam == VK_TAB && m_pRoot) {
        return SetNextTabControl(::GetKeyState(VK_SHIFT) >= 0);
    }
    if (uMsg == WM_SYSCHAR && m_pRoot) {
        const char key = platform::ToUpperAscii(static_cast<char>(wParam & 0xFF));
        CControlUI* control = m_pRoot->FindControl(ShortcutProc, const_cast<char*>(&key),
                                                   UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST);
        if (!control) return false;
        control->SetFocus();
        control->Activate();
        return true;
    }
    return false;
}

bool CUIManager::ProcessMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    lRes = 0;
    if (!m_hWndPaint) return false;
    switch (uMsg) {
    case WM_VELLUM_DELAYED_CLEANUP: ClearDelayedCleanup(); return true;
    case WM_CLOSE: {
        // Closing ends every input state and hands the keyboard to the owner.
        ResetInputState();
        SetFocusControl(nullptr);
        if (m_pFocus) m_pFocus = nullptr;
        HWND owner = ::GetWindow(m_hWndPaint, GW_OWNER);
        if (owner) ::SetFocus(owner);
        return false;
    }
    case WM_ERASEBKGND:
        lRes = 1;  // everything is painted from the off-screen buffer
        return true;
    case WM_PAINT: return OnPaint();
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return true;
    case WM_SIZE:
        if (m_pRoot) {
            m_bUpdateNeeded = true;
            ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
        }
        return false;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (m_szMinWindow.cx > 0) info->ptMinTrackSize.x = m_szMinWindow.cx;
        if (m_szMinWindow.cy > 0) info->ptMinTrackSize.y = m_szMinWindow.cy;
        if (m_szMaxWindow.cx > 0) info->ptMaxTrackSize.x = m_szMaxWindow.cx;
        if (m_szMaxWindow.cy > 0) info->ptMaxTrackSize.y = m_szMaxWindow.cy;
        return false;
    }
    case WM_TIMER:
        for (const TTimerInfo& t : m_aTimers) {
            if (t.uWinTimer == wParam) {
                SendEvent(t.pSender, UIEVENT_TIMER, t.nLocalID, 0);
                return true;
            }
        }
        return false;
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_MOUSELEAVE:
        m_bMouseTracking = false;
        HideToolTip();
        if (m_pEventHover && !m_pEventClick) {
            CControlUI* old = m_pEventHover;
            m_pEventHover = nullptr;
            SendEvent(old, UIEVENT_MOUSELEAVE);
        }
        return false;
    case WM_MOUSEHOVER: OnMouseHover(lParam); return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU: return OnButton(uMsg, wParam, lParam);
    case WM_CAPTURECHANGED:
        if (m_bMouseCapture && reinterpret_cast<HWND>(lParam) != m_hWndPaint) {
            m_bMouseCapture = false;
            m_pEventClick = nullptr;
        }
        return false;
    case WM_MOUSEWHEEL: return OnMouseWheel(wParam, lParam);
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) return false;
        return OnSetCursor(lRes);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: return OnKey(uMsg, wParam, lParam);
    case WM_SETFOCUS: OnSetFocus(); return false;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return ReflectToChild(uMsg, wParam, lParam, lRes);
    default: return false;
    }
}

void CUIManager::OnSetFocus() {
    // The window is active again (or a popup gave the keyboard back): a text
    // box that had the focus gets the keys again, not the window around it.
    if (!m_pFocus) return;
    const HWND native = m_pFocus->GetNativeWindow();
    if (native && ::IsWindowVisible(native) && ::IsWindowEnabled(native)) ::SetFocus(native);
}

bool CUIManager::ReflectToChild(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    const HWND child = reinterpret_cast<HWND>(lParam);
    // A menu or accelerator command carries no window.
    if (!child || ::GetParent(child) != m_hWndPaint || !::GetPropA(child, kReflectProperty)) return false;
    lRes = ::SendMessageA(child, WM_VELLUM_REFLECT + uMsg, wParam, lParam);
    return true;
}

void CUIManager::ResetInputState() {
    HideToolTip();
    if (m_bMouseCapture) {
        m_bMouseCapture = false;
        ::ReleaseCapture();
    }
    CControlUI* hover = m_pEventHover;
    m_pEventHover = nullptr;
    m_pEventClick = nullptr;
    m_pEventKey = nullptr;
    if (hover) SendEvent(hover, UIEVENT_MOUSELEAVE);
}

bool CUIManager::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    const POINT pt = PointFromLParam(lParam);
    m_ptLastMousePos = pt;
    CControlUI* control = FindControl(pt);
    if (control && control->GetManager() != this) control = nullptr;
    if (!m_bMouseTracking || control != m_pEventHover) {
        // Leave and hover notices from the system drive hover states and tool tips.
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_HOVER, m_hWndPaint, 400};
        ::TrackMouseEvent(&tme);
        m_bMouseTracking = true;
    }
    if (control != m_pToolTipControl) HideToolTip();
    if (control != m_pEventHover) {
        CControlUI* old = m_pEventHover;
        m_pEventHover = control;
        if (old) SendEvent(old, UIEVENT_MOUSELEAVE, wParam, lParam);
        if (control && m_pEventHover == control) SendEvent(control, UIEVENT_MOUSEENTER, wParam, lParam);
    }
    if (m_pEventClick) SendEvent(m_pEventClick, UIEVENT_MOUSEMOVE, wParam, lParam);
    else if (m_pEventHover) SendEvent(m_pEventHover, UIEVENT_MOUSEMOVE, wParam, lParam);
    return true;
}

bool CUIManager::OnButton(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CONTEXTMENU) {
        if (m_pEventHover) SendEvent(m_pEventHover, UIEVENT_CONTEXTMENU, wParam, lParam);
        return m_pEventHover != nullptr;
    }
    const POINT pt = PointFromLParam(lParam);
    m_ptLastMousePos = pt;
    HideToolTip();
    if (uMsg == WM_LBUTTONUP) {
        if (m_bMouseCapture) {
            m_bMouseCapture = false;
            ::ReleaseCapture();
        }
        CControlUI* control = m_pEventClick;
        m_pEventClick = nullptr;
        if (!control) return false;
        SendEvent(control, UIEVENT_BUTTONUP, wParam, lParam);
        return true;
    }
    if (::GetFocus() != m_hWndPaint) ::SetFocus(m_hWndPaint);
    CControlUI* control = FindControl(pt);
    if (!control || control->GetManager() != this) return false;
    if (uMsg == WM_RBUTTONDOWN) {
        SendEvent(control, UIEVENT_RBUTTONDOWN, wParam, lParam);
        return true;
    }
    // A press on a tab stop moves the keyboard focus there, as users expect.
    if ((control->GetControlFlags() & UIFLAG_TABSTOP) && control->IsKeyboardEnabled()) SetFocusControl(control);
    m_pEventClick = control;
    ::SetCapture(m_hWndPaint);
    m_bMouseCapture = true;
    SendEvent(control, uMsg == WM_LBUTTONDBLCLK ? UIEVENT_DBLCLICK : UIEVENT_BUTTONDOWN, wParam, lParam);
    return true;
}

bool CUIManager::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    POINT pt = PointFromLParam(lParam);  // screen coordinates for this message
    ::ScreenToClient(m_hWndPaint, &pt);
    m_ptLastMousePos = pt;
    CControlUI* control = FindControl(pt);
    if (!control || control->GetManager() != this) return false;
    const int delta = static_cast<short>(HIWORD(wParam));
    SendEvent(control, UIEVENT_SCROLLWHEEL, MAKEWPARAM(delta < 0 ? SB_LINEDOWN : SB_LINEUP, delta), lParam);
    return true;
}

bool CUIManager::OnSetCursor(LRESULT& lRes) {
    POINT pt = {0, 0};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWndPaint, &pt);
    CControlUI* control = FindControl(pt);
    if (!control || control->GetManager() != this) return false;
    // WM_SETCURSOR comes before the WM_MOUSEMOVE of the same move: the control
    // must judge the point the pointer is at now, not the last one seen.
    TEventUI event;
    event.Type = UIEVENT_SETCURSOR;
    event.pSender = control;
    event.dwTimestamp = ::GetTickCount();
    event.ptMouse = pt;
    control->Event(event);
    lRes = TRUE;
    return true;
}

bool CUIManager::OnKey(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (!m_pFocus) return false;
    const int type = uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN : uMsg == WM_KEYUP ? UIEVENT_KEYUP : UIEVENT_CHAR;
    m_pEventKey = m_pFocus;
    TEventUI event;
    event.Type = type;
    event.pSender = m_pFocus;
    event.dwTimestamp = ::GetTickCount();
    event.ptMouse = m_ptLastMousePos;
    event.chKey = static_cast<char>(wParam);
    event.wParam = wParam;
    event.lParam = lParam;
    m_pFocus->Event(event);
    m_pEventKey = nullptr;
    return true;
}

void CUIManager::OnMouseHover(LPARAM lParam) {
    m_bMouseTracking = false;
    const POINT pt = PointFromLParam(lParam);
    CControlUI* control = FindControl(pt);
    if (!control || control->GetToolTip().IsEmpty()) return;
    SendEvent(control, UIEVENT_MOUSEHOVER);
    POINT screen = pt;
    ::ClientToScreen(m_hWndPaint, &screen);
    // Below and right of the pointer, so the tip never hides what it names.
    if (!m_toolTip.Show(m_hWndPaint, control->GetToolTip().GetData(), {screen.x + 12, screen.y + 20})) return;
    m_pToolTipControl = control;
}

void CUIManager::HideToolTip() {
    if (m_pToolTipControl) m_toolTip.Hide();
    m_pToolTipControl = nullptr;
}

}  // namespace Vellum
