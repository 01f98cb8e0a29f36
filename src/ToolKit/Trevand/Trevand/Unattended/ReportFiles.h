// The files an unattended run leaves for the operator, or for a chain's
// share where many servers' files sit side by side: one candidate CSV per
// drive (the export's format), one summary CSV, and for a quarantine run the
// entries it moved or would move and the expired entries the quarantines'
// purge took up. Every name starts with the machine's name and the run's
// local time, so files of many servers and runs never collide and sort by
// server, then by time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Unattended/CandidatePolicy.h"
#include "comm/platform/Clock.h"

// "SRV01_20261211_030000". Characters a file name cannot hold become "_";
// an empty machine name is "UNKNOWN".
std::string ReportFileStem(const std::string& machine, const platform::LocalTime& when);
// "<stem>_候选_E.csv", "<stem>_汇总.csv", "<stem>_隔离.csv", "<stem>_清理.csv".
std::string DriveCsvName(const std::string& stem, char drive);
std::string SummaryCsvName(const std::string& stem);
std::string MovesCsvName(const std::string& stem);
std::string PurgeCsvName(const std::string& stem);

// Who ran what, for every line of the summary.
struct TRunHeader {
    std::string strMachine;
    int nRole = 1;  // 1 master, 2 secondary
    platform::LocalTime when;
    bool bPolicyRun = false;  // "/quarantine"
    bool bDryRun = false;
};

// One drive's line of the summary.
struct TDriveSummary {
    char chDrive = 0;
    uint32_t nCandidates = 0;
    uint32_t nFolders = 0;
    uint32_t nFiles = 0;
    uint64_t nBytes = 0;       // every candidate's known bytes
    uint32_t nPartial = 0;     // folders whose size is only what could be read
    uint32_t nSelected = 0;    // rows the policy selected (ticked)
    uint32_t nMoved = 0;
    uint32_t nNotMoved = 0;    // refused, or not checked against the registrations
    uint32_t nRegistered = 0;  // registered as a package meanwhile, so not moved
    // The quarantine of this drive: expired entries its purge deleted for
    // good, those it left there (whole or in part), and the bytes it freed.
    uint32_t nPurged = 0;
    uint32_t nPurgeLeft = 0;
    uint64_t nPurgeFreedBytes = 0;
};

// The counts of `rows`, all of drive `drive`; nSelected from their ticks.
TDriveSummary SummarizeDrive(char drive, const std::vector<TJudgedCandidate>& rows);

// The summary CSV: a title line, then one line per drive with the run's
// header and `outcome` (ExitCodeText of the run's exit code); with no drive
// (a load that failed) one line with the header and `outcome` alone. The
// columns of the moves are filled only for a policy run, those of the purge
// only for one that is no dry run (a dry run purges nothing).
std::string SummaryCsv(const TRunHeader& header, const std::string& outcome, const std::vector<TDriveSummary>& drives);

// What became of one entry the policy selected.
enum class EMoveResult {
    kMoved,
    kNotMoved,
    kGone,
    kWouldMove,
    kRegistered,  // registered as a package since the load (or holds or lies in one): left in place
    kNotChecked,  // the registrations could not be read again: left in place
};

struct TMoveLine {
    TJudgedCandidate row;
    EMoveResult result = EMoveResult::kWouldMove;
};

// The moves CSV: path, kind, bytes, newest write and what became of it,
// one line per selected entry in the order given.
std::string MovesCsv(const std::vector<TMoveLine>& moves);

// What the quarantines' KeepDays purge did with one expired entry.
enum class EPurgeResult {
    kDeleted,  // gone for good (or gone already)
    kLeft,     // still held, whole or in part: a link inside, an error
    kStopped,  // the purge stopped part way through it; what is left is held
};

struct TPurgeLine {
    std::string strOriginalPath;  // where it was before it was quarantined
    std::string strStoredPath;    // where the quarantine kept it
    bool bDir = false;
    int64_t nQuarantined = 0;  // seconds since 1970 UTC
    EPurgeResult result = EPurgeResult::kDeleted;
    uint64_t nFreedBytes = 0;  // of this entry, also when some of it stayed
};

// The purge CSV: original path, stored path, kind, when it was
// quarantined, what became of it and the bytes freed, one line per expired
// entry in the order given; the title line alone when nothing expired.
std::string PurgeCsv(const std::vector<TPurgeLine>& lines);

// Add to *summary what `moves` and `purged` did on its drive (chDrive; the
// lines of other drives are left out): nMoved, nNotMoved, nRegistered, and
// nPurged, nPurgeLeft, nPurgeFreedBytes.
void CountMoves(const std::vector<TMoveLine>& moves, TDriveSummary* summary);
void CountPurge(const std::vector<TPurgeLine>& purged, TDriveSummary* summary);
