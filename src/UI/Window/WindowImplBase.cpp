// WindowImplBase: message routing, notifications and the standard buttons.
#include "UI/Window/WindowImplBase.h"

#include <cstring>

#include "UI/Core/ControlUI.h"
#include "UI/Render/GdiHandles.h"
#include "UI/Win32/Win32Glue.h"

namespace Vellum {

VELLUM_BEGIN_NOTIFY_MAP(WindowImplBase, CNotifyPump)
VELLUM_ON_NOTIFY("click", "", &WindowImplBase::OnClick)
VELLUM_END_NOTIFY_MAP()

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() {
    // Before the manager goes: while it tears down its controls, tool tip and
    // shadow, no message to the window may reach a half-destroyed manager.
    ReleaseNativeWindow();
}

UINT WindowImplBase::GetClassStyle() const { return CS_DBLCLKS; }

void WindowImplBase::OnWindowDestroyed(HWND) {
    m_pm.RemoveMessageFilter(this);
    m_pm.RemoveNotifier(this);
    m_pm.ForgetControl(m_pm.GetRoot());
}

void WindowImplBase::InitWindow() {}

void WindowImplBase::OnClick(TNotification& msg) {
    const CUIString& name = msg.pSender->GetName();
    if (name == "closebtn") {
        Close(8);
    } else if (name == "minbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == "maxbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (name == "restorebtn") {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

LRESULT WindowImplBase::OnDefaultKey(WPARAM wParam) {
    if (wParam == VK_ESCAPE) {
        if (!OnCloseRequest()) Close(1);
        return 1;
    }
    return 0;
}

bool WindowImplBase::OnCloseRequest() { return false; }

const char* WindowImplBase::GetSkinFolder() { return "skin"; }
UINT WindowImplBase::GetSkinSource() { return UILIB_FILE; }
const char* WindowImplBase::GetSkinArchive() { return ""; }
const char* WindowImplBase::GetSkinResourceName() { return ""; }

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcDestroy(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    if (::IsIconic(m_hWnd)) bHandled = false;
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM lParam, bool&) {
    if (!::IsZoomed(m_hWnd)) return 0;  // the whole window is client area
    NCCALCSIZE_PARAMS* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    const MONITORINFO mi = MonitorInfoOf(m_hWnd);
    RECT& rc = params->rgrc[0];
    rc.right = rc.left + (mi.rcWork.right - mi.rcWork.left);
    rc.bottom = rc.top + (mi.rcWork.bottom - mi.rcWork.top);
    return WVR_REDRAW;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
    POINT pt = PointFromLParam(lParam);
    ::ScreenToClient(m_hWnd, &pt);
    RECT rcClient = {0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &rcClient);
    const LONG width = rcClient.right, height = rcClient.bottom;
    const RECT& box = m_pm.GetSizeBox();
    if (!::IsZoomed(m_hWnd)) {
        if (pt.y < box.top) {
            if (pt.x < box.left) return HTTOPLEFT;
            if (pt.x > width - box.right) return HTTOPRIGHT;
            return HTTOP;
        }
        if (pt.y > height - box.bottom) {
            if (pt.x < box.left) return HTBOTTOMLEFT;
            if (pt.x > width - box.right) return HTBOTTOMRIGHT;
            return HTBOTTOM;
        }
        if (pt.x < box.left) return HTLEFT;
        if (pt.x > width - box.right) return HTRIGHT;
    }
    const RECT& caption = m_pm.GetCaptionRect();
    if (pt.x >= caption.left && pt.x < width - caption.right && pt.y >= caption.top && pt.y < caption.bottom) {
        // Clickable controls in the caption stay clickable; the rest drags.
        CControlUI* control = m_pm.FindControl(pt);
        if (control) {
            const char* cls = control->GetClass();
            if (std::strcmp(cls, "ButtonUI") != 0 && std::strcmp(cls, "OptionUI") != 0 &&
                std::strcmp(cls, "TextUI") != 0) {
                return HTCAPTION;
            }
        }
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& bHandled) {
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    const MONITORINFO mi = MonitorInfoOf(m_hWnd);
    RECT work = mi.rcWork;
    ::OffsetRect(&work, -mi.rcMonitor.left, -mi.rcMonitor.top);
    info->ptMaxPosition.x = work.left;
    info->ptMaxPosition.y = work.top;
    info->ptMaxTrackSize.x = work.right - work.left;
    info->ptMaxTrackSize.y = work.bottom - work.top;
    info->ptMinTrackSize.x = m_pm.GetMinInfo().cx;
    info->ptMinTrackSize.y = m_pm.GetMinInfo().cy;
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& bHandled) {
    const SIZE round = m_pm.GetRoundCorner();
    if (!::IsIconic(m_hWnd) && (round.cx != 0 || round.cy != 0)) {
        RECT rc = {0, 0, 0, 0};
        ::GetWindowRect(m_hWnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
        rc.right++;
        rc.bottom++;
        CGdiObject<HRGN> rgn(::CreateRoundRectRgn(rc.left, rc.top, rc.right, rc.bottom, round.cx, round.cy));
        // Accepted, the region belongs to the window; refused, it stays ours.
        if (rgn && ::SetWindowRgn(m_hWnd, rgn.Get(), TRUE)) rgn.Release();
    }
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {  // the low four bits are the system's own
        bHandled = true;
        if (!OnCloseRequest()) SendMessage(WM_CLOSE);
        return 0;
    }
    const bool wasZoomed = ::IsZoomed(m_hWnd) != FALSE;
    const LRESULT lRes = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    const bool zoomed = ::IsZoomed(m_hWnd) != FALSE;
    if (wasZoomed != zoomed) {
        CControlUI* maxBtn = m_pm.FindControl("maxbtn");
        CControlUI* restoreBtn = m_pm.FindControl("restorebtn");
        if (maxBtn) maxBtn->SetVisible(!zoomed);
        if (restoreBtn) restoreBtn->SetVisible(zoomed);
    }
    if (wParam == SC_RESTORE) m_pm.NeedUpdate();
    return lRes;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleOtherMessage(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = false;
    return 0;
}

LONG WindowImplBase::GetFramelessStyle() { return ::GetWindowLongA(m_hWnd, GWL_STYLE) & ~WS_CAPTION; }

LRESULT WindowImplBase::OnTimer(WPARAM) { return 0; }

LRESULT WindowImplBase::OnUserMessage(WPARAM, LPARAM) { return 0; }

void WindowImplBase::Notify(TNotification& msg) { DispatchNotification(msg); }

LRESULT WindowImplBase::FilterMessage(UINT uMsg, WPARAM wParam, LPARAM, bool&) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return OnDefaultKey(wParam);
    return 0;
}

CControlUI* WindowImplBase::CreateControl(const char*) { return nullptr; }

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    bool bHandled = true;
    switch (uMsg) {
    case WM_CREATE: lRes = OnCreate(uMsg, wParam, lParam, bHandled); break;
    case WM_DESTROY: lRes = OnDestroy(uMsg, wParam, lParam, bHandled); break;
    case WM_SIZE: lRes = OnSize(uMsg, wParam, lParam, bHandled); break;
    case WM_SETFOCUS: lRes = OnSetFocus(uMsg, wParam, lParam, bHandled); break;
    case WM_KILLFOCUS: lRes = OnKillFocus(uMsg, wParam, lParam, bHandled); break;
    case WM_CLOSE: lRes = OnClose(uMsg, wParam, lParam, bHandled); break;
    case WM_GETMINMAXINFO: lRes = OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled); break;
    case WM_NCDESTROY: lRes = OnNcDestroy(uMsg, wParam, lParam, bHandled); break;
    case WM_NCCALCSIZE: lRes = OnNcCalcSize(uMsg, wParam, lParam, bHandled); break;
    case WM_NCHITTEST: lRes = OnNcHitTest(uMsg, wParam, lParam, bHandled); break;
    case WM_NCPAINT: lRes = OnNcPaint(uMsg, wParam, lParam, bHandled); break;
    case WM_NCACTIVATE: lRes = OnNcActivate(uMsg, wParam, lParam, bHandled); break;
    case WM_KEYDOWN: lRes = OnKeyDown(uMsg, wParam, lParam, bHandled); break;
    case WM_CHAR: lRes = OnChar(uMsg, wParam, lParam, bHandled); break;
    case WM_SYSCOMMAND: lRes = OnSysCommand(uMsg, wParam, lParam, bHandled); break;
    case WM_TIMER:
        lRes = OnTimer(wParam);
        bHandled = false;
        break;
    case WM_MOUSEMOVE: lRes = OnMouseMove(uMsg, wParam, lParam, bHandled); break;
    case WM_LBUTTONDOWN: lRes = OnLButtonDown(uMsg, wParam, lParam, bHandled); break;
    case WM_LBUTTONUP: lRes = OnLButtonUp(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEWHEEL: lRes = OnMouseWheel(uMsg, wParam, lParam, bHandled); break;
    case WM_MOUSEHOVER: lRes = OnMouseHover(uMsg, wParam, lParam, bHandled); break;
    case WM_VELLUM_USER_HOOK: return OnUserMessage(wParam, lParam);
    default: bHandled = false; break;
    }
    if (bHandled) return lRes;
    lRes = HandleOtherMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) return lRes;
    if (m_pm.ProcessMessage(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

}  // namespace Vellum
