// The process-wide bookkeeping of shadowed windows: which CShadowUI belongs to
// which window, and the window procedure each window had before the shadow took
// it over. UI thread only.
#pragma once

#include <windows.h>

namespace Vellum {

class CShadowUI;

class ShadowRegistry {
public:
    // The shadow of `hWnd`, or null.
    static CShadowUI* Find(HWND hWnd);
    static void Add(HWND hWnd, CShadowUI* pShadow);
    // Removes the entry of `hWnd` when it is `pShadow`'s.
    static void Remove(HWND hWnd, CShadowUI* pShadow);

    // Makes `proc` the window's procedure and returns the previous one, which is
    // also kept with the window (a window property) so that `proc` can always
    // pass messages on, even after the shadow let go of the window. When `proc`
    // is still in the window's chain, nothing changes and its next procedure is
    // returned.
    static WNDPROC Hook(HWND hWnd, WNDPROC proc);
    // Gives the window its previous procedure back while `proc` is still the
    // current one. When something hooked the window after us, our procedure stays
    // in its chain and keeps passing every message on.
    static void Unhook(HWND hWnd, WNDPROC proc);
    // The procedure that `proc` passes the window's messages on to.
    static WNDPROC NextProc(HWND hWnd);
    // At WM_NCDESTROY: the window is gone, so forget everything about it.
    static void Forget(HWND hWnd);
};

}  // namespace Vellum
