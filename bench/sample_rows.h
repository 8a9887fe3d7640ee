// The rows of the benchmarks' sample list, like a real collection: loose
// screen savers and archive members in a few dozen folders. Shared by the
// benchmarks, which write them as a list file (sample_list.h), and the bare
// program, which can put them into its list view directly.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

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

// One row's five texts put straight into a report list view at `row`: the
// list view work that loading rows cannot avoid, the floor the benchmarks
// measure the program's own loading against.
inline void InsertRowTexts(HWND list, int row, const char* const texts[5]) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.lParam = row + 1;
    item.pszText = const_cast<char*>(texts[0]);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int c = 1; c < 5; ++c) {
        LVITEMA sub{};
        sub.iSubItem = c;
        sub.pszText = const_cast<char*>(texts[c]);
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    }
}
