// Internal to the platform code: a C runtime calendar record as LocalTime.
#pragma once

#include <ctime>

#include "comm/platform/Clock.h"

namespace platform {

inline LocalTime LocalTimeFromTm(const std::tm& tm, unsigned milliseconds) {
    LocalTime local;
    local.year = static_cast<unsigned>(tm.tm_year + 1900);
    local.month = static_cast<unsigned>(tm.tm_mon + 1);
    local.day = static_cast<unsigned>(tm.tm_mday);
    local.hour = static_cast<unsigned>(tm.tm_hour);
    local.minute = static_cast<unsigned>(tm.tm_min);
    local.second = static_cast<unsigned>(tm.tm_sec);
    local.millisecond = milliseconds;
    return local;
}

}  // namespace platform
