// Whole runs of the real Trevand.exe, each a process of its own on a fixture
// café, driven only from outside. What the rows say and what the count line
// reads are checked inside the window tests; here it is what an operator and
// the disks see: windows coming and going, rows and ticks on the screen, the
// log, the exit code, and files deleted or left.
#include "EndToEndFixture.h"

#include "support/OutsideLimits.h"
#include "support/ProgramLog.h"
#include "support/OutsideLimits.h"
#include "support/WaitUntil.h"
#include "support/WindowView.h"

using testsupport::DiskListing;
using testsupport::kUiLimitMs;
using testsupport::ListingDifference;
using testsupport::ScreenRect;
using testsupport::Screenshot;
using testsupport::XWindow;

namespace endtoend {
namespace {

// Lines of the log that say the deletion worker deleted something.
int DeletionLines(const std::vector<std::string>& lines) {
    int count = 0;
    for (const std::string& line : lines) {
        count += line.find("|Trevand  删除") != std::string::npos;
    }
    return count;
}

TEST_F(EndToEnd, MasterRoleListsDrivesKeepsTicksAcrossReloadAndClosesCleanly) {
    Start(MasterCafe(Outside()));
    Shot("role-window");
    // Master is chosen already; the first drive in key order is D.
    ConfirmRole(false, 2);
    Shot("first-drive");
    SelectDrive(1, static_cast<int>(kRowsOfE.size()));
    ClickTicks({0, 2, 4}, {0, 2, 4}, static_cast<int>(kRowsOfE.size()));

    // "BtnFlush" loads again and keeps the ticks on the same rows.
    Reload();
    ClickTicks({}, {0, 2, 4}, static_cast<int>(kRowsOfE.size()));
    Shot("ticks-after-reload");

    // Back to D and to E: the rows are made anew, unticked.
    SelectDrive(0, 2);
    SelectDrive(1, static_cast<int>(kRowsOfE.size()));
    ClickTicks({}, {}, static_cast<int>(kRowsOfE.size()));

    CloseProgram();
    EXPECT_EQ(0, DeletionLines(LogLines()));
    EXPECT_EQ("", ListingDifference(m_before, ListDisks()));
}

TEST_F(EndToEnd, RemovingTwoTickedRowsDeletesExactlyThoseAndLogsEachOnce) {
    Start(MasterCafe(Outside()));
    ConfirmRole(false, 2);
    SelectDrive(1, static_cast<int>(kRowsOfE.size()));
    // A folder with a read-only file, a hidden file and a subfolder, and a
    // folder whose name holds the byte 0x5C inside a character.
    ClickTicks({0, 2}, {0, 2}, static_cast<int>(kRowsOfE.size()));
    const XWindow box = AskToRemove();
    ASSERT_TRUE(box.Valid());
    Shot("confirmation");
    ConfirmAndFinish(box, {testsupport::DeletedFolderLine(kRowsOfE[0]), testsupport::DeletedFolderLine(kRowsOfE[2])});
    CloseDeletionWindow(static_cast<int>(kRowsOfE.size()) - 2);
    Shot("refreshed");

    const std::vector<std::string> ticked = {kRowsOfE[0], kRowsOfE[2]};
    EXPECT_EQ("", ListingDifference(testsupport::WithoutDeleted(m_before, ticked), ListDisks()));
    const std::vector<std::string> lines = LogLines();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), testsupport::DeletedFolderLine(kRowsOfE[0])));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), testsupport::DeletedFolderLine(kRowsOfE[2])));
    EXPECT_EQ(2, DeletionLines(lines));
    CloseProgram();
}

TEST_F(EndToEnd, EscapeOnTheConfirmationBoxClosesItAndDeletesNothing) {
    Start(MasterCafe(Outside()));
    ConfirmRole(false, 2);
    SelectDrive(1, static_cast<int>(kRowsOfE.size()));
    ClickTicks({3}, {3}, static_cast<int>(kRowsOfE.size()));
    const XWindow box = AskToRemove();
    ASSERT_TRUE(box.Valid());
    ASSERT_TRUE(box.PressKey("Escape"));
    EXPECT_TRUE(XWindow::WaitGone(kMsgBoxText, 10000)) << "Escape left the box open";

    // The main window takes clicks again; "否" answers like Escape.
    ClickTicks({5}, {3, 5}, static_cast<int>(kRowsOfE.size()));
    const XWindow again = AskToRemove();
    ASSERT_TRUE(again.Valid());
    const ScreenRect rect = again.Geometry();
    const skinpoints::Point no = skinpoints::MsgBoxPoints(rect.width, rect.height).BtnCancel;
    ASSERT_TRUE(again.Click(no.x, no.y));
    EXPECT_TRUE(XWindow::WaitGone(kMsgBoxText, 10000)) << "否 left the box open";
    ClickTicks({}, {3, 5}, static_cast<int>(kRowsOfE.size()));

    EXPECT_FALSE(XWindow::Find(kDelDirWindowText).Valid());
    CloseProgram();
    EXPECT_EQ(0, DeletionLines(LogLines()));
    EXPECT_EQ("", ListingDifference(m_before, ListDisks()));
}

// The cancel goes in as soon as the window shows, while the worker is deep in
// a tree of 20,000 files; wherever it lands, the window closes by itself,
// nothing but that tree is touched, and the refreshed list shows the tree
// exactly when some of it is left.
TEST_F(EndToEnd, CancellingALargeDeletionClosesTheWindowAndTouchesNothingElse) {
    const XWindow deletion = StartLargeDeletion();
    ASSERT_TRUE(deletion.Valid());
    const int rows = static_cast<int>(kRowsOfE.size()) + 1;  // E:\Backup first
    const skinpoints::Point close = skinpoints::kDelDirWindow.closebtn;
    ASSERT_TRUE(deletion.Click(close.x, close.y));
    // A second click while cancelling changes nothing.
    deletion.Click(close.x, close.y);
    ASSERT_TRUE(XWindow::WaitGone(kDelDirWindowText, 120000)) << "the deletion window did not close by itself";

    const std::string backup = "E:\\Backup";
    const DiskListing after = ListDisks();
    EXPECT_EQ("", testsupport::ChangesBesideDeleted(m_before, after, {backup}));
    const bool treeLeft = after.count(backup) != 0;
    ASSERT_TRUE(
        testsupport::WaitUntil([&] { return CountLogLines(testsupport::kLoadStartLine) > m_loads; }, 30000, 200))
        << "no reload after the deletion window closed";
    ASSERT_TRUE(WaitForRows(treeLeft ? rows : rows - 1, 10000))
        << (treeLeft ? "the tree left is not listed" : "the deleted tree is still listed");
    Shot(treeLeft ? "list-after-cancel" : "list-after-cancel-too-late");
    EXPECT_EQ(treeLeft ? 0 : 1, CountLogLines(testsupport::DeletedFolderLine(backup)));
    CloseProgram();
}

TEST_F(EndToEnd, TaskkillDuringALargeDeletionCancelsItAndTheProgramEnds) {
    // Without /F: WM_CLOSE to every window of the process.
    ASSERT_TRUE(StartLargeDeletion().Valid());
    ASSERT_TRUE(TaskKill());
    ExpectCancelledThenEnded();
}

TEST_F(EndToEnd, SystemCloseOnTheMainWindowDuringALargeDeletionCancelsItAndTheProgramEnds) {
    // What the taskbar's close sends to the (disabled) main window.
    ASSERT_TRUE(StartLargeDeletion().Valid());
    ASSERT_TRUE(PostFromOutside(kMainWindowText, WM_SYSCOMMAND, SC_CLOSE));
    ExpectCancelledThenEnded();
}

// WM_CLOSE from another program to the role window, or to the main window
// while nothing runs, ends the program as Escape does.
TEST_F(EndToEnd, WmCloseToTheRoleWindowEndsTheProgram) {
    Start(MasterCafe(Outside()));
    ASSERT_TRUE(PostFromOutside(kRoleWindowText, WM_CLOSE, 0));
    ExpectEndsByItself(testsupport::kUiLimitMs);
    EXPECT_EQ("", ListingDifference(m_before, ListDisks()));
}

TEST_F(EndToEnd, WmCloseToTheMainWindowEndsTheProgram) {
    Start(MasterCafeWithLargeTree(Outside()));
    ConfirmRole(false, 2);
    // Listing E starts the folder sizer on the tree of 20,000 files: the
    // request comes while it walks, and shutdown stops it first.
    SelectDrive(1, static_cast<int>(kRowsOfE.size()) + 1);
    ASSERT_TRUE(PostFromOutside(kMainWindowText, WM_CLOSE, 0));
    ExpectEndsByItself(testsupport::kUiLimitMs);
    EXPECT_EQ(0, DeletionLines(LogLines()));
    EXPECT_EQ("", ListingDifference(m_before, ListDisks()));
}

// The click that closes the drive list acts on nothing beneath or beside it,
// as a native drop-down's does: not on a row's box below it, not on "全选"
// or "导出" beside it. Each is checked with a later click whose effect shows
// only once every earlier click has been handled; then the same click acts.
TEST_F(EndToEnd, TheClickThatClosesTheDriveListActsOnNothingElse) {
    Start(MasterCafe(Outside()));
    ConfirmRole(false, 2);
    const int rows = static_cast<int>(kRowsOfE.size());
    SelectDrive(1, rows);
    const auto open = [&] {
        ClickMain(skinpoints::kMainWindow.TrevandComBox);
        return WaitForMain(testsupport::DriveListOpen, kUiLimitMs);
    };
    const auto closeWith = [&](skinpoints::Point point) {
        ClickMain(point);
        return WaitForMain([](const Screenshot& s, const ScreenRect& w) { return !testsupport::DriveListOpen(s, w); },
                           kUiLimitMs);
    };

    ASSERT_TRUE(open()) << "the drive list did not open";
    Shot("drive-list-open");
    // Row 3's box lies just below the open list.
    ASSERT_TRUE(closeWith(skinpoints::RowTick(3))) << "a click on a row's box left the list open";
    ClickTicks({5}, {5}, rows);
    ClickTicks({3}, {3, 5}, rows);

    ASSERT_TRUE(open());
    ASSERT_TRUE(closeWith(skinpoints::kMainWindow.ChkSelectAll)) << "a click on 全选 left the list open";
    ClickTicks({4}, {3, 4, 5}, rows);

    ASSERT_TRUE(open());
    ASSERT_TRUE(closeWith(skinpoints::kMainWindow.BtnExport)) << "a click on 导出 left the list open";
    ClickTicks({4}, {3, 5}, rows);
    EXPECT_FALSE(XWindow::Find(kMsgBoxText).Valid()) << "the click that closed the list started an export";

    // With the list closed, "全选" acts on the first click.
    ClickMain(skinpoints::kMainWindow.ChkSelectAll);
    ClickTicks({}, {0, 1, 2, 3, 4, 5}, rows);
    CloseProgram();
}

TEST_F(EndToEnd, SecondaryRoleRemovesATickedRow) {
    Start(SecondaryCafe(Outside()));
    // A secondary has the game disks only: E comes first.
    ConfirmRole(true, static_cast<int>(kRowsOfE.size()));
    ClickTicks({5}, {5}, static_cast<int>(kRowsOfE.size()));
    const XWindow box = AskToRemove();
    ASSERT_TRUE(box.Valid());
    ConfirmAndFinish(box, {testsupport::DeletedFileLine(kRowsOfE[5])});
    CloseDeletionWindow(static_cast<int>(kRowsOfE.size()) - 1);
    EXPECT_EQ("", ListingDifference(testsupport::WithoutDeleted(m_before, {kRowsOfE[5]}), ListDisks()));
    EXPECT_EQ(1, DeletionLines(LogLines()));
    CloseProgram();
}

}  // namespace
}  // namespace endtoend
