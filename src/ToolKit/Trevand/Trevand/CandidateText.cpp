#include "ToolKit/Trevand/Trevand/CandidateText.h"

#include <cstdio>

#include "comm/platform/Clock.h"

std::string FormatSize(uint64_t bytes) {
    static const char* const kUnits[] = {"KB", "MB", "GB"};
    char text[32];
    if (bytes < 1024) {
        std::snprintf(text, sizeof(text), "%u B", static_cast<unsigned>(bytes));
        return text;
    }
    // Tenths of the unit, rounded once; a value that rounds up to 1024.0 goes
    // to the next unit ("1.0 MB", not "1024.0 KB"). Computed without bytes * 10,
    // which could overflow for the largest sizes.
    int unit = 0;
    uint64_t divisor = 1024;
    uint64_t tenths = 0;
    for (;;) {
        tenths = bytes / divisor * 10 + ((bytes % divisor) * 10 + divisor / 2) / divisor;
        if (unit == 2 || tenths < 10240) break;
        divisor *= 1024;
        ++unit;
    }
    std::snprintf(text, sizeof(text), "%llu.%u %s", static_cast<unsigned long long>(tenths / 10),
                  static_cast<unsigned>(tenths % 10), kUnits[unit]);
    return text;
}

const char* KindText(bool bDir) { return bDir ? "目录" : "文件"; }

std::string FormatModifiedTime(int64_t secondsSince1970) {
    if (secondsSince1970 == 0) return std::string();
    platform::WallClock when;
    when.seconds = secondsSince1970;
    const platform::LocalTime local = platform::ToLocalTime(when);
    if (local.year == 0) return std::string();
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u", local.year, local.month, local.day, local.hour,
                  local.minute);
    return text;
}
