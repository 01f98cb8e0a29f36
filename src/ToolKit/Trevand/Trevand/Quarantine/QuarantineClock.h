// How far the quarantine of one disk trusts the system clock, as pure
// functions: no file system, so they are tested on the host.
//
// The KeepDays purge deletes for good what the clock says is old enough. A
// server's clock can be wrong: years ahead after a bad time sync, years
// behind after booting with a dead battery before its sync. So each disk's
// quarantine remembers the latest time it has seen (TDiskTime), and
//   - a clock within kClockTolerance of that mark is trusted;
//   - a clock far off it, either way, is not: nothing is purged, and moves
//     made meanwhile are stamped as unsure. Such a clock is believed only
//     once it has run on from where it was first seen far off for KeepDays
//     days (at least one): a server that was off for months then purges
//     again, and a wrong clock never purges an entry the disk has seen held
//     for fewer than KeepDays days;
//   - records whose time cannot be believed (stamped unsure, or dated after a
//     trusted clock that is not behind the mark) are stamped again with that
//     clock's time, so they expire KeepDays after it and never earlier.
#pragma once

#include <cstdint>

namespace quarantine {

// How far the clock may be from the disk's mark and still be believed: a
// server whose quarantine is not looked at for a month is usual; one whose
// clock moved by more than that is not.
const int64_t kClockToleranceSeconds = 30 * 86400;

// What a disk's quarantine remembers of time (seconds since 1970 UTC).
struct TDiskTime {
    int64_t nSeen = 0;     // the latest trusted time it has seen; 0: none yet
    int64_t nFarSince = 0;  // when the clock was first seen far off nSeen; 0: it was not
    bool operator==(const TDiskTime& other) const {
        return nSeen == other.nSeen && nFarSince == other.nFarSince;
    }
};

// What a start makes of the clock.
struct TClockJudgement {
    bool bTrusted = false;   // the purge may go by `now`
    bool bRestamps = false;  // unsure and future records take `now` as their time
    TDiskTime next;          // what the disk remembers from now on
};

// The clock `now` at a start, for a disk that remembers `disk`, with
// entries kept `keepDays` days.
TClockJudgement JudgeStartClock(const TDiskTime& disk, int64_t now, int keepDays);

// A move at `now`: whether its record's time is unsure, and what the disk
// remembers afterwards (a trusted clock raises the mark; a move never
// believes a clock far off it, only a start does).
struct TMoveStamp {
    bool bTimeUnsure = false;
    TDiskTime next;
};
TMoveStamp StampMove(const TDiskTime& disk, int64_t now);

// Whether a run that picks entries by their age may go by `now`: the disk
// has seen no time yet, or `now` is within the tolerance of what it saw.
// (A start's purge that believes a clock moves the mark to it.)
bool BelievesForAges(const TDiskTime& disk, int64_t now);

// Whether a record stamped `quarantined` (`unsure` as stored) takes `now` as
// its time after a start judged `judgement`.
bool TakesNewStamp(int64_t quarantined, bool unsure, int64_t now, const TClockJudgement& judgement);

}  // namespace quarantine
