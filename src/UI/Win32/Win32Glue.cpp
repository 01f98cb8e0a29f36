#include "UI/Win32/Win32Glue.h"

#include <commctrl.h>

#include "comm/log/LastErrorLog.h"

namespace Vellum {

namespace {

// The one tool a tip holds: the whole owner window, tracked by hand.
TOOLINFOA ToolInfoFor(HWND owner, const char* text) {
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(owner);
    // The tip copies the text; it never writes through this pointer.
    ti.lpszText = const_cast<char*>(text);
    return ti;
}

}  // namespace

POINT PointFromLParam(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

MONITORINFO MonitorInfoOf(HWND hWnd) {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    return mi;
}

MONITORINFO MonitorInfoAt(POINT pt) {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoA(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi);
    return mi;
}

std::vector<RECT> MonitorWorkAreas() {
    std::vector<RECT> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM param) -> BOOL {
            MONITORINFO info = {};
            info.cbSize = sizeof(info);
            if (!GetMonitorInfoA(monitor, &info)) return TRUE;
            auto& found = *reinterpret_cast<std::vector<RECT>*>(param);
            if (info.dwFlags & MONITORINFOF_PRIMARY) found.insert(found.begin(), info.rcWork);
            else found.push_back(info.rcWork);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

int TrackPopupMenuAt(HWND owner, POINT screen, const std::vector<std::string>& items) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return -1;
    for (size_t i = 0; i < items.size(); ++i) {
        // Ids from 1: TrackPopupMenu's 0 means nothing was chosen.
        if (items[i].empty()) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(i + 1), items[i].c_str());
    }
    // The owner must be in front, or the menu stays open when the operator
    // clicks elsewhere.
    SetForegroundWindow(owner);
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, owner, nullptr));
    DestroyMenu(menu);
    return chosen - 1;
}

bool RegisterWindowClassOnce(const WNDCLASSEXA& wc) {
    if (::RegisterClassExA(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
    return LogLastError("RegisterClassExA", wc.lpszClassName);
}

CToolTip::~CToolTip() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CToolTip::Create(HWND owner) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(owner, GWLP_HINSTANCE)), nullptr);
    if (!m_hWnd) return LogLastError("CreateWindowExA", "the tool tip");
    m_hOwner = owner;
    TOOLINFOA ti = ToolInfoFor(owner, "");
    ::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, 400);
    return true;
}

bool CToolTip::Show(HWND owner, const char* text, POINT screen) {
    if (!m_hWnd && !Create(owner)) return false;
    TOOLINFOA ti = ToolInfoFor(m_hOwner, text);
    ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageA(m_hWnd, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    ::SendMessageA(m_hWnd, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    m_bShown = true;
    return true;
}

void CToolTip::Hide() {
    if (!m_hWnd || !m_bShown) return;
    TOOLINFOA ti = ToolInfoFor(m_hOwner, nullptr);
    ::SendMessageA(m_hWnd, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    m_bShown = false;
}

}  // namespace Vellum
