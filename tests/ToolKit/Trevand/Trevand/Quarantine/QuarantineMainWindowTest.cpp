// The main window's end of the quarantine, driven by clicks on a real café:
// "隔离" asks first (how many, how much, that they can be restored, when they
// go for good), then moves the ticked entries and their rows leave; "隔离"
// and "删除" are off while the list is stale; "隔离" and "隔离区" are off
// while the start-up upkeep works, whose result shows under the list.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <ctime>
#include <thread>

#include "../WorkerHold.h"
#include "QuarantineFixture.h"
#include "QuarantineWindowFixture.h"
#include "../../../../UI/Window/RenderTestSupport.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineUpkeep.h"

using testsupport::DiskListing;

namespace quarantinetest {
namespace {

const char kQuestion[] =
    "将所选的 3 项（共 41.5 MB）移入所在磁盘的隔离区。\n可在“隔离区”中还原；3 天后将被彻底删除。确定隔离吗？";
const int64_t kDay = 86400;

TEST_F(QuarantineWindow, QuarantineAsksFirstThenMovesTheTickedEntriesAndTheirRowsLeave) {
    SetKeepDays(3);
    EXPECT_EQ("", LastRunLine());  // the upkeep found nothing to say
    // A file, a loose file and a tree of 1.5 MiB and 40 MiB.
    const std::vector<std::string> ticked = {"E:\\a.txt", "E:\\sum-loose.dat", "E:\\SumBig"};
    for (const std::string& path : ticked) Tick(path);
    const size_t rows = Main()->RowsForTests().Size();
    const DiskListing before = ContentListing();

    std::string question;
    RunWithSteps(
        [this] {
            ClickIn(Main(), "BtnQuarantine");
            windowtest::PumpPending();
        },
        {AnswerNo(&question)});
    EXPECT_EQ(kQuestion, question);
    EXPECT_EQ("", testsupport::ListingDifference(before, ContentListing()));
    EXPECT_EQ(3, Main()->RowsForTests().CountChecked());

    question.clear();
    RunDeletionWindow(
        [this] {
            ClickIn(Main(), "BtnQuarantine");
            windowtest::PumpPending();
        },
        {AnswerYes(&question), WaitFinishedThenClose("隔离完成！")});
    EXPECT_EQ(kQuestion, question);

    // Each recorded with the size its row showed, in one batch named after now.
    const std::map<std::string, std::pair<bool, uint64_t>> expected = {
        {"E:\\a.txt", {false, 1}}, {"E:\\sum-loose.dat", {false, 1572864}}, {"E:\\SumBig", {true, 41943040}}};
    const std::vector<TQuarantineRecord> held = HeldOn('E');
    ASSERT_EQ(3u, held.size());
    std::vector<Move> moves;
    for (const TQuarantineRecord& record : held) {
        SCOPED_TRACE(record.strOriginalPath);
        ASSERT_TRUE(expected.count(record.strOriginalPath));
        EXPECT_EQ(expected.at(record.strOriginalPath).first, record.bDir);
        EXPECT_EQ(expected.at(record.strOriginalPath).second, record.nSize);
        EXPECT_EQ(held[0].strBatch, record.strBatch);
        moves.push_back({record.strOriginalPath, record.strStoredPath});
    }
    EXPECT_EQ(15u, held[0].strBatch.size());
    EXPECT_EQ("", DifferenceAfterMoves(before, ContentListing(), moves));

    for (const std::string& path : ticked) EXPECT_FALSE(HasRow(path)) << path;
    EXPECT_EQ(rows - 3, Main()->RowsForTests().Size());
    EXPECT_EQ("上次隔离：已隔离 3 项，共 41.5 MB（彻底删除后才释放空间）", LastRunLine());
    EXPECT_TRUE(Enabled("BtnQuarantine"));
    EXPECT_TRUE(Enabled("BtnRemove"));
}

TEST_F(QuarantineWindow, QuarantineAndRemoveAreOffWhileTheLastLoadFailed) {
    Tick("E:\\a.txt");
    const std::string db = m_cafe->HalvorDB();
    ASSERT_TRUE(::MoveFileA(db.c_str(), (db + ".away").c_str()));
    ClickIn(Main(), "BtnFlush");
    windowtest::PumpPending();
    ASSERT_TRUE(Main()->LastLoadFailedForTests());
    EXPECT_FALSE(Enabled("BtnQuarantine"));
    EXPECT_FALSE(Enabled("BtnRemove"));
    // The quarantine's own records do not come from the scan.
    EXPECT_TRUE(Enabled("BtnQuarantineList"));

    // A click on it asks nothing and moves nothing (a question would be a
    // step this run does not expect).
    const DiskListing before = ContentListing();
    RunWithSteps(
        [this] {
            ClickIn(Main(), "BtnQuarantine");
            windowtest::PumpPending();
        },
        {});
    EXPECT_EQ("", testsupport::ListingDifference(before, ContentListing()));
    EXPECT_TRUE(HasRow("E:\\a.txt"));

    ASSERT_TRUE(::MoveFileA((db + ".away").c_str(), db.c_str()));
    ClickIn(Main(), "BtnFlush");
    windowtest::PumpPending();
    ASSERT_FALSE(Main()->LastLoadFailedForTests());
    EXPECT_TRUE(Enabled("BtnQuarantine"));
    EXPECT_TRUE(Enabled("BtnRemove"));
}

// The quarantine of E holds an entry kept 30 days and one of today when the
// main window starts; the upkeep is held at the first file it deletes.
class UpkeepAtStart : public QuarantineWindow {
protected:
    UpkeepAtStart() { m_bWaitForUpkeep = false; }

    void BeforeMainWindow() override {
        QuarantineWindow::BeforeMainWindow();
        SetKeepDays(7);
        const int64_t now = static_cast<int64_t>(std::time(nullptr));
        m_before = ContentListing();
        m_expired = PutIn("E:\\SumPart", now - 30 * kDay);  // two files of 4 MiB
        m_young = PutIn("E:\\a.txt", now);
        m_held = ContentListing();
        deletiontest::WorkerHold::Arm(m_expired.strStoredPath + "\\");
    }

    TQuarantineRecord m_expired;
    TQuarantineRecord m_young;
    DiskListing m_before;
    DiskListing m_held;
};

TEST_F(UpkeepAtStart, QuarantineButtonsAreOffUntilItIsOverAndTheLineSaysWhatItPurged) {
    ASSERT_TRUE(deletiontest::WorkerHold::WaitEntered(0, 10000));
    windowtest::PumpPending();
    EXPECT_FALSE(Enabled("BtnQuarantine"));
    EXPECT_FALSE(Enabled("BtnQuarantineList"));
    EXPECT_TRUE(Enabled("BtnRemove"));
    EXPECT_EQ("正在清理隔离区中过期的项目…", LastRunLine());
    // Clicks on them open nothing meanwhile (a question or a window would
    // be a step these runs do not expect).
    Tick("E:\\b.txt");
    for (const char* button : {"BtnQuarantine", "BtnQuarantineList"}) {
        SCOPED_TRACE(button);
        RunWithSteps(
            [this, button] {
                ClickIn(Main(), button);
                windowtest::PumpPending();
            },
            {});
    }

    deletiontest::WorkerHold::Release();
    ASSERT_TRUE(windowtest::PumpUntil([this] { return UpkeepOver(); }, 10000));
    EXPECT_TRUE(Enabled("BtnQuarantine"));
    EXPECT_EQ("隔离区过期清理：已删除 1 项，释放 8.0 MB", LastRunLine());
    const std::vector<TQuarantineRecord> held = HeldOn('E');
    ASSERT_EQ(1u, held.size());
    EXPECT_EQ(m_young.nId, held[0].nId);
    // The expired entry went for good, and nothing else.
    EXPECT_EQ(
        "", testsupport::ListingDifference(testsupport::Without(m_held, {m_expired.strStoredPath}), ContentListing()));
}

// What a start does when the program is told to end from outside while the
// upkeep is deleting a tree: as at any end, the main window goes, which
// stops the upkeep after the file in hand; what is left stays held, marked
// incomplete, and comes back whole but for that file.
TEST_F(UpkeepAtStart, EndedFromOutsideWhileItPurgesWhatIsLeftStaysHeldAndRestorable) {
    ASSERT_TRUE(deletiontest::WorkerHold::WaitEntered(0, 10000));
    RunWithSteps([this] { ::PostMessageA(Main()->GetHWND(), WM_CLOSE, 0, 0); windowtest::PumpPending(); }, {});
    EXPECT_TRUE(QuitAfterRun());
    // The held deletion goes on once the stop has been asked for.
    const CQuarantineUpkeep* upkeep = &Main()->UpkeepForTests();
    std::thread releaser([upkeep] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!upkeep->IsStoppingForTests() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        deletiontest::WorkerHold::Release();
    });
    // As the entry point does once its message loop has ended.
    CTrevandWnd::ReleaseInstance();
    releaser.join();

    const DiskListing stopped = ContentListing();
    const std::vector<std::string> gone = EntriesGone(m_held, stopped);
    ASSERT_EQ(1u, gone.size()) << "the file in hand, and nothing else";
    EXPECT_TRUE(testsupport::IsAtOrBelow(gone[0], m_expired.strStoredPath));
    const std::vector<TQuarantineRecord> held = HeldOn('E');
    ASSERT_EQ(2u, held.size());
    EXPECT_EQ(m_expired.nId, held[0].nId);
    EXPECT_TRUE(held[0].bIncomplete);
    EXPECT_EQ(2u, RestoreAllHeld('E'));
    EXPECT_EQ("", testsupport::ListingDifference(
                      testsupport::Without(m_before, {"E:\\SumPart" + gone[0].substr(m_expired.strStoredPath.size())}),
                      ContentListing()));
}

// E's quarantine was last used three years before this start (its latest
// record is that old), and its last move was cut short after the rename:
// the start settles that one, purges nothing, and says both.
class UpkeepSeesTheDisks : public QuarantineWindow {
protected:
    void BeforeMainWindow() override {
        QuarantineWindow::BeforeMainWindow();
        SetKeepDays(7);
        m_nLongAgo = static_cast<int64_t>(std::time(nullptr)) - 3 * 365 * kDay;
        PutIn("E:\\SumPart", m_nLongAgo);
        CQuarantineDisk disk('E');
        uint32_t error = 0;
        ASSERT_TRUE(disk.Open(false, &error)) << error;
        TQuarantineRecord record;
        CQuarantineDisk::SetCrashStepForTests(CQuarantineDisk::CrashStep::kAfterRename);
        EXPECT_FALSE(disk.MoveIn("E:\\a.txt", false, 2, kBatch, std::time(nullptr), &record, &error));
        CQuarantineDisk::SetCrashStepForTests(CQuarantineDisk::CrashStep::kNone);
        m_held = ContentListing();
    }

    int64_t m_nLongAgo = 0;
    DiskListing m_held;
};

TEST_F(UpkeepSeesTheDisks, TheLineSaysWhatACrashLeftHeldAndWhyNothingWasPurged) {
    // To look at: the whole line fits under the list.
    EXPECT_TRUE(windowtest::SaveWindowPng(Main()->GetManager(),
                                          windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, "main-upkeep-notes.png")));
    EXPECT_EQ("隔离区：上次中断的隔离：E: 1 项已在 E:\\TrevandQuarantine；E: 盘隔离区最近的记录时间为 " +
                  FormatModifiedTime(m_nLongAgo) + "，与系统时间相差过大，未清理过期项，请核对系统时间",
              LastRunLine());
    EXPECT_EQ("", testsupport::ListingDifference(m_held, ContentListing()));
    const std::vector<TQuarantineRecord> held = HeldOn('E');
    ASSERT_EQ(2u, held.size());
    EXPECT_EQ("E:\\a.txt", held[1].strOriginalPath);
}

}  // namespace
}  // namespace quarantinetest
