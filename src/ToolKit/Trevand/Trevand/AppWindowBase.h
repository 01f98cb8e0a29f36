// CAppWindowBase: the base of the two long-lived windows (role and main).
// Escape, the system close and WM_CLOSE end the application there, like their
// "closebtn": closing only the window would leave a process with nothing on
// screen (the main window is hidden while the role window shows, and the
// role window is hidden for good once the main window shows).
#pragma once

#include "UI/Window/WindowImplBase.h"

class CAppWindowBase : public Vellum::WindowImplBase {
public:
    bool OnCloseRequest() override;
    // A WM_CLOSE from elsewhere (another program; taskkill without /F sends
    // one to every window) asks the same: the window is not destroyed alone.
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

protected:
    // Ends the message loop with exit code 0; shutdown follows in WinMain.
    static void QuitApplication();
};
