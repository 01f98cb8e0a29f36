#include "UI/Shadow/ShadowRegistry.h"

#include <map>

namespace Vellum {

namespace {

// Where the previous window procedure is kept on the window itself.
const char kNextProcProperty[] = "VellumShadowNextProc";

// Ordered map from shadowed window to its shadow; made on first use, destroyed
// at process exit.
std::map<HWND, CShadowUI*>& Shadows() {
    static std::map<HWND, CShadowUI*> shadows;
    return shadows;
}

}  // namespace

CShadowUI* ShadowRegistry::Find(HWND hWnd) {
    const auto it = Shadows().find(hWnd);
    return it == Shadows().end() ? nullptr : it->second;
}

void ShadowRegistry::Add(HWND hWnd, CShadowUI* pShadow) { Shadows()[hWnd] = pShadow; }

void ShadowRegistry::Remove(HWND hWnd, CShadowUI* pShadow) {
    const auto it = Shadows().find(hWnd);
    if (it != Shadows().end() && it->second == pShadow) Shadows().erase(it);
}

WNDPROC ShadowRegistry::Hook(HWND hWnd, WNDPROC proc) {
    // Still in the window's chain from an earlier shadow that could not unhook
    // (something hooked the window after it): that link serves again. Hooking a
    // second time would make the two links pass messages round in a circle.
    if (const WNDPROC existing = NextProc(hWnd)) return existing;
    const WNDPROC previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    // The property first: the new procedure may be called as soon as it is set.
    SetPropA(hWnd, kNextProcProperty, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return previous;
}

void ShadowRegistry::Unhook(HWND hWnd, WNDPROC proc) {
    if (!IsWindow(hWnd)) return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) != proc) return;
    const WNDPROC previous = NextProc(hWnd);
    if (!previous) return;
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(hWnd, kNextProcProperty);
}

WNDPROC ShadowRegistry::NextProc(HWND hWnd) { return reinterpret_cast<WNDPROC>(GetPropA(hWnd, kNextProcProperty)); }

void ShadowRegistry::Forget(HWND hWnd) {
    Shadows().erase(hWnd);
    RemovePropA(hWnd, kNextProcProperty);
}

}  // namespace Vellum
