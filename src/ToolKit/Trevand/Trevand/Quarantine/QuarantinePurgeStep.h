// Deleting one quarantined entry for good: the step both the purge in the
// deletion window ("彻底删除", "清空隔离区") and the purge of expired entries at
// start-up take for each record.
#pragma once

#include <cstdint>

#include "ToolKit/Trevand/Trevand/DelDirJob.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"

class CEntryDeleter;
class CQuarantineDisk;

// Marks the record as being purged, deletes its stored entry through
// `deleter` (never through a link; logged as every deletion is), then drops
// the record when the entry is gone or holds it again when anything stayed.
// Adds the bytes freed to *bytes. A record that is no longer held (restored
// or purged meanwhile) is left alone and counts as left. REQUIRES: `disk`
// open, and the record's own.
CDelDirJob::Fate PurgeRecord(CQuarantineDisk& disk, const TQuarantineRecord& record, CEntryDeleter& deleter,
                             uint64_t* bytes);
