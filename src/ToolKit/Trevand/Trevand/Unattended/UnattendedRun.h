// A run without a window, for the Task Scheduler: the interactive program's
// load with the same engine and rules, every folder candidate sized, and the
// report files written (ReportFiles.h). A quarantine run then settles and
// purges the quarantines as an interactive start does and moves the
// candidates the policy selects into the quarantine of their disks — never
// deleting any candidate for good. A dry run writes what it would move and
// changes nothing on any disk.
//
// What it does goes to the day's log; a short account goes to the console
// of whoever started it (ParentConsole.h).
#pragma once

#include <string>

#include "ToolKit/Trevand/Trevand/Unattended/CommandLine.h"

// Runs `args` (not the interactive mode) and returns the exit code.
// `logFolder` (ending in a backslash) is where the files go without "/out";
// `settingsFile` is Trevand.ini with KeepDays.
int RunUnattended(const TUnattendedArgs& args, const std::string& logFolder, const std::string& settingsFile);

// Writes `line` to the log (at `level`) and to the console of whoever
// started the program.
void TellOperator(int level, const std::string& line);
