// The files of an unattended run on plain values: names that keep many
// servers' files apart, and the summary and moves CSVs byte for byte.
#include "ToolKit/Trevand/Trevand/Unattended/ReportFiles.h"

#include <gtest/gtest.h>

#include "ToolKit/Trevand/Trevand/CandidateText.h"

namespace {

platform::LocalTime When() {
    platform::LocalTime when;
    when.year = 2026;
    when.month = 12;
    when.day = 1;
    when.hour = 3;
    when.minute = 4;
    when.second = 5;
    return when;
}

const std::string kSummaryTitle =
    u8"\xEF\xBB\xBF机器,角色,时间,运行,结果,盘符,候选项,目录,文件,字节,大小不全的目录,符合条件,已隔离,未能隔离,"
    u8"已登记未移动,过期清理已删除,过期清理未删除,过期清理释放字节\r\n";

TJudgedCandidate Row(const char* path, bool dir, uint64_t size, bool known, bool partial, bool ticked) {
    TJudgedCandidate row;
    row.strPath = path;
    row.bDir = dir;
    row.nSize = size;
    row.bSizeKnown = known;
    row.bSizePartial = partial;
    row.bChecked = ticked;
    return row;
}

TEST(ReportFiles, NamesStartWithTheMachineAndTheTime) {
    EXPECT_EQ("SRV01_20261201_030405", ReportFileStem("SRV01", When()));
    EXPECT_EQ("UNKNOWN_20261201_030405", ReportFileStem("", When()));
    EXPECT_EQ("A_B_C_D_E_F_G_H_I_20261201_030405", ReportFileStem("A\\B/C:D*E?F\"G<H>I", When()));
    const std::string stem = ReportFileStem("SRV01", When());
    EXPECT_EQ("SRV01_20261201_030405_候选_E.csv", DriveCsvName(stem, 'E'));
    EXPECT_EQ("SRV01_20261201_030405_汇总.csv", SummaryCsvName(stem));
    EXPECT_EQ("SRV01_20261201_030405_隔离.csv", MovesCsvName(stem));
    EXPECT_EQ("SRV01_20261201_030405_清理.csv", PurgeCsvName(stem));
}

TEST(ReportFiles, SummaryCountsEachDriveAndSaysWhenTheLoadFailed) {
    const std::vector<TJudgedCandidate> rowsOfE = {Row("E:\\A", true, 100, true, false, true),
                                                   Row("E:\\B", true, 7, true, true, false),
                                                   Row("E:\\C", true, 0, false, false, false),
                                                   Row("E:\\d.dat", false, 5, true, false, true)};
    TDriveSummary e = SummarizeDrive('E', rowsOfE);
    EXPECT_EQ(4u, e.nCandidates);
    EXPECT_EQ(3u, e.nFolders);
    EXPECT_EQ(1u, e.nFiles);
    EXPECT_EQ(112u, e.nBytes);
    EXPECT_EQ(2u, e.nPartial);
    EXPECT_EQ(2u, e.nSelected);
    e.nMoved = 1;
    e.nNotMoved = 1;
    e.nRegistered = 2;
    e.nPurged = 3;
    e.nPurgeLeft = 1;
    e.nPurgeFreedBytes = 4096;
    const TDriveSummary f = SummarizeDrive('F', {});

    TRunHeader header;
    header.strMachine = "SRV01";
    header.nRole = 2;
    header.when = When();
    EXPECT_EQ(kSummaryTitle +
              u8"SRV01,副服务器,2026-12-01 03:04:05,报告,完成,E:,4,3,1,112,2\r\n"
              u8"SRV01,副服务器,2026-12-01 03:04:05,报告,完成,F:,0,0,0,0,0\r\n",
              SummaryCsv(header, "完成", {e, f}));
    header.nRole = 1;
    header.bPolicyRun = true;
    EXPECT_EQ(kSummaryTitle +
              u8"SRV01,主服务器,2026-12-01 03:04:05,隔离,部分符合条件的项未能隔离，详见隔离报告和日志,E:,4,3,1,112,2,2,1,1,2,3,1,4096\r\n",
              SummaryCsv(header, "部分符合条件的项未能隔离，详见隔离报告和日志", {e}));
    // A dry run purges nothing: its line ends before the purge's columns.
    header.bDryRun = true;
    EXPECT_EQ(kSummaryTitle + u8"SRV01,主服务器,2026-12-01 03:04:05,隔离（试运行）,完成,E:,4,3,1,112,2,2,1,1,2\r\n",
              SummaryCsv(header, "完成", {e}));
    EXPECT_EQ(kSummaryTitle +
              u8"SRV01,主服务器,2026-12-01 03:04:05,隔离（试运行）,加载失败，详见日志\r\n",
              SummaryCsv(header, "加载失败，详见日志", {}));
}

TEST(ReportFiles, MovesSayWhatBecameOfEachSelectedEntry) {
    TJudgedCandidate moved = Row("E:\\Old,1", true, 70100, true, false, true);
    moved.nNewestWrite = 1700000000;
    // A path that begins like a formula (a name on a share's root) is guarded.
    const TJudgedCandidate left = Row("=x.dat", false, 4, true, false, true);
    const std::string time = FormatModifiedTime(1700000000);
    EXPECT_EQ(u8"\xEF\xBB\xBF路径,类型,大小（字节）,最近修改时间,结果\r\n"
              u8"\"E:\\Old,1\",目录,70100," + time + u8",已隔离\r\n"
              u8"'=x.dat,文件,4,,未能隔离，详见日志\r\n",
              MovesCsv({{moved, EMoveResult::kMoved}, {left, EMoveResult::kNotMoved}}));
    const TJudgedCandidate file = Row("E:\\a.dat", false, 4, true, false, true);
    const struct {
        EMoveResult result;
        const char* text;
    } cases[] = {
        {EMoveResult::kGone, u8"运行时已不存在"},
        {EMoveResult::kWouldMove, u8"将隔离（试运行，未移动）"},
        {EMoveResult::kRegistered, u8"运行时已登记，未移动"},
        {EMoveResult::kNotChecked, u8"未能重新读取登记，未移动"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(u8"\xEF\xBB\xBF路径,类型,大小（字节）,最近修改时间,结果\r\n"
                  u8"E:\\a.dat,文件,4,," + std::string(c.text) + "\r\n",
                  MovesCsv({{file, c.result}}));
    }
}

TPurgeLine Purged(const char* original, const char* stored, bool dir, EPurgeResult result, uint64_t freed) {
    TPurgeLine line;
    line.strOriginalPath = original;
    line.strStoredPath = stored;
    line.bDir = dir;
    line.nQuarantined = 1700000000;
    line.result = result;
    line.nFreedBytes = freed;
    return line;
}

TEST(ReportFiles, PurgeSaysWhatBecameOfEachExpiredEntryAndWhatItGaveBack) {
    const std::string time = FormatModifiedTime(1700000000);
    EXPECT_EQ(u8"\xEF\xBB\xBF原位置,隔离区中的位置,类型,隔离时间,结果,释放（字节）\r\n", PurgeCsv({}));
    EXPECT_EQ(u8"\xEF\xBB\xBF原位置,隔离区中的位置,类型,隔离时间,结果,释放（字节）\r\n"
              u8"E:\\Games\\誠,E:\\TrevandQuarantine\\20261201-030405\\Games\\誠,目录," + time +
                  u8",已彻底删除,5070100\r\n"
              u8"E:\\Linked,E:\\TrevandQuarantine\\20261201-030405\\Linked,目录," + time +
                  u8",未能彻底删除，仍在隔离区，详见日志；已删除一部分，余下为残缺目录,4\r\n"
              u8"\"E:\\a,b.dat\",E:\\TrevandQuarantine\\20261201-030405\\a\\b.dat,文件," + time +
                  u8",清理已停止，仍在隔离区,0\r\n"
              // A name on a share's root that begins like a formula is guarded.
              u8"'-x.dat,'-y\\x.dat,文件," + time + u8",已彻底删除,1\r\n",
              PurgeCsv({Purged("E:\\Games\\誠", "E:\\TrevandQuarantine\\20261201-030405\\Games\\誠", true,
                               EPurgeResult::kDeleted, 5070100),
                        Purged("E:\\Linked", "E:\\TrevandQuarantine\\20261201-030405\\Linked", true, EPurgeResult::kLeft, 4),
                        Purged("E:\\a,b.dat", "E:\\TrevandQuarantine\\20261201-030405\\a\\b.dat", false,
                               EPurgeResult::kStopped, 0),
                        Purged("-x.dat", "-y\\x.dat", false, EPurgeResult::kDeleted, 1)}));
}

TEST(ReportFiles, EachDrivesLineCountsItsOwnMovesAndPurgedEntries) {
    const TJudgedCandidate onE = Row("E:\\a", true, 1, true, false, true);
    const TJudgedCandidate onF = Row("f:\\b", true, 1, true, false, true);
    const std::vector<TMoveLine> moves = {{onE, EMoveResult::kMoved},      {onE, EMoveResult::kMoved},
                                          {onE, EMoveResult::kNotMoved},   {onE, EMoveResult::kNotChecked},
                                          {onE, EMoveResult::kRegistered}, {onE, EMoveResult::kGone},
                                          {onE, EMoveResult::kWouldMove},  {onF, EMoveResult::kRegistered}};
    const std::vector<TPurgeLine> purged = {Purged("E:\\x", "E:\\q\\x", true, EPurgeResult::kDeleted, 10),
                                            Purged("E:\\y", "E:\\q\\y", true, EPurgeResult::kLeft, 5),
                                            Purged("E:\\z", "E:\\q\\z", true, EPurgeResult::kStopped, 1),
                                            Purged("f:\\w", "f:\\q\\w", false, EPurgeResult::kDeleted, 100)};
    TDriveSummary e;
    e.chDrive = 'E';
    CountMoves(moves, &e);
    CountPurge(purged, &e);
    EXPECT_EQ(2u, e.nMoved);
    EXPECT_EQ(2u, e.nNotMoved);  // refused, or not checked against the registrations
    EXPECT_EQ(1u, e.nRegistered);
    EXPECT_EQ(1u, e.nPurged);
    EXPECT_EQ(2u, e.nPurgeLeft);  // left, or stopped before it was gone
    EXPECT_EQ(16u, e.nPurgeFreedBytes);
    TDriveSummary f;
    f.chDrive = 'F';
    CountMoves(moves, &f);
    CountPurge(purged, &f);
    EXPECT_EQ(0u, f.nMoved);
    EXPECT_EQ(1u, f.nRegistered);
    EXPECT_EQ(1u, f.nPurged);
    EXPECT_EQ(100u, f.nPurgeFreedBytes);
}

}  // namespace
