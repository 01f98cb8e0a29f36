// What an unattended run came to, for the scheduler and for the operator: the
// exit code, and the words the summary's 结果 column gives it. One mapping
// from the one to the other, so that a summary never says "完成" of a run
// whose exit code says something was left undone.
#pragma once

#include "ToolKit/Trevand/Trevand/Unattended/CommandLine.h"

// The exit code of a run that loaded and went to its end. When several
// things went wrong the code says the one the operator must see first: a
// report file not written (what the run did is then in the log alone), then
// selected entries that stayed where they were, then a purge of the
// quarantines that left expired entries or did not run to its end. A
// selected entry the management software registered meanwhile is none of
// these: not moving it was right, and the report says so.
// A clock the quarantines did not believe comes after the moves and before
// the purge: nothing was picked or purged by age, which the operator must
// put right before the next run.
EUnattendedExit RunExitCode(bool allWritten, bool allMoved, bool purgeDone, bool clockBelieved = true);

// The summary's 结果 for `code` ("完成" for kExitDone only), in code page 936.
const char* ExitCodeText(EUnattendedExit code);
