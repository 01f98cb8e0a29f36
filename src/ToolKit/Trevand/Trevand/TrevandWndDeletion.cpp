// CTrevandWnd::RunDeletion: the modal deletion window over the main window.
#include "ToolKit/Trevand/Trevand/DelDirWndRun.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"

void CTrevandWnd::RunDeletion(const std::list<std::string>& paths) {
    const TDelDirOutcome outcome = RunDelDirWnd(m_hWnd, MakeDeletionJob(), paths);
    m_strLastDeletion = outcome.strSummary;
    m_bEnding = outcome.bEnding;
}
