// CUserUIMessageT<T>: calls posted from any thread to run on a window's UI
// thread, and the window's closing flag that stops them.
//
// A call is a heap-allocated std::function<bool(T&)>, posted as WM_USER+50
// with the call in wParam and a static name text in lParam (the name must
// outlive the call: only its pointer travels). Ownership passes to the window
// with a successful post; the window runs the call when it reaches the
// message, or drops it unrun once the window is closing.
//
// Thread safety: PostUserMessage and SetClosing may be called from any
// thread; ExecuteUserMessage runs on the UI thread only.
#pragma once

#include <atomic>
#include <functional>

namespace Vellum {

// WM_USER + 50.
const unsigned int kUserUIMessage = 0x0400 + 50;

namespace userui {
// Win32 seams, so this header stays free of <windows.h>.
bool PostCall(void* hWnd, void* pCall, const char* pstrName);
unsigned long TickCount();
void WarnSlowCall(const char* pstrName);

// For tests only: a function PostUserMessage calls, when one is set, after its checks
// and before the post, with the window object. There a test does what another
// thread may do in that moment (close or destroy the window), which a real race
// would do for nanoseconds only. Null (the default) calls nothing.
using BetweenCheckAndPostHook = void (*)(void* pWindow);
void SetBetweenCheckAndPostHookForTests(BetweenCheckAndPostHook pHook);
void BetweenCheckAndPost(void* pWindow);
}  // namespace userui

template <class T>
class CUserUIMessageT {
public:
    using Call = std::function<bool(T&)>;

    CUserUIMessageT() = default;
    CUserUIMessageT(const CUserUIMessageT&) = delete;
    CUserUIMessageT& operator=(const CUserUIMessageT&) = delete;

    // Posts `pCall` (taking ownership) to the window. Refused — the call is
    // released and false returned — when the window is closing, when its
    // native window does not exist (never created, or already destroyed) or
    // when the post fails. Never waits for the call to run. A call posted just
    // before the window is destroyed is released by the window (WindowWnd.cpp).
    bool PostUserMessage(Call* pCall, const char* pstrName) {
        // The handle is loaded once: the UI thread clears the copy at
        // WM_NCDESTROY, and a second load could read null — a post to no
        // window goes to the calling thread's own queue and succeeds, so the
        // caller would hear "posted" of a call that never runs nor is freed.
        void* hWnd = m_hWndCopy.load();
        if (m_bClosing.load() || !hWnd) {
            delete pCall;
            return false;
        }
        userui::BetweenCheckAndPost(static_cast<T*>(this));
        if (!userui::PostCall(hWnd, pCall, pstrName)) {
            delete pCall;
            return false;
        }
        return true;
    }
    bool PostUserMessage(Call call, const char* pstrName) {
        return PostUserMessage(new Call(std::move(call)), pstrName);
    }

    bool IsClosing() const { return m_bClosing.load(); }

protected:
    // Runs a received call on the UI thread and releases it. A call that
    // arrives after Close is dropped unrun. A call taking more than 500 ms
    // leaves one warning line naming it.
    void ExecuteUserMessage(Call* pCall, const char* pstrName) {
        if (m_bClosing.load()) {
            delete pCall;
            return;
        }
        struct Release {
            Call* p;
            ~Release() { delete p; }
        } release{pCall};
        const unsigned long t0 = userui::TickCount();
        (*pCall)(*static_cast<T*>(this));
        const unsigned long elapsed = static_cast<unsigned long>(static_cast<unsigned int>(userui::TickCount() - t0));
        if (elapsed > 500) userui::WarnSlowCall(pstrName);
    }

    void SetClosing() { m_bClosing.store(true); }
    void SetWindowCopy(void* hWnd) { m_hWndCopy.store(hWnd); }
    void* GetWindowCopy() const { return m_hWndCopy.load(); }

private:
    std::atomic<void*> m_hWndCopy{nullptr};
    std::atomic<bool> m_bClosing{false};
};

}  // namespace Vellum
