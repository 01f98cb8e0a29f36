// The orders of the main window's rows, decided on plain candidate values.
// Paths and names are code page 936, as the engine lists them.
#include "ToolKit/Trevand/Trevand/CandidateOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"

namespace {

using Paths = std::vector<std::string>;

TCandidateFacts Known(const char* path, const char* name, bool dir, uint64_t size, int64_t modified) {
    TCandidateFacts row;
    row.strPath = path;
    row.strName = name;
    row.bDir = dir;
    row.nSize = size;
    row.bSizeKnown = true;
    row.nModified = modified;
    return row;
}

// A folder the sizer has not reported yet.
TCandidateFacts Unsized(const char* path) {
    TCandidateFacts row = Known(path, path + 3, true, 0, 1600000000);
    row.bSizeKnown = false;
    return row;
}

// A folder whose tree could be read only in part: `size` is that part.
TCandidateFacts Partial(const char* path, uint64_t size) {
    TCandidateFacts row = Known(path, path + 3, true, size, 1600000000);
    row.bSizePartial = true;
    return row;
}

Paths Sorted(const std::vector<TCandidateFacts>& rows, int column, bool ascending) {
    std::vector<const TCandidateFacts*> sorted;
    for (const TCandidateFacts& row : rows) sorted.push_back(&row);
    TCandidateOrder order;
    order.nColumn = column;
    order.bAscending = ascending;
    SortCandidates(sorted, order);
    Paths paths;
    for (const TCandidateFacts* row : sorted) paths.push_back(row->strPath);
    return paths;
}

Paths Reversed(Paths paths) {
    std::reverse(paths.begin(), paths.end());
    return paths;
}

// Every size known. Two files tie on name, kind, size and time, so every
// column but the path's goes to the tie-break. The large size and the late
// time do not fit 32 bits (cut to 32 bits they would sort first).
const char kZed[] = "E:\\Zed";
const char kAlpha[] = "E:\\alpha.txt";
const char kGamesAlpha[] = "E:\\Games\\alpha.txt";
const char kAh[] = "E:\\啊.txt";  // 啊: B0 A1
const char kOne[] = "E:\\一";     // 一: D2 BB
const std::vector<TCandidateFacts> kRows = {
    Known(kZed, "Zed", true, 4000, 1800000000),
    Known(kAlpha, "alpha.txt", false, 10, 2200000000),
    Known(kGamesAlpha, "alpha.txt", false, 10, 2200000000),
    Known(kAh, "啊.txt", false, 4294967301, 1000000000),  // 4 GiB + 5 bytes
    Known(kOne, "一", true, 700000, 1600000000),
};

TEST(CandidateOrder, EachColumnBothWaysWithTiesByPath) {
    const struct {
        const char* name;
        int column;
        Paths ascending;
    } cases[] = {
        // Bytes decide: capitals before small letters, GBK after ASCII.
        {"name", kColumnName, {kZed, kGamesAlpha, kAlpha, kAh, kOne}},
        {"path", kColumnPath, {kGamesAlpha, kZed, kAlpha, kAh, kOne}},
        {"kind", kColumnKind, {kZed, kOne, kGamesAlpha, kAlpha, kAh}},
        {"size", kColumnSize, {kGamesAlpha, kAlpha, kZed, kOne, kAh}},
        {"modified", kColumnModified, {kAh, kOne, kZed, kGamesAlpha, kAlpha}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.ascending, Sorted(kRows, c.column, true));
        // Ties reverse too: descending is the ascending order read backwards.
        EXPECT_EQ(Reversed(c.ascending), Sorted(kRows, c.column, false));
    }
}

TEST(CandidateOrder, GbkNamesAndPathsSortByteWiseAsTheEnginesMapListsThem) {
    // Unicode would put 一 (U+4E00) first and 啊 (U+554A) after 单 (U+5355);
    // a signed char compare would put every GBK name before the ASCII ones.
    // 誠 ends in the trail byte 0x5C, a backslash when read byte by byte.
    const std::vector<TCandidateFacts> rows = {
        Known("E:\\一", "一", true, 1, 1),              // D2 BB
        Known("E:\\誠", "誠", true, 1, 1),              // D5 5C
        Known("E:\\单机游戏", "单机游戏", true, 1, 1),  // B5 A5 ...
        Known("E:\\啊", "啊", true, 1, 1),              // B0 A1
        Known("E:\\zip", "zip", true, 1, 1),
        Known("E:\\Zip", "Zip", true, 1, 1),
        Known("E:\\单机游戏\\x", "x", true, 1, 1),
    };
    // The order the scan's candidate map hands them to the window in.
    UnLoadPathMap engine;
    for (const TCandidateFacts& row : rows) engine[row.strPath].strPath = row.strPath;
    Paths mapOrder;
    for (const auto& entry : engine) mapOrder.push_back(entry.first);
    const Paths expected = {"E:\\Zip", "E:\\zip", "E:\\啊", "E:\\单机游戏", "E:\\单机游戏\\x", "E:\\一", "E:\\誠"};
    ASSERT_EQ(expected, mapOrder);

    EXPECT_EQ(mapOrder, Sorted(rows, kColumnPath, true));
    EXPECT_EQ(Reversed(mapOrder), Sorted(rows, kColumnPath, false));
    // The names order as their paths here, but for the subfolder's "x".
    EXPECT_EQ((Paths{"E:\\Zip", "E:\\单机游戏\\x", "E:\\zip", "E:\\啊", "E:\\单机游戏", "E:\\一", "E:\\誠"}),
              Sorted(rows, kColumnName, true));
}

TEST(CandidateOrder, UnknownSizesComeLastBothWaysAndPartialSizesGoByTheirKnownPart) {
    const std::vector<TCandidateFacts> rows = {
        Unsized("E:\\c"),
        Known("E:\\a", "a", false, 400, 1600000000),
        Partial("E:\\d", 300),
        Unsized("E:\\0"),
        Known("E:\\e", "e", false, 200, 1600000000),
        Known("E:\\g", "g", true, 300, 1600000000),  // the same bytes read whole: ties with d
        Unsized("E:\\f"),
        Known("E:\\b", "b", false, 10, 1600000000),
    };
    // Unknown sizes keep their path order in both directions.
    EXPECT_EQ((Paths{"E:\\b", "E:\\e", "E:\\d", "E:\\g", "E:\\a", "E:\\0", "E:\\c", "E:\\f"}),
              Sorted(rows, kColumnSize, true));
    EXPECT_EQ((Paths{"E:\\a", "E:\\g", "E:\\d", "E:\\e", "E:\\b", "E:\\0", "E:\\c", "E:\\f"}),
              Sorted(rows, kColumnSize, false));
    // Only the size column sets them apart.
    EXPECT_EQ((Paths{"E:\\0", "E:\\a", "E:\\b", "E:\\c", "E:\\d", "E:\\e", "E:\\f", "E:\\g"}),
              Sorted(rows, kColumnPath, true));
}

TEST(CandidateOrder, AnyTwoRowsGoOneWayOnlyInEveryOrder) {
    // std::sort needs a strict weak ordering; with unique paths that is a
    // total one. Known, unknown and partial sizes and every kind of tie mixed.
    std::vector<TCandidateFacts> rows = kRows;
    for (const char* path : {"E:\\c", "E:\\0"}) rows.push_back(Unsized(path));
    rows.push_back(Partial("E:\\d", 10));
    rows.push_back(Known("E:\\e", "Zed", false, 0, 0));
    for (int column = 0; column < kColumnCount; ++column) {
        for (bool ascending : {true, false}) {
            TCandidateOrder order;
            order.nColumn = column;
            order.bAscending = ascending;
            for (const TCandidateFacts& a : rows) {
                for (const TCandidateFacts& b : rows) {
                    SCOPED_TRACE(std::to_string(column) + (ascending ? " up " : " down ") + a.strPath + " " +
                                 b.strPath);
                    const bool before = CandidateGoesBefore(a, b, order);
                    const bool after = CandidateGoesBefore(b, a, order);
                    if (&a == &b) {
                        EXPECT_FALSE(before);
                    } else {
                        EXPECT_NE(before, after);
                    }
                }
            }
            // And the sorted rows agree with it pairwise, so it is transitive.
            std::vector<const TCandidateFacts*> sorted;
            for (const TCandidateFacts& row : rows) sorted.push_back(&row);
            SortCandidates(sorted, order);
            for (size_t i = 0; i < sorted.size(); ++i) {
                for (size_t j = i + 1; j < sorted.size(); ++j) {
                    EXPECT_TRUE(CandidateGoesBefore(*sorted[i], *sorted[j], order));
                }
            }
        }
    }
}

TEST(CandidateOrder, UnsortedOrderKeepsTheEnginesOrder) {
    const Paths given = {kZed, kAlpha, kGamesAlpha, kAh, kOne};
    for (int column : {-1, static_cast<int>(kColumnCount)}) {
        SCOPED_TRACE(column);
        EXPECT_EQ(given, Sorted(kRows, column, true));
        EXPECT_EQ(given, Sorted(kRows, column, false));
    }
}

}  // namespace
