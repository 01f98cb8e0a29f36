// Windows only: what the quarantine tests do to a disk's quarantine directly,
// around the part of the program they test: put entries in, look at the
// records, take everything back out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"
#include "support/DiskListing.h"

namespace quarantinetest {

// Moves `original` into the quarantine of its own disk, made when missing,
// in batch kBatch as if at `when`, expecting success; its held record.
TQuarantineRecord PutIn(const std::string& original, int64_t when);

// The held records of `drive`'s quarantine; none when it has none.
std::vector<TQuarantineRecord> HeldOn(char drive);

// Restores every held record of `drive`, expecting each to come back, then
// tidies its quarantine (which goes once empty). How many came back.
size_t RestoreAllHeld(char drive);

// The paths of `before` that `after` lacks.
std::vector<std::string> EntriesGone(const testsupport::DiskListing& before, const testsupport::DiskListing& after);

}  // namespace quarantinetest
