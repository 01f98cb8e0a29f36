// CTrevandWnd::RunDeletion: the modal deletion window over the main window.
#include "ToolKit/Trevand/Trevand/DelDirWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "comm/log/LogWriter.h"

void CTrevandWnd::RunDeletion(const std::list<std::string>& paths) {
    CDelDirWnd* wnd = new CDelDirWnd;
    // Created hidden and shown by ShowModal once centred: created visible it
    // flashes up at the corner of the screen first.
    wnd->Create(m_hWnd, "CDelDirWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    wnd->CenterWindow();
    wnd->Start(paths);
    wnd->ShowModal();
    // ShowModal also returns on a quit message (a close request reaching the
    // main window, or one posted from outside) while the worker still uses
    // the window. The wait asks for nothing but the cancel "closebtn" asks
    // for and lets the worker run and stop as it always does: it only keeps
    // the object, and the messages to it, alive until the worker is done.
    int quitCode = 0;
    m_bEnding = wnd->WaitForWorker(&quitCode);
    m_strLastDeletion = wnd->SummaryText();
    delete wnd;
    // The request to end comes back now that nothing runs any more; the
    // operator reads in the log how far the deletion got.
    if (m_bEnding) {
        LOG_WRITE(LOG_WARNING, "the program was asked to end during a deletion, which stopped: %s",
                  m_strLastDeletion.c_str());
        ::PostQuitMessage(quitCode);
    }
}
