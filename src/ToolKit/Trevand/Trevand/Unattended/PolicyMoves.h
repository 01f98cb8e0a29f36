// Windows only: the changes a quarantine run makes on the disks — the
// quarantines' upkeep as at an interactive start, then the moves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Unattended/ReportFiles.h"
#include "comm/platform/Clock.h"

// Settles and purges the quarantines of `drives` (those that have one), with
// KeepDays from `settingsFile`, as the interactive program does after its
// first load; returns once that is done.
void KeepQuarantines(const std::vector<char>& drives, const std::string& settingsFile, int64_t now);

// Moves each entry of `moves` into the quarantine of its disk, one batch
// started at `now`, through the deletion window's move job and its rules,
// and sets each line's result. True when every entry moved (or was gone).
bool MoveIntoQuarantine(std::vector<TMoveLine>& moves, const platform::WallClock& now);
