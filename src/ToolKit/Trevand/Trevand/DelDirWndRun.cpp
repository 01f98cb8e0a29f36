#include "ToolKit/Trevand/Trevand/DelDirWndRun.h"

#include "ToolKit/Trevand/Trevand/DelDirWnd.h"
#include "comm/log/LogWriter.h"

TDelDirOutcome RunDelDirWnd(HWND owner, std::unique_ptr<CDelDirJob> job, const std::list<std::string>& paths) {
    CDelDirWnd* wnd = new CDelDirWnd(std::move(job));
    // Created hidden and shown by ShowModal once centred: created visible it
    // flashes up at the corner of the screen first.
    wnd->Create(owner, "CDelDirWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    wnd->CenterWindow();
    wnd->Start(paths);
    wnd->ShowModal();
    // ShowModal also returns on a quit message while the worker still uses
    // the window. The wait asks for nothing but the cancel "closebtn" asks
    // for and lets the worker run and stop as it always does: it only keeps
    // the object, and the messages to it, alive until the worker is done.
    TDelDirOutcome outcome;
    int quitCode = 0;
    outcome.bEnding = wnd->WaitForWorker(&quitCode);
    outcome.strSummary = wnd->SummaryText();
    delete wnd;
    // The request to end comes back now that nothing runs any more; the
    // operator reads in the log how far the run got.
    if (outcome.bEnding) {
        LOG_WRITE(LOG_WARNING, "the program was asked to end during a deletion, which stopped: %s",
                  outcome.strSummary.c_str());
        ::PostQuitMessage(quitCode);
    }
    return outcome;
}
