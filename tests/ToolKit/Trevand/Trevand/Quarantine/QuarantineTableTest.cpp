// The record table on a real SQLite file: paths come back byte for byte,
// states change only from the state a step expects, ids are never reused.
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineTable.h"

#include <gtest/gtest.h>

#include "comm/DBTools/Sqlite/SqliteConnect.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using quarantine::CQuarantineTable;
using quarantine::RecordState;
using quarantine::TStoredRecord;

namespace {

const uint32_t kNotFound = 1168;

TQuarantineRecord Record(const std::string& original, int64_t quarantined) {
    TQuarantineRecord record;
    record.strBatch = "20261211-093000";
    record.strOriginalPath = original;
    record.strStoredPath = "E:\\TrevandQuarantine\\20261211-093000\\" + original.substr(3);
    record.nQuarantined = quarantined;
    return record;
}

class QuarantineTable : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_db.Open(m_dir.File("Quarantine.db"), true)); }
    void TearDown() override { m_db.Close(); }

    std::vector<TStoredRecord> All() {
        std::vector<TStoredRecord> rows;
        uint32_t error = 0;
        EXPECT_TRUE(m_table.ReadAll(&rows, &error)) << error;
        return rows;
    }
    int64_t Insert(const TQuarantineRecord& record, RecordState state = RecordState::kMoving) {
        int64_t id = 0;
        uint32_t error = 0;
        EXPECT_TRUE(m_table.Insert(record, state, &id, &error)) << error;
        return id;
    }

    // The database layer's lines go to the capture, not beside the test.
    testsupport::LogCapture m_log;
    testsupport::TempDir m_dir;
    CSqliteConnect m_db;
    CQuarantineTable m_table{m_db, 'E'};
};

TEST_F(QuarantineTable, EveryValueComesBackAsItWasWritten) {
    uint32_t error = 0;
    ASSERT_TRUE(m_table.Create(&error)) << error;
    // A quote (doubled in the SQL), 誠 whose trail byte is "\" (D5 5C), and
    // a blank at the end that trimming would lose.
    TQuarantineRecord record = Record("E:\\It's\\\xD5\x5C ", 1796000000);
    record.bDir = true;
    record.nSize = 6656ULL * 1024 * 1024;  // over 4 GiB
    const int64_t id = Insert(record);

    const std::vector<TStoredRecord> rows = All();
    ASSERT_EQ(1u, rows.size());
    const TQuarantineRecord& read = rows[0].record;
    EXPECT_EQ(id, read.nId);
    EXPECT_EQ(record.strBatch, read.strBatch);
    EXPECT_EQ(record.strOriginalPath, read.strOriginalPath);
    EXPECT_EQ(record.strStoredPath, read.strStoredPath);
    EXPECT_TRUE(read.bDir);
    EXPECT_EQ(record.nSize, read.nSize);
    EXPECT_EQ(record.nQuarantined, read.nQuarantined);
    EXPECT_EQ(RecordState::kMoving, rows[0].state);
    EXPECT_FALSE(read.bSizeAtLeast || read.bIncomplete || read.bOnlyLinks || read.bTimeUnsure);
    EXPECT_TRUE(rows[0].madeFolders.empty());
}

TEST_F(QuarantineTable, MarksTimesAndTheFoldersARestoreMakesComeBackAsWritten) {
    uint32_t error = 0;
    ASSERT_TRUE(m_table.Create(&error)) << error;
    TQuarantineRecord record = Record("E:\\Games\\Old", 1796000000);
    record.bSizeAtLeast = true;
    record.bTimeUnsure = true;
    const int64_t id = Insert(record, RecordState::kHeld);
    const int64_t other = Insert(Record("E:\\Other", 5), RecordState::kHeld);
    ASSERT_TRUE(m_table.SetPurgeMarks(id, true, true, &error));
    ASSERT_TRUE(m_table.Restamp(id, 1796999999, &error));
    // 誠 (D5 5C) in a folder name: its trail byte is no separator.
    const std::vector<std::string> made = {"E:\\Games", "E:\\Games\\\xD5\x5C"};
    ASSERT_TRUE(m_table.SetMadeFolders(id, made, &error));
    TStoredRecord found;
    ASSERT_TRUE(m_table.Find(id, &found, &error));
    EXPECT_TRUE(found.record.bSizeAtLeast);
    EXPECT_TRUE(found.record.bIncomplete);
    EXPECT_TRUE(found.record.bOnlyLinks);
    EXPECT_FALSE(found.record.bTimeUnsure);
    EXPECT_EQ(1796999999, found.record.nQuarantined);
    EXPECT_EQ(made, found.madeFolders);
    ASSERT_TRUE(m_table.SetMadeFolders(id, {}, &error));
    ASSERT_TRUE(m_table.Find(id, &found, &error));
    EXPECT_TRUE(found.madeFolders.empty());
    // The other record kept its own values.
    ASSERT_TRUE(m_table.Find(other, &found, &error));
    EXPECT_FALSE(found.record.bIncomplete || found.record.bOnlyLinks);
    EXPECT_EQ(5, found.record.nQuarantined);
    EXPECT_FALSE(m_table.Restamp(other + 100, 1, &error));
    EXPECT_EQ(kNotFound, error);

    bool has = false;
    ASSERT_TRUE(m_table.HasStoredPath(record.strStoredPath, &has, &error));
    EXPECT_TRUE(has);
    ASSERT_TRUE(m_table.HasStoredPath(record.strStoredPath + "\\x", &has, &error));
    EXPECT_FALSE(has);
}

TEST_F(QuarantineTable, TheClockIsRememberedAndOneNeverWrittenIsNotFound) {
    uint32_t error = 0;
    ASSERT_TRUE(m_table.Create(&error)) << error;
    quarantine::TDiskTime time;
    bool found = true;
    ASSERT_TRUE(m_table.ReadClock(&time, &found, &error));
    EXPECT_FALSE(found);
    ASSERT_TRUE(m_table.WriteClock({1796981400, 1890000000}, &error));
    ASSERT_TRUE(m_table.WriteClock({1796981500, 0}, &error));
    ASSERT_TRUE(m_table.ReadClock(&time, &found, &error));
    EXPECT_TRUE(found);
    EXPECT_EQ(1796981500, time.nSeen);
    EXPECT_EQ(0, time.nFarSince);

    // Written with a record, in its transaction: the record's id is its own.
    const quarantine::TDiskTime withRecord = {1796990000, 0};
    int64_t id = 0;
    ASSERT_TRUE(m_table.Insert(Record("E:\\Old", 1796990000), RecordState::kMoving, &id, &error, &withRecord));
    TStoredRecord inserted;
    ASSERT_TRUE(m_table.Find(id, &inserted, &error));
    EXPECT_EQ("E:\\Old", inserted.record.strOriginalPath);
    ASSERT_TRUE(m_table.ReadClock(&time, &found, &error));
    EXPECT_EQ(1796990000, time.nSeen);
    // A record that cannot go in takes its mark with it.
    const quarantine::TDiskTime refused = {1797000000, 0};
    EXPECT_FALSE(m_table.Insert(Record("E:\\Old", 1797000000), RecordState::kMoving, &id, &error, &refused));
    ASSERT_TRUE(m_table.ReadClock(&time, &found, &error));
    EXPECT_EQ(1796990000, time.nSeen);
    EXPECT_TRUE(m_table.Insert(Record("E:\\New", 1), RecordState::kMoving, &id, &error)) << "no transaction left open";
}

TEST_F(QuarantineTable, ADatabaseOfAnOlderTrevandGainsTheNewColumnsAndKeepsItsRecords) {
    // The table as Trevand made it before the marks, the clock and the
    // restore's folders were kept.
    int32_t ret = 0;
    ASSERT_TRUE(m_db.ExecCmd(
        "CREATE TABLE records (id INTEGER PRIMARY KEY AUTOINCREMENT, batch TEXT NOT NULL, original_path TEXT NOT "
        "NULL, stored_path TEXT NOT NULL UNIQUE, kind TEXT NOT NULL CHECK (kind IN ('file', 'folder')), size "
        "INTEGER NOT NULL, quarantined INTEGER NOT NULL, state TEXT NOT NULL CHECK (state IN ('moving', 'held', "
        "'restoring', 'purging')))",
        ret));
    ASSERT_TRUE(m_db.ExecCmd("INSERT INTO records (batch, original_path, stored_path, kind, size, quarantined, state) "
                             "VALUES ('20261211-093000', '\\Old', '\\TrevandQuarantine\\20261211-093000\\Old', "
                             "'folder', 42, 1796000000, 'held')",
                             ret));
    uint32_t error = 0;
    ASSERT_TRUE(m_table.Create(&error)) << error;
    ASSERT_TRUE(m_table.Create(&error)) << "a second start finds the columns there";
    const std::vector<TStoredRecord> rows = All();
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("E:\\Old", rows[0].record.strOriginalPath);
    EXPECT_EQ(42u, rows[0].record.nSize);
    EXPECT_FALSE(rows[0].record.bSizeAtLeast || rows[0].record.bIncomplete || rows[0].record.bOnlyLinks ||
                 rows[0].record.bTimeUnsure);
    // And the new marks can be written to it.
    EXPECT_TRUE(m_table.SetPurgeMarks(rows[0].record.nId, true, false, &error)) << error;
    // What an older Trevand writes still goes in: the new columns have defaults.
    EXPECT_TRUE(m_db.ExecCmd("INSERT INTO records (batch, original_path, stored_path, kind, size, quarantined, state) "
                             "VALUES ('b', '\\New', '\\TrevandQuarantine\\b\\New', 'file', 1, 1, 'held')",
                             ret));
    EXPECT_EQ(2u, All().size());
}

TEST_F(QuarantineTable, AStateChangesOnlyFromTheStateAStepExpects) {
    uint32_t error = 0;
    ASSERT_TRUE(m_table.Create(&error));
    const int64_t id = Insert(Record("E:\\Old", 1));
    // Not held yet: a purge cannot begin.
    EXPECT_FALSE(m_table.SetState(id, RecordState::kHeld, RecordState::kPurging, &error));
    EXPECT_EQ(kNotFound, error);
    EXPECT_TRUE(m_table.SetState(id, RecordState::kMoving, RecordState::kHeld, &error));
    EXPECT_TRUE(m_table.SetState(id, RecordState::kHeld, RecordState::kRestoring, &error));
    TStoredRecord found;
    ASSERT_TRUE(m_table.Find(id, &found, &error));
    EXPECT_EQ(RecordState::kRestoring, found.state);
    // Nor can a record that is not there change.
    error = 0;
    EXPECT_FALSE(m_table.SetState(id + 1, RecordState::kHeld, RecordState::kPurging, &error));
    EXPECT_EQ(kNotFound, error);
    EXPECT_FALSE(m_table.Find(id + 1, &found, &error));
    EXPECT_EQ(kNotFound, error);
}

TEST_F(QuarantineTable, IdsAreNeverGivenTwiceAndRecordsListOldestFirst) {
    uint32_t error = 0;
    ASSERT_TRUE(m_table.Create(&error));
    const int64_t first = Insert(Record("E:\\A", 300));
    ASSERT_TRUE(m_table.Remove(first, &error));
    const int64_t late = Insert(Record("E:\\B", 300));
    const int64_t early = Insert(Record("E:\\C", 100));
    EXPECT_GT(late, first);
    const std::vector<TStoredRecord> rows = All();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(early, rows[0].record.nId);
    EXPECT_EQ(late, rows[1].record.nId);
    // Two records never claim one stored entry.
    int64_t id = 0;
    EXPECT_FALSE(m_table.Insert(Record("E:\\B", 400), RecordState::kMoving, &id, &error));
    EXPECT_EQ(2u, All().size());
}

TEST_F(QuarantineTable, PathsFollowTheLetterOfTheDiskTheDatabaseIsOn) {
    uint32_t error = 0;
    ASSERT_TRUE(m_table.Create(&error));
    Insert(Record("E:\\Games\\Old", 1));
    // The same disk under another letter, or a copy of it.
    std::vector<TStoredRecord> rows;
    ASSERT_TRUE(CQuarantineTable(m_db, 'G').ReadAll(&rows, &error));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ("G:\\Games\\Old", rows[0].record.strOriginalPath);
    EXPECT_EQ("G:\\TrevandQuarantine\\20261211-093000\\Games\\Old", rows[0].record.strStoredPath);
    // A path without a drive cannot be kept.
    int64_t id = 0;
    TQuarantineRecord noDrive = Record("E:\\x", 2);
    noDrive.strOriginalPath = "\\x";
    EXPECT_FALSE(m_table.Insert(noDrive, RecordState::kMoving, &id, &error));
    EXPECT_EQ(161u, error);
}

TEST(QuarantineRecords, OnlyARecordStoredWhereAMovePutsItsOriginalIsConsistent) {
    const TQuarantineRecord good = Record("E:\\Games\\Old", 1);
    EXPECT_TRUE(quarantine::IsConsistent(good));
    const struct {
        const char* name;
        std::string original;
        std::string stored;
        std::string batch;
    } cases[] = {
        {"stored elsewhere", good.strOriginalPath, "E:\\Games\\Old", good.strBatch},
        {"another batch", good.strOriginalPath, good.strStoredPath, "20261212-000000"},
        {"dot dot", "E:\\Games\\..\\Old", "E:\\TrevandQuarantine\\20261211-093000\\Games\\..\\Old", good.strBatch},
        {"another disk", "F:\\Games\\Old", good.strStoredPath, good.strBatch},
        {"nothing", "", "", good.strBatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQuarantineRecord bad = good;
        bad.strOriginalPath = c.original;
        bad.strStoredPath = c.stored;
        bad.strBatch = c.batch;
        EXPECT_FALSE(quarantine::IsConsistent(bad));
    }
}

TEST_F(QuarantineTable, AFileThatIsNoDatabaseIsRefused) {
    m_db.Close();
    const std::string path = m_dir.File("NotADatabase.db");
    testsupport::WriteFileBytes(path, std::string(4096, 'x'));
    ASSERT_TRUE(m_db.Open(path, false));
    uint32_t error = 0;
    EXPECT_FALSE(m_table.Create(&error));
    EXPECT_EQ(26u, error);  // SQLITE_NOTADB
}

}  // namespace
