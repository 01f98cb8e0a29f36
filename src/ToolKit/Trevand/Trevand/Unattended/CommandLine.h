// The switches for unattended runs (Task Scheduler, scripts): what the
// command line asks for, checked strictly before anything is loaded.
//
//   Trevand.exe /report /role master|secondary [/out <folder>]
//   Trevand.exe /quarantine /role master|secondary /older-than <days>
//               [/min-size <MB>] [/drive <letter>] [/dry-run] [/out <folder>]
//
// An empty command line is the interactive program, which reads nothing of
// it. Switch names and role words match without regard to ASCII case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The exit codes of an unattended run, for the scheduler's "last result"
// and for scripts. The interactive program ends with 0, or with 3 when
// another Trevand holds the disks.
enum EUnattendedExit {
    kExitDone = 0,
    kExitBadArguments = 1,    // nothing loaded, nothing moved
    kExitLoadFailed = 2,      // the log says why; the summary file says so
    kExitAnotherRunning = 3,  // another Trevand works on this machine's disks
    kExitNotWritten = 4,      // a report file could not be written
    kExitNotAllMoved = 5,     // some selected entries stayed where they were
    kExitPurgeLeft = 6,       // the quarantines' KeepDays purge left expired entries, or did not run to its end
    kExitClockDistrusted = 7,  // the clock is far off what the disks' quarantines have seen: nothing picked or purged by age
};

struct TUnattendedArgs {
    enum class EMode { kInteractive, kReport, kQuarantine };
    EMode mode = EMode::kInteractive;
    int nRole = 0;            // 1 master, 2 secondary
    std::string strOut;       // "/out": the folder for the report files; "" for the log folder
    uint32_t nOlderThanDays = 0;
    uint64_t nMinSizeMB = 0;  // 0: no size limit
    char chDrive = 0;         // "/drive": upper-case letter, 0 for every server disk
    bool bDryRun = false;
};

// The words of a Windows command line, split as the C runtime splits argv:
// blanks and tabs separate words outside double quotes; a quote toggles
// quoting; 2n backslashes before a quote give n backslashes and the quote
// toggles, 2n+1 give n backslashes and a literal quote; other backslashes are
// kept. Code page 936 characters are stepped over whole, so a trail byte that
// happens to be a backslash (0x5C) is never read as one.
std::vector<std::string> SplitCommandLine(const std::string& line);

// Reads `words` (the command line without the program's name) into *args.
// No words: the interactive mode. Otherwise exactly one of /report and
// /quarantine, a /role, /older-than with /quarantine, each switch at most
// once, numbers whole and non-negative (digits only, within 32 bits), a
// drive one letter ("E", "E:" or "E:\"), /older-than, /min-size, /drive and
// /dry-run only with /quarantine. False, with the reason in *error (a line
// for the operator, code page 936), when anything else is given.
bool ParseUnattendedArgs(const std::vector<std::string>& words, TUnattendedArgs* args, std::string* error);

// The short usage text printed with a refusal.
const char* UnattendedUsage();
