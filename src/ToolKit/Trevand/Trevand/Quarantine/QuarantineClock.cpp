#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineClock.h"

#include <algorithm>

namespace quarantine {
namespace {

const int64_t kSecondsPerDay = 86400;

// Whether `now` is within the tolerance of the mark `seen`, either way.
bool IsNear(int64_t seen, int64_t now) {
    return now >= seen ? now - seen <= kClockToleranceSeconds : seen - now <= kClockToleranceSeconds;
}

// How long a clock first seen far off the mark must run on before it is
// believed: KeepDays, so that nothing the disk saw moved in is purged before
// the clock itself has counted that long; at least a day, so that a wrong
// clock is never believed at the very next start.
int64_t WaitBeforeBelieving(int keepDays) { return static_cast<int64_t>(std::max(keepDays, 1)) * kSecondsPerDay; }

}  // namespace

TClockJudgement JudgeStartClock(const TDiskTime& disk, int64_t now, int keepDays) {
    TClockJudgement judgement;
    if (disk.nSeen == 0 || IsNear(disk.nSeen, now)) {
        judgement.bTrusted = true;
        // A clock behind the mark (within the tolerance) may purge, which
        // only purges less; stamping records with it would age them.
        judgement.bRestamps = now >= disk.nSeen;
        judgement.next.nSeen = std::max(disk.nSeen, now);
        return judgement;
    }
    const int64_t wait = WaitBeforeBelieving(keepDays);
    const int64_t since = disk.nFarSince;
    if (since != 0 && now >= since + wait && now - (since + wait) <= kClockToleranceSeconds) {
        // It has run on, at a clock's pace, from where it was first seen far off.
        judgement.bTrusted = true;
        judgement.bRestamps = true;
        judgement.next.nSeen = now;
        return judgement;
    }
    judgement.next = disk;
    // A clock that went back before it was first seen far off, or jumped
    // again, starts its wait anew.
    if (since == 0 || now < since || now >= since + wait) judgement.next.nFarSince = now;
    return judgement;
}

TMoveStamp StampMove(const TDiskTime& disk, int64_t now) {
    TMoveStamp stamp;
    if (disk.nSeen == 0 || (now >= disk.nSeen && now - disk.nSeen <= kClockToleranceSeconds)) {
        stamp.next.nSeen = now;
        return stamp;
    }
    // Behind the mark the entry would look older than it is; far ahead of
    // it, the time may be years wrong. Either way a start with a clock it
    // trusts stamps it again.
    stamp.bTimeUnsure = true;
    stamp.next = disk;
    return stamp;
}

bool BelievesForAges(const TDiskTime& disk, int64_t now) { return disk.nSeen == 0 || IsNear(disk.nSeen, now); }

bool TakesNewStamp(int64_t quarantined, bool unsure, int64_t now, const TClockJudgement& judgement) {
    return judgement.bRestamps && (unsure || quarantined > now);
}

}  // namespace quarantine
