#include "ToolKit/Trevand/Trevand/CandidateText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>

namespace {

TEST(CandidateText, SizesInTheLargestUnitWithOneDecimal) {
    const uint64_t kB = 1024, kM = kB * 1024, kG = kM * 1024;
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1.0 KB"},
        {1536, "1.5 KB"},
        {kB + 51, "1.0 KB"},  // 1.0498: rounds down
        {kB + 52, "1.1 KB"},  // 1.0507: rounds up
        {kM - 1, "1.0 MB"},   // 1023.999 KB rounds to 1024.0: the next unit
        {45 * kM + kM / 5, "45.2 MB"},
        {4 * kG + 1, "4.0 GB"},  // beyond 32 bits
        {812 * kG + 2 * kG / 5, "812.4 GB"},
        {5 * 1024 * kG, "5120.0 GB"},  // GB is the largest unit
        {UINT64_MAX, "17179869184.0 GB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(c.text, FormatSize(c.bytes));
    }
}

TEST(CandidateText, ModifiedTimeIsTheLocalCalendarMinute) {
    // The local moment 2026-12-10 14:03:59, made into seconds by the C
    // runtime's own mktime: the text must give back the same minute.
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 10;
    local.tm_hour = 14;
    local.tm_min = 3;
    local.tm_sec = 59;
    local.tm_isdst = -1;
    const int64_t seconds = static_cast<int64_t>(std::mktime(&local));
    EXPECT_EQ("2026-12-10 14:03", FormatModifiedTime(seconds));
    EXPECT_EQ("", FormatModifiedTime(0));
}

}  // namespace
