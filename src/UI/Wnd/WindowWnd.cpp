#include "UI/Wnd/WindowWnd.h"

#include <utility>
#include <vector>

#include "UI/Core/UIManager.h"
#include "UI/Win32/Win32Glue.h"
#include "comm/log/LastErrorLog.h"

namespace Vellum {

namespace {

const char kWindowProperty[] = "WndX";

// Releases the cross-thread calls still queued for hWnd, which the system would
// discard with the window without freeing them: a call that passed the closing
// check just before another thread's Close lands behind the WM_CLOSE that
// destroys the window. On the window's own thread only (a queue is per thread).
void ReleaseQueuedCalls(HWND hWnd) {
    MSG msg;
    bool quit = false;
    int exitCode = 0;
    while (::PeekMessageA(&msg, hWnd, kUserUIMessage, kUserUIMessage, PM_REMOVE)) {
        if (msg.message == kUserUIMessage) {
            delete reinterpret_cast<CWindowWnd::Call*>(msg.wParam);
        } else if (msg.message == WM_QUIT) {
            // Wine hands out a pending WM_QUIT whatever the filter: it is
            // posted again for the loop it was meant for.
            quit = true;
            exitCode = static_cast<int>(msg.wParam);
        }
    }
    if (quit) ::PostQuitMessage(exitCode);
}

// The modal loops running on this thread, innermost last: (owner, window).
thread_local std::vector<std::pair<HWND, HWND>> t_modals;

// Enters a modal loop in t_modals for as long as it runs.
class ModalEntry {
public:
    ModalEntry(HWND owner, HWND hWnd) { t_modals.emplace_back(owner, hWnd); }
    ~ModalEntry() { t_modals.pop_back(); }
    ModalEntry(const ModalEntry&) = delete;
    ModalEntry& operator=(const ModalEntry&) = delete;
};

}  // namespace

CWindowWnd::CWindowWnd() : m_OldWndProc(::DefWindowProcA) {}

CWindowWnd::~CWindowWnd() { ReleaseNativeWindow(); }

void CWindowWnd::ReleaseNativeWindow() {
    // The native window may outlive this object (ShowModal left on WM_QUIT with
    // the window open, an owner deleting the object first). It must never reach
    // the freed object: the link goes first, so any later message takes the
    // default procedure; then the window goes too, where that is allowed (only
    // its own thread may destroy it). A subclassed window is not ours to
    // destroy: it only gets its own procedure back.
    const HWND hWnd = m_hWnd;
    if (!hWnd || !::IsWindow(hWnd)) return;
    const bool bOwned = !m_bSubclassed;
    if (m_bSubclassed) Unsubclass();
    if (FindObject(hWnd, true) == this) ::RemovePropA(hWnd, kWindowProperty);
    if (FindObject(hWnd, false) == this) ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    SetWindowCopy(nullptr);
    if (bOwned && ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId()) {
        ReleaseQueuedCalls(hWnd);
        ::DestroyWindow(hWnd);
    }
}

const char* CWindowWnd::GetSuperClassName() const { return nullptr; }

UINT CWindowWnd::GetClassStyle() const { return 0; }

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcA(m_OldWndProc, m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnWindowDestroyed(HWND) {}

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = GetClassStyle();
    wc.lpfnWndProc = CWindowWnd::WndProc;
    wc.hInstance = CUIManager::GetInstance();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = GetWindowClassName();
    return RegisterWindowClassOnce(wc);
}

bool CWindowWnd::RegisterSuperclass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExA(nullptr, GetSuperClassName(), &wc) &&
        !::GetClassInfoExA(CUIManager::GetInstance(), GetSuperClassName(), &wc)) {
        return LogLastError("GetClassInfoExA", GetSuperClassName());
    }
    m_OldWndProc = wc.lpfnWndProc;
    wc.lpfnWndProc = CWindowWnd::ControlProc;
    wc.hInstance = CUIManager::GetInstance();
    wc.lpszClassName = GetWindowClassName();
    return RegisterWindowClassOnce(wc);
}

HWND CWindowWnd::Create(HWND hwndParent, const char* pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx,
                        int cy) {
    const bool registered = GetSuperClassName() ? RegisterSuperclass() : RegisterWindowClass();
    if (!registered) return nullptr;
    m_hWnd = ::CreateWindowExA(dwExStyle, GetWindowClassName(), pstrName, dwStyle, x, y, cx, cy, hwndParent, nullptr,
                               CUIManager::GetInstance(), this);
    if (!m_hWnd) LogLastError("CreateWindowExA", GetWindowClassName());
    SetWindowCopy(m_hWnd);
    return m_hWnd;
}

HWND CWindowWnd::Subclass(HWND hWnd) {
    m_OldWndProc =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc)));
    if (!m_OldWndProc) return nullptr;
    m_bSubclassed = true;
    Attach(hWnd, false);  // WndProc, which finds the object in the user data
    return m_hWnd;
}

void CWindowWnd::Unsubclass() {
    if (!::IsWindow(m_hWnd) || !m_bSubclassed) return;
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldWndProc));
    m_OldWndProc = ::DefWindowProcA;
    m_bSubclassed = false;
}

void CWindowWnd::ShowWindow(bool bShow) {
    if (!::IsWindow(m_hWnd)) return;
    ::ShowWindow(m_hWnd, bShow ? SW_SHOWNORMAL : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
    HWND hWnd = m_hWnd;
    HWND owner = ::GetWindow(hWnd, GW_OWNER);
    ::ShowWindow(hWnd, SW_SHOWNORMAL);
    ::EnableWindow(owner, FALSE);
    const ModalEntry entry(owner, hWnd);
    UINT result = 0;
    MSG msg = {};
    bool quit = false;
    while (::IsWindow(hWnd)) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            break;
        }
        if (got < 0) break;
        if (msg.hwnd == hWnd && msg.message == WM_CLOSE) {
            result = static_cast<UINT>(msg.wParam);
            // The owner is enabled before this window is destroyed, so the
            // system activates the owner and not some other program.
            ::EnableWindow(owner, TRUE);
            ::SetFocus(owner);
        }
        if (!CUIManager::PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ::EnableWindow(owner, TRUE);
    ::SetFocus(owner);
    if (quit) ::PostQuitMessage(static_cast<int>(msg.wParam));
    return result;
}

HWND CWindowWnd::ModalOver(HWND owner) {
    for (auto it = t_modals.rbegin(); it != t_modals.rend(); ++it) {
        if (owner && it->first == owner) return it->second;
    }
    return nullptr;
}

void CWindowWnd::Close(UINT nRet) {
    SetClosing();
    // The handle copy, not m_hWnd: Close may run on another thread.
    HWND hWnd = static_cast<HWND>(GetWindowCopy());
    if (hWnd && ::IsWindow(hWnd)) ::PostMessageA(hWnd, WM_CLOSE, nRet, 0);
}

void CWindowWnd::CenterWindow() {
    RECT rcDlg = {0, 0, 0, 0};
    ::GetWindowRect(m_hWnd, &rcDlg);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const RECT area = MonitorInfoOf(owner ? owner : m_hWnd).rcWork;
    RECT centre = area;
    if (owner) ::GetWindowRect(owner, &centre);
    const int width = rcDlg.right - rcDlg.left;
    const int height = rcDlg.bottom - rcDlg.top;
    int x = (centre.left + centre.right) / 2 - width / 2;
    int y = (centre.top + centre.bottom) / 2 - height / 2;
    if (x < area.left) x = area.left;
    else if (x + width > area.right) x = area.right - width;
    if (y < area.top) y = area.top;
    else if (y + height > area.bottom) y = area.bottom - height;
    ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    RECT rc = {0, 0, 0, 0};
    if (!::GetClientRect(m_hWnd, &rc)) return;
    if (cx != -1) rc.right = cx;
    if (cy != -1) rc.bottom = cy;
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(m_hWnd, GWL_EXSTYLE);
    const BOOL menu = (!(style & WS_CHILD) && ::GetMenu(m_hWnd) != nullptr) ? TRUE : FALSE;
    if (!::AdjustWindowRectEx(&rc, style, menu, exStyle)) return;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(hWnd, uMsg, wParam, lParam, false);
}

LRESULT CALLBACK CWindowWnd::ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(hWnd, uMsg, wParam, lParam, true);
}

LRESULT CWindowWnd::Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, bool bProperty) {
    CWindowWnd* pThis = nullptr;
    if (uMsg == WM_NCCREATE) {
        const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        pThis = static_cast<CWindowWnd*>(cs->lpCreateParams);
        pThis->Attach(hWnd, bProperty);
    } else {
        pThis = FindObject(hWnd, bProperty);
    }
    if (!pThis) return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        const LRESULT lRes = ::CallWindowProcA(pThis->m_OldWndProc, hWnd, uMsg, wParam, lParam);
        if (bProperty) ::RemovePropA(hWnd, kWindowProperty);
        else ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        if (pThis->m_bSubclassed) pThis->Unsubclass();
        pThis->m_hWnd = nullptr;
        pThis->SetWindowCopy(nullptr);
        ReleaseQueuedCalls(hWnd);
        pThis->OnWindowDestroyed(hWnd);
        return lRes;
    }
    if (uMsg == kUserUIMessage) {
        pThis->ExecuteUserMessage(reinterpret_cast<Call*>(wParam), reinterpret_cast<const char*>(lParam));
    }
    return pThis->HandleMessage(uMsg, wParam, lParam);
}

void CWindowWnd::Attach(HWND hWnd, bool bProperty) {
    m_hWnd = hWnd;
    SetWindowCopy(hWnd);
    if (bProperty) ::SetPropA(hWnd, kWindowProperty, static_cast<HANDLE>(this));
    else ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CWindowWnd* CWindowWnd::FindObject(HWND hWnd, bool bProperty) {
    if (bProperty) return static_cast<CWindowWnd*>(::GetPropA(hWnd, kWindowProperty));
    return reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

}  // namespace Vellum
