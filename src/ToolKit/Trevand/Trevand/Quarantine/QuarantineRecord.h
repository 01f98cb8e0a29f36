// One quarantined entry, in plain values: what the quarantine window lists and
// what restoring or purging it needs.
#pragma once

#include <cstdint>
#include <string>

struct TQuarantineRecord {
    int64_t nId = 0;              // the record's key in its disk's database
    std::string strBatch;         // the batch it was moved in with ("20261211-093000")
    std::string strOriginalPath;  // where it was: "E:\Games\Old"
    std::string strStoredPath;    // where it is: "E:\TrevandQuarantine\20261211-093000\Games\Old"
    bool bDir = false;
    uint64_t nSize = 0;         // bytes when it was moved (a folder's tree as the sizer saw it)
    int64_t nQuarantined = 0;   // when it was moved, seconds since 1970 UTC
    // nSize is only what was known at the move: a folder moved before the
    // sizer reached its end. Shown and summed with a "+", as the list does.
    bool bSizeAtLeast = false;
    // A purge began on it and stopped, failed or crashed part way: what is
    // held may be only part of what was moved.
    bool bIncomplete = false;
    // What a purge left of it is links (and the folders holding them), which
    // are never deleted: the KeepDays purge stops trying.
    bool bOnlyLinks = false;
    // nQuarantined came from a clock that could not be trusted (behind the
    // latest time the disk had seen, or far off it): the entry's age is not
    // known until a start with a trusted clock stamps it again.
    bool bTimeUnsure = false;
};
