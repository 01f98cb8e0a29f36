// The real Trevand.exe run with switches, as the Task Scheduler runs it, on
// fixture cafés: the report's CSVs against the engine's candidates and the
// sizes the disks really hold, a policy that moves exactly the entries it
// selects (file-by-file listings with content before and after), a dry run
// that changes no byte, refused switches, a failed load, and one Trevand at
// a time.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "comm/platform/CodePage.h"
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

using testsupport::CafeEntry;
using testsupport::DiskListing;

namespace {

const int kRunLimitMs = 60000;
const int64_t kDay = 86400;

// One line of a CSV file as UTF-8 fields (the files hold no quoted field
// with a line break).
using CsvLine = std::vector<std::string>;

std::vector<CsvLine> ReadCsv(const std::string& path) {
    std::string bytes = testsupport::ReadFileBytes(path);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    std::vector<CsvLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        const std::string text = bytes.substr(start, end - start);
        start = end == std::string::npos ? bytes.size() : end + 2;
        CsvLine fields(1);
        bool quoted = false;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"' && quoted && i + 1 < text.size() && text[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = !quoted;
            } else if (c == ',' && !quoted) {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        lines.push_back(fields);
    }
    return lines;
}

std::string Utf8(const std::string& gbk) {
    std::string utf8;
    EXPECT_TRUE(platform::CodePage936ToUtf8(gbk, &utf8)) << gbk;
    return utf8;
}

std::string ThisMachine() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof(name);
    GetComputerNameA(name, &length);
    return std::string(name, length);
}

// The names of the files in `folder`.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// The one file of `folder` whose name ends in `suffix` ("_汇总.csv"), with
// the machine's name and a time before it; "" when there is not exactly one.
std::string ReportFile(const std::string& folder, const std::string& suffix) {
    std::string found;
    int count = 0;
    for (const std::string& name : FilesIn(folder)) {
        // "<MACHINE>_YYYYMMDD_HHMMSS<suffix>"
        if (name.size() == ThisMachine().size() + 16 + suffix.size() && name.compare(0, ThisMachine().size() + 1, ThisMachine() + "_") == 0 &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            found = folder + "\\" + name;
            ++count;
        }
    }
    return count == 1 ? found : std::string();
}

// The bytes of the files below `folder` as the listing has them (links
// are listed but never entered, so nothing behind one counts).
uint64_t BytesBelow(const DiskListing& listing, const std::string& folder) {
    uint64_t bytes = 0;
    for (const auto& entry : listing) {
        if (testsupport::IsAtOrBelow(entry.first, folder) && entry.first != folder && !entry.second.link &&
            (entry.second.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            bytes += entry.second.size;
        }
    }
    return bytes;
}

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

// Ages for the policy: what was written 200 days ago, and yesterday.
struct Ages {
    int64_t old = 0;
    int64_t recent = 0;
};

Ages AgesNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const int64_t seconds =
        static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000000ULL) -
        11644473600LL;
    return {seconds - 200 * kDay, seconds - kDay};
}

// Master café whose entries are old or recent: E:\Games\Old is old through
// and through; E:\Games\Live is old itself but holds a file written
// yesterday; E:\big.dat (3 MB) and E:\old.txt are old, E:\new.txt recent;
// F:\x.dat is old.
testsupport::CafeDescription PolicyCafe() {
    const Ages ages = AgesNow();
    testsupport::CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}};
    desc.packages = {{1, "E:\\Games\\WoW", 1, ""}, {2, "F:\\Games\\Moved", 1, ""}};
    desc.drives = {
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          CafeEntry(CafeEntry::kFile, "Games\\Old\\old.exe").Modified(ages.old),
          CafeEntry(CafeEntry::kHiddenFile, "Games\\Old\\hidden.ini").Modified(ages.old),
          CafeEntry(CafeEntry::kReadOnlyFile, "Games\\Old\\誠\\誠.dat").Modified(ages.old),
          CafeEntry(CafeEntry::kFolder, "Games\\Old\\誠").Modified(ages.old),
          CafeEntry(CafeEntry::kFolder, "Games\\Old").Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "Games\\Live\\deep\\save.dat").Modified(ages.recent),
          CafeEntry(CafeEntry::kFolder, "Games\\Live\\deep").Modified(ages.old),
          CafeEntry(CafeEntry::kFolder, "Games\\Live").Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "big.dat").Size(3 * 1024 * 1024).Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "old.txt").Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "new.txt").Modified(ages.recent)}},
        {'F', {{CafeEntry::kFile, "Games\\Moved\\m.exe"}, CafeEntry(CafeEntry::kFile, "x.dat").Modified(ages.old)}},
    };
    return desc;
}

// The batch folder the run made in `drive`'s quarantine ("20261211-030000"),
// or "" when there is not exactly one.
std::string OnlyBatch(char drive) {
    std::vector<std::string> batches;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((std::string(1, drive) + ":\\TrevandQuarantine\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return std::string();
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") batches.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return batches.size() == 1 ? batches[0] : std::string();
}

std::vector<std::vector<std::string>> MovedPaths(const std::string& movesCsv) {
    std::vector<std::vector<std::string>> moves;
    const std::vector<CsvLine> lines = ReadCsv(movesCsv);
    for (size_t i = 1; i < lines.size(); ++i) moves.push_back({lines[i][0], lines[i][4]});
    return moves;
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
    EXPECT_EQ((CsvLine{"E:", "5", "2", "3", summary[1][9], "0", "3", "3", "0"}),
              CsvLine(summary[1].begin() + 5, summary[1].end()));
    EXPECT_EQ((CsvLine{"F:", "1", "0", "1", "4", "0", "0", "0", "0"}), CsvLine(summary[2].begin() + 5, summary[2].end()));

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
    EXPECT_EQ((CsvLine{"1", "0", "0"}), CsvLine(summary[1].end() - 3, summary[1].end()));
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
