// CWindowWnd: the thin wrapper of one native Win32 window. It registers the
// window class, creates the window with itself as creation parameter, routes
// the window's messages to HandleMessage, and runs the modal loop.
//
// The object is never deleted by its window procedure: after WM_NCDESTROY the
// handle is null and OnWindowDestroyed has run; the owner deletes the object.
// Deleted while its native window still exists, the object first unlinks the
// window (no later message reaches it), then destroys the window when that
// runs on the window's own thread; OnWindowDestroyed is not called then.
#pragma once

#include <windows.h>

#include "UI/Wnd/UserUIMessageT.h"

namespace Vellum {

class CWindowWnd : public CUserUIMessageT<CWindowWnd> {
public:
    CWindowWnd();

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: handy in Win32 calls

    bool RegisterWindowClass();
    bool RegisterSuperclass();

    // Registers the class (superclass when GetSuperClassName is not null) and
    // creates the window; null when either fails.
    HWND Create(HWND hwndParent, const char* pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
                int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT);
    // Replaces the procedure of an existing window by ours.
    HWND Subclass(HWND hWnd);
    void Unsubclass();

    void ShowWindow(bool bShow = true);
    // Shows the window and runs its own message loop until it is destroyed,
    // with its owner disabled. Returns the wParam of the WM_CLOSE posted to it
    // (0 when it was destroyed without one). A WM_QUIT met here ends the loop
    // and is posted again for the outer loop.
    UINT ShowModal();
    // The window whose ShowModal, running now on this thread, disabled
    // `owner`; null when none does. A close request that reaches a disabled
    // owner can be passed on to the window in charge.
    static HWND ModalOver(HWND owner);
    // Sets the closing flag and posts WM_CLOSE with `nRet`; any thread.
    void Close(UINT nRet = IDOK);
    // Centres over the owner (or the work area), kept inside the work area.
    void CenterWindow();
    // Makes the client area cx by cy (-1 keeps that dimension).
    void ResizeClient(int cx = -1, int cy = -1);

    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Slots 0 to 5.
    virtual const char* GetWindowClassName() const = 0;
    virtual const char* GetSuperClassName() const;
    virtual UINT GetClassStyle() const;
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnWindowDestroyed(HWND hWnd);
    virtual ~CWindowWnd();

protected:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Both procedures: find (or, at WM_NCCREATE, attach) the object and hand it
    // the message. WndProc keeps the object in the window's user data;
    // ControlProc, which runs superclassed controls, in a window property
    // (`bProperty`), leaving the control's user data alone.
    static LRESULT Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, bool bProperty);
    // Binds this object to hWnd where Dispatch will look for it.
    void Attach(HWND hWnd, bool bProperty);
    static CWindowWnd* FindObject(HWND hWnd, bool bProperty);
    // For destructors: unlinks a native window that still exists from this
    // object and destroys it when on its thread (see the top of this file).
    // A derived class whose members its HandleMessage uses calls it first, so
    // no message reaches them while they are destroyed.
    void ReleaseNativeWindow();

    HWND m_hWnd = nullptr;
    WNDPROC m_OldWndProc;
    bool m_bSubclassed = false;
};

}  // namespace Vellum
