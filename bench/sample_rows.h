// The rows of the start-up benchmark's standard list, like a real collection:
// loose screen savers and archive members in a few dozen folders. Shared by
// the benchmark, which writes them as a list file, and the bare program,
// which can put them into its list view directly.
#pragma once
#include <cstdio>
#include <string>

struct SampleRow {
    char name[64], seconds[16], folder[64], archive[32];
    bool archived;
};

inline SampleRow MakeSampleRow(unsigned& seed) {
    seed = seed * 1103515245u + 12345u;
    SampleRow r{};
    r.archived = (seed >> 8) % 3 == 0;
    std::snprintf(r.name, sizeof r.name, "saver%08u.scr", seed % 100000000u);
    std::snprintf(r.seconds, sizeof r.seconds, "%u", seed % 120);
    std::snprintf(r.folder, sizeof r.folder, "C:\\Screen Savers\\collection%u\\", seed % 50);
    if (r.archived) std::snprintf(r.archive, sizeof r.archive, "pack%u.lzh", seed % 400);
    return r;
}
constexpr unsigned kSampleSeed = 12345;
