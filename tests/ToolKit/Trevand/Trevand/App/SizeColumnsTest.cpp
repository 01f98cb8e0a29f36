// The size and modified-time columns, the folder sizes worked out in the
// background, and the totals beside the count line, on a café of known sizes.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "OperatorFixture.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/ListUI.h"
#include "support/ForeignName.h"

namespace apptest {
namespace {

using Strings = std::vector<std::string>;
using testsupport::CafeEntry;

TEST_F(OperatorView, RowsShowSizesAndTimesWithFoldersPendingUntilSized) {
    HoldSizerAt("");  // no folder size arrives while this test looks
    StartSized();
    ASSERT_TRUE(Reached());
    const struct {
        const char* path;
        const char* kind;
        const char* size;
        int64_t modified;
    } cases[] = {
        {kEmpty, "目录", "计算中…", kTimeEmpty},
        {kOld, "目录", "计算中…", kTimeOld},
        {kComma, "文件", "10 B", kTimeComma},
        {kBig, "文件", "5.0 GB", kTimeBig},  // past 4 GiB: no 32-bit size on the way
        {kOldVersion, "目录", "计算中…", kTimeOldVersion},
        {kNote, "文件", "1.5 KB", kTimeNote},
        {kTie, "文件", "1.5 KB", kTimeNote},
    };
    Strings paths;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        paths.push_back(c.path);
        EXPECT_EQ(c.kind, Cell(c.path, 2));
        EXPECT_EQ(c.size, Cell(c.path, 3));
        EXPECT_EQ(FormatModifiedTime(c.modified), Cell(c.path, 4));
        EXPECT_FALSE(Cell(c.path, 4).empty());
    }
    // The engine's order and the first three columns are as they always were.
    EXPECT_EQ(paths, Paths());
    EXPECT_EQ("a,b.txt", Cell(kComma, 0));
    EXPECT_EQ(kBigBytes, Main()->RowsForTests().Find(kBig)->nSize);
}

TEST_F(OperatorView, FolderSizesCountHiddenAndReadOnlyFilesButNoLink) {
    StartSized();
    ASSERT_TRUE(WaitForSizes());
    // Counted from the description: Old holds 1000 + 2500 + 300 (hidden) +
    // 200 (read-only) bytes; its link to a 4096-byte package adds nothing.
    ASSERT_EQ(4000u, DescribedBytes(m_desc, kOld));
    for (const char* folder : {kEmpty, kOld, kOldVersion}) {
        SCOPED_TRACE(folder);
        const ListRowInfo* entry = Main()->RowsForTests().Find(folder);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(DescribedBytes(m_desc, folder), entry->nSize);
        EXPECT_EQ(FormatSize(DescribedBytes(m_desc, folder)), Cell(folder, 3));
    }
}

TEST_F(OperatorView, TotalsFollowSizesTicksSelectAllAndRemovals) {
    HoldSizerAt("");  // files are known, no folder is
    StartSized();
    ASSERT_TRUE(Reached());
    const uint64_t files = 10 + kBigBytes + 1536 + 1536;
    const uint64_t all = files + 4000 + 700000;
    // The sums still miss folders: "+" says each is a lower bound.
    EXPECT_EQ("共 " + FormatSize(files) + "+，已选 0 B", TotalText());
    ClickTick(kNote);
    EXPECT_EQ("共 " + FormatSize(files) + "+，已选 " + FormatSize(1536), TotalText());
    ClickTick(kOld);
    ClickTick(kOldVersion);
    EXPECT_EQ("共 " + FormatSize(files) + "+，已选 " + FormatSize(1536) + "+", TotalText());

    Release();
    ASSERT_TRUE(WaitForSizes());
    EXPECT_EQ("共 " + FormatSize(all) + "，已选 " + FormatSize(4000 + 1536 + 700000), TotalText());
    ClickTick(kOld);  // cleared again
    EXPECT_EQ("共 " + FormatSize(all) + "，已选 " + FormatSize(1536 + 700000), TotalText());

    Click(Main(), "ChkSelectAll");
    EXPECT_EQ("共 " + FormatSize(all) + "，已选 " + FormatSize(all), TotalText());
    // Removals come in bursts during a deletion: the totals follow within 100 ms.
    Main()->OnDeleteListItem(kBig);
    const std::string afterRemoval = "共 " + FormatSize(all - kBigBytes) + "，已选 " + FormatSize(all - kBigBytes);
    EXPECT_TRUE(windowtest::PumpUntil([&] { return TotalText() == afterRemoval; }, 2000)) << TotalText();
    Click(Main(), "ChkSelectAll");
    EXPECT_EQ("共 " + FormatSize(all - kBigBytes) + "，已选 0 B", TotalText());
}

// A folder whose tree could not be read in full shows the bytes that could
// be read, marked with a "+" in its row and in every sum that covers it; a
// sort by size places it by that known part.
TEST_F(OperatorView, AFolderReadOnlyInPartShowsItsKnownSizeWithAPlusInItsRowAndTotals) {
    // "E:\Games\Deep": 300 bytes the sizer can read, and 9000 more in a
    // folder whose name code page 936 cannot hold: no path reaches it, so no
    // listing of it can start.
    const char kDeep[] = "E:\\Games\\Deep";
    m_desc = SizedCafe();
    m_desc.drives[0].entries.push_back(CafeEntry(CafeEntry::kFile, "Games\\Deep\\seen.dat").Size(300));
    Start(m_desc);
    ASSERT_FALSE(HasFatalFailure());
    const std::string foreign = testsupport::kForeignNameUtf8;
    ASSERT_TRUE(testsupport::ForeignNameIsForeign());
    ASSERT_TRUE(testsupport::MakeForeignEntry(kDeep, foreign, -1));
    ASSERT_TRUE(testsupport::MakeForeignEntry(kDeep, foreign + "/unseen.dat", 9000));
    Click(Role(), "SecondaryServerCheck");
    Click(Role(), "OkButton");
    ASSERT_TRUE(WaitForSizes());

    EXPECT_EQ("300 B+", Cell(kDeep, 3));
    EXPECT_EQ(FormatSize(4000), Cell(kOld, 3));  // read in full: no mark
    const uint64_t all = 10 + kBigBytes + 1536 + 1536 + 4000 + 700000 + 300;
    EXPECT_EQ("共 " + FormatSize(all) + "+，已选 0 B", TotalText());
    ClickTick(kOld);
    EXPECT_EQ("共 " + FormatSize(all) + "+，已选 " + FormatSize(4000), TotalText());
    ClickTick(kDeep);
    EXPECT_EQ("共 " + FormatSize(all) + "+，已选 " + FormatSize(4300) + "+", TotalText());

    // 0, 10, 300 known, 1536, 1536, 4000, 700000, over 4 GiB.
    ClickHeader(3);
    EXPECT_EQ((Strings{kEmpty, kComma, kDeep, kNote, kTie, kOld, kOldVersion, kBig}), Paths());
}

// A drive switch while the sizer is held: what the old run worked out must
// never land on a row, not even on the same path listed again after the
// folder changed.
TEST_F(OperatorView, SizesOfAnEarlierRunNeverLandAfterADriveSwitch) {
    // The sizer sends a finished batch once 100 ms have passed since the run
    // began; waiting that long before Old makes Empty and Old go out in one
    // batch before the hold at 旧版本.
    BeforeEachFolder([](const std::string& folder) {
        static std::chrono::steady_clock::time_point started;
        if (folder == kEmpty) started = std::chrono::steady_clock::now();
        if (folder == kOld) std::this_thread::sleep_until(started + std::chrono::milliseconds(150));
    });
    HoldSizerAt(kOldVersion);
    StartSized();
    ASSERT_TRUE(Reached());
    BeforeEachFolder(nullptr);
    // Empty changes after that run measured it.
    testsupport::WriteFileBytes(m_cafe->DriveFolder('E') + "\\Games\\Empty\\new.bin", std::string(777, 'x'));

    // E to F and back to E without handling a message in between: the old
    // run's batch is still waiting in the queue.
    auto* combo = static_cast<Vellum::CComboUI*>(MainControl("TrevandComBox")->GetInterface("Combo"));
    HoldSizerAt(kEmpty);
    combo->SelectItem(1, false);
    ASSERT_EQ("F:\\", combo->GetText().ToStdString());
    combo->SelectItem(0, false);
    ASSERT_EQ("E:\\", combo->GetText().ToStdString());
    ASSERT_TRUE(Reached());
    windowtest::PumpPending();
    EXPECT_EQ("计算中…", Cell(kEmpty, 3));
    EXPECT_EQ("计算中…", Cell(kOld, 3));
    EXPECT_EQ(nullptr, Main()->RowsForTests().Find(kStale));

    Release();
    ASSERT_TRUE(WaitForSizes());
    EXPECT_EQ("777 B", Cell(kEmpty, 3));
    EXPECT_EQ(FormatSize(4000), Cell(kOld, 3));
    SelectDrive("F:\\");
    ASSERT_TRUE(WaitForSizes());
    EXPECT_EQ(FormatSize(3000), Cell(kStale, 3));
}

}  // namespace
}  // namespace apptest
