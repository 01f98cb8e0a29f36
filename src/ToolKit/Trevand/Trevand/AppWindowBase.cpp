#include "ToolKit/Trevand/Trevand/AppWindowBase.h"

bool CAppWindowBase::OnCloseRequest() {
    QuitApplication();
    return true;
}

LRESULT CAppWindowBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    bHandled = true;
    QuitApplication();
    return 0;
}

void CAppWindowBase::QuitApplication() { ::PostQuitMessage(0); }
