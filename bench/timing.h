// Timing for the benchmarks: the performance counter and the median of rounds.
#pragma once
#include <windows.h>

#include <algorithm>
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

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
