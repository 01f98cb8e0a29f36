// Deleting quarantined entries for good from the quarantine window: the
// ticked ones, all of them, a "否" that changes nothing, and a close request
// while the purge runs, which cancels it. Every run is compared file by file
// with the disks before.
#include <gtest/gtest.h>

#include <functional>

#include "QuarantineWndFixture.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"

using deletiontest::WorkerHold;
using testsupport::DiskListing;

namespace quarantinewndtest {
namespace {

const char kBatch[] = "20261201-080000";

TEST_F(QuarantineWindow, PurgeDeletesTheTickedEntriesForGood) {
    const DiskListing before = ListingWithContent();
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch, 2);
    const TQuarantineRecord a = MoveIn("E:\\a.txt", kBatch, 2);
    const TQuarantineRecord x = MoveIn("F:\\x.dat", kBatch, 1);
    ASSERT_FALSE(HasFailure());

    std::string question, lastPurge;
    std::vector<std::string> left;
    const bool changed = ShowWith({'E', 'F'}, {WaitForWindow(), Tick(old), Click("BtnPurge"), AnswerBox(&question),
                                               WaitFinishedThenClose(), AfterPurge("the rows left", [&] {
                                                   left = RowPaths();
                                                   lastPurge = Text("LastPurgeLabel");
                                               }),
                                               PressEscape()});

    EXPECT_TRUE(changed);
    EXPECT_EQ("确定要彻底删除所选的 1 项吗？删除后无法还原。", question);
    EXPECT_EQ((std::vector<std::string>{"E:\\a.txt", "F:\\x.dat"}), left);
    EXPECT_EQ(0u, lastPurge.find("上次删除：已删除 1 项")) << lastPurge;
    EXPECT_EQ("", HeldDifference(testsupport::Without(before, {old.strOriginalPath}), ListingWithContent(), {a, x}));
}

TEST_F(QuarantineWindow, NoToThePurgeQuestionChangesNothing) {
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch, 2);
    const TQuarantineRecord x = MoveIn("F:\\x.dat", kBatch, 1);
    ASSERT_FALSE(HasFailure());
    const DiskListing before = ListingWithContent();

    for (const char* button : {"BtnPurge", "BtnPurgeAll"}) {
        SCOPED_TRACE(button);
        std::string question;
        std::vector<std::string> rows;
        EXPECT_FALSE(ShowWith({'E', 'F'}, {WaitForWindow(), Tick(x), Click(button), AnswerBox(&question, false),
                                           Check("the rows", [&] { rows = RowPaths(); }), PressEscape()}));
        EXPECT_NE("", question);
        EXPECT_EQ((std::vector<std::string>{"E:\\Games\\Old", "F:\\x.dat"}), rows);
    }
    EXPECT_EQ("", testsupport::ListingDifference(before, ListingWithContent()));
}

TEST_F(QuarantineWindow, EmptyingTheQuarantineDeletesEveryEntryAndLeavesNoQuarantineFolder) {
    const DiskListing before = ListingWithContent();
    const TQuarantineRecord old = MoveIn("E:\\Games\\Old", kBatch, 2);
    const TQuarantineRecord a = MoveIn("E:\\a.txt", "20261205-173000", 1);
    const TQuarantineRecord x = MoveIn("F:\\x.dat", kBatch, 1);
    ASSERT_FALSE(HasFailure());

    std::string question, held;
    size_t rows = 99;
    EXPECT_TRUE(ShowWith({'E', 'F'}, {WaitForWindow(), Click("BtnPurgeAll"), AnswerBox(&question),
                                      WaitFinishedThenClose(), AfterPurge("the empty list", [&] {
                                          rows = Window()->RowsForTests().Size();
                                          held = Text("HeldLabel");
                                      }),
                                      PressEscape()}));

    EXPECT_EQ("确定要清空隔离区吗？全部 3 项将被彻底删除，无法还原。", question);
    EXPECT_EQ(0u, rows);
    EXPECT_EQ("隔离区中没有项目", held);
    EXPECT_EQ("", testsupport::ListingDifference(
                      testsupport::Without(before, {old.strOriginalPath, a.strOriginalPath, x.strOriginalPath}),
                      ListingWithContent()));
}

TEST_F(QuarantineWindow, ACloseRequestDuringAPurgeCancelsItAndThenClosesTheWindow) {
    const struct {
        const char* what;
        const char* tree;    // quarantined, then purged
        const char* marker;  // the worker is held at the file whose path has this
        std::function<void(HWND)> request;
    } ways[] = {
        {"WM_CLOSE from elsewhere", "E:\\Cancel1", "Cancel1\\f2.dat",
         [](HWND hWnd) { ::PostMessageA(hWnd, WM_CLOSE, 0, 0); }},
        {"system close", "E:\\Cancel2", "Cancel2\\f2.dat",
         [](HWND hWnd) { ::PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        const TQuarantineRecord record = MoveIn(way.tree, kBatch, 1);
        ASSERT_FALSE(HasFailure());
        const DiskListing before = ListingWithContent();
        std::string question;
        WorkerHold::Arm(way.marker);
        const bool changed = ShowWith(
            {'E'}, {WaitForWindow(), Tick(record), Click("BtnPurge"), AnswerBox(&question),
                    WaitHeldThen("the close request",
                                 [&way] {
                                     ASSERT_FALSE(::IsWindowEnabled(Window()->GetHWND()));
                                     way.request(Window()->GetHWND());
                                 }),
                    {"the cancel", [] { return Deletion::Window() && !Deletion::Window()->IsRunningForTests(); },
                     [] { ExpectCancelling(); }},
                    ReleaseWorker("after the cancel")});
        // No step closed the quarantine window: it followed the deletion window.
        EXPECT_TRUE(changed);
        WorkerHold::Disarm();
        const DiskListing after = ListingWithContent();
        EXPECT_EQ("", testsupport::ChangesBesideDeleted(before, after, {record.strStoredPath}));
        // The worker stopped after the held file: the tree is still held.
        EXPECT_NE(after.end(), after.find(record.strStoredPath));
        CQuarantineDisk disk('E');
        uint32_t error = 0;
        ASSERT_TRUE(disk.Open(false, &error));
        bool held = false;
        for (const TQuarantineRecord& left : disk.Records()) held |= left.nId == record.nId;
        EXPECT_TRUE(held);
    }
}

}  // namespace
}  // namespace quarantinewndtest
