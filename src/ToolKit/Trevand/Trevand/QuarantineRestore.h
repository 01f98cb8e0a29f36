// Windows only: putting quarantined entries back in their original places
// ("还原"), disk by disk, never over anything.
#pragma once

#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"
#include "ToolKit/Trevand/Trevand/QuarantineText.h"

struct TRestoreOutcome {
    std::vector<TQuarantineRecord> restored;  // back where they were; their records are gone
    std::vector<TRestoreRefusal> refused;     // still held, each with its reason
};

// Renames each of `records` back to its original path through its disk's
// quarantine (CQuarantineDisk::Restore: nothing that is at an original path
// is ever overwritten). Entries go back in the byte order of their original
// paths, so a folder comes back before an entry that was inside it and the
// latter finds its place in the folder rather than in a folder made for it
// that the first would then be refused at. Each refusal and each restore is
// logged. Afterwards the folders the restores left empty are removed on every
// disk touched. UI thread (the renames are quick: no copy is ever made).
TRestoreOutcome RestoreRecords(const std::vector<TQuarantineRecord>& records);
