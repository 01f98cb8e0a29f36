// Moving entries into a disk's quarantine and back: byte for byte, one log
// line each, never onto anything, never through a link, never off the disk.
#include <windows.h>

#include <algorithm>

#include "QuarantineFixture.h"
#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurgeStep.h"
#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/EntryMove.h"
#include "comm/platform/Folder.h"
#include "support/WineHost.h"

using testsupport::DiskListing;
using testsupport::ListingDifference;

namespace quarantinetest {
namespace {

const std::string kIn = std::string("E:\\TrevandQuarantine\\") + kBatch + "\\";

TEST_F(Quarantine, TreesAndFilesMoveInAndBackByteForByteWithOneLineEach) {
    const DiskListing before = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    EXPECT_EQ('E', disk->Drive());
    EXPECT_EQ("E:\\TrevandQuarantine", disk->Folder());
    EXPECT_TRUE(disk->Exists());

    // A tree (read-only, hidden and dotted files, a hidden and an empty
    // folder, GBK names, 誠 among them, a quote), a file named 誠, and a
    // file at the root; told apart by their sizes and times.
    TQuarantineRecord records[3];
    uint32_t error = 0;
    ASSERT_TRUE(disk->MoveIn("E:\\Games\\Old", true, 70123, kBatch, kNow, &records[0], &error)) << error;
    ASSERT_TRUE(disk->MoveIn("E:\\Games\\誠", false, 15, kBatch, kNow + 1, &records[1], &error)) << error;
    ASSERT_TRUE(disk->MoveIn("E:\\r1.txt", false, 2, kBatch, kNow + 2, &records[2], &error)) << error;
    const std::vector<Move> moves = {
        {"E:\\Games\\Old", kIn + "Games\\Old"}, {"E:\\Games\\誠", kIn + "Games\\誠"}, {"E:\\r1.txt", kIn + "r1.txt"}};
    EXPECT_EQ("", DifferenceAfterMoves(before, Listing(), moves));

    const std::vector<TQuarantineRecord> held = disk->Records();
    ASSERT_EQ(3u, held.size());
    for (size_t i = 0; i < held.size(); ++i) {
        SCOPED_TRACE(moves[i].original);
        EXPECT_EQ(records[i].nId, held[i].nId);
        EXPECT_EQ(kBatch, held[i].strBatch);
        EXPECT_EQ(moves[i].original, held[i].strOriginalPath);
        EXPECT_EQ(moves[i].stored, held[i].strStoredPath);
        EXPECT_EQ(kNow + static_cast<int64_t>(i), held[i].nQuarantined);
    }
    EXPECT_TRUE(held[0].bDir);
    EXPECT_FALSE(held[1].bDir);
    EXPECT_EQ(70123u, held[0].nSize);

    for (const TQuarantineRecord& record : held) {
        EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, disk->Restore(record, &error)) << record.strOriginalPath;
    }
    EXPECT_TRUE(disk->Records().empty());
    disk->RemoveEmptyFolders();
    EXPECT_FALSE(disk->IsOpen());
    EXPECT_FALSE(disk->Exists());
    EXPECT_EQ("", ListingDifference(before, Listing()));
    EXPECT_EQ((std::vector<std::string>{
                  "[Info]|Trevand  隔离E:\\Games\\Old -> " + kIn + "Games\\Old",
                  "[Info]|Trevand  隔离E:\\Games\\誠 -> " + kIn + "Games\\誠",
                  "[Info]|Trevand  隔离E:\\r1.txt -> " + kIn + "r1.txt",
                  "[Info]|Trevand  还原E:\\Games\\Old",
                  "[Info]|Trevand  还原E:\\Games\\誠",
                  "[Info]|Trevand  还原E:\\r1.txt",
              }),
              QuarantineLines());
}

TEST_F(Quarantine, RestoreOntoATakenPlaceMovesNothingAndKeepsTheRecord) {
    const DiskListing initial = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const TQuarantineRecord file = MoveIn(*disk, "E:\\r1.txt");
    const TQuarantineRecord tree = MoveIn(*disk, "E:\\Games\\Old");
    const TQuarantineRecord deep = MoveIn(*disk, "E:\\Deep\\Er\\x.txt");
    EXPECT_EQ("", DifferenceAfterMoves(initial, Listing(),
                                       {{"E:\\r1.txt", kIn + "r1.txt"},
                                        {"E:\\Games\\Old", kIn + "Games\\Old"},
                                        {"E:\\Deep\\Er\\x.txt", kIn + "Deep\\Er\\x.txt"}}));
    // New entries took the places: a file of another content, a folder in
    // another letter case, and a file where a folder above the entry was.
    testsupport::WriteFileBytes("E:\\r1.txt", "a newer r1");
    ASSERT_TRUE(::CreateDirectoryA("E:\\GAMES\\OLD", nullptr));
    ASSERT_TRUE(::RemoveDirectoryA("E:\\Deep\\Er"));
    ASSERT_TRUE(::RemoveDirectoryA("E:\\Deep"));
    testsupport::WriteFileBytes("E:\\Deep", "a file where a folder was");
    const DiskListing before = Listing();

    uint32_t error = 0;
    for (const TQuarantineRecord& record : {file, tree, deep}) {
        SCOPED_TRACE(record.strOriginalPath);
        EXPECT_EQ(CQuarantineDisk::RestoreResult::kPlaceTaken, disk->Restore(record, &error));
    }
    EXPECT_EQ("", ListingDifference(before, Listing()));
    EXPECT_EQ(3u, disk->Records().size());
    const std::vector<std::string> lines = QuarantineLines();
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ((std::vector<std::string>{"[Warning]|Trevand  未还原E:\\r1.txt（原位置已被占用）",
                                        "[Warning]|Trevand  未还原E:\\Games\\Old（原位置已被占用）",
                                        "[Warning]|Trevand  未还原E:\\Deep\\Er\\x.txt（原位置已被占用）"}),
              std::vector<std::string>(lines.begin() + 3, lines.end()));
}

TEST_F(Quarantine, RestoreMakesTheMissingFoldersAboveTheEntryAgain) {
    const DiskListing before = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const TQuarantineRecord deep = MoveIn(*disk, "E:\\Deep\\Er\\x.txt");
    ASSERT_TRUE(::RemoveDirectoryA("E:\\Deep\\Er"));
    ASSERT_TRUE(::RemoveDirectoryA("E:\\Deep"));
    uint32_t error = 0;
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, disk->Restore(deep, &error)) << error;
    disk->RemoveEmptyFolders();
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

TEST_F(Quarantine, AFolderHoldingLinksMovesWithThemAndALinkItselfIsLeftWhereWineWouldMoveItsTarget) {
    const DiskListing before = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const TQuarantineRecord linked = MoveIn(*disk, "E:\\Linked");
    const DiskListing moved = Listing();
    EXPECT_EQ("", DifferenceAfterMoves(before, moved, {{"E:\\Linked", kIn + "Linked"}}));
    EXPECT_TRUE(moved.at(kIn + "Linked\\to-folder").link);

    // Renaming these would move the outside folder or file into the disk.
    for (const char* link : {"E:\\ToFolder", "E:\\ToFile"}) {
        SCOPED_TRACE(link);
        uint32_t error = 0;
        TQuarantineRecord record;
        EXPECT_FALSE(disk->MoveIn(link, false, 0, kBatch, kNow, &record, &error));
        EXPECT_EQ(platform::kErrorStoppedOnLink, error);
    }
    EXPECT_EQ("", ListingDifference(moved, Listing()));
    ASSERT_EQ(1u, disk->Records().size());

    // An empty folder that is no record, and stray links to an empty folder
    // and to one holding an empty folder, outside, in the quarantine:
    // tidying removes the first and never reaches through the others (Wine
    // would remove the folders outside).
    ASSERT_TRUE(::CreateDirectoryA((kIn + "Leftover").c_str(), nullptr));
    const std::string batch = testsupport::UnixPathOf(kIn);
    ASSERT_TRUE(
        testsupport::RunUnixCommand({"ln", "-s", testsupport::UnixPathOf(Outside("empty")), batch + "/stray1"}));
    ASSERT_TRUE(
        testsupport::RunUnixCommand({"ln", "-s", testsupport::UnixPathOf(Outside("folder")), batch + "/stray2"}));
    DiskListing expected = moved;
    for (const char* stray : {"stray1", "stray2"}) expected[kIn + stray] = Listing().at(kIn + stray);
    disk->RemoveEmptyFolders();
    EXPECT_TRUE(disk->IsOpen());
    EXPECT_EQ("", ListingDifference(expected, Listing()));
    ASSERT_TRUE(testsupport::RunUnixCommand({"rm", batch + "/stray1", batch + "/stray2"}));

    uint32_t error = 0;
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, disk->Restore(linked, &error)) << error;
    disk->RemoveEmptyFolders();
    EXPECT_EQ("", ListingDifference(before, Listing()));
    EXPECT_EQ(
        (std::vector<std::string>{
            "[Info]|Trevand  隔离E:\\Linked -> " + kIn + "Linked", "[Error]|Trevand  未能隔离E:\\ToFolder（错误码681）",
            "[Error]|Trevand  未能隔离E:\\ToFile（错误码681）", "[Info]|Trevand  还原E:\\Linked"}),
        QuarantineLines());
}

TEST_F(Quarantine, AnEntryWithoutAPlaceOnThisDiskIsRefusedAndNothingMoves) {
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const DiskListing before = Listing();
    const struct {
        const char* original;
        uint32_t error;
    } cases[] = {
        // F shares E's Linux file system: Wine would rename it across.
        {"F:\\f.txt", platform::kErrorNotSameDevice},
        {"F:\\Games\\Stale", platform::kErrorNotSameDevice},
        {"E:\\", 161},
        {"E:\\TrevandQuarantine", 161},
        {"E:\\TrevandQuarantine\\Quarantine.db", 161},
        {"E:\\Games\\..\\r1.txt", 161},
        {"E:\\NoSuch.txt", ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.original);
        uint32_t error = 0;
        TQuarantineRecord record;
        EXPECT_FALSE(disk->MoveIn(c.original, false, 0, kBatch, kNow, &record, &error));
        EXPECT_EQ(c.error, error);
        EXPECT_EQ("", ListingDifference(before, Listing()));
    }
    EXPECT_TRUE(disk->Records().empty());
}

TEST_F(Quarantine, OpeningFailsWithACodeWhenTheFolderOrItsDatabaseCannotBeMade) {
    const DiskListing before = Listing();
    uint32_t error = 0;
    // Without `create` a disk without a quarantine is no failure.
    CQuarantineDisk disk('E');
    EXPECT_FALSE(disk.Exists());
    EXPECT_FALSE(disk.Open(false, &error));
    EXPECT_EQ(0u, error);
    EXPECT_EQ("", ListingDifference(before, Listing()));

    const struct {
        const char* name;
        void (*prepare)(const std::string& outside);
        uint32_t error;
    } cases[] = {
        {"a file in the folder's place",
         [](const std::string&) { testsupport::WriteFileBytes("E:\\TrevandQuarantine", "a file"); },
         platform::kErrorAlreadyExists},
        {"a folder in the database's place",
         [](const std::string&) {
             ::CreateDirectoryA("E:\\TrevandQuarantine", nullptr);
             ::CreateDirectoryA("E:\\TrevandQuarantine\\Quarantine.db", nullptr);
         },
         14},
        {"a database that is none",
         [](const std::string&) {
             ::CreateDirectoryA("E:\\TrevandQuarantine", nullptr);
             testsupport::WriteFileBytes("E:\\TrevandQuarantine\\Quarantine.db", std::string(4096, 'x'));
         },
         26},
        // Batches whose records are lost: a new database would never list,
        // restore or purge them, and tidying would take their folders.
        {"a folder of batches without its database",
         [](const std::string&) {
             ::CreateDirectoryA("E:\\TrevandQuarantine", nullptr);
             ::CreateDirectoryA("E:\\TrevandQuarantine\\20250101-030000", nullptr);
             testsupport::WriteFileBytes("E:\\TrevandQuarantine\\20250101-030000\\old.txt", "held");
         },
         kErrorDatabaseMissing},
        {"a link in the folder's place",
         [](const std::string& outside) {
             testsupport::RunUnixCommand({"ln", "-s", testsupport::UnixPathOf(outside + "\\empty"),
                                          testsupport::UnixPathOf("E:\\") + "/TrevandQuarantine"});
         },
         platform::kErrorStoppedOnLink},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare(m_outside->Path());
        const DiskListing prepared = Listing();
        CQuarantineDisk failing('E');
        error = 0;
        EXPECT_FALSE(failing.Open(true, &error));
        EXPECT_EQ(c.error, error);
        EXPECT_FALSE(failing.IsOpen());
        // Nothing can be moved in, and nothing is.
        TQuarantineRecord record;
        EXPECT_FALSE(failing.MoveIn("E:\\r1.txt", false, 0, kBatch, kNow, &record, &error));
        EXPECT_EQ("", ListingDifference(prepared, Listing()));
        testsupport::RunUnixCommand({"rm", "-rf", testsupport::UnixPathOf("E:\\") + "/TrevandQuarantine"});
    }
    // A folder without its database, opened without `create`.
    ASSERT_TRUE(::CreateDirectoryA("E:\\TrevandQuarantine", nullptr));
    EXPECT_FALSE(disk.Open(false, &error));
    EXPECT_EQ(static_cast<uint32_t>(ERROR_FILE_NOT_FOUND), error);
}

TEST_F(Quarantine, ARecordThatLeadsOutsideTheQuarantineIsNeverActedOn) {
    {
        std::unique_ptr<CQuarantineDisk> disk = OpenE();
        MoveIn(*disk, "E:\\r1.txt");
    }
    // Written by hand, or damaged: a held record whose stored path is a live
    // entry of the disk, and one half-way through a move.
    CSqliteConnect db;
    ASSERT_TRUE(db.Open("E:\\TrevandQuarantine\\Quarantine.db", false));
    int32_t ret = 0;
    ASSERT_TRUE(
        db.ExecCmd("INSERT INTO records (batch, original_path, stored_path, kind, size, quarantined, state) "
                   "VALUES ('20261211-093000', '\\Games\\WoW', '\\Games\\WoW', 'folder', 0, 1, 'held'), "
                   "('20261211-093000', '\\r2.txt', '\\Games\\..\\r2.txt', 'file', 0, 1, 'moving')",
                   ret));
    db.Close();
    const DiskListing before = Listing();

    std::unique_ptr<CQuarantineDisk> disk = OpenE(false);
    EXPECT_EQ(0, disk->Reconcile());
    const std::vector<TQuarantineRecord> held = disk->Records();
    ASSERT_EQ(1u, held.size());
    EXPECT_EQ("E:\\r1.txt", held[0].strOriginalPath);
    const int64_t forged = held[0].nId + 1;
    EXPECT_FALSE(disk->BeginPurge(forged));
    TQuarantineRecord record;
    record.nId = forged;
    uint32_t error = 0;
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kFailed, disk->Restore(record, &error));
    EXPECT_EQ(161u, error);
    disk->RemoveEmptyFolders();
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

TEST_F(Quarantine, APurgeDropsTheRecordOnlyWhenTheStoredEntryIsGone) {
    const DiskListing before = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const TQuarantineRecord gone = MoveIn(*disk, "E:\\r1.txt");
    const TQuarantineRecord kept = MoveIn(*disk, "E:\\Deep");
    EXPECT_FALSE(disk->BeginPurge(gone.nId + 1000));
    ASSERT_TRUE(disk->BeginPurge(gone.nId));
    ASSERT_TRUE(disk->BeginPurge(kept.nId));
    EXPECT_FALSE(disk->BeginPurge(gone.nId));  // purging already
    // Being purged: neither listed nor restorable.
    EXPECT_TRUE(disk->Records().empty());
    uint32_t error = 0;
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kFailed, disk->Restore(kept, &error));
    EXPECT_EQ(1168u, error);

    // The deletion takes one entry and only part of the other.
    ASSERT_TRUE(::DeleteFileA(gone.strStoredPath.c_str()));
    ASSERT_TRUE(::DeleteFileA((kept.strStoredPath + "\\Er\\x.txt").c_str()));
    const DiskListing deleted = Listing();
    disk->EndPurge(gone.nId);
    disk->EndPurge(kept.nId);
    const std::vector<TQuarantineRecord> held = disk->Records();
    ASSERT_EQ(1u, held.size());
    EXPECT_EQ(kept.nId, held[0].nId);
    // What is left of the other is still held, as it was.
    EXPECT_EQ("", ListingDifference(deleted, Listing()));

    ASSERT_TRUE(disk->BeginPurge(kept.nId));
    ASSERT_TRUE(::RemoveDirectoryA((kept.strStoredPath + "\\Er").c_str()));
    ASSERT_TRUE(::RemoveDirectoryA(kept.strStoredPath.c_str()));
    disk->EndPurge(kept.nId);
    EXPECT_TRUE(disk->Records().empty());
    // The emptied batch went with the last entry.
    EXPECT_FALSE(testsupport::FileExists(std::string("E:\\TrevandQuarantine\\") + kBatch));
    disk->RemoveEmptyFolders();
    EXPECT_FALSE(disk->Exists());
    // The two purged entries are gone, and nothing else.
    EXPECT_EQ("", ListingDifference(testsupport::Without(before, {"E:\\r1.txt", "E:\\Deep"}), Listing()));
}

TEST_F(Quarantine, ATreeDeeperThanTheAnsiCallsReachMovesInBackAndIsPurgedWhole) {
    const std::string tree = "E:\\LongTree";
    const std::string deepest =
        tree + "\\" + std::string(110, 'x') + "\\" + std::string(110, 'y') + "\\" + std::string(60, 'z') + "\\g.dat";
    ASSERT_EQ(300u, deepest.size());
    const DiskListing before = Listing();
    ASSERT_EQ(1u, before.count(deepest)) << "the listing reaches that deep";
    std::unique_ptr<CQuarantineDisk> disk = OpenE();

    // In and back: every file where it was, byte for byte.
    TQuarantineRecord record = MoveIn(*disk, tree);
    EXPECT_EQ("", DifferenceAfterMoves(before, Listing(), {{tree, kIn + "LongTree"}}));
    uint32_t error = 0;
    ASSERT_EQ(CQuarantineDisk::RestoreResult::kRestored, disk->Restore(record, &error)) << error;
    EXPECT_EQ("", ListingDifference(before, testsupport::Without(Listing(), {kFolder})));

    // In again, then deleted for good: all of it, the 334-character path too.
    record = MoveIn(*disk, tree);
    CEntryDeleter deleter([] { return true; });
    uint64_t bytes = 0;
    EXPECT_EQ(CDelDirJob::Fate::kDone, PurgeRecord(*disk, record, deleter, &bytes));
    EXPECT_EQ(111u + 222u, bytes);
    EXPECT_TRUE(disk->Records().empty());
    disk->RemoveEmptyFolders();
    EXPECT_EQ("", ListingDifference(testsupport::Without(before, {tree}), Listing()));
}

TEST_F(Quarantine, TidyingKeepsAnEmptyFolderThatIsQuarantinedAndRemovesTheRest) {
    const DiskListing before = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const TQuarantineRecord empty = MoveIn(*disk, "E:\\EmptyFolder");
    const TQuarantineRecord tree = MoveIn(*disk, "E:\\Games\\Old");
    const DiskListing moved = Listing();

    // Emptied by hand: a batch, and folders above a stored entry.
    ASSERT_TRUE(::CreateDirectoryA("E:\\TrevandQuarantine\\20261210-080000", nullptr));
    ASSERT_TRUE(::CreateDirectoryA("E:\\TrevandQuarantine\\20261210-080000\\A", nullptr));
    disk->RemoveEmptyFolders();
    EXPECT_TRUE(disk->IsOpen());
    // The quarantined empty folder, and the empty folder inside the
    // quarantined tree, are entries: they stay.
    EXPECT_EQ("", ListingDifference(moved, Listing()));

    uint32_t error = 0;
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, disk->Restore(tree, &error));
    disk->RemoveEmptyFolders();
    EXPECT_TRUE(disk->IsOpen());
    EXPECT_TRUE(disk->Exists());
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, disk->Restore(empty, &error));
    // Something no record accounts for keeps the folder and its database.
    testsupport::WriteFileBytes("E:\\TrevandQuarantine\\note.txt", "not ours");
    disk->RemoveEmptyFolders();
    EXPECT_TRUE(disk->IsOpen());
    ASSERT_TRUE(::DeleteFileA("E:\\TrevandQuarantine\\note.txt"));
    disk->RemoveEmptyFolders();
    EXPECT_FALSE(disk->IsOpen());
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

// A purge goes by the database: a caller's copy of a record that names
// another path deletes only the stored entry; a batch folder swapped for a
// link after the move sends nothing through it; an entry that is there but
// cannot be read is not gone.
TEST_F(Quarantine, APurgeDeletesOnlyTheDatabasesStoredEntryAndNothingThroughALink) {
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const TQuarantineRecord r1 = MoveIn(*disk, "E:\\r1.txt");
    TQuarantineRecord forged = r1;
    forged.strStoredPath = "E:\\r2.txt";
    forged.strOriginalPath = "E:\\r2.txt";
    const DiskListing held = Listing();
    CEntryDeleter deleter([] { return true; });
    uint64_t bytes = 0;
    EXPECT_EQ(CDelDirJob::Fate::kDone, PurgeRecord(*disk, forged, deleter, &bytes));
    // r1 and the batch it emptied went; r2.txt, which the copy named, stays.
    EXPECT_EQ("", ListingDifference(testsupport::Without(held, {std::string("E:\\TrevandQuarantine\\") + kBatch}),
                                    Listing()));

    // The batch folder moved aside and a link put in its place, to a folder
    // outside holding a file of the stored entry's name.
    const TQuarantineRecord r3 = MoveIn(*disk, "E:\\r3.txt");
    const std::string batch = std::string("E:\\TrevandQuarantine\\") + kBatch;
    ASSERT_TRUE(testsupport::RunUnixCommand(
        {"mv", testsupport::UnixPathOf(batch), testsupport::UnixPathOf("E:\\TrevandQuarantine") + "/aside"}));
    ::CreateDirectoryA(Outside("victim").c_str(), nullptr);
    testsupport::WriteFileBytes(Outside("victim\\r3.txt"), "not the quarantine's");
    ASSERT_TRUE(testsupport::RunUnixCommand({"ln", "-s", testsupport::UnixPathOf(Outside("victim")),
                                             testsupport::UnixPathOf("E:\\TrevandQuarantine") + "/" + kBatch}));
    const DiskListing linked = Listing();
    EXPECT_EQ(CDelDirJob::Fate::kLeft, PurgeRecord(*disk, r3, deleter, &bytes));
    EXPECT_EQ("", ListingDifference(linked, Listing()));
    ASSERT_EQ(1u, disk->Records().size());
    EXPECT_EQ(r3.nId, disk->Records()[0].nId);
    const std::vector<std::string> lines = QuarantineLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("[Error]|Trevand  未彻底删除隔离项" + r3.strStoredPath + "：其上级目录中有链接，删除会到达隔离区以外",
              lines.back());
}

// A stored name holding '*' cannot be looked at (the system refuses the name
// itself): the purge keeps its record and says so, rather than counting it
// as deleted.
TEST_F(Quarantine, APurgeOfAnEntryThatCannotBeReadKeepsItsRecord) {
    {
        std::unique_ptr<CQuarantineDisk> disk = OpenE();
        MoveIn(*disk, "E:\\r1.txt");
    }
    CSqliteConnect db;
    ASSERT_TRUE(db.Open("E:\\TrevandQuarantine\\Quarantine.db", false));
    int32_t ret = 0;
    ASSERT_TRUE(db.ExecCmd("INSERT INTO records (batch, original_path, stored_path, kind, size, quarantined, state) "
                           "VALUES ('20261211-093000', '\\a*b.txt', '\\TrevandQuarantine\\20261211-093000\\a*b.txt', "
                           "'file', 0, 1, 'held')",
                           ret));
    db.Close();
    std::unique_ptr<CQuarantineDisk> disk = OpenE(false);
    std::vector<TQuarantineRecord> records = disk->Records();
    ASSERT_EQ(2u, records.size());
    const TQuarantineRecord unreadable = records[0].strOriginalPath == "E:\\a*b.txt" ? records[0] : records[1];
    ASSERT_EQ(platform::kAttributesInvalid, platform::ReadAttributes(unreadable.strStoredPath));
    ASSERT_TRUE(platform::EntryExists(unreadable.strStoredPath)) << "the system refuses the name, it is not missing";
    CEntryDeleter deleter([] { return true; });
    uint64_t bytes = 0;
    EXPECT_EQ(CDelDirJob::Fate::kLeft, PurgeRecord(*disk, unreadable, deleter, &bytes));
    EXPECT_EQ(2u, disk->Records().size());
    EXPECT_EQ("[Error]|Trevand  未彻底删除隔离项" + unreadable.strStoredPath + "：无法读取其属性",
              QuarantineLines().back());
}

// A batch name repeated (the clock set back to the second of an earlier
// move) must never put an entry inside another record's stored folder.
TEST_F(Quarantine, AMoveNeverStoresAnEntryInsideAnotherRecordsStoredFolder) {
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    // E:\Games\Old's own folder is held as it stood; the folder it left is
    // made again, and a new entry in it comes to the same batch.
    const TQuarantineRecord games = MoveIn(*disk, "E:\\Games");
    ASSERT_TRUE(::CreateDirectoryA("E:\\Games", nullptr));
    testsupport::WriteFileBytes("E:\\Games\\new.txt", "new");
    const DiskListing before = Listing();
    TQuarantineRecord record;
    uint32_t error = 0;
    EXPECT_FALSE(disk->MoveIn("E:\\Games\\new.txt", false, 3, kBatch, kNow, &record, &error));
    EXPECT_EQ(platform::kErrorAlreadyExists, error);
    EXPECT_EQ("", ListingDifference(before, Listing()));
    ASSERT_EQ(1u, disk->Records().size());
    EXPECT_EQ("[Error]|Trevand  未能隔离E:\\Games\\new.txt：批次" + std::string(kBatch) + "中已有隔离项" +
                  games.strStoredPath + "（系统时间可能曾被调回），未移动",
              QuarantineLines().back());
}

// A restore cut short after it made the folders above the original place
// (the place's parents were quarantined too): the next start removes them
// again, so the scan never offers empty folders nobody made.
TEST_F(Quarantine, ACrashAfterARestoreMadeItsFoldersLeavesNoneBehind) {
    const DiskListing before = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    const TQuarantineRecord old = MoveIn(*disk, "E:\\Games\\Old");
    TQuarantineRecord games;
    uint32_t error = 0;
    ASSERT_TRUE(disk->MoveIn("E:\\Games", true, 0, "20261211-093001", kNow, &games, &error)) << error;
    const DiskListing held = Listing();
    ASSERT_EQ(0u, held.count("E:\\Games"));
    CQuarantineDisk::SetCrashStepForTests(CQuarantineDisk::CrashStep::kAfterFolders);
    EXPECT_EQ(CQuarantineDisk::RestoreResult::kFailed, disk->Restore(old, &error));
    CQuarantineDisk::SetCrashStepForTests(CQuarantineDisk::CrashStep::kNone);
    ASSERT_TRUE(testsupport::FileExists("E:\\Games")) << "the crash came after the folder was made";
    disk.reset();

    std::unique_ptr<CQuarantineDisk> next = OpenE(false);
    EXPECT_EQ(1, next->Reconcile());
    EXPECT_EQ("", ListingDifference(held, Listing()));
    // Both come back, the folder first (as the window restores them).
    std::vector<TQuarantineRecord> records = next->Records();
    ASSERT_EQ(2u, records.size());
    std::sort(records.begin(), records.end(), [](const TQuarantineRecord& a, const TQuarantineRecord& b) {
        return a.strOriginalPath < b.strOriginalPath;
    });
    for (const TQuarantineRecord& record : records)
        EXPECT_EQ(CQuarantineDisk::RestoreResult::kRestored, next->Restore(record, &error)) << record.strOriginalPath;
    next->RemoveEmptyFolders();
    next.reset();
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

// The write that settles a moved entry fails: the entry goes back where it
// was and its record goes, so the answer "not moved" is the truth.
TEST_F(Quarantine, ASettleThatCannotBeWrittenPutsTheEntryBack) {
    const DiskListing before = Listing();
    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    TQuarantineRecord record;
    uint32_t error = 0;
    CQuarantineDisk::SetSettleFailsForTests(true);
    EXPECT_FALSE(disk->MoveIn("E:\\Games\\Old", true, 0, kBatch, kNow, &record, &error));
    CQuarantineDisk::SetSettleFailsForTests(false);
    EXPECT_NE(0u, error);
    EXPECT_TRUE(disk->Records().empty());
    EXPECT_EQ(0, disk->Reconcile());
    disk->RemoveEmptyFolders();
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

}  // namespace
}  // namespace quarantinetest
