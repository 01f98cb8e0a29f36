// Windows only: reading the files an unattended run leaves, for the tests
// that run it as the real Trevand.exe and those that call it in-process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/Cafe.h"
#include "support/DiskListing.h"

namespace unattendedtest {

const int64_t kDay = 86400;

// One line of a CSV file as UTF-8 fields (the files hold no quoted field
// with a line break).
using CsvLine = std::vector<std::string>;
std::vector<CsvLine> ReadCsv(const std::string& path);

// The code page 936 text `gbk` in UTF-8, as the report files hold it.
std::string Utf8(const std::string& gbk);

std::string ThisMachine();

// The names of the files in `folder`.
std::vector<std::string> FilesIn(const std::string& folder);

// The one file of `folder` whose name ends in `suffix` ("_汇总.csv"), with
// the machine's name and a time before it; "" when there is not exactly one.
std::string ReportFile(const std::string& folder, const std::string& suffix);

// The bytes of the files below `folder` as the listing has them (links
// are listed but never entered, so nothing behind one counts).
uint64_t BytesBelow(const testsupport::DiskListing& listing, const std::string& folder);

// Ages for the policy: what was written 200 days ago, and yesterday.
struct Ages {
    int64_t old = 0;
    int64_t recent = 0;
};
Ages AgesNow();

// The quarantine of `drive` has seen the time go by from `since` until now,
// as it does on a server where Trevand starts every few weeks: each start
// with a clock it believes moves on what it remembers.
void StartsSince(char drive, int64_t since);

// Master café whose entries are old or recent: E:\Games\Old is old through
// and through; E:\Games\Live is old itself but holds a file written
// yesterday; E:\big.dat (3 MB) and E:\old.txt are old, E:\new.txt recent;
// F:\x.dat is old.
testsupport::CafeDescription PolicyCafe();

// The batch folder a run made in `drive`'s quarantine ("20261211-030000"),
// or "" when there is not exactly one.
std::string OnlyBatch(char drive);

// Path and result of each line of a moves CSV.
std::vector<std::vector<std::string>> MovedPaths(const std::string& movesCsv);

}  // namespace unattendedtest
