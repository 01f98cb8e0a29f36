#include "ToolKit/Trevand/Trevand/AppWindowBase.h"

bool CAppWindowBase::OnCloseRequest() {
    QuitApplication();
    return true;
}

void CAppWindowBase::QuitApplication() { ::PostQuitMessage(0); }
