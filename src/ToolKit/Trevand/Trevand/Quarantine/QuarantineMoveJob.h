// "隔离": the deletion window's job that moves the ticked entries of the main
// window into the quarantine of their own disks instead of deleting them.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ToolKit/Trevand/Trevand/DelDirJob.h"
#include "comm/platform/Clock.h"

// What the list knows of an entry when it is ticked: its size goes into its
// record; a folder not sized yet, or only in part, is recorded with what is
// known, as a lower bound.
struct TQuarantineCandidate {
    uint64_t nSize = 0;
    bool bSizeAtLeast = false;
};

// Moves every ticked path (a key of `candidates`) into batch `batch` at time
// `now` (seconds since 1970 UTC). `entryFinished` (worker thread; may be
// empty) hears of each path once its turn is over, whatever became of it:
// the main window takes the row off its list. A disk whose quarantine cannot
// be opened or made moves nothing: its entries stay, and the summary says why.
std::unique_ptr<CDelDirJob> MakeQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates,
                                                  std::string batch, int64_t now,
                                                  std::function<void(const std::string&)> entryFinished);
// The same for the main window's ticked entries: each one's row leaves its list.
std::unique_ptr<CDelDirJob> MakeQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates,
                                                  std::string batch, int64_t now);

// The batch name of a move started at `now`: its local time, "20261211-093000".
std::string QuarantineBatchNow(const platform::WallClock& now);
