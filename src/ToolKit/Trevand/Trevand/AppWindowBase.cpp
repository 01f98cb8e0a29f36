#include "ToolKit/Trevand/Trevand/AppWindowBase.h"

LRESULT CAppWindowBase::OnDefaultKey(WPARAM wParam) {
    if (wParam != VK_ESCAPE) return 0;
    QuitApplication();
    return 1;
}

LRESULT CAppWindowBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if ((wParam & 0xFFF0) != SC_CLOSE) return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
    QuitApplication();
    return 0;
}

void CAppWindowBase::QuitApplication() { ::PostQuitMessage(0); }
