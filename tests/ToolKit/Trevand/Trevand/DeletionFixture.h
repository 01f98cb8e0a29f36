// The deletion window on real windows over the real main window, on a café
// whose disks hold read-only, hidden and GBK-named entries and links that
// point outside every disk.
//
// A test hands the window its paths, then says what the operator does while
// it is up as a list of steps; the steps run from a timer inside the modal
// loop, exactly as clicks would arrive there.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DelDirWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "support/Cafe.h"
#include "support/DiskListing.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "WorkerHold.h"
#include "../../../UI/Window/WindowTestSupport.h"

namespace deletiontest {

// A folder on drive E whose path does not fit the window's text line.
extern const char kLongFolder[];

// What the operator does while a window is up: once `ready` holds, `act`
// runs. A step not ready within its time fails the test.
struct Step {
    std::string what;
    std::function<bool()> ready;
    std::function<void()> act;
};

class Deletion : public ::testing::Test {
public:
    // The deletion window on screen, or null.
    static CDelDirWnd* Window();
    // A label's text in the deletion window.
    static std::string Text(const char* control);
    // Posts a click at the centre of a control of `wnd`.
    static void ClickIn(Vellum::WindowImplBase* wnd, const char* control);

protected:
    void SetUp() override;
    void TearDown() override;
    // Changes the café's description before it is made; the deletion
    // tests keep it as it is.
    virtual void ChangeCafe(testsupport::CafeDescription* /*desc*/) {}
    // Runs once the café's disks are made, before the main window starts on
    // them (which starts the quarantine upkeep over them).
    virtual void BeforeMainWindow() {}

    // The main window's own deletion step (CTrevandWnd::RunDeletion) on
    // `paths`; `steps` run meanwhile; returns once it has returned. Checks
    // that the window object went only after its worker was done.
    void RunDeletion(const std::list<std::string>& paths, std::vector<Step> steps);
    // The same for any `body` that runs one deletion window, whatever its
    // job (RunDelDirWnd with a job of the quarantine, say).
    void RunDeletionWindow(const std::function<void()>& body, std::vector<Step> steps);
    // What "DelDirWndSummary" said as the last run's window closed (after a
    // cancel the worker closes it as soon as it has stopped).
    const std::string& SummaryAtClose() const { return m_strSummaryAtClose; }
    // The headline and the status line as it closed.
    const std::string& HeadlineAtClose() const { return m_strHeadlineAtClose; }
    const std::string& StatusAtClose() const { return m_strStatusAtClose; }
    // Runs `body`, which opens modal windows, with `steps` run meanwhile.
    // A quit message left afterwards is taken off the queue
    // (QuitAfterRun says whether there was one).
    void RunWithSteps(const std::function<void()>& body, std::vector<Step> steps);
    bool QuitAfterRun() const { return m_bQuitAfterRun; }

    // Steps the tests share.
    // Waits for the completion headline (a deletion's by default), then
    // clicks "closebtn".
    static Step WaitFinishedThenClose(const std::string& headline = "删除完成！");
    static Step WaitHeldThen(const std::string& what, std::function<void()> act);
    static Step CheckThen(const std::string& what, std::function<void()> check);
    static Step ReleaseWorker(const std::string& what);
    // Finds the yes/no box and answers "是" (or "否"); its text goes to
    // *text when given.
    static Step AnswerYes(std::string* text = nullptr);
    static Step AnswerNo(std::string* text = nullptr);
    // The deletion window's state while a cancel is being carried out;
    // `headline` is the job's (a deletion's by default).
    static void ExpectCancelling(const std::string& headline = "    正在取消删除操作...");

    CTrevandWnd* Main() { return CTrevandWnd::Instance(); }
    bool HasRow(const std::string& path) { return Main()->RowsForTests().Find(path) != nullptr; }
    // Ticks the main window's row of `path` with a click on its check box.
    void Tick(const std::string& path);
    std::string CountText();

    // The deletion's log lines since `since` began (the test's start by
    // default): "[Info]|Trevand  …".
    std::vector<std::string> DeletionLines() const { return DeletionLines(m_log); }
    static std::vector<std::string> DeletionLines(const testsupport::LogCapture& since);
    // Drives E and F and the folder outside every disk.
    testsupport::DiskListing Listing() const;
    std::string Outside(const std::string& relative) const { return m_outside->File(relative); }

    testsupport::LogCapture m_log;
    std::unique_ptr<windowtest::SkinFolder> m_skins;
    std::unique_ptr<testsupport::TempDir> m_outside;
    std::unique_ptr<testsupport::Cafe> m_cafe;
    std::string m_strSummaryAtClose;
    std::string m_strHeadlineAtClose;
    std::string m_strStatusAtClose;
    bool m_bQuitAfterRun = false;
};

}  // namespace deletiontest
