#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"

#include <climits>

namespace quarantine {

int ParseKeepDays(const std::string& value) {
    if (value.empty()) return kDefaultKeepDays;
    int days = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return kDefaultKeepDays;
        const int digit = c - '0';
        if (days > (INT_MAX - digit) / 10) return kDefaultKeepDays;
        days = days * 10 + digit;
    }
    return days;
}

}  // namespace quarantine
