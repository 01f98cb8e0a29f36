// The Win32 side of the cross-thread calls.
#include <windows.h>

#include "UI/Window/UserUIMessageT.h"
#include "comm/log/LogWriter.h"

namespace Vellum {
namespace userui {

bool PostCall(void* hWnd, void* pCall, const char* pstrName) {
    return ::PostMessageA(static_cast<HWND>(hWnd), kUserUIMessage, reinterpret_cast<WPARAM>(pCall),
                          reinterpret_cast<LPARAM>(pstrName)) != FALSE;
}

unsigned long TickCount() { return ::GetTickCount(); }

void WarnSlowCall(const char* pstrName) {
    // Only marks a slow call; the call itself was never limited.
    LOG_WRITE(LOG_WARNING, "ExecuteUserMessage [%s] timeout", pstrName ? pstrName : "");
}

}  // namespace userui
}  // namespace Vellum
