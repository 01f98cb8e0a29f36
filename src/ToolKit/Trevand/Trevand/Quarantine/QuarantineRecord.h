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
};
