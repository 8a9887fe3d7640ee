// Loading and sorting a large list, against the direct list view work each
// one cannot avoid, measured in the same run. Prints ratios.
// The sort has two floors: one read of every row's text and a std::sort of
// them; and that, with the list view's own reordering of its rows by the
// order found (LVM_SORTITEMS with a comparison that looks the rank up).
//   bench_list.exe [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
constexpr int kDefaultRounds = 15;  // three of each column

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

// What both sort floors read: every row's text of the column, once, into one
// buffer, and (for the second) each row's parameter with it.
struct ColumnTexts {
    std::vector<char> bytes;
    std::vector<std::size_t> offset;
    std::vector<LPARAM> id;
};

void ReadColumn(int column, bool withIds, ColumnTexts& t) {
    t.bytes.clear();
    t.bytes.reserve(static_cast<std::size_t>(kRows) * 24);
    t.offset.resize(kRows);
    t.id.resize(withIds ? kRows : 0);
    for (int i = 0; i < kRows; ++i) {
        char buffer[256] = "";
        LVITEMA item{};
        item.mask = LVIF_TEXT | (withIds ? LVIF_PARAM : 0);
        item.iItem = i;
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(EntryListView, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        t.offset[i] = t.bytes.size();
        t.bytes.insert(t.bytes.end(), buffer, buffer + std::strlen(buffer) + 1);
        if (withIds) t.id[i] = item.lParam;
    }
}

// The rows' order by their texts, as byte strings.
std::vector<int> SortedOrder(const ColumnTexts& t) {
    std::vector<int> order(kRows);
    for (int i = 0; i < kRows; ++i) order[i] = i;
    const char* base = t.bytes.data();
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return std::strcmp(base + t.offset[a], base + t.offset[b]) < 0; });
    return order;
}

// The first floor: one read of every row's text and a std::sort of them.
double ReadAndSort(int column) {
    auto start = Clock::now();
    ColumnTexts t;
    ReadColumn(column, false, t);
    const std::vector<int> order = SortedOrder(t);
    const double seconds = Seconds(start, Clock::now());
    return order.empty() ? 0 : seconds;
}

// The second floor: the same, each row's parameter read with its text, a
// rank per parameter (equal texts share one), and the list view reorders its
// rows by those ranks, ascending or descending (direction 1 or 2).
struct Ranks {
    LPARAM first = 0;
    std::vector<int> rank;
    int direction = 1;
};
const Ranks* floorRanks;

int CALLBACK CompareRanks(LPARAM a, LPARAM b, LPARAM) {
    const int x = floorRanks->rank[a - floorRanks->first], y = floorRanks->rank[b - floorRanks->first];
    const int r = (x > y) - (x < y);
    return floorRanks->direction == 1 ? r : -r;
}

// Returns the whole time; `reordering` gets the list view's part alone.
double ReadSortAndReorder(int column, int direction, double& reordering) {
    auto start = Clock::now();
    ColumnTexts t;
    ReadColumn(column, true, t);
    const std::vector<int> order = SortedOrder(t);
    Ranks ranks;
    ranks.direction = direction;
    ranks.first = *std::min_element(t.id.begin(), t.id.end());
    ranks.rank.assign(static_cast<std::size_t>(*std::max_element(t.id.begin(), t.id.end()) - ranks.first + 1), 0);
    const char* base = t.bytes.data();
    for (int i = 0, rank = 0; i < kRows; ++i) {
        if (i > 0 && std::strcmp(base + t.offset[order[i - 1]], base + t.offset[order[i]]) != 0) ++rank;
        ranks.rank[t.id[order[i]] - ranks.first] = rank;
    }
    floorRanks = &ranks;
    const auto reorder = Clock::now();
    SendMessageA(EntryListView, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareRanks));
    const auto end = Clock::now();
    floorRanks = nullptr;
    reordering = Seconds(reorder, end);
    return Seconds(start, end);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    if (!OpenProgramWindow()) return 1;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "zelvista-bench.lst";
    const std::vector<SampleRow> rows = MakeRows();
    if (!ReplaceFileContents(path.c_str(), SampleListText(kRows))) {
        std::printf("the list file %s could not be written\n", path.c_str());
        return 1;
    }

    std::vector<double> load, floorLoad, sort, floorSort, floorReorder, reorderAlone, clear;
    for (int round = 0; round < rounds; ++round) {
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
        const int column = round % 5;
        floorSort.push_back(ReadAndSort(column));
        // The direction the column sort is about to take; both start from
        // the rows in the file's order.
        double reordering = 0;
        floorReorder.push_back(ReadSortAndReorder(column, SortDirection[column] == 1 ? 2 : 1, reordering));
        reorderAlone.push_back(reordering);
        DeleteAllEntryRows();
        LoadListFile(path.c_str());
        start = Clock::now();
        SortEntryRowsByColumn(column);
        sort.push_back(Seconds(start, Clock::now()));
    }
    DeleteFileA(path.c_str());

    const double l = Median(load), fl = Median(floorLoad), s = Median(sort), fs = Median(floorSort),
                 fr = Median(floorReorder);
    std::printf("rows: %d, rounds: %d (medians)\n", kRows, rounds);
    std::printf("load list file: %.3f s, direct insert: %.3f s, ratio %.2f (goal <= 1.5)\n", l, fl, l / fl);
    std::printf("emptying the full list before a load: %.3f s\n", Median(clear));
    std::printf("column sort:    %.3f s, read + std::sort: %.3f s, ratio %.2f (goal <= 2.0)\n", s, fs, s / fs);
    std::printf("                read + std::sort + the list view's reordering by rank: %.3f s, ratio %.2f "
                "(goal <= 1.2);\n                the reordering alone %.3f s\n",
                fr, s / fr, Median(reorderAlone));
    DestroyWindow(MainWindow);
    return 0;
}
