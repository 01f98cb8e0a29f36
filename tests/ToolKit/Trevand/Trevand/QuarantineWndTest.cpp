// The quarantine window: what it lists, its order, restoring (byte for byte,
// never over anything), and closing, on real windows and real Wine drives.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "QuarantineWndFixture.h"
#include "../../../UI/Window/RenderTestSupport.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/QuarantineText.h"
#include "UI/Control/ListHeaderItemUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"
#include "comm/platform/Clock.h"

using testsupport::DiskListing;

namespace quarantinewndtest {
namespace {

const char kBatch1[] = "20261201-080000";
const char kBatch2[] = "20261205-173000";

// The message box shows each "\r\n" as a blank line between paragraphs.
std::string AsShownInBox(std::string text) {
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 4))
        text.replace(at, 2, "\r\n\r\n");
    return text;
}

// The sort marks of the header's titles, left to right.
std::vector<int> SortMarks() {
    std::vector<int> marks;
    Vellum::CListHeaderUI* header = QuarantineWindow::Window()->RowsForTests().GetList()->GetHeader();
    for (int i = 0; i < header->GetCount(); ++i)
        marks.push_back(static_cast<Vellum::CListHeaderItemUI*>(header->GetItemAt(i))->GetSortMark());
    return marks;
}

std::vector<std::string> PathsOf(const std::vector<TQuarantineRecord>& records) {
    std::vector<std::string> paths;
    for (const TQuarantineRecord& record : records) paths.push_back(record.strOriginalPath);
    return paths;
}

TEST_F(QuarantineWindow, ListsEveryRecordOfEveryDiskWithItsTextsAndTotals) {
    // Moved as time went (a move dated before an earlier one is one under a
    // clock set back, whose time the disk does not believe).
    const TQuarantineRecord cheng = MoveIn("E:\\Games\\誠", kBatch2, 5);
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch1, 2);
    const TQuarantineRecord a1 = MoveIn("E:\\a.txt", kBatch1, 2);
    // The same place quarantined again later: two rows of one path.
    testsupport::WriteFileBytes("E:\\a.txt", "second a, longer");
    const TQuarantineRecord a2 = MoveIn("E:\\a.txt", kBatch2, 0);
    const TQuarantineRecord x = MoveIn("F:\\x.dat", kBatch1, 9);  // past its days: 0 left
    ASSERT_FALSE(HasFailure());

    std::vector<std::vector<std::string>> rows;
    std::string held, keep;
    int64_t now = 0;
    ShowWith({'e', 'F', 'E'}, {WaitForWindow(), Check("the rows", [&] {
                                   now = platform::NowWallClock().seconds;
                                   rows = RowTexts();
                                   held = Text("HeldLabel");
                                   keep = Text("KeepDaysLabel");
                               }),
                               PressEscape()});

    // Until a column is chosen: the disks in the order given (a repeat
    // counts once), each disk's records oldest first.
    const std::vector<std::vector<std::string>> expected = {
        ExpectedTexts(cheng, now), ExpectedTexts(old, now), ExpectedTexts(a1, now),
        ExpectedTexts(a2, now),    ExpectedTexts(x, now)};
    EXPECT_EQ(expected, rows);
    EXPECT_EQ("誠", ExpectedTexts(cheng, now)[0]);
    EXPECT_EQ("目录", ExpectedTexts(old, now)[2]);
    EXPECT_EQ("5 天", ExpectedTexts(old, now)[5]);
    EXPECT_EQ("0 天", ExpectedTexts(x, now)[5]);
    const uint64_t eBytes = old.nSize + a1.nSize + a2.nSize + cheng.nSize;
    EXPECT_EQ("E: 4 项 " + FormatSize(eBytes) + "；F: 1 项 " + FormatSize(x.nSize), held);
    EXPECT_EQ("隔离的项目保留 7 天，到期后彻底删除。", keep);
}

TEST_F(QuarantineWindow, AColumnClickSortsAndASecondReverses) {
    std::vector<TQuarantineRecord> records = {
        MoveIn("E:\\Games\\Old", kBatch1, 2), MoveIn("E:\\a.txt", kBatch1, 2), MoveIn("E:\\Games\\誠", kBatch2, 5),
        MoveIn("E:\\b.txt", kBatch2, 1), MoveIn("F:\\x.dat", kBatch1, 9)};
    ASSERT_FALSE(HasFailure());
    std::vector<TQuarantineRecord> bySize = records;
    std::sort(bySize.begin(), bySize.end(),
              [](const TQuarantineRecord& a, const TQuarantineRecord& b) { return a.nSize < b.nSize; });
    std::vector<TQuarantineRecord> byTime = records;
    std::sort(byTime.begin(), byTime.end(), [](const TQuarantineRecord& a, const TQuarantineRecord& b) {
        return a.nQuarantined < b.nQuarantined;
    });
    std::vector<std::string> bySizeDown = PathsOf(bySize);
    std::reverse(bySizeDown.begin(), bySizeDown.end());

    std::vector<std::vector<std::string>> orders;
    std::vector<std::vector<int>> marks;
    const auto look = [&](const char* what) {
        return Check(what, [&] {
            orders.push_back(RowPaths());
            marks.push_back(SortMarks());
        });
    };
    ShowWith({'E', 'F'}, {WaitForWindow(), ClickHeader(kColumnSize), look("by size"), ClickHeader(kColumnSize),
                          look("by size, reversed"), ClickHeader(kColumnDaysLeft), look("by days left"),
                          ClickHeader(kColumnName), look("by name"), PressEscape()});

    ASSERT_EQ(4u, orders.size());
    EXPECT_EQ(PathsOf(bySize), orders[0]);
    EXPECT_EQ(bySizeDown, orders[1]);
    // Fewest days left first: the oldest first.
    EXPECT_EQ(PathsOf(byTime), orders[2]);
    // Names byte by byte, as the main list orders them.
    EXPECT_EQ((std::vector<std::string>{"E:\\Games\\Old", "E:\\a.txt", "E:\\b.txt", "F:\\x.dat", "E:\\Games\\誠"}),
              orders[3]);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 1, 0, 0}), marks[0]);
    EXPECT_EQ((std::vector<int>{0, 0, 0, -1, 0, 0}), marks[1]);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 1}), marks[2]);
    EXPECT_EQ((std::vector<int>{1, 0, 0, 0, 0, 0}), marks[3]);
}

TEST_F(QuarantineWindow, RestoringTickedRowsPutsThemBackByteForByte) {
    const DiskListing before = ListingWithContent();
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch1, 2);
    const TQuarantineRecord a = MoveIn("E:\\a.txt", kBatch1, 2);
    const TQuarantineRecord cheng = MoveIn("E:\\Games\\誠", kBatch2, 1);
    const TQuarantineRecord x = MoveIn("F:\\x.dat", kBatch1, 3);
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ("", HeldDifference(before, ListingWithContent(), {old, a, cheng, x}));

    std::string report, held;
    std::vector<std::string> left;
    const bool changed = ShowWith(
        {'E', 'F'}, {WaitForWindow(), Tick(old), Tick(x), Click("BtnRestore"), AnswerBox(&report),
                     Check("the rows left", [&] {
                         left = RowPaths();
                         held = Text("HeldLabel");
                     }),
                     PressEscape()});

    EXPECT_TRUE(changed);
    EXPECT_EQ(AsShownInBox("已还原 2 项。"), report);
    EXPECT_EQ((std::vector<std::string>{"E:\\a.txt", "E:\\Games\\誠"}), left);
    EXPECT_EQ("E: 2 项 " + FormatSize(a.nSize + cheng.nSize), held);
    // Old's tree and x.dat are back as they were; F's quarantine, holding
    // nothing any more, is gone.
    EXPECT_EQ("", HeldDifference(before, ListingWithContent(), {a, cheng}));
}

TEST_F(QuarantineWindow, AFolderComesBackBeforeWhatWasInsideIt) {
    const DiskListing before = ListingWithContent();
    // Sub went first; later the folder that had held it.
    const TQuarantineRecord sub = MoveIn("E:\\Games\\Old\\Sub", kBatch1, 3);
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch2, 1);
    ASSERT_FALSE(HasFailure());

    std::string report;
    EXPECT_TRUE(ShowWith({'E'}, {WaitForWindow(), Tick(sub), Tick(old), Click("BtnRestore"), AnswerBox(&report),
                                 PressEscape()}));
    // Sub first would make a new E:\Games\Old for it, and Old's own place
    // would be taken.
    EXPECT_EQ(AsShownInBox("已还原 2 项。"), report);
    EXPECT_EQ("", HeldDifference(before, ListingWithContent(), {}));
}

TEST_F(QuarantineWindow, ARestoreOntoATakenPlaceIsRefusedReportedAndOverwritesNothing) {
    const DiskListing before = ListingWithContent();
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch1, 2);
    const TQuarantineRecord b = MoveIn("E:\\b.txt", kBatch1, 2);
    const TQuarantineRecord a1 = MoveIn("E:\\a.txt", kBatch1, 2);
    // A new b.txt where the old one was, and a.txt made and quarantined again.
    testsupport::WriteFileBytes("E:\\b.txt", "a newer b");
    testsupport::WriteFileBytes("E:\\a.txt", "second a, longer");
    const DiskListing withSecondA = ListingWithContent();
    const TQuarantineRecord a2 = MoveIn("E:\\a.txt", kBatch2, 1);
    ASSERT_FALSE(HasFailure());

    std::string report;
    std::vector<std::string> left;
    std::vector<bool> ticks;
    EXPECT_TRUE(ShowWith({'E'}, {WaitForWindow(), Tick(old), Tick(b), Tick(a1), Tick(a2), Click("BtnRestore"),
                                 AnswerBox(&report), Check("the rows left", [&] {
                                     left = RowPaths();
                                     for (const TQuarantineRow* row : Window()->RowsForTests().InListOrder())
                                         ticks.push_back(row->pRow->IsChecked());
                                 }),
                                 PressEscape()}));

    // Of the two a.txt, the one listed first (the older) came back.
    EXPECT_EQ(AsShownInBox(RestoreReportText(2, {{"E:\\a.txt", TRestoreRefusal::kPlaceTaken, 0},
                                                 {"E:\\b.txt", TRestoreRefusal::kPlaceTaken, 0}})),
              report);
    // The refused rows stay, ticked, for another try.
    EXPECT_EQ((std::vector<std::string>{"E:\\b.txt", "E:\\a.txt"}), left);
    EXPECT_EQ((std::vector<bool>{true, true}), ticks);
    // b.txt and the second a.txt still held with their own bytes; the new
    // b.txt and the first a.txt (back) where they are.
    DiskListing lastBefore = before;
    lastBefore["E:\\a.txt"] = withSecondA.at("E:\\a.txt");
    DiskListing expected = testsupport::ExpectedWithHeld(lastBefore, {{b.strOriginalPath, b.strStoredPath},
                                                                      {a2.strOriginalPath, a2.strStoredPath}});
    expected["E:\\a.txt"] = before.at("E:\\a.txt");
    expected["E:\\b.txt"] = withSecondA.at("E:\\b.txt");
    EXPECT_EQ("", testsupport::ListingDifference(expected, ListingWithContent()));
}

// Entries that are not what was moved, or whose size or time is not known,
// say so in their rows and the totals, and a restore names what came back
// incomplete.
TEST_F(QuarantineWindow, EntriesNotWholeOrNotKnownSaySoInTheirRowsTotalsAndRestoreReport) {
    const DiskListing before = ListingWithContent();
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch1, 2);
    const TQuarantineRecord b = MoveIn("E:\\b.txt", kBatch1, 2);
    TQuarantineRecord keep;
    TQuarantineRecord a;
    {
        CQuarantineDisk disk('E');
        uint32_t error = 0;
        ASSERT_TRUE(disk.Open(false, &error)) << error;
        const int64_t now = platform::NowWallClock().seconds;
        // Moved before the sizer reached it: a lower bound.
        ASSERT_TRUE(disk.MoveIn("E:\\Keep", true, 0, kBatch2, now - 86400, &keep, &error, true)) << error;
        // Moved under a clock set back a year: its time is not believed.
        ASSERT_TRUE(disk.MoveIn("E:\\a.txt", false, 2, kBatch2, now - 365 * 86400, &a, &error)) << error;
        // As a purge that stopped part way through the folder leaves it, and
        // one that found only links left.
        ASSERT_TRUE(disk.BeginPurge(old.nId));
        disk.EndPurge(old.nId, TPurgeLeft{true, false});
        ASSERT_TRUE(disk.BeginPurge(b.nId));
        disk.EndPurge(b.nId, TPurgeLeft{false, true});
    }
    std::map<std::string, std::vector<std::string>> rows;
    std::string held;
    std::string report;
    EXPECT_TRUE(ShowWith({'E'}, {WaitForWindow(), Check("the rows", [&] {
                                     for (const std::vector<std::string>& row : RowTexts()) rows[row[1]] = row;
                                     held = Text("HeldLabel");
                                     // To look at: what the marks look like in their columns.
                                     EXPECT_TRUE(windowtest::SaveWindowPng(
                                         Window()->GetManager(),
                                         windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, "quarantine-window-marks.png")));
                                 }),
                                 Tick(old), Click("BtnRestore"), AnswerBox(&report), PressEscape()}));

    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ("残缺目录", rows["E:\\Games\\Old"][2]);
    EXPECT_EQ("0 B+", rows["E:\\Keep"][3]);
    EXPECT_EQ("时间待核对", rows["E:\\a.txt"][5]);
    EXPECT_EQ("仅剩链接", rows["E:\\b.txt"][5]);
    EXPECT_EQ(HeldText({{'E', 4, old.nSize + b.nSize + 2, false, true, 1}}), held);
    EXPECT_EQ(AsShownInBox(RestoreReportText(1, {}, {"E:\\Games\\Old"})), report);
    EXPECT_EQ("", testsupport::ListingDifference(
                      testsupport::ExpectedWithHeld(before, {{b.strOriginalPath, b.strStoredPath},
                                                             {keep.strOriginalPath, keep.strStoredPath},
                                                             {a.strOriginalPath, a.strStoredPath}}),
                      ListingWithContent()));
}

// "还原" and "彻底删除" work on the ticked rows: greyed out while none is,
// whichever way the ticks went. "清空隔离区" and "全选" need rows only.
TEST_F(QuarantineWindow, RestoreAndPurgeAreGreyedOutWhileNoRowIsTicked) {
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch1, 2);
    const TQuarantineRecord a = MoveIn("E:\\a.txt", kBatch1, 2);
    ASSERT_FALSE(HasFailure());
    // Whether 还原, 彻底删除, 清空隔离区 and 全选 are enabled, as seen after each step.
    std::vector<std::vector<bool>> seen;
    const auto look = [&seen](const std::string& what) {
        return Check(what, [&seen] {
            std::vector<bool> enabled;
            for (const char* name : {"BtnRestore", "BtnPurge", "BtnPurgeAll", "ChkSelectAll"})
                enabled.push_back(Window()->GetManager().FindControl(name)->IsEnabled());
            seen.push_back(enabled);
        });
    };
    std::string report;
    EXPECT_TRUE(ShowWith({'E'}, {WaitForWindow(), look("nothing ticked"), Tick(old), look("one row ticked"),
                                 Tick(old, false), look("its tick cleared"), Click("ChkSelectAll"),
                                 look("every row ticked by 全选"), Click("ChkSelectAll"), look("every tick cleared by 全选"),
                                 Tick(a), Click("BtnRestore"), AnswerBox(&report), look("the ticked row restored"),
                                 PressEscape()}));
    EXPECT_EQ(AsShownInBox("已还原 1 项。"), report);
    const std::vector<bool> none = {false, false, true, true};
    const std::vector<bool> some = {true, true, true, true};
    EXPECT_EQ((std::vector<std::vector<bool>>{none, some, none, some, none, none}), seen);
}

TEST_F(QuarantineWindow, NothingHeldSaysSoAndEveryWayOfClosingCloses) {
    const DiskListing before = ListingWithContent();
    const struct {
        const char* what;
        std::function<void(CQuarantineWnd&)> close;
        bool quits;  // the request is the program's to end: it is left for the caller's loop
    } ways[] = {
        {"Escape", [](CQuarantineWnd& wnd) { windowtest::PostKey(wnd.GetHWND(), VK_ESCAPE); }, false},
        {"closebtn", [](CQuarantineWnd& wnd) { ClickIn(&wnd, "closebtn"); }, false},
        {"system close", [](CQuarantineWnd& wnd) { ::PostMessageA(wnd.GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0); },
         false},
        {"WM_CLOSE from elsewhere", [](CQuarantineWnd& wnd) { ::PostMessageA(wnd.GetHWND(), WM_CLOSE, 0, 0); }, false},
        {"a quit message", [](CQuarantineWnd&) { ::PostQuitMessage(0); }, true},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        std::string held;
        std::vector<bool> enabled;
        const bool changed = ShowWith(
            {'E', 'F'}, {WaitForWindow(), Check("the empty window", [&] {
                             held = Text("HeldLabel");
                             for (const char* name : {"BtnRestore", "BtnPurge", "BtnPurgeAll", "ChkSelectAll"})
                                 enabled.push_back(Window()->GetManager().FindControl(name)->IsEnabled());
                             EXPECT_EQ(0u, Window()->RowsForTests().Size());
                         }),
                         {way.what, [] { return true; }, [&way] { way.close(*Window()); }}});
        EXPECT_FALSE(changed);
        EXPECT_EQ(way.quits, QuitAfterRun());
        EXPECT_EQ("隔离区中没有项目", held);
        EXPECT_EQ((std::vector<bool>{false, false, false, false}), enabled);
    }
    // Looking made no quarantine folder.
    EXPECT_EQ("", testsupport::ListingDifference(before, ListingWithContent()));
}

TEST_F(QuarantineWindow, AnUnreadableQuarantineIsNeverShownAsEmpty) {
    const TQuarantineRecord x = MoveIn("F:\\x.dat", kBatch1, 1);
    ASSERT_FALSE(HasFailure());
    // E's quarantine with a record file that is no database.
    ASSERT_TRUE(::CreateDirectoryA("E:\\TrevandQuarantine", nullptr));
    testsupport::WriteFileBytes("E:\\TrevandQuarantine\\Quarantine.db", std::string(4096, 'x'));
    const DiskListing before = ListingWithContent();

    std::string held;
    EXPECT_FALSE(ShowWith({'E', 'F'}, {WaitForWindow(), Check("the totals", [&] { held = Text("HeldLabel"); }),
                                       PressEscape()}));
    EXPECT_EQ("E: 无法读取隔离记录；F: 1 项 " + FormatSize(x.nSize), held);
    EXPECT_EQ("", testsupport::ListingDifference(before, ListingWithContent()));
}

}  // namespace
}  // namespace quarantinewndtest
