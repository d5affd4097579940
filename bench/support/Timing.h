#pragma once

// The clock the benchmarks read and the median they report.

#include <algorithm>
#include <chrono>
#include <vector>

namespace BenchTiming {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace BenchTiming
