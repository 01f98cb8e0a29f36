// Screenshots of the deletion window to look at: while it deletes (a path
// too long for its line), while a cancel is carried out, once finished, and
// the summary of a run that left entries behind.
// The bar fills with the ticked entries done; once the run is over "完成"
// closes the window, every way of closing it says nothing of a cancel.
#include <gtest/gtest.h>

#include "DeletionFixture.h"

#include <algorithm>
#include <functional>

#include "UI/Control/LabelUI.h"
#include "comm/log/LogWriter.h"
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
        "running, the first of three entries done",
        [] { return WorkerHold::Entered() && Window() && Progress() && Progress()->GetValue() == 1; },
        [longTree] {
            EXPECT_EQ(longTree, Text("DelDirWndText"));
            // The bar counts the ticked entries: one of three is done.
            EXPECT_FALSE(Progress()->IsMarquee());
            EXPECT_EQ(3, Progress()->GetMaxValue());
            EXPECT_EQ("1 / 3，已释放 4 B", Text("DelDirWndCount"));
            Save("deletion-running.png");
            ClickIn(Window(), "closebtn");
        }};
    const Step cancelling = CheckThen("cancelling", [] {
        // Work still goes on until the worker stops; the count stays.
        EXPECT_EQ(1, Progress()->GetValue());
        EXPECT_EQ("1 / 3，已释放 4 B", Text("DelDirWndCount"));
        Save("deletion-cancelling.png");
    });
    RunDeletion({"E:\\b.txt", longTree, "E:\\a.txt"},
                {running, cancelling, ReleaseWorker("it stops and closes the window")});

    const Step finished = {"finished", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                           [] {
                               EXPECT_FALSE(Progress()->IsMarquee());
                               EXPECT_EQ(Progress()->GetMaxValue(), Progress()->GetValue());
                               EXPECT_EQ("1 / 1，已释放 4 B", Text("DelDirWndCount"));
                               Save("deletion-finished.png");
                               ClickIn(Window(), "closebtn");
                           }};
    RunDeletion({"E:\\a.txt"}, {finished});
}

// The rows of the window's content that show its background and nothing
// else, from the title bar down: the longest run of them below the
// headline, and the run above the headline (the window's top margin).
struct TBlankRows {
    int margin = 0;
    int longestBelow = 0;
};

TBlankRows BlankRows(const windowtest::Snapshot& shot, int titleBottom) {
    const uint32_t background = 0xF5F7FA;
    TBlankRows rows;
    int run = 0;
    bool headline = false;
    // Inside the 1-pixel border.
    for (int y = titleBottom; y < shot.Height() - 1; ++y) {
        bool blank = true;
        for (int x = 1; x < shot.Width() - 1 && blank; ++x) blank = shot.At(x, y) == background;
        if (blank) {
            ++run;
            continue;
        }
        if (!headline) rows.margin = run;
        else rows.longestBelow = std::max(rows.longestBelow, run);
        headline = true;
        run = 0;
    }
    rows.longestBelow = std::max(rows.longestBelow, run);
    return rows;
}

// Once finished, the path and the status lines have nothing to say: where
// they stood no blank band may show between the bar and the summary, nor
// anywhere below the headline a gap taller than the margin above it.
TEST_F(Deletion, AFinishedWindowShowsNoBlankBand) {
    RunDeletion({"E:\\a.txt"},
                {{"finished", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                  [] {
                      Vellum::CUIManager& pm = Window()->GetManager();
                      const windowtest::Snapshot shot(pm);
                      Save("deletion-finished-layout.png");
                      const int titleBottom = pm.FindControl("DelDirWndTitle")->GetPos().bottom;
                      const TBlankRows rows = BlankRows(shot, titleBottom);
                      EXPECT_GT(rows.margin, 0);
                      EXPECT_LE(rows.longestBelow, rows.margin);
                      // The summary follows the bar's row as the bar's row follows the headline.
                      const RECT headline = pm.FindControl("DelDirWndFinal")->GetPos();
                      const RECT bar = pm.FindControl("DelDirWndProcess")->GetParent()->GetPos();
                      const RECT summary = pm.FindControl("DelDirWndSummary")->GetPos();
                      EXPECT_EQ(bar.top - headline.bottom, summary.top - bar.bottom);
                      // The texts the lines held are kept as they were.
                      EXPECT_EQ("", Text("DelDirWndText"));
                      EXPECT_EQ("", Text("DelDirWndStatus"));
                      ClickIn(Window(), "BtnDone");
                  }}});
}

// A top-level window whose title holds `part`, or null.
HWND WindowTitled(const std::string& part) {
    struct Search {
        std::string part;
        HWND found;
    } search = {part, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            char title[512] = {};
            ::GetWindowTextA(hWnd, title, sizeof(title));
            if (std::string(title).find(s->part) == std::string::npos) return TRUE;
            s->found = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Deletion, ScreenshotOfTheSummaryWithEntriesThatStayed) {
    HANDLE held = ::CreateFileA("E:\\SumHeld\\keep.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const std::string logPath = CLogWriter::Instance().TodaysFilePath();
    const std::string logName = logPath.substr(logPath.rfind('\\') + 1);
    RunDeletion({"E:\\SumBig", "E:\\SumHeld", "E:\\sum-loose.dat"},
                {{"finished", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                  [logName] {
                      // The summary stands out, and the log that says why is one click away.
                      auto* summary = static_cast<Vellum::CLabelUI*>(
                          Window()->GetManager().FindControl("DelDirWndSummary")->GetInterface("Label"));
                      EXPECT_EQ(0xFF92400Eu, summary->GetTextColor());
                      EXPECT_TRUE(Window()->GetManager().FindControl("BtnViewLog")->IsVisible());
                      Save("deletion-summary.png");
                      ClickIn(Window(), "BtnViewLog");
                      HWND viewer = nullptr;
                      EXPECT_TRUE(windowtest::PumpUntil([&] { return (viewer = WindowTitled(logName)) != nullptr; },
                                                        15000))
                          << "no window shows " << logName;
                      if (viewer) ::PostMessageA(viewer, WM_CLOSE, 0, 0);
                      ClickIn(Window(), "closebtn");
                  }}});
    ::CloseHandle(held);
}

TEST_F(Deletion, AFinishedRunClosesByEveryWayWithoutAWordOfCancelling) {
    const struct {
        const char* way;
        std::function<void()> close;
    } ways[] = {
        {"完成", [] { ClickIn(Window(), "BtnDone"); }},
        {"Enter", [] { EXPECT_TRUE(windowtest::SendRealKey(VK_RETURN)); }},
        {"Escape", [] { EXPECT_TRUE(windowtest::SendRealKey(VK_ESCAPE)); }},
        {"closebtn", [] { ClickIn(Window(), "closebtn"); }},
    };
    for (const auto& way : ways) {
        const std::string path = std::string("E:\\done-") + way.way + ".dat";
        testsupport::WriteFileBytes(path, "four");
        RunDeletion({path}, {{"finished", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                              [&way] {
                                  Vellum::CUIManager& pm = Window()->GetManager();
                                  EXPECT_TRUE(pm.FindControl("BtnDone")->IsVisible()) << way.way;
                                  EXPECT_FALSE(pm.FindControl("BtnViewLog")->IsVisible()) << way.way;
                                  EXPECT_EQ("关闭", pm.FindControl("closebtn")->GetToolTip().ToStdString()) << way.way;
                                  ::SetForegroundWindow(Window()->GetHWND());
                                  way.close();
                              }}});
        EXPECT_EQ("删除完成！", HeadlineAtClose()) << way.way;
        EXPECT_EQ("", StatusAtClose()) << way.way;
        EXPECT_EQ("已删除 1 项，释放 4 B", SummaryAtClose()) << way.way;
        EXPECT_FALSE(testsupport::FileExists(path)) << way.way;
    }
}

}  // namespace
}  // namespace deletiontest
