// The Win32 side of the cross-thread calls.
#include <windows.h>

#include "UI/Wnd/UserUIMessageT.h"
#include "comm/log/LogWriter.h"

namespace Vellum {
namespace userui {

bool PostCall(void* hWnd, void* pCall, const char* pstrName) {
    return ::PostMessageA(static_cast<HWND>(hWnd), kUserUIMessage, reinterpret_cast<WPARAM>(pCall),
                          reinterpret_cast<LPARAM>(pstrName)) != FALSE;
}

namespace {
std::atomic<BetweenCheckAndPostHook> g_pBetweenCheckAndPost{nullptr};
}  // namespace

void SetBetweenCheckAndPostHookForTests(BetweenCheckAndPostHook pHook) { g_pBetweenCheckAndPost.store(pHook); }

void BetweenCheckAndPost(void* pWindow) {
    if (BetweenCheckAndPostHook hook = g_pBetweenCheckAndPost.load()) hook(pWindow);
}

unsigned long TickCount() { return ::GetTickCount(); }

void WarnSlowCall(const char* pstrName) {
    // Only marks a slow call; the call itself was never limited.
    LOG_WRITE(LOG_WARNING, "ExecuteUserMessage [%s] timeout", pstrName ? pstrName : "");
}

}  // namespace userui
}  // namespace Vellum
