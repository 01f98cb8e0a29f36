// Wall-clock time and its local calendar form.
#pragma once

#include <cstdint>

namespace platform {

// A moment as seconds since 1970-01-01 00:00 UTC plus milliseconds.
struct WallClock {
    int64_t seconds = 0;
    unsigned milliseconds = 0;
};

// A moment in the machine's local time zone, as the calendar shows it.
struct LocalTime {
    unsigned year = 0;
    unsigned month = 0;  // 1..12
    unsigned day = 0;    // 1..31
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    unsigned millisecond = 0;
};

// The present moment.
WallClock NowWallClock();

// `when` in local time. A moment the runtime cannot convert gives all zeros.
LocalTime ToLocalTime(const WallClock& when);

}  // namespace platform
