#include <ctime>

#include "comm/platform/LocalTimeFromTm.h"

namespace platform {

LocalTime ToLocalTime(const WallClock& when) {
    const __time64_t seconds = when.seconds;
    std::tm tm{};
    if (_localtime64_s(&tm, &seconds) != 0) {
        return LocalTime{};
    }
    return LocalTimeFromTm(tm, when.milliseconds);
}

}  // namespace platform
