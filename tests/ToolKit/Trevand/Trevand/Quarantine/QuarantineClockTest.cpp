// How far a disk's quarantine believes the clock: a clock far off the time
// the disk last saw, either way, is believed only after it has run on for
// KeepDays from where it was first seen; moves made under a clock that is
// not believed, or behind the mark, are stamped again by a later start.
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineClock.h"

#include <gtest/gtest.h>

using quarantine::JudgeStartClock;
using quarantine::StampMove;
using quarantine::TakesNewStamp;
using quarantine::TClockJudgement;
using quarantine::TDiskTime;

namespace {

const int64_t kHour = 3600;
const int64_t kDay = 86400;
const int64_t kYear = 365 * kDay;
const int64_t kSeen = 1796981400;     // 2026-12-11
const int64_t kFar = kSeen + 3 * kYear;  // where a bad time sync put the clock

TEST(QuarantineClock, AStartBelievesAClockNearTheMarkAndOneFarOffOnlyOnceItHasRunOnKeepDays) {
    const struct {
        const char* what;
        TDiskTime disk;
        int64_t now;
        int keepDays;
        bool trusted;
        bool restamps;
        TDiskTime next;
    } cases[] = {
        {"nothing seen yet", {0, 0}, kSeen, 7, true, true, {kSeen, 0}},
        {"an hour on", {kSeen, 0}, kSeen + kHour, 7, true, true, {kSeen + kHour, 0}},
        {"a month on, the edge", {kSeen, 0}, kSeen + 30 * kDay, 7, true, true, {kSeen + 30 * kDay, 0}},
        {"an hour behind: purges less, stamps nothing", {kSeen, 0}, kSeen - kHour, 7, true, false, {kSeen, 0}},
        {"a second past a month on", {kSeen, 0}, kSeen + 30 * kDay + 1, 7, false, false, {kSeen, kSeen + 30 * kDay + 1}},
        {"three years ahead", {kSeen, 0}, kFar, 7, false, false, {kSeen, kFar}},
        {"three years behind (dead battery)", {kSeen, 0}, kSeen - 3 * kYear, 7, false, false, {kSeen, kSeen - 3 * kYear}},
        {"still ahead three days later", {kSeen, kFar}, kFar + 3 * kDay, 7, false, false, {kSeen, kFar}},
        {"ran on a second short of KeepDays", {kSeen, kFar}, kFar + 7 * kDay - 1, 7, false, false, {kSeen, kFar}},
        {"ran on KeepDays: believed", {kSeen, kFar}, kFar + 7 * kDay, 7, true, true, {kFar + 7 * kDay, 0}},
        {"jumped again past the wait", {kSeen, kFar}, kFar + 40 * kDay, 7, false, false, {kSeen, kFar + 40 * kDay}},
        {"went back before it was first seen", {kSeen, kFar}, kFar - kDay, 7, false, false, {kSeen, kFar - kDay}},
        {"back near the mark after a jump", {kSeen, kFar}, kSeen + kDay, 7, true, true, {kSeen + kDay, 0}},
        {"KeepDays 0 still waits a day", {kSeen, kFar}, kFar + 12 * kHour, 0, false, false, {kSeen, kFar}},
        {"KeepDays 0 after a day", {kSeen, kFar}, kFar + kDay, 0, true, true, {kFar + kDay, 0}},
    };
    for (const auto& c : cases) {
        const TClockJudgement judgement = JudgeStartClock(c.disk, c.now, c.keepDays);
        EXPECT_EQ(c.trusted, judgement.bTrusted) << c.what;
        EXPECT_EQ(c.restamps, judgement.bRestamps) << c.what;
        EXPECT_EQ(c.next.nSeen, judgement.next.nSeen) << c.what;
        EXPECT_EQ(c.next.nFarSince, judgement.next.nFarSince) << c.what;
    }
}

TEST(QuarantineClock, AMoveIsUnsureBehindTheMarkOrFarOffItAndOnlyASureOneRaisesTheMark) {
    const struct {
        const char* what;
        TDiskTime disk;
        int64_t now;
        bool unsure;
        TDiskTime next;
    } cases[] = {
        {"nothing seen yet", {0, 0}, kSeen, false, {kSeen, 0}},
        {"a day on", {kSeen, 0}, kSeen + kDay, false, {kSeen + kDay, 0}},
        {"at the mark", {kSeen, kFar}, kSeen, false, {kSeen, 0}},
        {"a minute behind", {kSeen, 0}, kSeen - 60, true, {kSeen, 0}},
        {"years behind", {kSeen, 0}, kSeen - 25 * kYear, true, {kSeen, 0}},
        {"far ahead", {kSeen, kFar}, kFar, true, {kSeen, kFar}},
    };
    for (const auto& c : cases) {
        const quarantine::TMoveStamp stamp = StampMove(c.disk, c.now);
        EXPECT_EQ(c.unsure, stamp.bTimeUnsure) << c.what;
        EXPECT_EQ(c.next.nSeen, stamp.next.nSeen) << c.what;
        EXPECT_EQ(c.next.nFarSince, stamp.next.nFarSince) << c.what;
    }
}

TEST(QuarantineClock, OnlyAStartThatStampsTakesUnsureAndFutureRecords) {
    TClockJudgement stamps;
    stamps.bTrusted = stamps.bRestamps = true;
    TClockJudgement behind;
    behind.bTrusted = true;
    const TClockJudgement refused;
    EXPECT_TRUE(TakesNewStamp(kSeen - kYear, true, kSeen, stamps));
    EXPECT_TRUE(TakesNewStamp(kSeen + kDay, false, kSeen, stamps));
    EXPECT_FALSE(TakesNewStamp(kSeen, false, kSeen, stamps));
    EXPECT_FALSE(TakesNewStamp(kSeen - kDay, false, kSeen, stamps));
    EXPECT_FALSE(TakesNewStamp(kSeen + kDay, true, kSeen, behind));
    EXPECT_FALSE(TakesNewStamp(kSeen + kDay, true, kSeen, refused));
}

}  // namespace
