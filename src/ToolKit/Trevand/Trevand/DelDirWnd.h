// CDelDirWnd: the modal window that deletes the entries the operator ticked
// (or, with another job, moves them into the quarantine, or deletes
// quarantined entries for good: DelDirJob.h; the words below are the
// deletion's).
//
// The main window constructs it with `new`, calls Create (parent: the main
// window; created hidden, ShowModal shows it once centred), CenterWindow,
// Start(paths), ShowModal and WaitForWorker, and deletes it after that. Start runs one worker thread, DelFileThread, that
// deletes the paths in order, logs each one, and hands each finished path
// back to the main window (CTrevandWnd::DeleteListItem). "closebtn" cancels;
// the worker stops at its next check and closes the window itself. After the
// whole list the window shows that it is done and waits for "BtnDone" (or
// Enter, Escape, "closebtn"). While it runs, "DelDirWndCount" beside the bar
// counts the entries done of all ticked and the space freed so far, and the
// bar fills with them. When the worker stops, for whatever reason,
// "DelDirWndSummary" says how many entries went, how many stayed and how
// much space was freed; when some stayed it stands out and "BtnViewLog"
// opens the day's log, which says why.
//
// States (R m_bRunning, C m_bCanCancel, D m_bDone):
//   Running 1 1 0 -> Finished 1 1 1 (list done) or Cancelling 0 0 0 (closebtn)
//   A close request once D is set closes; it never cancels (nothing runs).
//   Cancelling 0 0 0 -> Stopped 0 0 1 (the worker saw it and closed the window)
//   Not started 0 0 1 (the worker thread could not start; closebtn closes)
// Escape, the system close and a WM_CLOSE from elsewhere are answered like
// "closebtn": the window is never destroyed before D is set, because until
// then the worker still uses it. A quit message ends ShowModal with the
// worker still running: WaitForWorker then asks for the same cancel and
// keeps the window alive until D is set.
//
// Threads: the worker never touches a control. Its text changes reach the UI
// thread as cross-thread calls, in order; one that arrives after a cancel
// was recorded is dropped, so the cancel texts stay. The worker counts alone;
// the UI thread reads the counts only once m_bDone is set, under the lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>

#include "ToolKit/Trevand/Trevand/DelDirJob.h"
#include "ToolKit/Trevand/Trevand/DelDirWndSummary.h"
#include "UI/Window/WindowImplBase.h"

namespace Vellum {
class CLabelUI;
class CProgressUI;
}

class CDelDirWnd : public Vellum::WindowImplBase {
public:
    // The main window's deletion (MakeDeletionJob).
    CDelDirWnd();
    explicit CDelDirWnd(std::unique_ptr<CDelDirJob> job);
    const char* GetWindowClassName() const override;
    ~CDelDirWnd() override;
    void InitWindow() override;
    void OnClick(Vellum::TNotification& msg) override;
    const char* GetSkinFile() override;

    // Escape and the system close: answered like "closebtn" (the framework
    // would close at once, and the main window would then delete this object
    // while the worker still uses it).
    bool OnCloseRequest() override;
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    // Enter once the worker is done: like "BtnDone".
    LRESULT OnDefaultKey(WPARAM wParam) override;

    // Copies `paths` and starts the worker; called once. When the native
    // window does not exist or the thread cannot start, nothing is deleted:
    // the failure is logged and shown, and "closebtn" closes.
    void Start(std::list<std::string> paths);

    // UI thread, after ShowModal has returned, whatever ended it (the window
    // closed, or a quit message). A worker still deleting is asked to stop
    // exactly as "closebtn" asks, and a finished window is closed; messages
    // go on being handled (the worker's texts, the main window's row
    // removals) until the worker has set its done flag and the window is
    // gone. The owner stays disabled meanwhile. Returns true when a quit
    // message came (its exit code in *quitCode): it is taken off the queue,
    // for the caller to post again once this object has gone.
    bool WaitForWorker(int* quitCode);

    // The worker thread's routine: does the job on the list, then shows the
    // completion texts or, after a cancel, closes the window. Returns 0.
    static unsigned long DelFileThread(CDelDirWnd* pWnd);

    // The summary line once the worker has stopped ("已删除 2 项，释放 …"),
    // for the main window to keep after this window has gone; empty before.
    std::string SummaryText() const;

    // Whether the worker has stopped for good (read under the deletion lock).
    bool IsDone() const;

    // For tests only: the other two flags, each read under the deletion
    // lock, and a hook that runs at the start of the destructor of every
    // deletion window, with the window still whole (null removes it).
    bool IsRunningForTests() const;
    bool CanCancelForTests() const;
    using DestroyHook = void (*)(CDelDirWnd& wnd);
    static void SetDestroyHookForTests(DestroyHook hook);

private:
    // Worker side (DelDirWndWorker.cpp).
    void DeleteList();
    // The worker's last step, under the deletion lock: the counts are kept
    // for the UI thread and m_bDone is set.
    void FinishTally(uint32_t notReached);
    // Takes the deletion lock to read m_bRunning.
    bool CheckRunning() const;
    void PostPath(const std::string& path);
    // After each entry: how many of the list are done, the bytes so far.
    void PostProgress(uint32_t done, uint64_t bytes);
    void PostFinished();

    // UI side (DelDirWnd.cpp).
    // "closebtn", Escape and every close request: the first one cancels;
    // once the worker has stopped, the window closes.
    void AnswerCloseRequest();
    bool ShowPath(const std::string& path);
    bool ShowProgress(uint32_t done, uint64_t bytes);
    bool ShowFinished();
    // "BtnDone", and "BtnViewLog" beside it when entries stayed.
    void ShowDoneButtons(bool entriesLeft);
    // Opens the day's log with the program the system has for it.
    void OpenLog();
    // Writes the counts into "DelDirWndSummary". REQUIRES: s_lock held and
    // m_bDone set (the worker has stopped counting).
    void ShowSummary();
    // Hides the lines that say nothing once the run is over (the path line,
    // the status line when empty) and shrinks the window by their room.
    void FoldEmptyLines();
    void SetTexts(const char* status, const char* final, const char* text);
    // Ends the marquee: the bar shows full after a finished run, empty when
    // nothing ran.
    void StopProgress(bool bFull);

    // The deletion lock: guards the three flags and every decision to close
    // the window. Static, so the worker can release it after its last use of
    // the window.
    static std::mutex s_lock;

    const std::unique_ptr<CDelDirJob> m_job;
    std::list<std::string> m_listPath;
    Vellum::CProgressUI* m_pProgress = nullptr;
    Vellum::CLabelUI* m_pText = nullptr;
    // Written under s_lock; atomic because the worker reads m_bRunning once
    // more without it before each row removal.
    std::atomic<bool> m_bRunning{true};
    std::atomic<bool> m_bCanCancel{true};
    std::atomic<bool> m_bDone{false};
    // Written by the worker alone until it sets m_bDone.
    DeletionTally m_tally;
};
