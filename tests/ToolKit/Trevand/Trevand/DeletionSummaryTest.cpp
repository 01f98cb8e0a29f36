// The line a deletion leaves behind: how many ticked entries went, how many
// stayed, and the space the files the worker deleted took — checked against
// files of known lengths and against the disk, file by file.
#include <gtest/gtest.h>

#include "DeletionFixture.h"
#include "ToolKit/Trevand/Trevand/DelDirWndSummary.h"
#include "comm/platform/WorkerThread.h"

using testsupport::ChangesBesideDeleted;
using testsupport::ListingDifference;
using testsupport::WithoutDeleted;

namespace deletiontest {
namespace {

const uint64_t kMiB = 1024 * 1024;
const uint64_t kGiB = 1024 * kMiB;

std::list<std::string> AsList(const std::vector<std::string>& paths) { return {paths.begin(), paths.end()}; }

TEST(DeletionSummaryText, SaysWhatWentWhatStayedAndTheSpace) {
    const struct {
        DeletionTally tally;
        const char* text;
    } cases[] = {
        {{12, 0, 0, 48533130445ULL, false}, "已删除 12 项，释放 45.2 GB"},
        {{12, 2, 0, 48533130445ULL, false}, "已删除 12 项，释放 45.2 GB；2 项无法删除，详见日志"},
        // Cancelled: whatever was not deleted, refused or never reached, is
        // one number.
        {{3, 1, 4, 1288490189ULL, true}, "已取消：已删除 3 项，释放 1.2 GB；5 项未删除"},
        {{3, 0, 5, 1288490189ULL, true}, "已取消：已删除 3 项，释放 1.2 GB；5 项未删除"},
        // The cancel came after the last entry had gone.
        {{2, 0, 0, 512, true}, "已取消：已删除 2 项，释放 512 B"},
        // The run never began.
        {{0, 0, 4, 0, false}, "已删除 0 项，释放 0 B；4 项未删除"},
        {{0, 0, 0, 0, false}, "已删除 0 项，释放 0 B"},
        // Beyond 32 bits of items' bytes.
        {{1, 0, 0, 5120 * kGiB, false}, "已删除 1 项，释放 5120.0 GB"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, DeletionSummaryText(c.tally));
}

TEST(QuarantineSummaryText, SaysWhatMovedThatItsSpaceIsStillHeldAndWhatStayed) {
    const struct {
        DeletionTally tally;
        const char* text;
    } cases[] = {
        {{2, 0, 0, 1288490189ULL, false}, "已隔离 2 项，共 1.2 GB（彻底删除后才释放空间）"},
        {{2, 1, 0, 1288490189ULL, false}, "已隔离 2 项，共 1.2 GB（彻底删除后才释放空间）；1 项无法隔离，详见日志"},
        {{1, 1, 2, 512, true}, "已取消：已隔离 1 项，共 512 B（彻底删除后才释放空间）；3 项未隔离"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, QuarantineSummaryText(c.tally));
}

// The texts the window showed before it had a summary stay as they were.
void ExpectFinishedTexts() {
    EXPECT_EQ("删除完成！", Deletion::Text("DelDirWndFinal"));
    EXPECT_EQ("", Deletion::Text("DelDirWndStatus"));
    EXPECT_EQ("", Deletion::Text("DelDirWndText"));
}

TEST_F(Deletion, SummaryCountsEntriesThatStayAndTheBytesReallyFreed) {
    // SumHeld keeps one file held open without sharing; its other file goes.
    // SumLinked keeps its link; its file goes. Both stay, so they count as
    // not deleted, yet the files deleted inside them did free their space:
    // 40 MiB (SumBig, a file in a subfolder included) + 1.5 MiB (the loose
    // file) + 3 MiB + 2 MiB.
    HANDLE held = ::CreateFileA("E:\\SumHeld\\keep.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const std::vector<std::string> ticked = {"E:\\SumBig", "E:\\sum-loose.dat", "E:\\SumHeld", "E:\\SumLinked"};
    const testsupport::DiskListing before = Listing();
    ASSERT_EQ(30 * kMiB, before.at("E:\\SumBig\\disk.img").size);

    RunDeletion(AsList(ticked), {{"the summary", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                                  [] {
                                      ExpectFinishedTexts();
                                      EXPECT_EQ("已删除 2 项，释放 46.5 MB；2 项无法删除，详见日志",
                                                Text("DelDirWndSummary"));
                                      ClickIn(Window(), "closebtn");
                                  }}});
    ::CloseHandle(held);

    EXPECT_EQ("已删除 2 项，释放 46.5 MB；2 项无法删除，详见日志", SummaryAtClose());
    // SumLinked stays with its link (WithoutDeleted keeps it); of SumHeld
    // only the file nobody held went.
    EXPECT_EQ("", ListingDifference(WithoutDeleted(before, {"E:\\SumBig", "E:\\sum-loose.dat", "E:\\SumLinked",
                                                            "E:\\SumHeld\\gone.dat"}),
                                    Listing()));
}

TEST_F(Deletion, SummaryOfARunThatDeletesEverything) {
    // Files over 4 GiB, one ticked by itself and one inside a tree: 6.5 GiB
    // + 4.5 GiB + 40 MiB. A ticked path already gone counts nowhere: the
    // worker neither deleted it nor failed to.
    ASSERT_TRUE(::DeleteFileA("E:\\gone.txt"));
    const std::vector<std::string> ticked = {"E:\\huge.img", "E:\\gone.txt", "E:\\SumHuge", "E:\\SumBig"};
    const testsupport::DiskListing before = Listing();
    ASSERT_EQ(6656 * kMiB, before.at("E:\\huge.img").size);

    RunDeletion(AsList(ticked), {{"the summary", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                                  [] {
                                      ExpectFinishedTexts();
                                      EXPECT_EQ("已删除 3 项，释放 11.0 GB", Text("DelDirWndSummary"));
                                      ClickIn(Window(), "closebtn");
                                  }}});

    EXPECT_EQ("已删除 3 项，释放 11.0 GB", SummaryAtClose());
    EXPECT_EQ("", ListingDifference(WithoutDeleted(before, ticked), Listing()));
}

TEST_F(Deletion, CancelledSummarySaysHowFarTheRunGot) {
    // Held at SumPart's first file, the run is cancelled; that file still
    // goes (a cancel takes effect between files), the rest of SumPart stays.
    // Gone: the loose file (1.5 MiB), SumHeld's free file (3 MiB) and one of
    // SumPart's (4 MiB). Not deleted: SumHeld (a file held open), SumPart
    // (stopped part way), a.txt and b.txt (never reached).
    HANDLE held = ::CreateFileA("E:\\SumHeld\\keep.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    WorkerHold::Arm("SumPart");
    const std::vector<std::string> ticked = {"E:\\sum-loose.dat", "E:\\SumHeld", "E:\\SumPart", "E:\\a.txt",
                                             "E:\\b.txt"};
    const testsupport::DiskListing before = Listing();

    RunDeletion(AsList(ticked), {WaitHeldThen("cancel", [] { ClickIn(Window(), "closebtn"); }),
                                 CheckThen("cancelling, no summary yet",
                                           [] {
                                               ExpectCancelling();
                                               EXPECT_EQ("", Text("DelDirWndSummary"));
                                           }),
                                 ReleaseWorker("it stops and closes the window")});
    ::CloseHandle(held);

    EXPECT_EQ("已取消：已删除 1 项，释放 8.5 MB；4 项未删除", SummaryAtClose());
    const testsupport::DiskListing after = Listing();
    EXPECT_EQ("", ChangesBesideDeleted(before, after, ticked));
    EXPECT_FALSE(after.count("E:\\sum-loose.dat"));
    EXPECT_FALSE(after.count("E:\\SumHeld\\gone.dat"));
    EXPECT_TRUE(after.count("E:\\SumHeld\\keep.dat"));
    EXPECT_EQ(1u, after.count("E:\\SumPart\\p1.bin") + after.count("E:\\SumPart\\p2.bin"));
    EXPECT_TRUE(after.count("E:\\a.txt"));
    EXPECT_TRUE(after.count("E:\\b.txt"));
}

TEST_F(Deletion, WorkerThatCannotStartSaysNothingWasDeleted) {
    platform::ReplaceStartThreadCallForTests([](platform::ThreadRoutine, void*, uint32_t* error) {
        *error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    });
    const testsupport::DiskListing before = Listing();
    RunDeletion({"E:\\sum-loose.dat", "E:\\SumBig"}, {CheckThen("the summary", [] {
                    EXPECT_EQ("无法开始删除，未删除任何文件。", Text("DelDirWndFinal"));
                    EXPECT_EQ("已删除 0 项，释放 0 B；2 项未删除", Text("DelDirWndSummary"));
                    ClickIn(Window(), "closebtn");
                })});
    EXPECT_EQ("已删除 0 项，释放 0 B；2 项未删除", SummaryAtClose());
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

}  // namespace
}  // namespace deletiontest
