#include <ctime>

#include "comm/platform/LocalTimeFromTm.h"

namespace platform {

LocalTime ToLocalTime(const WallClock& when) {
    const std::time_t seconds = static_cast<std::time_t>(when.seconds);
    std::tm tm{};
    if (localtime_r(&seconds, &tm) == nullptr) {
        return LocalTime{};
    }
    return LocalTimeFromTm(tm, when.milliseconds);
}

}  // namespace platform
