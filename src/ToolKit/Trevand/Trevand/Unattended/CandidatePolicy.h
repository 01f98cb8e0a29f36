// Which candidates an unattended quarantine run moves: those no one has
// written to for the given number of days and that are at least the given
// size, judged on what the scan and the folder sizer saw.
#pragma once

#include <cstdint>

#include "ToolKit/Trevand/Trevand/ListedCandidate.h"

struct TQuarantinePolicy {
    uint32_t nOlderThanDays = 0;
    uint64_t nMinBytes = 0;
    char chDrive = 0;  // upper-case letter; 0 for every drive
};

// A candidate with the newest last write the run saw in it: a file's own;
// for a folder the newest of its own and of every entry of its tree the
// sizer walked (links not entered, as the sizer never enters them). A game
// that keeps writing deep inside its folder leaves the folder's own time
// untouched, so the folder's own time alone would call a live game old.
struct TJudgedCandidate : TListedCandidate {
    int64_t nNewestWrite = 0;  // seconds since 1970 UTC; 0 unknown
};

enum class EPolicyVerdict {
    kSelected,
    kOtherDrive,    // "/drive" names another disk
    kNotFullyRead,  // a folder whose size or times are known only in part (or not at all)
    kTimeUnknown,
    kTooRecent,     // written to within the days given (or dated in the future)
    kTooSmall,
};

// The verdict on `candidate` at time `now` (seconds since 1970 UTC): old
// enough when its newest write lies more than nOlderThanDays whole days
// before `now`; large enough when its bytes are at least nMinBytes. A
// folder not read to its end is never selected: what could not be read
// cannot be judged old.
EPolicyVerdict JudgeCandidate(const TJudgedCandidate& candidate, const TQuarantinePolicy& policy, int64_t now);

// The words the run's files use for a verdict ("符合条件", "修改时间太近", …).
const char* VerdictText(EPolicyVerdict verdict);
