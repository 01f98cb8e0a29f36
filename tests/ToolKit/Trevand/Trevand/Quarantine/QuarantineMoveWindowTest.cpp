// "隔离" through the deletion window: the ticked entries move byte for byte
// into the quarantine of their own disks, one log line each, their rows
// leave the main window's list, and nothing else on any disk (nor outside,
// where links point) changes; a disk whose quarantine cannot be made keeps
// its entries, and a cancel keeps those not reached.
#include <gtest/gtest.h>
#include <windows.h>

#include "QuarantineFixture.h"
#include "QuarantineWindowFixture.h"
#include "support/WineHost.h"

using testsupport::DiskListing;

namespace quarantinetest {
namespace {

const std::string kInE = std::string("E:\\TrevandQuarantine\\") + kBatch + "\\";
const std::string kInF = std::string("F:\\TrevandQuarantine\\") + kBatch + "\\";

std::string MovedLine(const std::string& original, const std::string& stored) {
    return "[Info]|Trevand  隔离" + original + " -> " + stored;
}

// The completion, with the summary the window shows; then "closebtn".
deletiontest::Step FinishedWith(const std::string& summary) {
    using deletiontest::Deletion;
    return {"the completion texts",
            [] { return Deletion::Window() && Deletion::Text("DelDirWndFinal") == "隔离完成！"; },
            [summary] {
                EXPECT_EQ(summary, Deletion::Text("DelDirWndSummary"));
                Deletion::ClickIn(Deletion::Window(), "closebtn");
            }};
}

TEST_F(QuarantineWindow, TickedTreeAndFileMoveIntoTheirDiskByteForByteWithOneLineEach) {
    // The tree holds read-only and hidden files, a hidden and an empty
    // folder, GBK names (a folder 誠, whose trail byte is that of "\"), and a
    // link to a folder outside every disk; the file is named 誠 itself.
    const std::string link = "E:\\Games\\Old\\Sub\\to-full";
    ASSERT_TRUE(testsupport::RunUnixCommand({"ln", "-s", testsupport::UnixPathOf(Outside("full")),
                                             testsupport::UnixPathOf("E:\\Games\\Old\\Sub") + "/to-full"}));
    const DiskListing before = ContentListing();
    ASSERT_TRUE(before.count(link) && before.at(link).link);
    const std::list<std::string> paths = {"E:\\Games\\Old", "E:\\Games\\誠"};
    for (const std::string& path : paths) ASSERT_TRUE(HasRow(path)) << path;
    const size_t rows = Main()->RowsForTests().Size();
    const std::string summary = "已隔离 2 项，共 68.5 KB（彻底删除后才释放空间）";

    const TDelDirOutcome outcome =
        RunJob(MakeQuarantineMoveJob({{"E:\\Games\\Old", {70100}}, {"E:\\Games\\誠", {15}}}, kBatch, kNow), paths,
               {FinishedWith(summary)});

    EXPECT_EQ(summary, outcome.strSummary);
    EXPECT_FALSE(outcome.bEnding);
    const std::vector<Move> moves = {{"E:\\Games\\Old", kInE + "Games\\Old"}, {"E:\\Games\\誠", kInE + "Games\\誠"}};
    const DiskListing after = ContentListing();
    EXPECT_EQ("", DifferenceAfterMoves(before, after, moves));
    // The link moved as a link: what it points at is where it was.
    EXPECT_TRUE(after.count(kInE + "Games\\Old\\Sub\\to-full") && after.at(kInE + "Games\\Old\\Sub\\to-full").link);
    EXPECT_EQ((std::vector<std::string>{MovedLine(moves[0].original, moves[0].stored),
                                        MovedLine(moves[1].original, moves[1].stored)}),
              DeletionLines());

    const std::vector<TQuarantineRecord> held = HeldOn('E');
    ASSERT_EQ(2u, held.size());
    const struct {
        bool bDir;
        uint64_t size;
    } recorded[] = {{true, 70100}, {false, 15}};
    for (size_t i = 0; i < held.size(); ++i) {
        SCOPED_TRACE(moves[i].original);
        EXPECT_EQ(moves[i].original, held[i].strOriginalPath);
        EXPECT_EQ(moves[i].stored, held[i].strStoredPath);
        EXPECT_EQ(kBatch, held[i].strBatch);
        EXPECT_EQ(kNow, held[i].nQuarantined);
        EXPECT_EQ(recorded[i].bDir, held[i].bDir);
        EXPECT_EQ(recorded[i].size, held[i].nSize);
    }
    EXPECT_TRUE(HeldOn('F').empty());

    windowtest::PumpPending();
    for (const std::string& path : paths) EXPECT_FALSE(HasRow(path)) << path;
    EXPECT_EQ(rows - 2, Main()->RowsForTests().Size());
    EXPECT_EQ("游戏盘：E盘待删除文件共" + std::to_string(rows - 2) + "个", CountText());
}

TEST_F(QuarantineWindow, ADiskWhoseQuarantineCannotBeMadeKeepsItsEntriesAndTheSummaryNamesIt) {
    const std::string blocker = testsupport::UnixPathOf("F:\\") + "/TrevandQuarantine";
    const struct {
        const char* name;
        std::vector<std::string> make;  // the Linux command that puts it in the way
        unsigned long code;
        const char* fromE;
        const char* fromF;
    } cases[] = {
        {"a file of that name", {"sh", "-c", "printf 'in the way' > \"$0\"", blocker}, 183, "E:\\a.txt", "F:\\x.dat"},
        // Entries renamed into it would leave the disk for the folder it points to.
        {"a link of that name to a folder outside",
         {"ln", "-s", testsupport::UnixPathOf(Outside("empty")), blocker},
         681,
         "E:\\b.txt",
         "F:\\Games\\Stale"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testsupport::RunUnixCommand(c.make));
        testsupport::LogCapture log;
        const DiskListing before = ContentListing();
        const std::string folder = "F:\\TrevandQuarantine";
        const std::string code = std::to_string(c.code);
        const std::string summary =
            "已隔离 1 项，共 10 B（彻底删除后才释放空间）；1 项无法隔离，详见日志；无法在 F: 盘建立隔离区（错误码" +
            code + "）";

        const TDelDirOutcome outcome = RunJob(MakeQuarantineMoveJob({{c.fromE, {10}}, {c.fromF, {20}}}, kBatch, kNow),
                                              {c.fromF, c.fromE}, {FinishedWith(summary)});

        EXPECT_EQ(summary, outcome.strSummary);
        const std::string fromE = c.fromE;
        EXPECT_EQ("", DifferenceAfterMoves(before, ContentListing(), {{fromE, kInE + fromE.substr(3)}}));
        EXPECT_EQ((std::vector<std::string>{
                      "[Error]|Trevand  未能打开隔离区" + folder + "（错误码" + code + "）",
                      "[Error]|Trevand  无法打开或创建隔离区" + folder + "（错误码" + code + "），未隔离" + c.fromF,
                      MovedLine(fromE, kInE + fromE.substr(3)),
                  }),
                  DeletionLines(log));
        EXPECT_TRUE(HeldOn('F').empty());
        ASSERT_TRUE(testsupport::RunUnixCommand({"rm", "-f", blocker}));
    }
    EXPECT_EQ(2u, HeldOn('E').size());
}

TEST_F(QuarantineWindow, CancelWhileHeldMidListLeavesTheEntriesNotReachedInPlace) {
    deletiontest::WorkerHold::Arm("E:\\b.txt");
    const DiskListing before = ContentListing();
    const std::list<std::string> paths = {"E:\\a.txt", "E:\\b.txt", "E:\\readonly.txt", "F:\\x.dat"};
    std::map<std::string, TQuarantineCandidate> candidates;
    for (const std::string& path : paths) candidates[path].nSize = 1;

    const TDelDirOutcome outcome =
        RunJob(HeldBeforeEachEntry(MakeQuarantineMoveJob(candidates, kBatch, kNow)), paths,
               {WaitHeldThen("a close while it moves",
                             [] {
                                 // The window speaks of moving, not of deleting.
                                 EXPECT_EQ("正在将所选的文件和目录移入隔离区…", Text("DelDirWndFinal"));
                                 EXPECT_EQ("关闭此窗口即可取消隔离。", Text("DelDirWndStatus"));
                                 ClickIn(Window(), "closebtn");
                             }),
                CheckThen("cancelling", [] { ExpectCancelling("    正在取消隔离操作..."); }),
                ReleaseWorker("the entry held moves, then it stops and closes the window")});

    // A rename is not stopped half-way: the entry held went; the two after it stay.
    const std::string summary = "已取消：已隔离 2 项，共 2 B（彻底删除后才释放空间）；2 项未隔离";
    EXPECT_EQ(summary, outcome.strSummary);
    EXPECT_EQ(summary, SummaryAtClose());
    const std::vector<Move> moves = {{"E:\\a.txt", kInE + "a.txt"}, {"E:\\b.txt", kInE + "b.txt"}};
    EXPECT_EQ("", DifferenceAfterMoves(before, ContentListing(), moves));
    EXPECT_EQ((std::vector<std::string>{MovedLine(moves[0].original, moves[0].stored),
                                        MovedLine(moves[1].original, moves[1].stored)}),
              DeletionLines());
    EXPECT_EQ(2u, HeldOn('E').size());
    EXPECT_FALSE(testsupport::FileExists("F:\\TrevandQuarantine"));
    windowtest::PumpPending();
    EXPECT_FALSE(HasRow("E:\\a.txt"));
    EXPECT_TRUE(HasRow("E:\\readonly.txt"));
}

}  // namespace
}  // namespace quarantinetest
