#pragma once
// The moment a start-up child reports: CLOCK_MONOTONIC in nanoseconds, one decimal line on stdout,
// written right after the first frame reached the X server.

#include <cstdint>
#include <cstdio>
#include <ctime>

inline std::int64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

inline void ReportFirstFrame() {
    std::printf("%lld\n", static_cast<long long>(MonotonicNs()));
    std::fflush(stdout);
}
