// The collections the cleanup engine fills and the windows read. Every map and
// set orders its texts byte-wise (case-sensitive); texts are code page 936.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

// Disk symbol (normally one upper-case drive letter, "E") to a number: purpose
// flags on the master (bit 0 game disk, bit 1 download disk), the row position
// on a secondary.
using ServerDiskMap = std::map<std::string, int32_t>;

// Registered path (no trailing backslash) to "FALSE" (a package, download or
// pre-download folder: left whole) or "TRUE" (an ancestor of one: entered).
using GamePathMap = std::map<std::string, std::string>;

// The class names of the packages; on a download-only disk only entries right
// below the root whose path continues with one of them are examined.
using IdcClassSet = std::set<std::string>;

// One deletion candidate.
struct UnLoadPathInfo {
    bool bDir = false;      // a folder (shown as 目录) or a file (文件)
    std::string strName;    // the entry's own name
    std::string strPath;    // full path, no trailing backslash
    uint64_t nSize = 0;     // a file's bytes, from the scan's listing; 0 for a folder (its tree is sized later)
    int64_t nModified = 0;  // last write time, seconds since 1970-01-01 UTC, from the listing
};

// Full path to its candidate; the scan's result.
using UnLoadPathMap = std::map<std::string, UnLoadPathInfo>;
