// One candidate as the main window's list shows it, in plain values. The
// list's orders and its export are decided on these alone, so those rules
// build and are tested without a window.
#pragma once

#include <cstdint>
#include <string>

#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"

// What a row shows of its candidate, apart from the tick. The main window's
// table keeps one per row (ListRowInfo) and sorts on them.
struct TCandidateFacts {
    std::string strPath;  // the candidate's full path, equal to the map key
    std::string strName;  // the entry's name as found on disk
    bool bDir = false;
    // A file's bytes from the listing; a folder's from the sizer once
    // bSizeKnown is set (until then nSize is 0 and means nothing).
    uint64_t nSize = 0;
    bool bSizeKnown = false;
    // The sizer could not read all of the folder's tree: nSize is the part it
    // could, shown and summed with a "+".
    bool bSizePartial = false;
    int64_t nModified = 0;  // last write, seconds since 1970 UTC; 0 unknown
};

// What the scan tells of a candidate: a folder's size is not known until it
// has been sized.
inline TCandidateFacts FactsOf(const UnLoadPathInfo& info) {
    TCandidateFacts facts;
    facts.strPath = info.strPath;
    facts.strName = info.strName;
    facts.bDir = info.bDir;
    facts.nSize = info.bDir ? 0 : info.nSize;
    facts.bSizeKnown = !info.bDir;
    facts.nModified = info.nModified;
    return facts;
}

// A candidate with its row's tick, as the export writes it. The operator
// flips a tick in the row's check box without the table hearing of it, so
// this is a copy taken when it is needed, never kept.
struct TListedCandidate : TCandidateFacts {
    bool bChecked = false;
};
