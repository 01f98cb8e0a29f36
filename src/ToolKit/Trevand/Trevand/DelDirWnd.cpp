// CDelDirWnd, the UI thread's side: the controls, the close requests and
// the texts the worker sends over.
#include "ToolKit/Trevand/Trevand/DelDirWnd.h"

#include <cassert>

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "UI/Control/LabelUI.h"
#include "UI/Control/ProgressUI.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Core/UIManager.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/ShellOpen.h"
#include "comm/platform/WorkerThread.h"

using Vellum::TNotification;

namespace {

// Our own line for a worker that could not be started.
const char kNotStartedLog[] = "Trevand  无法启动删除线程（错误码%lu），未删除任何文件";
const char kLogNotOpenedLog[] = "Trevand  无法打开日志文件 %s（错误码%lu）";

// A summary that says entries stayed: the warning colours, so it is not read
// as the plain "all done" at a glance.
const DWORD kWarningText = 0xFF92400E;
const DWORD kWarningBack = 0xFFFFFBEB;
const DWORD kWarningBorder = 0xFFF59E0B;

}  // namespace

std::mutex CDelDirWnd::s_lock;

namespace {
std::atomic<CDelDirWnd::DestroyHook> g_destroyHook{nullptr};
}  // namespace

CDelDirWnd::CDelDirWnd() : CDelDirWnd(MakeDeletionJob()) {}

CDelDirWnd::CDelDirWnd(std::unique_ptr<CDelDirJob> job) : m_job(std::move(job)) {}

CDelDirWnd::~CDelDirWnd() {
    if (DestroyHook hook = g_destroyHook.load()) hook(*this);
}

void CDelDirWnd::SetDestroyHookForTests(DestroyHook hook) { g_destroyHook.store(hook); }

const char* CDelDirWnd::GetWindowClassName() const { return "CDelDirWnd"; }

const char* CDelDirWnd::GetSkinFile() { return "DelDirWnd.xml"; }

void CDelDirWnd::InitWindow() {
    if (Vellum::CControlUI* progress = m_pm.FindControl("DelDirWndProcess"))
        m_pProgress = static_cast<Vellum::CProgressUI*>(progress->GetInterface("Progress"));
    if (Vellum::CControlUI* text = m_pm.FindControl("DelDirWndText")) {
        m_pText = static_cast<Vellum::CLabelUI*>(text->GetInterface("Label"));
        // A long path loses its middle, so the entry's own name stays
        // readable; a name too long by itself loses its end.
        if (m_pText) m_pText->SetTextStyle(m_pText->GetTextStyle() | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS);
    }
    const TDelDirTexts& texts = m_job->Texts();
    if (Vellum::CControlUI* title = m_pm.FindControl("DelDirWndTitle")) title->SetText(texts.title);
    if (m_pProgress) {
        // How many entries are ticked is known from the start: the bar fills
        // with the entries done.
        m_pProgress->SetMarquee(false);
        m_pProgress->SetValue(m_pProgress->GetMinValue());
    }
    if (Vellum::CControlUI* close = m_pm.FindControl("closebtn")) close->SetToolTip(texts.closeTooltip);
    SetTexts(texts.status, texts.headline, "");
}

void CDelDirWnd::Start(std::list<std::string> paths) {
    m_listPath = std::move(paths);
    if (m_pProgress) m_pProgress->SetMaxValue(static_cast<int>(m_listPath.size()));
    ShowProgress(0, 0);
    const platform::ThreadRoutine routine = [](void* arg) -> unsigned long {
        return DelFileThread(static_cast<CDelDirWnd*>(arg));
    };
    // Without its window the worker could not be seen, cancelled or waited
    // for: nothing is deleted then either.
    uint32_t error = ERROR_INVALID_WINDOW_HANDLE;
    if (m_hWnd && platform::StartDetachedThread(routine, this, &error)) return;

    LOG_WRITE(LOG_ERROR, kNotStartedLog, static_cast<unsigned long>(error));
    std::lock_guard<std::mutex> lock(s_lock);
    // Nothing runs and nothing can be cancelled: "closebtn" closes.
    m_bRunning = false;
    m_bCanCancel = false;
    m_bDone = true;
    m_tally.nNotReached = static_cast<uint32_t>(m_listPath.size());
    SetTexts("", m_job->Texts().notStartedFinal, "");
    ShowSummary();
    StopProgress(false);
}

bool CDelDirWnd::WaitForWorker(int* quitCode) {
    const HWND hWnd = m_hWnd;
    const HWND owner = hWnd ? ::GetWindow(hWnd, GW_OWNER) : nullptr;
    // Until the worker is done nothing behind this window may run: a reload
    // or another deletion would work on the rows and disks it still changes.
    if (owner) ::EnableWindow(owner, FALSE);
    // Cancels a running worker; closes the window of one that is done.
    if (::IsWindow(hWnd)) AnswerCloseRequest();
    const bool quit =
        Vellum::CUIManager::RunMessageLoopUntil([this, hWnd] { return IsDone() && !::IsWindow(hWnd); }, quitCode);
    if (owner) {
        ::EnableWindow(owner, TRUE);
        ::SetFocus(owner);
    }
    return quit;
}

std::string CDelDirWnd::SummaryText() const {
    std::lock_guard<std::mutex> lock(s_lock);
    return m_bDone ? m_job->SummaryText(m_tally) : std::string();
}

bool CDelDirWnd::IsRunningForTests() const {
    std::lock_guard<std::mutex> lock(s_lock);
    return m_bRunning;
}

bool CDelDirWnd::CanCancelForTests() const {
    std::lock_guard<std::mutex> lock(s_lock);
    return m_bCanCancel;
}

bool CDelDirWnd::IsDone() const {
    std::lock_guard<std::mutex> lock(s_lock);
    return m_bDone;
}

void CDelDirWnd::OnClick(TNotification& msg) {
    const Vellum::CUIString& name = msg.pSender->GetName();
    if (name.IsEmpty()) return;
    if (name == "closebtn" || name == "BtnDone") {
        AnswerCloseRequest();
        return;
    }
    if (name == "BtnViewLog") {
        OpenLog();
        return;
    }
    WindowImplBase::OnClick(msg);
}

void CDelDirWnd::AnswerCloseRequest() {
    std::lock_guard<std::mutex> lock(s_lock);
    // Once the worker is done there is nothing to cancel: the window only
    // closes, without a word about cancelling.
    if (m_bCanCancel && !m_bDone) {
        m_bRunning = false;
        m_bCanCancel = false;
        SetTexts(m_job->Texts().cancelStatus, m_job->Texts().cancelFinal, "");
    }
    // While the worker runs it closes the window itself once it sees the
    // request. Closing posts, so it is safe under the lock.
    if (m_bDone) Close(8);
}

LRESULT CDelDirWnd::OnDefaultKey(WPARAM wParam) {
    if (wParam == VK_RETURN && IsDone()) {
        AnswerCloseRequest();
        return 1;
    }
    return WindowImplBase::OnDefaultKey(wParam);
}

bool CDelDirWnd::OnCloseRequest() {
    AnswerCloseRequest();
    return true;
}

LRESULT CDelDirWnd::OnClose(UINT, WPARAM, LPARAM, bool& bHandled) {
    {
        std::lock_guard<std::mutex> lock(s_lock);
        if (m_bDone) {
            // After a cancel the worker's own close is the first moment its
            // counts are final; the label says them as the window goes.
            ShowSummary();
            bHandled = false;  // the worker has stopped: let the window go
            return 0;
        }
    }
    // A close posted from elsewhere (another program, the shell) while the
    // worker runs: taken as a cancel request, and the window stays.
    AnswerCloseRequest();
    // The modal loop enabled the owner when it saw this WM_CLOSE.
    if (HWND owner = ::GetWindow(m_hWnd, GW_OWNER)) ::EnableWindow(owner, FALSE);
    ::SetFocus(m_hWnd);
    bHandled = true;
    return 0;
}

bool CDelDirWnd::ShowPath(const std::string& path) {
    // Queued before a cancel: the cancel texts stay.
    if (!m_bRunning) return true;
    if (m_pText) m_pText->SetText(path.c_str());
    return true;
}

bool CDelDirWnd::ShowProgress(uint32_t done, uint64_t bytes) {
    // Queued before a cancel: the cancel texts stay, and so do the counts.
    if (!m_bRunning) return true;
    const std::string text = std::to_string(done) + " / " + std::to_string(m_listPath.size()) + "，" +
                             m_job->Texts().progressWord + " " + FormatSize(bytes);
    if (Vellum::CControlUI* count = m_pm.FindControl("DelDirWndCount")) count->SetText(text.c_str());
    if (m_pProgress) m_pProgress->SetValue(static_cast<int>(done));
    return true;
}

bool CDelDirWnd::ShowFinished() {
    // The worker posted this holding the lock and sets m_bDone before it
    // lets go: taking the lock here is what makes its counts readable.
    std::lock_guard<std::mutex> lock(s_lock);
    if (!m_bRunning) return true;
    SetTexts("", m_job->Texts().finishedFinal, "");
    StopProgress(true);
    ShowSummary();
    ShowDoneButtons(m_tally.nLeft != 0);
    return true;
}

void CDelDirWnd::ShowDoneButtons(bool entriesLeft) {
    // Nothing to cancel any more: the close button only closes.
    if (Vellum::CControlUI* close = m_pm.FindControl("closebtn")) close->SetToolTip("关闭");
    if (Vellum::CControlUI* row = m_pm.FindControl("DelDirWndButtons")) row->SetVisible(true);
    if (Vellum::CControlUI* log = m_pm.FindControl("BtnViewLog")) log->SetVisible(entriesLeft);
    Vellum::CControlUI* summary = m_pm.FindControl("DelDirWndSummary");
    auto* label = summary ? static_cast<Vellum::CLabelUI*>(summary->GetInterface("Label")) : nullptr;
    if (entriesLeft && label) {
        label->SetTextColor(kWarningText);
        label->SetBkColor(kWarningBack);
        label->SetBorderColor(kWarningBorder);
    }
    if (Vellum::CControlUI* done = m_pm.FindControl("BtnDone")) done->SetFocus();
}

void CDelDirWnd::OpenLog() {
    const std::string path = CLogWriter::Instance().TodaysFilePath();
    uint32_t error = 0;
    if (!platform::OpenTextFile(path, &error)) {
        LOG_WRITE(LOG_ERROR, kLogNotOpenedLog, path.c_str(), static_cast<unsigned long>(error));
    }
}

void CDelDirWnd::ShowSummary() {
    assert(m_bDone);
    Vellum::CControlUI* label = m_pm.FindControl("DelDirWndSummary");
    if (!label) return;
    label->SetText(m_job->SummaryText(m_tally).c_str());
    // Hidden while the worker runs: an empty box would only raise the
    // question what belongs in it.
    label->SetVisible(true);
    FoldEmptyLines();
}

void CDelDirWnd::FoldEmptyLines() {
    // The run is over: the path line, and the status line unless it still
    // says something, would stand empty between the bar and the summary.
    int freed = 0;
    for (const char* name : {"DelDirWndText", "DelDirWndStatus"}) {
        Vellum::CControlUI* line = m_pm.FindControl(name);
        if (!line || !line->IsVisible() || !line->GetText().IsEmpty()) continue;
        const auto* parent =
            line->GetParent() ? static_cast<Vellum::CContainerUI*>(line->GetParent()->GetInterface("Container")) : nullptr;
        freed += line->GetFixedHeight() + (parent ? parent->GetChildPadding() : 0);
        line->SetVisible(false);
    }
    // The window gives up their room, so no blank band shows at its foot
    // either; its top stays where the operator saw it. (The whole window is
    // client area: its own rectangle shrinks, nothing is added for a frame.)
    RECT window;
    if (freed > 0 && m_hWnd && ::GetWindowRect(m_hWnd, &window)) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - freed,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void CDelDirWnd::SetTexts(const char* status, const char* final, const char* text) {
    if (Vellum::CControlUI* label = m_pm.FindControl("DelDirWndStatus")) label->SetText(status);
    if (Vellum::CControlUI* label = m_pm.FindControl("DelDirWndFinal")) label->SetText(final);
    if (m_pText) m_pText->SetText(text);
}

void CDelDirWnd::StopProgress(bool bFull) {
    if (!m_pProgress) return;
    m_pProgress->SetMarquee(false);
    m_pProgress->SetValue(bFull ? m_pProgress->GetMaxValue() : m_pProgress->GetMinValue());
}
