// A crash between a record and its rename, at every step of moving,
// restoring and purging: after Reconcile at the next start every entry is in
// its original place or restorable, and the records say which.
#include <windows.h>

#include <functional>

#include "QuarantineFixture.h"

using testsupport::DiskListing;
using testsupport::ListingDifference;
using testsupport::Without;
using Step = CQuarantineDisk::CrashStep;

namespace quarantinetest {
namespace {

// Where a case leaves its entry once reconciled.
enum class Outcome {
    kInPlace,    // back or never gone: no record
    kHeld,       // held and restorable
    kHeldTaken,  // held, while something new took its original place
    kGone,       // purged, or deleted by someone else: no record
};

struct Case {
    const char* name;
    const char* entry;
    // What happened before the crash, on the disk's own object.
    std::function<void(CQuarantineDisk& disk, const std::string& entry)> act;
    const char* logLine;  // Reconcile's line for the entry
    Outcome outcome;
};

void CrashMovingIn(CQuarantineDisk& disk, const std::string& entry, Step step) {
    CQuarantineDisk::SetCrashStepForTests(step);
    TQuarantineRecord record;
    uint32_t error = 0;
    EXPECT_FALSE(disk.MoveIn(entry, false, 0, kBatch, kNow, &record, &error));
    CQuarantineDisk::SetCrashStepForTests(Step::kNone);
}

TQuarantineRecord MovedIn(CQuarantineDisk& disk, const std::string& entry) {
    TQuarantineRecord record;
    uint32_t error = 0;
    EXPECT_TRUE(disk.MoveIn(entry, false, 0, kBatch, kNow, &record, &error)) << error;
    return record;
}

void CrashRestoring(CQuarantineDisk& disk, const std::string& entry, Step step) {
    const TQuarantineRecord record = MovedIn(disk, entry);
    CQuarantineDisk::SetCrashStepForTests(step);
    uint32_t error = 0;
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kFailed, disk.Restore(record, &error));
    CQuarantineDisk::SetCrashStepForTests(Step::kNone);
}

void CrashPurging(CQuarantineDisk& disk, const std::string& entry, bool deleted) {
    const TQuarantineRecord record = MovedIn(disk, entry);
    ASSERT_TRUE(disk.BeginPurge(record.nId));
    if (deleted) {
        ASSERT_TRUE(::DeleteFileA(record.strStoredPath.c_str()));
    }
}

TEST_F(Quarantine, ReconcileSettlesEveryCrashSoNothingIsLost) {
    const Case cases[] = {
        {"moving, crash after the record", "E:\\r1.txt",
         [](CQuarantineDisk& disk, const std::string& entry) { CrashMovingIn(disk, entry, Step::kAfterRecord); },
         "[Warning]|Trevand  隔离区核对：E:\\r1.txt 未曾移动", Outcome::kInPlace},
        {"moving, crash after the rename", "E:\\r2.txt",
         [](CQuarantineDisk& disk, const std::string& entry) { CrashMovingIn(disk, entry, Step::kAfterRename); },
         "[Warning]|Trevand  隔离区核对：E:\\r2.txt 仍在隔离区", Outcome::kHeld},
        {"moving, crash after the rename, a new entry in the old place", "E:\\r3.txt",
         [](CQuarantineDisk& disk, const std::string& entry) {
             CrashMovingIn(disk, entry, Step::kAfterRename);
             testsupport::WriteFileBytes(entry, "a new r3");
         },
         "[Warning]|Trevand  隔离区核对：E:\\r3.txt 仍在隔离区", Outcome::kHeldTaken},
        {"moving, crash after the record, then deleted by someone", "E:\\r4.txt",
         [](CQuarantineDisk& disk, const std::string& entry) {
             CrashMovingIn(disk, entry, Step::kAfterRecord);
             ASSERT_TRUE(::DeleteFileA(entry.c_str()));
         },
         "[Warning]|Trevand  隔离区核对：E:\\r4.txt 未曾移动", Outcome::kGone},
        {"restoring, crash after the record", "E:\\r5.txt",
         [](CQuarantineDisk& disk, const std::string& entry) { CrashRestoring(disk, entry, Step::kAfterRecord); },
         "[Warning]|Trevand  隔离区核对：E:\\r5.txt 仍在隔离区", Outcome::kHeld},
        {"restoring, crash after the rename", "E:\\r6.txt",
         [](CQuarantineDisk& disk, const std::string& entry) { CrashRestoring(disk, entry, Step::kAfterRename); },
         "[Warning]|Trevand  隔离区核对：E:\\r6.txt 已还原", Outcome::kInPlace},
        {"restoring, crash after the record, a new entry in the old place", "E:\\r7.txt",
         [](CQuarantineDisk& disk, const std::string& entry) {
             CrashRestoring(disk, entry, Step::kAfterRecord);
             testsupport::WriteFileBytes(entry, "a new r7");
         },
         "[Warning]|Trevand  隔离区核对：E:\\r7.txt 仍在隔离区", Outcome::kHeldTaken},
        {"purging, the stored entry deleted", "E:\\r8.txt",
         [](CQuarantineDisk& disk, const std::string& entry) { CrashPurging(disk, entry, true); },
         "[Warning]|Trevand  隔离区核对：E:\\r8.txt 已清除", Outcome::kGone},
        {"purging, the stored entry still there", "E:\\r9.txt",
         [](CQuarantineDisk& disk, const std::string& entry) { CrashPurging(disk, entry, false); },
         "[Warning]|Trevand  隔离区核对：E:\\r9.txt 仍在隔离区", Outcome::kHeld},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string entry = c.entry;
        const DiskListing before = Listing();
        {
            // The object is dropped as a power cut would drop the process.
            std::unique_ptr<CQuarantineDisk> crashed = OpenE();
            c.act(*crashed, entry);
        }
        const DiskListing crashed = Listing();
        testsupport::LogCapture log;
        std::unique_ptr<CQuarantineDisk> disk = OpenE(false);
        EXPECT_EQ(1, disk->Reconcile());
        std::vector<std::string> lines;
        for (const std::string& line : log.Lines())
            if (line.find("|Trevand  ") != std::string::npos) lines.push_back(line);
        EXPECT_EQ(std::vector<std::string>{c.logLine}, lines);
        // Settling changes records (and tidies the quarantine's folders),
        // no entry.
        EXPECT_EQ("", ListingDifference(Without(crashed, {kFolder}), Without(Listing(), {kFolder})));
        EXPECT_EQ(0, disk->Reconcile());

        const std::vector<TQuarantineRecord> held = disk->Records();
        const bool isHeld = c.outcome == Outcome::kHeld || c.outcome == Outcome::kHeldTaken;
        ASSERT_EQ(isHeld ? 1u : 0u, held.size());
        uint32_t error = 0;
        switch (c.outcome) {
        case Outcome::kInPlace: break;
        case Outcome::kGone: EXPECT_FALSE(testsupport::FileExists(entry)); break;
        case Outcome::kHeldTaken:
            EXPECT_EQ(CQuarantineDisk::RestoreResult::kPlaceTaken, disk->Restore(held[0], &error));
            ASSERT_TRUE(::DeleteFileA(entry.c_str()));
            // Once the place is free it comes back.
            [[fallthrough]];
        case Outcome::kHeld:
            EXPECT_EQ(entry, held[0].strOriginalPath);
            EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, disk->Restore(held[0], &error)) << error;
            break;
        }
        disk->RemoveEmptyFolders();
        EXPECT_FALSE(disk->Exists());
        // Everything not gone for good is as it was.
        DiskListing expected = before;
        if (c.outcome == Outcome::kGone) expected.erase(entry);
        EXPECT_EQ("", ListingDifference(expected, Listing()));
    }
}

}  // namespace
}  // namespace quarantinetest
