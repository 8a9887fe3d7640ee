// Timing for the benchmarks: the performance counter, and the median and the
// fastest of rounds.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

// <chrono> does not build with code page 932 literals; the performance
// counter is what it would use anyway.
struct Clock {
    static LONGLONG now() {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return t.QuadPart;
    }
};

inline double Seconds(LONGLONG a, LONGLONG b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b - a) / static_cast<double>(f.QuadPart);
}

// The middle value; of an even count, the mean of the two middle ones; 0 of none.
inline double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The fastest round: the cost with the least interference from other work
// on the machine. 0 of none.
inline double Fastest(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}
