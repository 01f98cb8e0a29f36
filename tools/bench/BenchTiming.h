// Timing helpers shared by the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

// How long `work` takes, in milliseconds.
inline double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The middle value of `times` (the upper middle one for an even count).
// REQUIRES: `times` is not empty.
inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One line of figures: a measured time beside its baseline from the same run,
// and their ratio.
inline void Report(const char* what, double measured, const char* baseline, double base) {
    std::printf("%-44s %9.1f ms   %-34s %9.1f ms   ratio %.2fx\n", what, measured, baseline, base, measured / base);
}

}  // namespace bench
