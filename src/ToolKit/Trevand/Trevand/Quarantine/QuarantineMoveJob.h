// "隔离": the deletion window's job that moves the ticked entries of the main
// window into the quarantine of their own disks instead of deleting them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "ToolKit/Trevand/Trevand/DelDirJob.h"

// What the list knows of an entry when it is ticked: its size goes into its
// record (a folder not sized yet is recorded with what is known, 0).
struct TQuarantineCandidate {
    uint64_t nSize = 0;
};

// Moves every ticked path (a key of `candidates`) into batch `batch` at time
// `now` (seconds since 1970 UTC); each moved entry's row leaves the main
// window's list. A disk whose quarantine cannot be opened or made moves
// nothing: its entries stay, and the summary says why.
std::unique_ptr<CDelDirJob> MakeQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates,
                                                  std::string batch, int64_t now);
