// Where the quarantine keeps things and how long, as pure functions: no file
// system, so they are tested on the host.
//
// Each disk that holds quarantined entries has one hidden folder at its root,
// "X:\TrevandQuarantine", holding the record database and one folder per batch
// (one press of "隔离"); an entry is stored under its batch with its path
// relative to the drive, so Explorer shows where it came from:
//   E:\Games\Old  ->  E:\TrevandQuarantine\20261211-093000\Games\Old
#pragma once

#include <cstdint>
#include <string>

#include "ToolKit/Trevand/Trevand/DB/QuarantineFolderName.h"

namespace quarantine {

// The record database's name in the folder (kFolderName).
extern const char kDatabaseName[];  // "Quarantine.db"

// "E:\TrevandQuarantine" for drive 'E' (or 'e'); "" when `drive` is no ASCII
// letter.
std::string FolderOfDrive(char drive);

// The drive letter of a full path ("E:\Games" gives 'E', upper-cased); 0 when
// the path does not start with a letter and a colon.
char DriveOfPath(const std::string& path);

// The batch name for a move started at local time `time`: "YYYYMMDD-HHMMSS".
std::string BatchName(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute, unsigned second);

// Where `original` ("E:\Games\Old") is stored in `batch`:
// "E:\TrevandQuarantine\<batch>\Games\Old" (the drive letter upper-cased,
// the rest byte for byte). Empty when the result would not be a place of its
// own below the batch: `original` is no full path below a drive root (a root,
// "E:Games", "\Games"), has an empty, "." or ".." name in it, or is the
// quarantine folder or inside it; or `batch` is not one such name (nor one
// ending in a dot or a blank, which the usual form of a path trims, nor in a
// lead byte, which would swallow the separator after it); or either holds a
// NUL. A name of `original` ending in a dot or a blank ("Old.") is its own:
// every file call addresses it exactly. Names are split character by
// character (the trail byte 0x5C of 誠 splits nothing).
std::string StoredPath(const std::string& original, const std::string& batch);

// Whole days an entry quarantined at `quarantined` has left at `now` when
// entries are kept `keepDays` days: keepDays minus the whole days passed,
// never below 0, and never above keepDays (a `now` before `quarantined`, a
// clock set back, counts as no day passed). A keepDays below 1 gives 0.
// Times in seconds since 1970 UTC; any two of them are handled.
int DaysLeft(int64_t quarantined, int64_t now, int keepDays);

// Whether an entry quarantined at `quarantined` is due for the purge at `now`:
// at least keepDays * 86400 seconds old; with keepDays 0 every entry is.
// The same as DaysLeft(...) == 0, so the two never disagree.
bool IsExpired(int64_t quarantined, int64_t now, int keepDays);

}  // namespace quarantine
