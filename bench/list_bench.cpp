// Loading and sorting a large list, against the direct list view work each
// one cannot avoid, measured in the same run. Prints ratios.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "base/files.h"
#include "bench/program_window.h"
#include "bench/sample_list.h"
#include "bench/timing.h"
#include "list/entry_list.h"
#include "list/list_file.h"

namespace {

constexpr int kRows = 20000;
constexpr int kRounds = 5;

// The rows the list file holds (SampleListText), in the same order.
std::vector<SampleRow> MakeRows() {
    std::vector<SampleRow> rows;
    rows.reserve(kRows);
    unsigned seed = kSampleSeed;
    for (int i = 0; i < kRows; ++i) rows.push_back(MakeSampleRow(seed));
    return rows;
}

// The floor for loading: the same rows put into the list view directly.
double DirectInsert(const std::vector<SampleRow>& rows) {
    SendMessageA(EntryListView, LVM_DELETEALLITEMS, 0, 0);
    auto start = Clock::now();
    SendMessageA(EntryListView, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kRows; ++i) {
        const SampleRow& r = rows[i];
        const char* texts[5] = {r.name, r.seconds, r.folder, SampleTypeText(r), r.archive};
        InsertRowTexts(EntryListView, i, texts);
    }
    SendMessageA(EntryListView, WM_SETREDRAW, TRUE, 0);
    return Seconds(start, Clock::now());
}

// The floor for sorting: one read of every row's text and a std::sort of them.
double ReadAndSort(int column) {
    auto start = Clock::now();
    std::vector<std::string> texts(kRows);
    for (int i = 0; i < kRows; ++i) {
        char buffer[256];
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(EntryListView, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        texts[i] = buffer;
    }
    std::sort(texts.begin(), texts.end());
    return Seconds(start, Clock::now());
}

}  // namespace

int main() {
    if (!OpenProgramWindow()) return 1;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "zelvista-bench.lst";
    const std::vector<SampleRow> rows = MakeRows();
    if (!ReplaceFileContents(path.c_str(), SampleListText(kRows))) {
        std::printf("the list file %s could not be written\n", path.c_str());
        return 1;
    }

    std::vector<double> load, floorLoad, sort, floorSort, clear;
    for (int round = 0; round < kRounds; ++round) {
        floorLoad.push_back(DirectInsert(rows));
        // Both start from an empty list; replacing a full one is timed apart.
        auto start = Clock::now();
        DeleteAllEntryRows();
        clear.push_back(Seconds(start, Clock::now()));
        start = Clock::now();
        LoadListFile(path.c_str());
        load.push_back(Seconds(start, Clock::now()));
        if (GetEntryRowCount() != kRows) {
            std::printf("load gave %d rows\n", GetEntryRowCount());
            return 1;
        }
        int column = round % 5;
        floorSort.push_back(ReadAndSort(column));
        start = Clock::now();
        SortEntryRowsByColumn(column);
        sort.push_back(Seconds(start, Clock::now()));
    }
    DeleteFileA(path.c_str());

    double l = Median(load), fl = Median(floorLoad), s = Median(sort), fs = Median(floorSort);
    std::printf("rows: %d, rounds: %d (medians)\n", kRows, kRounds);
    std::printf("load list file: %.3f s, direct insert: %.3f s, ratio %.2f (goal <= 1.5)\n", l, fl, l / fl);
    std::printf("emptying the full list before a load: %.3f s\n", Median(clear));
    std::printf("column sort:    %.3f s, read + std::sort: %.3f s, ratio %.2f (goal <= 3.0)\n", s, fs, s / fs);
    DestroyWindow(MainWindow);
    return 0;
}
