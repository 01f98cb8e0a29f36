// The start-up upkeep of the quarantines (CQuarantineUpkeep) on real Wine
// drives: it purges what was kept KeepDays or longer and nothing younger,
// never reaches through a link, stops part way when asked with what is left
// still restorable, and settles what a crash left half-way.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "../WorkerHold.h"
#include "QuarantineFixture.h"
#include "QuarantineSteps.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineUpkeep.h"

using testsupport::DiskListing;
using testsupport::ListingDifference;
using testsupport::Without;

namespace quarantinetest {
namespace {

const int64_t kDay = 86400;
const std::string kIn = std::string("E:\\TrevandQuarantine\\") + kBatch + "\\";

class Upkeep : public Quarantine {
protected:
    void TearDown() override {
        deletiontest::WorkerHold::Disarm();
        Quarantine::TearDown();
    }

    // One whole run over drives E and F at kNow; what it handed over.
    static CQuarantineUpkeep::TResult RunOnce(int keepDays) { return RunAt(kNow, keepDays); }
    // The same with the clock at `now`.
    static CQuarantineUpkeep::TResult RunAt(int64_t now, int keepDays) {
        CQuarantineUpkeep upkeep;
        std::promise<CQuarantineUpkeep::TResult> done;
        std::future<CQuarantineUpkeep::TResult> result = done.get_future();
        EXPECT_TRUE(upkeep.Start({'E', 'F'}, keepDays, now,
                                 [&done](const CQuarantineUpkeep::TResult& r) { done.set_value(r); }));
        if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the upkeep did not finish";
            upkeep.Stop();
            return {};
        }
        upkeep.Stop();
        EXPECT_FALSE(upkeep.IsRunning());
        return result.get();
    }
};

TEST_F(Upkeep, KeepDaysZeroPurgesEveryHeldEntryOnEveryDiskButLeavesLinks) {
    const DiskListing before = Listing();
    // Moved in a moment ago: with KeepDays 0 nothing is kept back.
    const std::vector<TQuarantineRecord> records = {PutIn("E:\\Games\\Old", kNow), PutIn("E:\\r1.txt", kNow),
                                                    PutIn("E:\\Linked", kNow), PutIn("F:\\f.txt", kNow)};
    const DiskListing held = Listing();

    const CQuarantineUpkeep::TResult result = RunOnce(0);

    EXPECT_EQ(3u, result.tally.nDeleted);
    EXPECT_EQ(1u, result.tally.nLeft);  // the folder holding the links
    EXPECT_EQ(0u, result.tally.nNotReached);
    EXPECT_EQ(0, result.nSettled);
    // Old: 70003 (pal.exe) + 6 files of 4 + 3 (誠.txt); r1.txt 2;
    // Linked\own.txt 4; f.txt 4.
    EXPECT_EQ(70040u, result.tally.nFreedBytes);

    // What is left of the folder with links is held, with the plain folders
    // above it; the other disk's quarantine, emptied, is gone altogether.
    std::vector<std::string> stored;
    for (const TQuarantineRecord& record : records) stored.push_back(record.strStoredPath);
    DiskListing expected = Without(testsupport::WithoutDeleted(held, stored), {kIn + "Games", "F:\\TrevandQuarantine"});
    EXPECT_EQ("", ListingDifference(expected, Listing()));
    const std::vector<TQuarantineRecord> left = HeldOn('E');
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ("E:\\Linked", left[0].strOriginalPath);
    EXPECT_TRUE(HeldOn('F').empty());

    std::vector<std::string> purged;
    for (const std::string& line : QuarantineLines())
        if (line.find("彻底删除隔离项") != std::string::npos) purged.push_back(line);
    std::vector<std::string> expectedPurged;
    for (const TQuarantineRecord& record : {records[0], records[1], records[3]}) {
        expectedPurged.push_back("[Info]|Trevand  彻底删除隔离项" + record.strStoredPath + "（原位置" +
                                 record.strOriginalPath + "）");
    }
    EXPECT_EQ(expectedPurged, purged);

    EXPECT_TRUE(left[0].bOnlyLinks);
    EXPECT_TRUE(left[0].bIncomplete) << "its plain file went: a restore brings back only the links";

    // Links only: the next start does not try again, nor count it again.
    const size_t lines = QuarantineLines().size();
    const CQuarantineUpkeep::TResult again = RunOnce(0);
    EXPECT_EQ(0u, again.tally.nDeleted + again.tally.nLeft + again.tally.nNotReached);
    EXPECT_EQ(lines, QuarantineLines().size());
    EXPECT_EQ("", ListingDifference(expected, Listing()));

    // It comes back with its links, which still point where they did.
    EXPECT_EQ(1u, RestoreAllHeld('E'));
    EXPECT_EQ("", ListingDifference(
                      testsupport::WithoutDeleted(before, {"E:\\Games\\Old", "E:\\r1.txt", "E:\\Linked", "F:\\f.txt"}),
                      Listing()));
}

TEST_F(Upkeep, EntriesYoungerThanKeepDaysStay) {
    const struct {
        const char* entry;
        int64_t quarantined;
        bool purged;
    } cases[] = {
        // Moved as time went: a move dated before one made earlier is one
        // under a clock set back, whose time the disk does not believe.
        {"E:\\r3.txt", kNow - 30 * kDay, true},
        {"E:\\r1.txt", kNow - 7 * kDay, true},       // exactly seven days
        {"E:\\r2.txt", kNow - 7 * kDay + 1, false},  // a second short of it
        {"E:\\r4.txt", kNow - 1, false},
        {"E:\\r5.txt", kNow + kDay, false},  // the clock was set back since
        {"F:\\f.txt", kNow - 8 * kDay, true},
    };
    std::vector<std::string> purged;
    std::vector<std::string> kept;
    for (const auto& c : cases) {
        const TQuarantineRecord record = PutIn(c.entry, c.quarantined);
        (c.purged ? purged : kept).push_back(c.purged ? record.strStoredPath : record.strOriginalPath);
    }
    const DiskListing held = Listing();

    const CQuarantineUpkeep::TResult result = RunOnce(7);

    EXPECT_EQ(3u, result.tally.nDeleted);
    EXPECT_EQ(0u, result.tally.nLeft);
    EXPECT_TRUE(result.clockRefused.empty());
    purged.push_back("F:\\TrevandQuarantine");  // emptied, it goes
    EXPECT_EQ("", ListingDifference(Without(held, purged), Listing()));
    std::vector<std::string> stillHeld;
    for (const TQuarantineRecord& record : HeldOn('E')) stillHeld.push_back(record.strOriginalPath);
    EXPECT_EQ(kept, stillHeld);
}

TEST_F(Upkeep, StopWhileItDeletesATreeEndsAfterTheFileInHandAndWhatIsLeftStaysRestorable) {
    const DiskListing before = Listing();
    const TQuarantineRecord bulk = PutIn("E:\\Bulk", kNow - 30 * kDay);
    const DiskListing inQuarantine = Listing();
    // Held at its first file deletion, wherever that is in the tree.
    deletiontest::WorkerHold::Arm(kIn + "Bulk\\");
    std::atomic<bool> handedOver{false};
    CQuarantineUpkeep upkeep;
    ASSERT_TRUE(upkeep.Start({'E'}, 7, kNow, [&](const CQuarantineUpkeep::TResult&) { handedOver = true; }));
    ASSERT_TRUE(deletiontest::WorkerHold::WaitEntered(0, 10000));

    // The held deletion goes on only once the stop has been asked for: the
    // upkeep must see it before the tree's next entry.
    std::thread releaser([&upkeep] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!upkeep.IsStoppingForTests() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        deletiontest::WorkerHold::Release();
    });
    upkeep.Stop();
    releaser.join();
    EXPECT_FALSE(upkeep.IsRunning());
    EXPECT_FALSE(handedOver);

    // One file went, the one held; everything else of the tree is held again.
    const DiskListing stopped = Listing();
    const std::vector<std::string> gone = EntriesGone(inQuarantine, stopped);
    ASSERT_EQ(1u, gone.size());
    EXPECT_TRUE(testsupport::IsAtOrBelow(gone[0], bulk.strStoredPath));
    EXPECT_EQ(0u, inQuarantine.at(gone[0]).attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ("", ListingDifference(Without(inQuarantine, gone), stopped));
    const std::vector<TQuarantineRecord> held = HeldOn('E');
    ASSERT_EQ(1u, held.size());
    EXPECT_EQ(bulk.nId, held[0].nId);
    EXPECT_TRUE(held[0].bIncomplete) << "part of it is gone: it must not pass for what was moved";
    ASSERT_FALSE(QuarantineLines().empty());
    EXPECT_EQ("[Warning]|Trevand  隔离区清理已停止：已取消：已删除 0 项，释放 100 B；1 项未删除",
              QuarantineLines().back());

    EXPECT_EQ(1u, RestoreAllHeld('E'));
    const std::string original = "E:\\Bulk" + gone[0].substr(bulk.strStoredPath.size());
    EXPECT_EQ("", ListingDifference(Without(before, {original}), Listing()));
}

TEST_F(Upkeep, ARunAfterACrashSettlesEveryEntryIntoItsPlaceOrTheQuarantine) {
    using Step = CQuarantineDisk::CrashStep;
    const DiskListing before = Listing();
    const struct {
        const char* entry;
        bool restoring;  // else moving in
        Step step;
        bool held;  // where it is once settled: held (restorable), else in its place
    } cases[] = {
        {"E:\\r1.txt", false, Step::kAfterRecord, false},
        {"E:\\r2.txt", false, Step::kAfterRename, true},
        {"E:\\r3.txt", true, Step::kAfterRecord, true},
        {"E:\\r4.txt", true, Step::kAfterRename, false},
    };
    for (const auto& c : cases) {
        // Each on an object dropped as a power cut drops the process.
        std::unique_ptr<CQuarantineDisk> disk = OpenE();
        TQuarantineRecord record;
        uint32_t error = 0;
        if (c.restoring) record = MoveIn(*disk, c.entry);
        CQuarantineDisk::SetCrashStepForTests(c.step);
        if (c.restoring) EXPECT_EQ(CQuarantineDisk::RestoreResult::kFailed, disk->Restore(record, &error)) << c.entry;
        else EXPECT_FALSE(disk->MoveIn(c.entry, false, 0, kBatch, kNow, &record, &error)) << c.entry;
        CQuarantineDisk::SetCrashStepForTests(Step::kNone);
    }

    const CQuarantineUpkeep::TResult result = RunOnce(7);

    EXPECT_EQ(4, result.nSettled);
    EXPECT_EQ(0u, result.tally.nDeleted + result.tally.nLeft + result.tally.nNotReached);
    const std::vector<TQuarantineRecord> held = HeldOn('E');
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        int records = 0;
        for (const TQuarantineRecord& record : held) records += record.strOriginalPath == c.entry;
        EXPECT_EQ(c.held ? 1 : 0, records);
        EXPECT_NE(c.held, testsupport::FileExists(c.entry));
    }
    EXPECT_EQ(2u, RestoreAllHeld('E'));
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

// Three entries moved a minute before a start whose clock a bad time sync
// put three years ahead: nothing goes, at that start nor at the next ones,
// until the clock has itself run on KeepDays from where it was first seen.
TEST_F(Upkeep, AClockFarAheadPurgesNothingUntilItHasRunOnKeepDays) {
    const int64_t kYear = 365 * kDay;
    const std::vector<TQuarantineRecord> records = {PutIn("E:\\r1.txt", kNow - 60), PutIn("E:\\r2.txt", kNow - 60),
                                                    PutIn("F:\\f.txt", kNow - 60)};
    const DiskListing held = Listing();
    const int64_t ahead = kNow + 3 * kYear;
    for (const int64_t now : {ahead, ahead + kDay, ahead + 7 * kDay - 1}) {
        const CQuarantineUpkeep::TResult result = RunAt(now, 7);
        EXPECT_EQ(0u, result.tally.nDeleted + result.tally.nLeft);
        ASSERT_EQ(2u, result.clockRefused.size());
        EXPECT_EQ('E', result.clockRefused[0].chDrive);
        EXPECT_EQ(kNow - 60, result.clockRefused[0].nSeen);
        EXPECT_EQ('F', result.clockRefused[1].chDrive);
        EXPECT_EQ("", ListingDifference(held, Listing()));
    }
    const std::vector<std::string> lines = QuarantineLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(std::string::npos, lines.back().find("相差过大，本次未清理其中过期的隔离项")) << lines.back();

    const CQuarantineUpkeep::TResult believed = RunAt(ahead + 7 * kDay, 7);
    EXPECT_TRUE(believed.clockRefused.empty());
    EXPECT_EQ(3u, believed.tally.nDeleted);
    std::vector<std::string> stored;
    for (const TQuarantineRecord& record : records) stored.push_back(record.strStoredPath);
    // Emptied, both quarantines go.
    stored.push_back("E:\\TrevandQuarantine");
    stored.push_back("F:\\TrevandQuarantine");
    EXPECT_EQ("", ListingDifference(Without(held, stored), Listing()));
}

// A server booted with a dead battery moves an entry dated 25 years back;
// its time sync then puts the clock right. The entry is aged from that first
// start with a believable clock, never from its wrong date.
TEST_F(Upkeep, AnEntryMovedWhileTheClockWasBehindIsAgedFromTheFirstTrustedStart) {
    const TQuarantineRecord sure = PutIn("E:\\r1.txt", kNow);
    const TQuarantineRecord behind = PutIn("E:\\r2.txt", kNow - 25 * 365 * kDay);
    EXPECT_TRUE(behind.bTimeUnsure);
    EXPECT_FALSE(sure.bTimeUnsure);

    const CQuarantineUpkeep::TResult corrected = RunAt(kNow + 3600, 7);
    EXPECT_EQ(0u, corrected.tally.nDeleted + corrected.tally.nLeft);
    EXPECT_TRUE(corrected.clockRefused.empty());
    const std::vector<TQuarantineRecord> stamped = HeldOn('E');
    ASSERT_EQ(2u, stamped.size());
    EXPECT_EQ(behind.nId, stamped[1].nId);
    EXPECT_EQ(kNow + 3600, stamped[1].nQuarantined);
    EXPECT_FALSE(stamped[1].bTimeUnsure);

    const DiskListing held = Listing();
    const CQuarantineUpkeep::TResult week = RunAt(kNow + 7 * kDay, 7);
    EXPECT_EQ(1u, week.tally.nDeleted);
    EXPECT_EQ("", ListingDifference(Without(held, {sure.strStoredPath}), Listing()));
    const std::vector<TQuarantineRecord> left = HeldOn('E');
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ(behind.nId, left[0].nId);
}

// An entry moved while the clock was two years ahead is dated in the future
// once the clock is right again: it expires KeepDays after the first start
// that sees it so, instead of never.
TEST_F(Upkeep, AnEntryDatedInTheFutureExpiresKeepDaysAfterTheClockIsRight) {
    const TQuarantineRecord earlier = PutIn("E:\\r1.txt", kNow - kDay);
    const TQuarantineRecord future = PutIn("E:\\r2.txt", kNow + 2 * 365 * kDay);
    EXPECT_TRUE(future.bTimeUnsure);
    EXPECT_EQ(0u, RunAt(kNow, 7).tally.nDeleted);
    const CQuarantineUpkeep::TResult week = RunAt(kNow + 6 * kDay, 7);
    EXPECT_EQ(1u, week.tally.nDeleted);  // the earlier one, seven days old
    const DiskListing held = Listing();
    EXPECT_EQ(0u, RunAt(kNow + 7 * kDay - 1, 7).tally.nDeleted);
    EXPECT_EQ(1u, RunAt(kNow + 7 * kDay, 7).tally.nDeleted);
    EXPECT_EQ("", ListingDifference(Without(held, {future.strStoredPath, "E:\\TrevandQuarantine"}), Listing()));
    EXPECT_TRUE(HeldOn('E').empty());
}

}  // namespace
}  // namespace quarantinetest
