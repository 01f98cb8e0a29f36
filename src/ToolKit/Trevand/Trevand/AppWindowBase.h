// CAppWindowBase: the base of the two long-lived windows (role and main).
// Escape and the system close end the application there, like their
// "closebtn": closing only the window would leave a process with nothing on
// screen (the main window is hidden while the role window shows, and the
// role window is hidden for good once the main window shows).
#pragma once

#include "UI/Window/WindowImplBase.h"

class CAppWindowBase : public Vellum::WindowImplBase {
public:
    bool OnCloseRequest() override;

protected:
    // Ends the message loop with exit code 0; shutdown follows in WinMain.
    static void QuitApplication();
};
