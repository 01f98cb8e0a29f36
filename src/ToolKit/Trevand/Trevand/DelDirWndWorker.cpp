// CDelDirWnd, the worker's side: the list, the counts, the calls to the UI.
//
// The worker holds the deletion lock only around its checks and its last
// step, never during a file operation or a log call. It reaches the UI only
// through posted calls: the window's texts, and (through its job) the rows
// of the window the entries were ticked in.
//
// The counts for the summary follow the facts: an entry counts as done only
// when it went entirely, and the bytes are what the job itself measured.
#include <exception>

#include "ToolKit/Trevand/Trevand/DelDirWnd.h"
#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/WorkerLog.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/Folder.h"

namespace {

// Names of the worker's calls to the UI thread (only the pointer travels).
const char kShowPathCall[] = "DelDirWndText";
const char kShowFinishedCall[] = "DelDirWndFinal";
const char kShowProgressCall[] = "DelDirWndCount";

}  // namespace

unsigned long CDelDirWnd::DelFileThread(CDelDirWnd* pWnd) {
    pWnd->DeleteList();
    return 0;
}

void CDelDirWnd::DeleteList() {
    CEntryDeleter deleter([this] { return CheckRunning(); });
    const uint32_t total = static_cast<uint32_t>(m_listPath.size());
    uint32_t begun = 0;
    for (const std::string& path : m_listPath) {
        try {
            const uint32_t attributes = platform::ReadAttributes(path);
            {
                std::lock_guard<std::mutex> lock(s_lock);
                if (!m_bRunning) {
                    Close(1);
                    FinishTally(total - begun);
                    return;  // the lock is released after the window's last use
                }
            }
            ++begun;
            PostPath(path);
            // A path that is gone by now: nothing to do, nothing to log,
            // nothing to count; only the job's own records of it to settle.
            RunJobOnEntry(*m_job, path, attributes, deleter, &m_tally);
        } catch (const std::exception&) {
            // Telling the window failed (out of memory): the entry was not
            // seen to go.
            ++m_tally.nLeft;
            WorkerLog(LOG_ERROR, kEntryExceptionLog, path.c_str());
        }
        if (m_bRunning) {
            m_job->EntryFinished(path);
            PostProgress(begun, m_tally.nFreedBytes);
        }
    }
    std::lock_guard<std::mutex> lock(s_lock);
    if (m_bRunning) PostFinished();
    else Close(1);  // a cancel came after the last entry's check
    FinishTally(0);
}

void CDelDirWnd::FinishTally(uint32_t notReached) {
    m_tally.nNotReached += notReached;
    m_tally.bCancelled = !m_bRunning;
    m_bDone = true;
}

bool CDelDirWnd::CheckRunning() const {
    std::lock_guard<std::mutex> lock(s_lock);
    return m_bRunning;
}

void CDelDirWnd::PostPath(const std::string& path) {
    PostUserMessage([path](Vellum::CWindowWnd& wnd) { return static_cast<CDelDirWnd&>(wnd).ShowPath(path); },
                    kShowPathCall);
}

void CDelDirWnd::PostProgress(uint32_t done, uint64_t bytes) {
    PostUserMessage(
        [done, bytes](Vellum::CWindowWnd& wnd) { return static_cast<CDelDirWnd&>(wnd).ShowProgress(done, bytes); },
        kShowProgressCall);
}

void CDelDirWnd::PostFinished() {
    PostUserMessage([](Vellum::CWindowWnd& wnd) { return static_cast<CDelDirWnd&>(wnd).ShowFinished(); },
                    kShowFinishedCall);
}
