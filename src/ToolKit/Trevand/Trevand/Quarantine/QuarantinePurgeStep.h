// Deleting one quarantined entry for good: the step both the purge in the
// deletion window ("彻底删除", "清空隔离区") and the purge of expired entries at
// start-up take for each record.
#pragma once

#include <cstdint>

#include "ToolKit/Trevand/Trevand/DelDirJob.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"

class CEntryDeleter;
class CQuarantineDisk;

// Marks the record as being purged, deletes its stored entry — the path the
// database holds for record.nId, whatever `record` says — through `deleter`
// (never through a link; logged as every deletion is), then drops the record
// when the entry is gone or holds it again when anything stayed, marked
// incomplete when part of a folder went, or as links only when nothing else
// stayed. Nothing is deleted when a folder between the drive and the entry
// is a link, or when the entry cannot be read (it is not gone): both are
// logged and count as left. Done means gone. Adds the bytes freed to
// *bytes. A record that is no longer held (restored or purged meanwhile) is
// left alone and counts as left. REQUIRES: `disk` open, and the record's own.
CDelDirJob::Fate PurgeRecord(CQuarantineDisk& disk, const TQuarantineRecord& record, CEntryDeleter& deleter,
                             uint64_t* bytes);
