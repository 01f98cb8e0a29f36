// The KeepDays value: a whole number of days or the default.
#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(KeepDaysSetting, OnlyAWholeNumberInDigitsIsTakenElseTheDefault) {
    const struct {
        const char* value;
        int days;
    } cases[] = {
        {"7", 7},
        {"0", 0},
        {"30", 30},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"", quarantine::kDefaultKeepDays},
        {"-1", quarantine::kDefaultKeepDays},
        {"+5", quarantine::kDefaultKeepDays},
        {"1.5", quarantine::kDefaultKeepDays},
        {"5 days", quarantine::kDefaultKeepDays},
        {" 5", quarantine::kDefaultKeepDays},
        {"0x10", quarantine::kDefaultKeepDays},
        {"2147483648", quarantine::kDefaultKeepDays},
        {"99999999999999999999", quarantine::kDefaultKeepDays},
        // Full-width digit one (A3 B1).
        {"\xA3\xB1", quarantine::kDefaultKeepDays},
    };
    EXPECT_EQ(7, quarantine::kDefaultKeepDays);
    for (const auto& c : cases) EXPECT_EQ(c.days, quarantine::ParseKeepDays(c.value)) << "\"" << c.value << "\"";
}

}  // namespace
