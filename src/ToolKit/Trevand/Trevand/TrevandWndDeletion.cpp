// CTrevandWnd::RunDeletion: the modal deletion window over the main window.
#include "ToolKit/Trevand/Trevand/DelDirWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"

void CTrevandWnd::RunDeletion(const std::list<std::string>& paths) {
    CDelDirWnd* wnd = new CDelDirWnd;
    wnd->Create(m_hWnd, "CDelDirWnd", WS_VISIBLE | WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    wnd->CenterWindow();
    wnd->Start(paths);
    wnd->ShowModal();
    m_strLastDeletion = wnd->SummaryText();
    delete wnd;
}
