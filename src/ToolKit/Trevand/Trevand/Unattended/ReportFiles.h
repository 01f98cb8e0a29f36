// The files an unattended run leaves for the operator, or for a chain's
// share where many servers' files sit side by side: one candidate CSV per
// drive (the export's format), one summary CSV, and for a quarantine run the
// entries it moved or would move. Every name starts with the machine's name
// and the run's local time, so files of many servers and runs never collide
// and sort by server, then by time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/Unattended/CandidatePolicy.h"
#include "comm/platform/Clock.h"

// "SRV01_20261211_030000". Characters a file name cannot hold become "_";
// an empty machine name is "UNKNOWN".
std::string ReportFileStem(const std::string& machine, const platform::LocalTime& when);
// "<stem>_候选_E.csv", "<stem>_汇总.csv", "<stem>_隔离.csv".
std::string DriveCsvName(const std::string& stem, char drive);
std::string SummaryCsvName(const std::string& stem);
std::string MovesCsvName(const std::string& stem);

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
    uint32_t nNotMoved = 0;
};

// The counts of `rows`, all of drive `drive`; nSelected from their ticks.
TDriveSummary SummarizeDrive(char drive, const std::vector<TJudgedCandidate>& rows);

// The summary CSV: a title line, then one line per drive with the run's
// header and `outcome`; with no drive (a load that failed) one line with the
// header and `outcome` alone. The columns of the moves are filled only for a
// policy run.
std::string SummaryCsv(const TRunHeader& header, const std::string& outcome, const std::vector<TDriveSummary>& drives);

// What became of one entry the policy selected.
enum class EMoveResult { kMoved, kNotMoved, kGone, kWouldMove };

struct TMoveLine {
    TJudgedCandidate row;
    EMoveResult result = EMoveResult::kWouldMove;
};

// The moves CSV: path, kind, bytes, newest write and what became of it,
// one line per selected entry in the order given.
std::string MovesCsv(const std::vector<TMoveLine>& moves);
