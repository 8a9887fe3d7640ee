// Loading and sorting a large list, against the direct list view work each
// one cannot avoid, measured in the same run. Prints ratios.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "bench/timing.h"
#include "list/entry_list.h"
#include "list/list_file.h"

namespace {

constexpr int kRows = 20000;
constexpr int kRounds = 5;

struct Row {
    std::string f[5];
};

std::vector<Row> MakeRows() {
    std::vector<Row> rows(kRows);
    unsigned seed = 12345;
    for (int i = 0; i < kRows; ++i) {
        seed = seed * 1103515245u + 12345u;
        char name[64];
        std::snprintf(name, sizeof name, "saver%08u.scr", seed % 100000000u);
        rows[i].f[0] = name;
        rows[i].f[1] = std::to_string(seed % 120);
        rows[i].f[2] = "C:\\Screen Savers\\collection" + std::to_string(seed % 50) + "\\";
        bool archived = (seed >> 8) % 3 == 0;
        rows[i].f[3] = archived ? "書庫(LZH)" : "ｽｸﾘｰﾝｾｰﾊﾞｰ";
        rows[i].f[4] = archived ? "pack" + std::to_string(seed % 400) + ".lzh" : "";
    }
    return rows;
}

void WriteList(const char* path, const std::vector<Row>& rows) {
    std::string text = "Ver,3.00\r\n";
    for (const Row& r : rows) {
        text += "SCR," + r.f[0] + "," + r.f[1] + "," + r.f[2] + "," + r.f[3] + ",";
        text += r.f[4].empty() ? "NULL,EOD\r\n" : r.f[4] + ",EOF\r\n";
    }
    FILE* f = std::fopen(path, "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

// The floor for loading: the same rows put into the list view directly.
double DirectInsert(const std::vector<Row>& rows) {
    SendMessageA(EntryListView, LVM_DELETEALLITEMS, 0, 0);
    auto start = Clock::now();
    SendMessageA(EntryListView, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kRows; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.lParam = i + 1;
        item.pszText = const_cast<char*>(rows[i].f[0].c_str());
        SendMessageA(EntryListView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < 5; ++c) {
            LVITEMA sub{};
            sub.iSubItem = c;
            sub.pszText = const_cast<char*>(rows[i].f[c].c_str());
            SendMessageA(EntryListView, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
        }
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
    AppInstance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    InitCommonControlsEx(&icc);
    RegisterMainWindowClass();
    if (!CreateMainWindow()) return 1;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "zelvista-bench.lst";
    std::vector<Row> rows = MakeRows();
    WriteList(path.c_str(), rows);

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
