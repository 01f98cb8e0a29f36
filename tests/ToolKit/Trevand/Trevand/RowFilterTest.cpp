// The list's filters on plain values: a text found without regard to case
// but never across a character, and the ages.
#include "ToolKit/Trevand/Trevand/RowFilter.h"

#include <gtest/gtest.h>

#include "comm/platform/CaseFold936.h"

namespace {

const int64_t kNow = 1800000000;
const int64_t kDay = 86400;

TEST(RowFilter, TextMatchesNameOrPathWithoutCaseAndNeverInsideACharacter) {
    const struct {
        const char* path;
        const char* text;
        bool shown;
    } cases[] = {
        {"E:\\Games\\WoW\\Patch.dat", "patch", true},
        {"E:\\Games\\WoW\\Patch.dat", "GAMES\\WOW", true},
        {"E:\\Games\\WoW\\Patch.dat", "", true},
        {"E:\\Games\\WoW\\Patch.dat", "patches", false},
        {"E:\\单机游戏\\仙剑", "游戏", true},
        // 誠 is D5 5C: its second byte is "\", which is no part of it.
        {"E:\\誠", "\\", true},  // the "\" after E: is
        {"E:誠x", "\\", false},
        {"E:誠x", "\\x", false},
        {"E:\\誠", "誠", true},
        // Full-width letters fold as the engine folds them: Ａ and ａ.
        {"E:\\ＡＢ", "ａｂ", true},
        {"E:\\ab", "ＡＢ", false},
    };
    for (const auto& c : cases) {
        TCandidateFacts row;
        row.strPath = c.path;
        const TRowFilter filter = MakeRowFilter(c.text, kAgeAll, kNow);
        EXPECT_EQ(c.shown, PassesRowFilter(row, platform::FoldCase936(row.strPath), filter)) << c.path << " / " << c.text;
    }
}

TEST(RowFilter, AgesHideWhatWasWrittenSinceAndWhatHasNoTime) {
    const struct {
        int age;
        int64_t modified;
        bool shown;
    } cases[] = {
        {kAgeAll, kNow, true},           {kAgeAll, 0, true},
        {kAge30Days, kNow - 31 * kDay, true}, {kAge30Days, kNow - 30 * kDay, false},
        {kAge30Days, kNow - 29 * kDay, false}, {kAge30Days, 0, false},
        {kAge90Days, kNow - 91 * kDay, true}, {kAge90Days, kNow - 89 * kDay, false},
        {kAge1Year, kNow - 366 * kDay, true}, {kAge1Year, kNow - 364 * kDay, false},
    };
    for (const auto& c : cases) {
        TCandidateFacts row;
        row.strPath = "E:\\x";
        row.nModified = c.modified;
        const TRowFilter filter = MakeRowFilter("", c.age, kNow);
        EXPECT_EQ(c.shown, PassesRowFilter(row, "e:\\x", filter)) << AgeFilterText(c.age) << " " << c.modified;
        EXPECT_EQ(c.age != kAgeAll, filter.IsActive());
    }
    EXPECT_STREQ("全部", AgeFilterText(kAgeAll));
    EXPECT_STREQ("1 年前", AgeFilterText(kAge1Year));
}

}  // namespace
