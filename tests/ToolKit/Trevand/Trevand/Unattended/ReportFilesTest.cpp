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
    const TDriveSummary f = SummarizeDrive('F', {});

    TRunHeader header;
    header.strMachine = "SRV01";
    header.nRole = 2;
    header.when = When();
    EXPECT_EQ(u8"\xEF\xBB\xBF机器,角色,时间,运行,结果,盘符,候选项,目录,文件,字节,大小不全的目录,符合条件,已隔离,未能隔离\r\n"
              u8"SRV01,副服务器,2026-12-01 03:04:05,报告,完成,E:,4,3,1,112,2\r\n"
              u8"SRV01,副服务器,2026-12-01 03:04:05,报告,完成,F:,0,0,0,0,0\r\n",
              SummaryCsv(header, "完成", {e, f}));
    header.nRole = 1;
    header.bPolicyRun = true;
    EXPECT_EQ(u8"\xEF\xBB\xBF机器,角色,时间,运行,结果,盘符,候选项,目录,文件,字节,大小不全的目录,符合条件,已隔离,未能隔离\r\n"
              u8"SRV01,主服务器,2026-12-01 03:04:05,隔离,完成,E:,4,3,1,112,2,2,1,1\r\n",
              SummaryCsv(header, "完成", {e}));
    header.bDryRun = true;
    EXPECT_EQ(u8"\xEF\xBB\xBF机器,角色,时间,运行,结果,盘符,候选项,目录,文件,字节,大小不全的目录,符合条件,已隔离,未能隔离\r\n"
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
}

}  // namespace
