// The real Trevand.exe run with switches, as the Task Scheduler runs it, on
// fixture cafés: the report's CSVs against the engine's candidates and the
// sizes the disks really hold, a policy that moves exactly the entries it
// selects (file-by-file listings with content before and after), a dry run
// that changes no byte, refused switches, a failed load, and one Trevand at
// a time.
#include <gtest/gtest.h>

#include <ctime>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "support/AppProcess.h"
#include "support/Cafe.h"
#include "support/DiskListing.h"
#include "support/OutsideLimits.h"
#include "support/ProgramLog.h"
#include "support/QuarantineListing.h"
#include "support/SkinPoints.h"
#include "support/TempDir.h"
#include "support/WindowView.h"
#include "support/WineHost.h"
#include "support/XWindow.h"
#include "UnattendedReports.h"

using testsupport::CafeEntry;
using testsupport::DiskListing;
using namespace unattendedtest;

namespace {

const int kRunLimitMs = 60000;

const CsvLine kPurgeTitle = {u8"原位置", u8"隔离区中的位置", u8"类型", u8"隔离时间", u8"结果", u8"释放（字节）"};
const char kPurgeLeftOutcome[] = u8"隔离区过期清理未完成，详见清理报告和日志";

class UnattendedRun : public ::testing::Test {
protected:
    void TearDown() override {
        m_app.reset();
        m_cafe.reset();
    }

    // Builds the café and copies the program folder.
    void Build(const testsupport::CafeDescription& desc) {
        ASSERT_TRUE(CreateDirectoryA(Outside().c_str(), nullptr));
        testsupport::WriteFileBytes(Outside() + "\\keep.dat", "outside");
        testsupport::CafeSite site;
        site.root = m_dir.File("cafe");
        m_cafe.reset(new testsupport::Cafe(desc, site));
        ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
        for (const testsupport::CafeDrive& drive : desc.drives) m_roots.push_back(std::string(1, drive.letter) + ":\\");
        m_roots.push_back(Outside());
        ASSERT_TRUE(m_cafe->WaitForDriveNames(testsupport::kUiLimitMs));
        m_app.reset(new testsupport::AppProcess(testsupport::WindowsPathOf(TREVAND_APP_DIR), m_dir.File("app")));
        ASSERT_TRUE(m_app->Ready());
    }

    // Runs Trevand.exe with `arguments` to its end; its exit code, or -1
    // when it did not end in time. What it printed lands in Printed().
    int Run(const std::string& arguments) {
        if (!m_app->StartWith(arguments, Output())) return -1;
        DWORD code = 0;
        if (!m_app->WaitForExit(kRunLimitMs, &code)) return -1;
        return static_cast<int>(code);
    }
    std::string Output() const { return m_dir.File("printed.txt"); }
    std::string Printed() const { return testsupport::ReadFileBytes(Output()); }
    std::string Reports() const { return m_dir.File("reports"); }
    std::string Outside() const { return m_dir.File("outside"); }
    DiskListing Listing() const { return testsupport::TakeListingWithContent(m_roots); }
    std::string LogText() const { return testsupport::ReadFileBytes(m_app->TodaysLog()); }

    testsupport::TempDir m_dir;
    std::unique_ptr<testsupport::Cafe> m_cafe;
    std::unique_ptr<testsupport::AppProcess> m_app;
    std::vector<std::string> m_roots;
};

// Master café: game disks E and F, download disk D (class "NetGames"); a
// link on E to a folder outside every disk.
testsupport::CafeDescription ReportCafe(const std::string& outside) {
    testsupport::CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}};
    desc.downDisks = {"D"};
    desc.packages = {{1, "E:\\Games\\WoW", 1, "NetGames"}, {2, "F:\\Games\\Moved", 1, ""}};
    desc.downPaths = {"D:\\NetGames\\CS"};
    desc.drives = {
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          CafeEntry(CafeEntry::kFile, "Games\\Old\\old.exe").Size(70000),
          CafeEntry(CafeEntry::kHiddenFile, "Games\\Old\\hidden.ini").Size(100),
          CafeEntry(CafeEntry::kReadOnlyFile, "Games\\Old\\誠\\誠.dat").Size(5000000),
          {CafeEntry::kLink, "Games\\Old\\存档", outside},
          {CafeEntry::kFolder, "Games\\Empty"},
          CafeEntry(CafeEntry::kFile, "a.txt").Size(12),
          {CafeEntry::kHiddenFolder, "$RECYCLE.BIN"}}},
        {'F', {{CafeEntry::kFile, "Games\\Moved\\m.exe"}, {CafeEntry::kFile, "x.dat"}}},
        {'D', {{CafeEntry::kFile, "NetGames\\CS\\cs.exe"}, {CafeEntry::kFile, "NetGames\\Junk\\j.dat"}, {CafeEntry::kFile, "Other\\o.dat"}}},
    };
    return desc;
}

TEST_F(UnattendedRun, ReportWritesEveryDrivesCandidatesWithTheirSizesAndChangesNothing) {
    Build(ReportCafe(m_dir.File("outside")));
    if (HasFatalFailure()) return;
    const DiskListing before = Listing();

    ASSERT_EQ(0, Run("/report /role master /out \"" + Reports() + "\""));

    EXPECT_EQ("", testsupport::ListingDifference(before, Listing()));
    // What the engine offers, loaded here on the same café.
    CMasterTrevandDB engine;
    ASSERT_TRUE(engine.LoadDB());
    UnLoadPathMap candidates;
    engine.GetUnLoadGamePath(candidates);
    ASSERT_FALSE(candidates.empty());
    std::map<char, std::vector<CsvLine>> expected;
    for (const auto& candidate : candidates) {
        const UnLoadPathInfo& info = candidate.second;
        const uint64_t size = info.bDir ? BytesBelow(before, info.strPath) : info.nSize;
        expected[info.strPath[0]].push_back(
            {Utf8(info.strName), Utf8(info.strPath), info.bDir ? u8"目录" : u8"文件", std::to_string(size), u8"否"});
    }
    ASSERT_EQ(3u, expected.size());
    for (const auto& drive : expected) {
        const std::string file = ReportFile(Reports(), std::string("_候选_") + drive.first + ".csv");
        ASSERT_NE("", file) << drive.first;
        std::vector<CsvLine> lines = ReadCsv(file);
        ASSERT_EQ(drive.second.size() + 1, lines.size()) << file;
        EXPECT_EQ((CsvLine{u8"名称", u8"路径", u8"类型", u8"大小（字节）", u8"修改时间", u8"勾选"}), lines[0]);
        for (size_t i = 1; i < lines.size(); ++i) {
            // The time column is the export's; the rest is compared here.
            ASSERT_EQ(6u, lines[i].size());
            lines[i].erase(lines[i].begin() + 4);
            EXPECT_EQ(drive.second[i - 1], lines[i]);
        }
    }
    // E:\Games\Old holds 70,000 + 100 + 5,000,000 bytes; behind its link nothing counts.
    EXPECT_NE(std::string::npos, testsupport::ReadFileBytes(ReportFile(Reports(), std::string("_候选_E.csv")))
                                     .find(u8"E:\\Games\\Old,目录,5070100,"));

    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(4u, summary.size());
    const std::string machine = Utf8(ThisMachine());
    EXPECT_EQ((CsvLine{machine, u8"主服务器", summary[1][2], u8"报告", u8"完成", "D:", "1", "1", "0", "4", "0"}), summary[1]);
    EXPECT_EQ((CsvLine{machine, u8"主服务器", summary[1][2], u8"报告", u8"完成", "E:", "3", "2", "1", "5070112", "0"}),
              summary[2]);
    EXPECT_EQ((CsvLine{machine, u8"主服务器", summary[1][2], u8"报告", u8"完成", "F:", "1", "0", "1", "4", "0"}), summary[3]);
    EXPECT_NE(std::string::npos, Printed().find("E: 候选 3 项")) << Printed();
    EXPECT_NE(std::string::npos, LogText().find("报告文件："));
}

TEST_F(UnattendedRun, PolicyMovesExactlyWhatItSelectsAndTheNextRunPurgesByKeepDays) {
    Build(PolicyCafe());
    if (HasFatalFailure()) return;
    const DiskListing before = Listing();

    ASSERT_EQ(0, Run("/quarantine /role master /older-than 100 /drive e /out \"" + Reports() + "\"")) << Printed();

    const std::string batch = OnlyBatch('E');
    ASSERT_NE("", batch);
    const std::string stored = "E:\\TrevandQuarantine\\" + batch + "\\";
    const std::vector<testsupport::HeldEntry> held = {
        {"E:\\Games\\Old", stored + "Games\\Old"}, {"E:\\big.dat", stored + "big.dat"}, {"E:\\old.txt", stored + "old.txt"}};
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::ExpectedWithHeld(before, held),
                                                 testsupport::WithoutDatabaseBytes(Listing())));
    EXPECT_EQ((std::vector<std::vector<std::string>>{
                  {"E:\\Games\\Old", u8"已隔离"}, {"E:\\big.dat", u8"已隔离"}, {"E:\\old.txt", u8"已隔离"}}),
              MovedPaths(ReportFile(Reports(), "_隔离.csv")));
    const std::string csvOfE = testsupport::ReadFileBytes(ReportFile(Reports(), "_候选_E.csv"));
    EXPECT_NE(std::string::npos, csvOfE.find(u8"E:\\Games\\Live,目录,")) << "listed, not selected";
    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(3u, summary.size());
    EXPECT_EQ(u8"完成", summary[1][4]);
    EXPECT_EQ((CsvLine{"E:", "5", "2", "3", summary[1][9], "0", "3", "3", "0", "0", "0", "0", "0"}),
              CsvLine(summary[1].begin() + 5, summary[1].end()));
    EXPECT_EQ((CsvLine{"F:", "1", "0", "1", "4", "0", "0", "0", "0", "0", "0", "0", "0"}),
              CsvLine(summary[2].begin() + 5, summary[2].end()));
    // No quarantine existed: the purge report says that nothing expired.
    EXPECT_EQ((std::vector<CsvLine>{kPurgeTitle}), ReadCsv(ReportFile(Reports(), "_清理.csv")));

    // Kept 0 days, what E's quarantine holds goes at the next run's start;
    // what that run moves in stays held.
    const DiskListing held1 = Listing();
    testsupport::WriteFileBytes(m_app->Folder() + "\\Trevand.ini", "[Quarantine]\r\nKeepDays=0\r\n");
    testsupport::TempDir second;
    ASSERT_EQ(0, Run("/quarantine /role master /older-than 100 /drive F /out \"" + second.Path() + "\"")) << Printed();
    const std::string batchF = OnlyBatch('F');
    ASSERT_NE("", batchF);
    // The purge leaves E's quarantine empty, and an empty quarantine goes.
    DiskListing expected = testsupport::ExpectedWithHeld(testsupport::Without(held1, {"E:\\TrevandQuarantine"}),
        {{"F:\\x.dat", "F:\\TrevandQuarantine\\" + batchF + "\\x.dat"}});
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::WithoutDatabaseBytes(expected),
                                                 testsupport::WithoutDatabaseBytes(Listing())));
    // The purge's report names each entry it deleted for good, and what that
    // gave back; the summary counts them on the disk they were kept on.
    std::vector<CsvLine> purged = ReadCsv(ReportFile(second.Path(), "_清理.csv"));
    ASSERT_EQ(4u, purged.size());
    EXPECT_EQ(kPurgeTitle, purged[0]);
    const uint64_t oldBytes = BytesBelow(before, "E:\\Games\\Old");
    const uint64_t bigBytes = before.at("E:\\big.dat").size;
    const uint64_t txtBytes = before.at("E:\\old.txt").size;
    const std::vector<CsvLine> expectedPurged = {
        {"E:\\Games\\Old", stored + "Games\\Old", u8"目录", u8"已彻底删除", std::to_string(oldBytes)},
        {"E:\\big.dat", stored + "big.dat", u8"文件", u8"已彻底删除", std::to_string(bigBytes)},
        {"E:\\old.txt", stored + "old.txt", u8"文件", u8"已彻底删除", std::to_string(txtBytes)}};
    for (size_t i = 1; i < purged.size(); ++i) {
        ASSERT_EQ(6u, purged[i].size());
        EXPECT_NE("", purged[i][3]) << "when it was quarantined";
        purged[i].erase(purged[i].begin() + 3);
        EXPECT_EQ(expectedPurged[i - 1], purged[i]);
    }
    const std::vector<CsvLine> summary2 = ReadCsv(ReportFile(second.Path(), "_汇总.csv"));
    ASSERT_EQ(3u, summary2.size());
    EXPECT_EQ(u8"完成", summary2[1][4]);
    EXPECT_EQ((CsvLine{"0", "3", "0", std::to_string(oldBytes + bigBytes + txtBytes)}),
              CsvLine(summary2[1].end() - 4, summary2[1].end()));
    EXPECT_EQ((CsvLine{"1", "1", "0", "0", "0", "0", "0"}), CsvLine(summary2[2].end() - 7, summary2[2].end()));
}

TEST_F(UnattendedRun, APurgeThatLeavesALinkInsideAnEntryEndsWithSixAndTheSummarySaysSo) {
    // E:\Games\Old holds a link to the folder outside every disk; it has been
    // in E's quarantine for 200 days, far past the default seven.
    testsupport::CafeDescription desc = PolicyCafe();
    desc.drives[0].entries.push_back({CafeEntry::kLink, "Games\\Old\\存档", Outside()});
    Build(desc);
    if (HasFatalFailure()) return;
    const std::string stored = "E:\\TrevandQuarantine\\20250101-030000\\Games\\Old";
    {
        CQuarantineDisk disk('E');
        uint32_t error = 0;
        ASSERT_TRUE(disk.Open(true, &error)) << error;
        TQuarantineRecord record;
        ASSERT_TRUE(disk.MoveIn("E:\\Games\\Old", true, 12, "20250101-030000", AgesNow().old, &record, &error)) << error;
        ASSERT_EQ(stored, record.strStoredPath);
    }
    StartsSince('E', AgesNow().old);
    const DiskListing held = Listing();

    EXPECT_EQ(6, Run("/quarantine /role master /older-than 100 /drive F /out \"" + Reports() + "\"")) << Printed();

    // The files went; the link, and the folders that hold it, stay held and
    // restorable; the policy's move went ahead.
    const std::string batchF = OnlyBatch('F');
    ASSERT_NE("", batchF);
    const DiskListing expected = testsupport::ExpectedWithHeld(testsupport::WithoutDeleted(held, {stored}),
        {{"F:\\x.dat", "F:\\TrevandQuarantine\\" + batchF + "\\x.dat"}});
    EXPECT_EQ("", testsupport::ListingDifference(testsupport::WithoutDatabaseBytes(expected),
                                                 testsupport::WithoutDatabaseBytes(Listing())));
    {
        CQuarantineDisk disk('E');
        uint32_t error = 0;
        ASSERT_TRUE(disk.Open(false, &error)) << error;
        const std::vector<TQuarantineRecord> records = disk.Records();
        ASSERT_EQ(1u, records.size());
        EXPECT_EQ(stored, records[0].strStoredPath);
    }
    std::vector<CsvLine> purged = ReadCsv(ReportFile(Reports(), "_清理.csv"));
    ASSERT_EQ(2u, purged.size());
    ASSERT_EQ(6u, purged[1].size());
    purged[1].erase(purged[1].begin() + 3);
    EXPECT_EQ((CsvLine{"E:\\Games\\Old", stored, u8"目录", u8"未能彻底删除，仍在隔离区，详见日志；已删除一部分，余下为残缺目录",
                       std::to_string(BytesBelow(held, stored))}),
              purged[1]);
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"F:\\x.dat", u8"已隔离"}}), MovedPaths(ReportFile(Reports(), "_隔离.csv")));
    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(3u, summary.size());
    for (size_t i = 1; i < summary.size(); ++i) EXPECT_EQ(kPurgeLeftOutcome, summary[i][4]) << i;
    EXPECT_EQ((CsvLine{"0", "1", std::to_string(BytesBelow(held, stored))}), CsvLine(summary[1].end() - 3, summary[1].end()));
    EXPECT_EQ((CsvLine{"1", "1", "0", "0", "0", "0", "0"}), CsvLine(summary[2].end() - 7, summary[2].end()));
}

// E's quarantine last saw the time three years before this run, and holds
// an entry moved then: a clock that jumped ahead since would purge it and
// make every candidate old. Nothing is picked, moved or purged.
TEST_F(UnattendedRun, AClockFarPastWhatTheQuarantinesSawPicksAndPurgesNothingAndEndsWithSeven) {
    Build(PolicyCafe());
    if (HasFatalFailure()) return;
    {
        CQuarantineDisk disk('E');
        uint32_t error = 0;
        ASSERT_TRUE(disk.Open(true, &error)) << error;
        TQuarantineRecord record;
        const int64_t longAgo = static_cast<int64_t>(std::time(nullptr)) - 3 * 365 * 86400;
        ASSERT_TRUE(disk.MoveIn("E:\\new.txt", false, 1, "20231211-030000", longAgo, &record, &error)) << error;
    }
    const DiskListing before = Listing();

    EXPECT_EQ(7, Run("/quarantine /role master /older-than 100 /out \"" + Reports() + "\"")) << Printed();

    EXPECT_EQ("", testsupport::ListingDifference(testsupport::WithoutDatabaseBytes(before),
                                                 testsupport::WithoutDatabaseBytes(Listing())));
    EXPECT_TRUE(MovedPaths(ReportFile(Reports(), "_隔离.csv")).empty());
    EXPECT_EQ(1u, ReadCsv(ReportFile(Reports(), "_清理.csv")).size()) << "the title line alone";
    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(3u, summary.size());
    for (size_t i = 1; i < summary.size(); ++i)
        EXPECT_EQ(u8"系统时间与隔离区记录的时间相差过大，未按时间挑选或清理，请核对系统时间", summary[i][4]) << i;
}

TEST_F(UnattendedRun, DryRunWritesWhatItWouldMoveAndChangesNoByte) {
    Build(PolicyCafe());
    if (HasFatalFailure()) return;
    const DiskListing before = Listing();

    ASSERT_EQ(0, Run("/quarantine /role master /older-than 100 /min-size 2 /dry-run /out \"" + Reports() + "\""))
        << Printed();

    EXPECT_EQ("", testsupport::ListingDifference(before, Listing()));
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"E:\\big.dat", u8"将隔离（试运行，未移动）"}}),
              MovedPaths(ReportFile(Reports(), "_隔离.csv")));
    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(3u, summary.size());
    EXPECT_EQ(u8"隔离（试运行）", summary[1][3]);
    // Selected, moved, not moved, registered meanwhile; a dry run purges
    // nothing, so the purge's columns stay away.
    EXPECT_EQ((CsvLine{"1", "0", "0", "0"}), CsvLine(summary[1].begin() + 11, summary[1].end()));
    EXPECT_EQ(0u, ReportFile(Reports(), "_清理.csv").size()) << "no purge, no purge report";
}

TEST_F(UnattendedRun, RefusedSwitchesEndWithOneAndChangeNothing) {
    Build(PolicyCafe());
    if (HasFatalFailure()) return;
    const DiskListing before = Listing();
    const std::string out = " /out \"" + Reports() + "\"";
    const struct {
        std::string arguments;
        const char* printed;
        bool usage;  // refused before anything is read: the usage follows
    } cases[] = {
        {"/report /role master /verbose" + out, "无法识别的参数：/verbose", true},
        {"/report" + out, "缺少 /role", true},
        {"/role master" + out, "需要 /report 或 /quarantine", true},
        {"/quarantine /role master /older-than -5" + out, "整数天数：-5", true},
        {"/quarantine /role master /older-than 30 /min-size 1.5" + out, "整数（MB）：1.5", true},
        // Which disks serve is known once the disk map is read.
        {"/quarantine /role master /older-than 0 /drive Q" + out, "Q: 不是本机的服务器磁盘", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(1, Run(c.arguments)) << c.arguments;
        EXPECT_NE(std::string::npos, Printed().find(c.printed)) << c.arguments << "\n" << Printed();
        EXPECT_EQ(c.usage, Printed().find("用法：") != std::string::npos) << c.arguments;
        EXPECT_NE(std::string::npos, LogText().find(c.printed)) << c.arguments;
        EXPECT_TRUE(FilesIn(Reports()).empty()) << c.arguments;
    }
    EXPECT_EQ("", testsupport::ListingDifference(before, Listing()));
}

TEST_F(UnattendedRun, LoadThatFailsEndsWithTwoAndASummarySayingSo) {
    testsupport::CafeDescription desc = PolicyCafe();
    desc.services.clear();
    Build(desc);
    if (HasFatalFailure()) return;

    EXPECT_EQ(2, Run("/report /role secondary /out \"" + Reports() + "\""));

    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(2u, summary.size());
    EXPECT_EQ((CsvLine{Utf8(ThisMachine()), u8"副服务器", summary[1][2], u8"报告", u8"加载失败，详见日志"}), summary[1]);
    EXPECT_EQ(1u, FilesIn(Reports()).size());
}

TEST_F(UnattendedRun, OnlyOneTrevandWorksOnTheDisksAtATime) {
    Build(PolicyCafe());
    if (HasFatalFailure()) return;
    // The interactive program holds the disks while its role window asks.
    std::unique_ptr<testsupport::AppProcess> first(
        new testsupport::AppProcess(testsupport::WindowsPathOf(TREVAND_APP_DIR), m_dir.File("first")));
    ASSERT_TRUE(first->Start());
    ASSERT_TRUE(testsupport::WaitForPaintedWindow(skinpoints::kRoleWindowText, testsupport::kStartLimitMs,
                                                  m_dir.File("screen.png"))
                    .Valid());
    const DiskListing before = Listing();

    EXPECT_EQ(3, Run("/quarantine /role master /older-than 0 /out \"" + Reports() + "\""));
    EXPECT_NE(std::string::npos, Printed().find("另一个 Trevand 正在处理本机的磁盘")) << Printed();
    EXPECT_TRUE(FilesIn(Reports()).empty());
    EXPECT_EQ("", testsupport::ListingDifference(before, Listing()));

    // A second interactive start says so in a box and ends once it is closed.
    ASSERT_TRUE(m_app->Start());
    const testsupport::XWindow box =
        testsupport::WaitForPaintedWindow(skinpoints::kMsgBoxText, testsupport::kStartLimitMs, m_dir.File("screen.png"));
    ASSERT_TRUE(box.Valid()) << "no message box";
    ASSERT_TRUE(box.PressKey("Escape"));
    DWORD code = 0;
    ASSERT_TRUE(m_app->WaitForExit(testsupport::kUiLimitMs, &code));
    EXPECT_EQ(3u, code);
    EXPECT_TRUE(testsupport::XWindow::Find(skinpoints::kMainWindowText).Valid() ||
                testsupport::XWindow::Find(skinpoints::kRoleWindowText).Valid())
        << "the first program went";

    // Once the first has ended — killed, here: the system lets the lock go
    // with the process — a run goes ahead.
    first.reset();
    EXPECT_EQ(0, Run("/report /role master /out \"" + Reports() + "\"")) << Printed();
}

}  // namespace
