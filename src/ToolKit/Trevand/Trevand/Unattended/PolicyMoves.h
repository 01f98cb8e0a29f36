// Windows only: the changes a quarantine run makes on the disks — the
// quarantines' upkeep as at an interactive start, then the moves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Unattended/ReportFiles.h"
#include "comm/platform/Clock.h"

// What the quarantines' purge came to.
struct TPurgeOutcome {
    // It ran to its end on every disk with a quarantine; false when it could
    // not start or was stopped, and what expired then stays unreported.
    bool bFinished = true;
    std::vector<TPurgeLine> lines;  // each expired entry it took up
    // Disks whose quarantine did not believe the clock, and purged nothing.
    std::vector<char> clockRefused;
};

// Settles and purges the quarantines of `drives` (those that have one), with
// KeepDays from `settingsFile`, as the interactive program does after its
// first load; returns once that is done, with what became of each expired
// entry.
TPurgeOutcome KeepQuarantines(const std::vector<char>& drives, const std::string& settingsFile, int64_t now);

// Whether the clock `now` may pick entries by their age on a machine with
// the server disks `drives`: the latest time their quarantines have seen
// (none: nothing to go by) is near it (quarantine::BelievesForAges). When
// not, *seen receives that time.
bool ClockBelievedForAges(const std::vector<char>& drives, int64_t now, int64_t* seen);

// Whether the purge deleted everything that expired: it finished, and left
// no entry.
bool PurgeLeftNothing(const TPurgeOutcome& outcome);

// Moves each entry of `moves` still to be moved (kWouldMove) into the
// quarantine of its disk, one batch started at `now`, through the deletion
// window's move job and its rules, and sets each such line's result; the
// others are left as they are.
void MoveIntoQuarantine(std::vector<TMoveLine>& moves, const platform::WallClock& now);
