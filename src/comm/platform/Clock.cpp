#include "comm/platform/Clock.h"

#include <chrono>

namespace platform {

WallClock NowWallClock() {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    WallClock now;
    now.seconds = sinceEpoch / 1000;
    now.milliseconds = static_cast<unsigned>(sinceEpoch % 1000);
    return now;
}

}  // namespace platform
