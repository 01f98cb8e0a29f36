// CSelectServerClassWnd: the first window the operator sees. It asks
// whether this machine is the master (1) or a secondary (2) server; "OkButton"
// hands the role to the main window, "closebtn" (and Escape, and the system
// close) end the application.
//
// One process-wide instance (Instance/ReleaseInstance); created and shown by
// the main window's InitWindow, hidden for good after "OkButton".
#pragma once

#include "ToolKit/Trevand/Trevand/AppWindowBase.h"

class CSelectServerClassWnd : public CAppWindowBase {
public:
    static CSelectServerClassWnd* Instance();
    static void ReleaseInstance();
    // Whether the instance exists (no lock taken; tests and shutdown checks).
    static bool HasInstance();

    const char* GetWindowClassName() const override;
    ~CSelectServerClassWnd() override;
    void InitWindow() override;
    void OnClick(Vellum::TNotification& msg) override;
    const char* GetSkinFile() override;

    int GetServerClass() const { return m_nServerClass; }

private:
    int m_nServerClass = 1;
};
