// Deleting quarantined entries for good ("彻底删除", "清空隔离区", and the purge
// of expired entries): the stored entries are deleted by the deletion
// window's worker, with its link safety, its log lines and its summary, and
// each record is settled through its disk (BeginPurge before, EndPurge after).
#pragma once

#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"

namespace Vellum {
class CWindowWnd;
}

// UI thread. Shows the deletion window modal over `owner` deleting the
// stored entries of `records` and returns once it has closed and its worker
// is done, with its summary line. When a request to end the program came
// meanwhile, the deletion stopped after its current entry and the quit
// message has been posted again for the caller's loop to see.
std::string RunQuarantinePurge(Vellum::CWindowWnd& owner, const std::vector<TQuarantineRecord>& records);
