// How the windows write a candidate's size and time for the operator.
#pragma once

#include <cstdint>
#include <string>

// `bytes` in the largest unit that keeps the number at 1 or more: "512 B",
// "1.5 KB", "45.2 MB", "812.4 GB" (units of 1024, one decimal, rounded to the
// nearest tenth). GB is the largest unit: 5 TiB is "5120.0 GB".
std::string FormatSize(uint64_t bytes);

// What the kind column says: "目录" for a folder, "文件" for a file.
const char* KindText(bool bDir);

// A last write time (seconds since 1970 UTC) as this machine's local time,
// "2026-12-10 14:03"; empty for 0 or a time the runtime cannot convert.
std::string FormatModifiedTime(int64_t secondsSince1970);
