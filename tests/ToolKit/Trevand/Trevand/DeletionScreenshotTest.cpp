// Screenshots of the deletion window to look at: while it deletes (a path
// too long for its line), while a cancel is carried out, once finished, and
// the summary of a run that left entries behind.
// The progress bar slides only while work goes on.
#include <gtest/gtest.h>

#include "DeletionFixture.h"
#include "UI/Control/ProgressUI.h"
#include "../../../UI/Window/RenderTestSupport.h"

namespace deletiontest {
namespace {

void Save(const char* name) {
    CDelDirWnd* wnd = Deletion::Window();
    ASSERT_NE(nullptr, wnd);
    EXPECT_TRUE(windowtest::SaveWindowPng(wnd->GetManager(), windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, name)))
        << name;
}

Vellum::CProgressUI* Progress() {
    Vellum::CControlUI* control = Deletion::Window()->GetManager().FindControl("DelDirWndProcess");
    return control ? static_cast<Vellum::CProgressUI*>(control->GetInterface("Progress")) : nullptr;
}

TEST_F(Deletion, ScreenshotsWhileRunningCancellingAndFinished) {
    const std::string longTree = std::string("E:\\") + kLongFolder;
    WorkerHold::Arm(kLongFolder);
    const Step running = {
        "running, the bar's block well inside",
        [] { return WorkerHold::Entered() && Window() && Progress() && Progress()->GetMarqueePos() >= 300; },
        [longTree] {
            EXPECT_EQ(longTree, Text("DelDirWndText"));
            Save("deletion-running.png");
            ClickIn(Window(), "closebtn");
        }};
    const Step cancelling = CheckThen("cancelling", [] {
        // Work still goes on until the worker stops.
        EXPECT_TRUE(Progress()->IsMarquee());
        Save("deletion-cancelling.png");
    });
    RunDeletion({"E:\\b.txt", longTree, "E:\\a.txt"},
                {running, cancelling, ReleaseWorker("it stops and closes the window")});

    const Step finished = {"finished", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                           [] {
                               EXPECT_FALSE(Progress()->IsMarquee());
                               EXPECT_EQ(Progress()->GetMaxValue(), Progress()->GetValue());
                               Save("deletion-finished.png");
                               ClickIn(Window(), "closebtn");
                           }};
    RunDeletion({"E:\\a.txt"}, {finished});
}

TEST_F(Deletion, ScreenshotOfTheSummaryWithEntriesThatStayed) {
    HANDLE held = ::CreateFileA("E:\\SumHeld\\keep.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    RunDeletion({"E:\\SumBig", "E:\\SumHeld", "E:\\sum-loose.dat"},
                {{"finished", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                  [] {
                      Save("deletion-summary.png");
                      ClickIn(Window(), "closebtn");
                  }}});
    ::CloseHandle(held);
}

}  // namespace
}  // namespace deletiontest
