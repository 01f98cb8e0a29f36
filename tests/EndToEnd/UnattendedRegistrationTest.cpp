// A quarantine run against a management database that changes while the run
// sizes its folders: what the management software registered since the load
// read the packages must not be moved. RunUnattended is called in this
// process, window-free as the real Trevand.exe calls it, because only here can
// the database change at a known moment between the load and the moves: the
// sizer's own hook for tests (CCandidateSizer::SetBeforeFolderHookForTests)
// runs on its thread before the first folder is sized, which is after the
// load and before any move. The program itself never sets that hook, so it
// gains no seam for this; a race against the real process from outside could
// only be won by chance.
//
// Each run moves into real quarantines on real Wine drives, compared file by
// file, content included, with a listing taken before.
#include <windows.h>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "ToolKit/Trevand/Trevand/Unattended/UnattendedRun.h"
#include "comm/platform/FileName.h"
#include "support/Cafe.h"
#include "support/DiskListing.h"
#include "support/LogCapture.h"
#include "support/OutsideLimits.h"
#include "support/QuarantineListing.h"
#include "support/TempDir.h"
#include "UnattendedReports.h"

using testsupport::CafeEntry;
using testsupport::DiskListing;
using namespace unattendedtest;

namespace {

// The policy café with one more tree: E:\Saves holds the registered package
// E:\Saves\Kept, so the scan enters it and offers E:\Saves\Old, which is old.
testsupport::CafeDescription CafeWithSaves() {
    const Ages ages = AgesNow();
    testsupport::CafeDescription desc = PolicyCafe();
    desc.packages.push_back({3, "E:\\Saves\\Kept", 1, ""});
    for (const CafeEntry& entry : {CafeEntry(CafeEntry::kFile, "Saves\\Kept\\k.dat"),
                                   CafeEntry(CafeEntry::kFile, "Saves\\Old\\s.dat").Modified(ages.old),
                                   CafeEntry(CafeEntry::kFolder, "Saves\\Old").Modified(ages.old)}) {
        desc.drives[0].entries.push_back(entry);
    }
    return desc;
}

class RegisteredMeanwhile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(m_dir.File("outside").c_str(), nullptr));
        testsupport::WriteFileBytes(m_dir.File("outside") + "\\keep.dat", "outside");
        m_cafe.reset(new testsupport::Cafe(CafeWithSaves()));
        ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
        ASSERT_TRUE(m_cafe->WaitForDriveNames(testsupport::kUiLimitMs));
    }
    void TearDown() override {
        CCandidateSizer::SetBeforeFolderHookForTests(nullptr);
        m_cafe.reset();
    }

    // `change` runs once, on the sizer's thread, before its first folder.
    void WhileSizing(std::function<void()> change) {
        auto done = std::make_shared<std::atomic<bool>>(false);
        CCandidateSizer::SetBeforeFolderHookForTests([done, change](const std::string&) {
            if (!done->exchange(true)) change();
        });
    }

    // "/quarantine /role master /older-than 100 /out <reports>", in this process.
    int RunPolicy() {
        TUnattendedArgs args;
        args.mode = TUnattendedArgs::EMode::kQuarantine;
        args.nRole = 1;
        args.nOlderThanDays = 100;
        args.strOut = Reports();
        return RunUnattended(args, m_dir.File("log") + "\\", m_dir.File("Trevand.ini"));
    }

    // Registers `localPath` as an installed package of halvor.db, as the
    // management software does.
    void Register(int pkgid, const std::string& localPath) {
        std::string utf8;
        ASSERT_TRUE(platform::ToUtf8FileName(m_cafe->HalvorDB(), &utf8));
        sqlite3* db = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open(utf8.c_str(), &db));
        const std::string sql = "INSERT INTO tbl_Package (Pkgid, LocalPath, PkgVersion, IdcClass) VALUES (" +
                                std::to_string(pkgid) + ", '" + localPath + "', 1, '')";
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    std::string Reports() const { return m_dir.File("reports"); }
    DiskListing Listing() const { return testsupport::TakeListingWithContent({"E:\\", "F:\\", m_dir.File("outside")}); }

    testsupport::LogCapture m_log;
    testsupport::TempDir m_dir;
    std::unique_ptr<testsupport::Cafe> m_cafe;
};

TEST_F(RegisteredMeanwhile, APackageRegisteredWhileTheRunSizesIsNotMovedNorWhatHoldsItNorWhatLiesInIt) {
    const DiskListing before = Listing();
    // Registered after the load read the packages: a folder inside E:\Games\Old,
    // the folder E:\Saves around E:\Saves\Old, and E:\old.txt itself, written
    // in another case as the management software may write it.
    WhileSizing([this] {
        Register(10, "E:\\Games\\Old\\誠");
        Register(11, "E:\\Saves");
        Register(12, "e:\\OLD.TXT");
    });

    EXPECT_EQ(0, RunPolicy());

    const std::string batch = OnlyBatch('E');
    ASSERT_NE("", batch);
    ASSERT_EQ(batch, OnlyBatch('F'));
    EXPECT_EQ("", testsupport::ListingDifference(
                      testsupport::ExpectedWithHeld(before, {{"E:\\big.dat", "E:\\TrevandQuarantine\\" + batch + "\\big.dat"},
                                                             {"F:\\x.dat", "F:\\TrevandQuarantine\\" + batch + "\\x.dat"}}),
                      testsupport::WithoutDatabaseBytes(Listing())));
    const char kRegistered[] = u8"运行时已登记，未移动";
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"E:\\Games\\Old", kRegistered},
                                                     {"E:\\Saves\\Old", kRegistered},
                                                     {"E:\\big.dat", u8"已隔离"},
                                                     {"E:\\old.txt", kRegistered},
                                                     {"F:\\x.dat", u8"已隔离"}}),
              MovedPaths(ReportFile(Reports(), "_隔离.csv")));
    // Selected, moved, not moved, registered meanwhile: a package registered
    // meanwhile is no failure of the run, which is done.
    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(3u, summary.size());
    ASSERT_EQ(18u, summary[1].size());
    ASSERT_EQ(18u, summary[2].size());
    EXPECT_EQ(u8"完成", summary[1][4]);
    EXPECT_EQ((CsvLine{"4", "1", "0", "3"}), CsvLine(summary[1].begin() + 11, summary[1].begin() + 15));
    EXPECT_EQ((CsvLine{"1", "1", "0", "0"}), CsvLine(summary[2].begin() + 11, summary[2].begin() + 15));
}

TEST_F(RegisteredMeanwhile, RegistrationsThatCannotBeReadAgainMoveNothingAndEndWithFive) {
    const DiskListing before = Listing();
    // The management database is away when the run reads it again.
    const std::string away = m_cafe->HalvorDB() + ".away";
    WhileSizing([this, away] { EXPECT_TRUE(MoveFileA(m_cafe->HalvorDB().c_str(), away.c_str())); });

    const int code = RunPolicy();
    MoveFileA(away.c_str(), m_cafe->HalvorDB().c_str());

    EXPECT_EQ(5, code);
    EXPECT_EQ("", testsupport::ListingDifference(before, Listing()));
    const char kNotChecked[] = u8"未能重新读取登记，未移动";
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"E:\\Games\\Old", kNotChecked},
                                                     {"E:\\Saves\\Old", kNotChecked},
                                                     {"E:\\big.dat", kNotChecked},
                                                     {"E:\\old.txt", kNotChecked},
                                                     {"F:\\x.dat", kNotChecked}}),
              MovedPaths(ReportFile(Reports(), "_隔离.csv")));
    const std::vector<CsvLine> summary = ReadCsv(ReportFile(Reports(), "_汇总.csv"));
    ASSERT_EQ(3u, summary.size());
    ASSERT_EQ(18u, summary[1].size());
    for (size_t i = 1; i < summary.size(); ++i) EXPECT_EQ(u8"部分符合条件的项未能隔离，详见隔离报告和日志", summary[i][4]) << i;
    EXPECT_EQ((CsvLine{"4", "0", "4", "0"}), CsvLine(summary[1].begin() + 11, summary[1].begin() + 15));
}

}  // namespace
