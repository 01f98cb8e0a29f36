// Where the quarantine stores entries and for how long, on plain values.
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

// 誠 is D5 5C: its trail byte is the byte of "\".
#define CHENG "\xD5\x5C"

TEST(QuarantineLayout, TheFolderOfADriveIsAtItsRootWhateverTheLetterCase) {
    EXPECT_EQ("E:\\TrevandQuarantine", quarantine::FolderOfDrive('E'));
    EXPECT_EQ("E:\\TrevandQuarantine", quarantine::FolderOfDrive('e'));
    EXPECT_EQ("Z:\\TrevandQuarantine", quarantine::FolderOfDrive('z'));
    for (char notALetter : {'1', ':', '\\', '\0', '@', '[', '`', '{', static_cast<char>(0xC5)})
        EXPECT_EQ("", quarantine::FolderOfDrive(notALetter)) << static_cast<int>(notALetter);
}

TEST(QuarantineLayout, DriveOfPathIsTheUpperCasedLetterBeforeAColon) {
    const struct {
        const char* path;
        char drive;
    } cases[] = {
        {"E:\\Games", 'E'},
        {"e:\\games", 'E'},
        {"E:", 'E'},
        {"E:Games", 'E'},
        {"\\Games", 0},
        {"Games", 0},
        {"", 0},
        {"E", 0},
        {"1:\\x", 0},
        {"::\\x", 0},
        // A lead byte is no letter, whatever follows it.
        {"\xC5"
         ":\\",
         0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.drive, quarantine::DriveOfPath(c.path)) << c.path;
}

TEST(QuarantineLayout, TheFolderNameMatchesWithoutRegardToTheCaseOfItsLetters) {
    const struct {
        const char* name;
        bool matches;
    } cases[] = {
        {"TrevandQuarantine", true},   {"trevandquarantine", true},     {"TREVANDQUARANTINE", true},
        {"TrevandQuarantine1", false}, {"TrevandQuarantin", false},     {"", false},
        {"Trevand Quarantine", false}, {"TrevandQuarantin\xC5", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.matches, quarantine::IsQuarantineFolderName(c.name)) << c.name;
    EXPECT_EQ("TrevandQuarantine", std::string(quarantine::kFolderName));
    EXPECT_EQ("Quarantine.db", std::string(quarantine::kDatabaseName));
}

TEST(QuarantineLayout, BatchNamesArePaddedSoTheySortByTime) {
    EXPECT_EQ("20261211-093000", quarantine::BatchName(2026, 12, 11, 9, 30, 0));
    EXPECT_EQ("20260102-030405", quarantine::BatchName(2026, 1, 2, 3, 4, 5));
    EXPECT_EQ("20261231-235959", quarantine::BatchName(2026, 12, 31, 23, 59, 59));
    EXPECT_EQ("09990101-000000", quarantine::BatchName(999, 1, 1, 0, 0, 0));
}

TEST(QuarantineLayout, StoredPathKeepsTheDriveRelativePathBelowTheBatch) {
    const std::string batch = "20261211-093000";
    const std::string in = "E:\\TrevandQuarantine\\" + batch + "\\";
    const struct {
        const char* name;
        std::string original;
        std::string stored;
    } cases[] = {
        {"folder", "E:\\Games\\Old", in + "Games\\Old"},
        {"file at the root", "E:\\a.txt", in + "a.txt"},
        {"lower-case drive letter", "e:\\Games\\Old", in + "Games\\Old"},
        {"name ending in 誠", "E:\\Games\\" CHENG, in + "Games\\" CHENG},
        {"folder 誠 in the middle", "E:\\" CHENG "\\x.txt", in + CHENG "\\x.txt"},
        {"forward slash", "E:/Games/Old", in + "Games/Old"},
        {"a folder of that name deeper down is an entry like any other", "E:\\Games\\TrevandQuarantine",
         in + "Games\\TrevandQuarantine"},
        // No place of its own below the batch.
        {"drive root", "E:\\", ""},
        {"drive alone", "E:", ""},
        {"drive-relative", "E:Games", ""},
        {"no drive", "\\Games\\Old", ""},
        {"relative", "Games\\Old", ""},
        {"network path", "\\\\server\\share\\x", ""},
        {"empty", "", ""},
        {"doubled separator", "E:\\Games\\\\Old", ""},
        {"separator at the end", "E:\\Games\\Old\\", ""},
        {"誠 then a separator at the end", "E:\\Games\\" CHENG "\\", ""},
        {"dot", "E:\\Games\\.\\Old", ""},
        {"dot dot", "E:\\Games\\..\\Windows", ""},
        {"the quarantine itself", "E:\\TrevandQuarantine", ""},
        {"inside the quarantine, another case", "E:\\trevandquarantine\\20261211-093000\\Games", ""},
        // Names the usual form of a path would trim ("Old." would reach
        // "Old"): each is an entry of its own, which every file call
        // addresses exactly, so it keeps its own place below the batch.
        {"a name ending in a dot", "E:\\Games\\Old.", "E:\\TrevandQuarantine\\20261211-093000\\Games\\Old."},
        {"dots and a blank at the end", "E:\\Games\\... ", "E:\\TrevandQuarantine\\20261211-093000\\Games\\... "},
        {"a folder ending in a blank", "E:\\Games \\Old", "E:\\TrevandQuarantine\\20261211-093000\\Games \\Old"},
        {"three dots in the middle", "E:\\...\\Windows", "E:\\TrevandQuarantine\\20261211-093000\\...\\Windows"},
        // Every file call stops reading at a NUL: what follows it is never
        // checked by the system, so it must not be taken here either.
        {"a NUL", std::string("E:\\Games\0\\..\\Windows", 20), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.stored, quarantine::StoredPath(c.original, batch));
    }
    // "b\x81": a batch ending in a lead byte would take the separator after
    // it as its trail byte, and the first name of the path with it.
    for (const std::string badBatch : {std::string(), std::string("."), std::string(".."), std::string("a\\b"),
                                       std::string("a/b"), std::string("\\"), std::string("b."), std::string("b "),
                                       std::string("b\x81"), std::string("a\\b\x81"), std::string("b\0x", 3)})
        EXPECT_EQ("", quarantine::StoredPath("E:\\Games\\Old", badBatch)) << badBatch;
}

TEST(QuarantineLayout, DaysLeftAndExpiryAgreeAtEveryBoundary) {
    const int64_t day = 86400;
    const int64_t t = 1796000000;  // some moment in 2026
    const struct {
        const char* name;
        int64_t quarantined;
        int64_t now;
        int keepDays;
        int daysLeft;
    } cases[] = {
        {"just moved", t, t, 7, 7},
        {"a second short of a day", t, t + day - 1, 7, 7},
        {"one day", t, t + day, 7, 6},
        {"a second short of the end", t, t + 7 * day - 1, 7, 1},
        {"the end", t, t + 7 * day, 7, 0},
        {"long past", t, t + 100 * day, 7, 0},
        {"clock set back", t, t - day, 7, 7},
        {"keep 1, a second short", t, t + day - 1, 1, 1},
        {"keep 1, a day", t, t + day, 1, 0},
        {"keep 0", t, t, 0, 0},
        {"keep 0, clock set back", t, t - day, 0, 0},
        {"keep below 0", t, t, -3, 0},
        {"the widest span", INT64_MIN, INT64_MAX, 7, 0},
        {"the widest span backwards", INT64_MAX, INT64_MIN, 7, 7},
        {"the longest keep", t, t + day, INT_MAX, INT_MAX - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.daysLeft, quarantine::DaysLeft(c.quarantined, c.now, c.keepDays));
        EXPECT_EQ(c.daysLeft == 0, quarantine::IsExpired(c.quarantined, c.now, c.keepDays));
    }
}

}  // namespace
