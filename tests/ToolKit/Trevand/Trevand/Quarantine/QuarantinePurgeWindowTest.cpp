// Deleting quarantined entries for good through the deletion window
// (RunQuarantinePurge, what "彻底删除" and "清空隔离区" run): the stored
// entries go, their records with them, one log line each; a link inside a
// stored folder is left, never followed, and its record held again, as is
// what a cancel leaves.
#include <gtest/gtest.h>
#include <windows.h>

#include "QuarantineFixture.h"
#include "QuarantineWindowFixture.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurge.h"

using testsupport::DiskListing;

namespace quarantinetest {
namespace {

const std::string kBatchE = std::string("E:\\TrevandQuarantine\\") + kBatch;
const std::string kBatchF = std::string("F:\\TrevandQuarantine\\") + kBatch;
const char kLinkLeftTail[] = "（链接不会被跟随，也不会被删除）";

std::string PurgedLine(const TQuarantineRecord& record) {
    return "[Info]|Trevand  彻底删除隔离项" + record.strStoredPath + "（原位置" + record.strOriginalPath + "）";
}

class QuarantinePurge : public QuarantineWindow {
protected:
    // Purges `records` through the deletion window; its summary.
    std::string Purge(const std::vector<TQuarantineRecord>& records) {
        std::string summary;
        RunDeletionWindow([&] { summary = RunQuarantinePurge(*Main(), records); },
                          {WaitFinishedThenClose("删除完成！")});
        EXPECT_EQ(summary, SummaryAtClose());
        return summary;
    }
};

TEST_F(QuarantinePurge, StoredEntriesAreDeletedForGoodAndTheirRecordsGo) {
    // A tree with read-only, hidden and GBK-named entries, a file named 誠,
    // and a file on the other disk.
    const std::vector<TQuarantineRecord> records = {PutIn("E:\\Games\\Old", kNow), PutIn("E:\\Games\\誠", kNow),
                                                    PutIn("F:\\x.dat", kNow)};
    const DiskListing held = ContentListing();
    testsupport::LogCapture log;

    // Its files: 70003 (pal.exe) + 4 * 5 + 3 (誠.txt), 15 (誠), 4 (x.dat).
    EXPECT_EQ("已删除 3 项，释放 68.4 KB", Purge(records));

    // The batches emptied go with their last entry; each quarantine keeps
    // its folder and database.
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::Without(held, {kBatchE, kBatchF}), ContentListing()));
    EXPECT_TRUE(HeldOn('E').empty());
    EXPECT_TRUE(HeldOn('F').empty());
    EXPECT_EQ((std::vector<std::string>{
                  "[Info]|Trevand  删除目录" + records[0].strStoredPath,
                  PurgedLine(records[0]),
                  "[Info]|Trevand  删除文件" + records[1].strStoredPath,
                  PurgedLine(records[1]),
                  "[Info]|Trevand  删除文件" + records[2].strStoredPath,
                  PurgedLine(records[2]),
              }),
              DeletionLines(log));
}

TEST_F(QuarantinePurge, ALinkInsideAStoredFolderIsLeftAndItsRecordHeldAgain) {
    // Links to an empty folder (which Wine would remove through the link)
    // and to a full one, both outside every disk.
    const DiskListing before = ContentListing();
    const std::vector<TQuarantineRecord> records = {PutIn("E:\\LinkEmpty", kNow), PutIn("E:\\LinkFull", kNow)};
    const DiskListing held = ContentListing();
    testsupport::LogCapture log;

    EXPECT_EQ("已删除 0 项，释放 12 B；2 项无法删除，详见日志", Purge(records));

    std::vector<std::string> stored;
    for (const TQuarantineRecord& record : records) stored.push_back(record.strStoredPath);
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::WithoutDeleted(held, stored), ContentListing()));
    const std::string tail = kLinkLeftTail;
    EXPECT_EQ((std::vector<std::string>{
                  "[Error]|Trevand  未删除链接" + stored[0] + "\\Inner\\to-empty" + tail,
                  "[Error]|Trevand  未能删除目录" + stored[0] + "（错误码145）",
                  "[Error]|Trevand  未删除链接" + stored[1] + "\\to-full" + tail,
                  "[Error]|Trevand  未能删除目录" + stored[1] + "（错误码145）",
              }),
              DeletionLines(log));

    // What is left is held as before, and comes back with its links.
    EXPECT_EQ(2u, RestoreAllHeld('E'));
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::WithoutDeleted(before, {"E:\\LinkEmpty", "E:\\LinkFull"}),
                                                 ContentListing()));
}

TEST_F(QuarantinePurge, ACancelPartWayKeepsWhatIsLeftHeldAndRestorable) {
    const DiskListing before = ContentListing();
    const std::vector<TQuarantineRecord> records = {PutIn("E:\\Cancel1", kNow), PutIn("E:\\a.txt", kNow)};
    const DiskListing held = ContentListing();
    // Held at the first file of the stored tree, wherever that is in it.
    deletiontest::WorkerHold::Arm(records[0].strStoredPath + "\\");
    testsupport::LogCapture log;

    std::string summary;
    RunDeletionWindow([&] { summary = RunQuarantinePurge(*Main(), records); },
                      {WaitHeldThen("a close while it deletes", [] { ClickIn(Window(), "closebtn"); }),
                       CheckThen("cancelling", [] { ExpectCancelling(); }),
                       ReleaseWorker("the file in hand goes, then it stops and closes the window")});

    EXPECT_EQ("已取消：已删除 0 项，释放 4 B；2 项未删除", summary);
    EXPECT_EQ((std::vector<std::string>{"[Warning]|Trevand  已取消删除，目录未删完" + records[0].strStoredPath}),
              DeletionLines(log));
    // The file in hand went; everything else is held as it was.
    const DiskListing stopped = ContentListing();
    const std::vector<std::string> gone = EntriesGone(held, stopped);
    ASSERT_EQ(1u, gone.size());
    EXPECT_TRUE(testsupport::IsAtOrBelow(gone[0], records[0].strStoredPath));
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::Without(held, gone), stopped));

    EXPECT_EQ(2u, RestoreAllHeld('E'));
    const std::string original = "E:\\Cancel1" + gone[0].substr(records[0].strStoredPath.size());
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::Without(before, {original}), ContentListing()));
}

TEST_F(QuarantinePurge, AStoredEntryDeletedByHandLosesItsRecordToo) {
    // Deleted in Explorer since the quarantine window listed it: a record
    // left behind would be offered, and refused, for ever.
    const std::vector<TQuarantineRecord> records = {PutIn("E:\\a.txt", kNow), PutIn("E:\\b.txt", kNow)};
    ASSERT_TRUE(::DeleteFileA(records[0].strStoredPath.c_str()));
    const DiskListing held = ContentListing();
    testsupport::LogCapture log;

    // Nothing was deleted for the first: it counts for nothing.
    EXPECT_EQ("已删除 1 项，释放 2 B", Purge(records));

    EXPECT_TRUE(HeldOn('E').empty());
    EXPECT_EQ((std::vector<std::string>{PurgedLine(records[0]), "[Info]|Trevand  删除文件" + records[1].strStoredPath,
                                        PurgedLine(records[1])}),
              DeletionLines(log));
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::Without(held, {kBatchE}), ContentListing()));
}

}  // namespace
}  // namespace quarantinetest
