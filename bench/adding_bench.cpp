// Adding and editing at scale, against the work each one cannot avoid,
// measured in the same run. Prints ratios.
//   adding_bench.exe TREE [ROUNDS]
// TREE is a folder made by bench/adding.sh (screen savers and archives among
// many other files in many folders); the archiver libraries lie beside this
// program.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/installed_archives.h"
#include "archive/archiver.h"
#include "archivers/interface/archiver_interface.h"
#include "base/handles.h"
#include "bench/program_window.h"
#include "bench/sample_rows.h"
#include "bench/timing.h"
#include "list/entry_list.h"
#include "list/folder_search.h"
#include "list/folder_search_ids.h"
#include "list/list_editing.h"
#include "list/list_format.h"
#include "list/row_batch.h"

namespace {

// ---- the floor of the search: a bare enumeration and the libraries' listing

struct Enumerated {
    long files = 0, folders = 0;
    std::vector<std::string> archives[3];  // LZH, ZIP, CAB
};

void Enumerate(const std::string& folder, Enumerated& out) {
    WIN32_FIND_DATAA found;
    const FindHandle listing(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!listing) return;
    std::vector<std::string> subFolders;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (found.cFileName[0] != '.') subFolders.push_back(found.cFileName);
            continue;
        }
        ++out.files;
        const char* dot = std::strrchr(found.cFileName, '.');
        if (!dot) continue;
        static const char* const kinds[3] = {".lzh", ".zip", ".cab"};
        for (int i = 0; i < 3; ++i)
            if (_stricmp(dot, kinds[i]) == 0) out.archives[i].push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(listing.get(), &found));
    for (const std::string& sub : subFolders) {
        ++out.folders;
        Enumerate(folder + "\\" + sub, out);
    }
}

// The library's function of this suffix, under the library's own prefix.
template <typename Function>
Function Export(HMODULE library, int kind, const char* suffix) {
    const std::string name = std::string(kArchiverLibraries[kind].prefix) + suffix;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name.c_str())));
}

// Each archive as any program using the libraries must list it: load the
// library, check, count, open, find every .scr member, close, free.
int ListThroughLibraries(const Enumerated& tree) {
    int members = 0;
    for (int kind = 0; kind < kArchiverLibraryCount; ++kind) {
        for (const std::string& archive : tree.archives[kind]) {
            const ModuleHandle library(
                LoadLibraryExA(Archivers.LibraryPath[kind], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
            if (!library) continue;
            HMODULE m = library.get();
            auto check = Export<ArchiverCheckArchiveFunction>(m, kind, kCheckArchiveSuffix);
            auto count = Export<ArchiverGetFileCountFunction>(m, kind, kGetFileCountSuffix);
            auto open = Export<ArchiverOpenArchiveFunction>(m, kind, kOpenArchiveSuffix);
            auto first = Export<ArchiverFindFirstFunction>(m, kind, kFindFirstSuffix);
            auto next = Export<ArchiverFindNextFunction>(m, kind, kFindNextSuffix);
            auto close = Export<ArchiverCloseArchiveFunction>(m, kind, kCloseArchiveSuffix);
            INDIVIDUALINFO record;
            if (check(archive.c_str(), CHECKARCHIVE_BASIC) && count(archive.c_str()) > 0) {
                if (HARC h = open(MainWindow, archive.c_str(), M_ERROR_MESSAGE_ON)) {
                    for (int r = first(h, "*.SCR", &record); r != -1; r = next(h, &record)) ++members;
                    close(h);
                }
            }
        }
    }
    return members;
}

// ---- the search through the real dialog

struct SearchRun {
    std::string tree;
    double seconds = 0;
    std::string status;
    HWND dialog = nullptr;
};
SearchRun* run;

void SetBox(HWND dialog, int id) {
    if (IsDlgButtonChecked(dialog, id) != BST_CHECKED) SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// From the dialog's own message loop: fill it in as a user would, press
// Start, and close it when the search is done.
void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "スクリーンセーバーの検索");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    SetDlgItemTextA(dialog, IDC_SEARCH_FOLDER, run->tree.c_str());
    for (int id : {IDC_SEARCH_SUBFOLDERS, IDC_SEARCH_ARCHIVES, IDC_SEARCH_LZH, IDC_SEARCH_ZIP, IDC_SEARCH_CAB})
        SetBox(dialog, id);
    LONGLONG start = Clock::now();
    SendMessageA(GetDlgItem(dialog, IDC_SEARCH_START), BM_CLICK, 0, 0);
    run->seconds = Seconds(start, Clock::now());
    char status[512] = "";
    GetDlgItemTextA(dialog, IDC_SEARCH_STATUS, status, sizeof status);
    run->status = status;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

double SearchThroughDialog(const std::string& tree) {
    SearchRun current;
    current.tree = tree;
    run = &current;
    SetTimer(nullptr, 0, 50, DriveDialog);
    FolderSearchDialog(InstalledArchives(), MainWindow);
    run = nullptr;
    return current.seconds;
}

// ---- list view share: the same rows put in directly

double InsertRows(const std::vector<ScreenSaverEntry>& rows) {
    DeleteAllEntryRows();
    LONGLONG start = Clock::now();
    {
        EntryRowBatch batch;  // as the search adds them
        for (const ScreenSaverEntry& e : rows) {
            CurrentEntry = e;
            InsertEntryRow(GetEntryRowCount());
        }
    }
    UpdateWindow(EntryListView);
    return Seconds(start, Clock::now());
}

std::vector<ScreenSaverEntry> AllRows() {
    std::vector<ScreenSaverEntry> rows;
    for (int i = 0; i < GetEntryRowCount(); ++i) {
        ReadEntryRow(i);
        rows.push_back(CurrentEntry);
    }
    return rows;
}

// ---- removing duplicates

// A list of `rows` rows of which `duplicates` repeat earlier ones, scattered.
void FillWithDuplicates(int rows, int duplicates) {
    DeleteAllEntryRows();
    EntryRowBatch batch;
    unsigned seed = 4711;
    const int unique = rows - duplicates;
    std::vector<int> order;  // row i shows unique entry order[i]
    for (int i = 0; i < unique; ++i) order.push_back(i);
    for (int i = 0; i < duplicates; ++i) {
        seed = seed * 1103515245u + 12345u;
        order.push_back(static_cast<int>((seed >> 8) % unique));
    }
    for (int i = rows - 1; i > 0; --i) {
        seed = seed * 1103515245u + 12345u;
        std::swap(order[i], order[(seed >> 8) % (i + 1)]);
    }
    for (int n : order) {
        ScreenSaverEntry& e = CurrentEntry;
        std::snprintf(e.name, sizeof e.name, "saver%06d.scr", n);
        std::snprintf(e.seconds, sizeof e.seconds, "%d", n % 60);
        std::snprintf(e.folder, sizeof e.folder, "C:\\Savers\\set%d\\", n % 97);
        std::snprintf(e.type, sizeof e.type, "%s", n % 3 ? kLooseSaverType : kArchiveTypeText[1]);
        std::snprintf(e.archive, sizeof e.archive, "%s", n % 3 ? "" : "pack.zip");
        InsertEntryRow(GetEntryRowCount());
    }
}

double RemoveDuplicatesOf(int rows, int duplicates) {
    FillWithDuplicates(rows, duplicates);
    LONGLONG start = Clock::now();
    RemoveDuplicateEntries();
    double seconds = Seconds(start, Clock::now());
    if (GetEntryRowCount() != rows - duplicates)
        std::printf("remove duplicates left %d rows, not %d\n", GetEntryRowCount(), rows - duplicates);
    return seconds;
}

// The list view work any removal of many rows costs here: one read of every
// row's texts, emptying the list, and putting the kept rows back directly.
double ListViewFloor(int rows, int duplicates) {
    FillWithDuplicates(rows, duplicates);
    LONGLONG start = Clock::now();
    SendMessageA(EntryListView, WM_SETREDRAW, FALSE, 0);
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(rows) * 5);
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < 5; ++c) {
            char buffer[256] = "";
            LVITEMA item{};
            item.iSubItem = c;
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            SendMessageA(EntryListView, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            texts.emplace_back(buffer);
        }
    }
    SendMessageA(EntryListView, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < rows - duplicates; ++row) {
        const std::string* kept = &texts[static_cast<std::size_t>(row) * 5];
        const char* rowTexts[5] = {kept[0].c_str(), kept[1].c_str(), kept[2].c_str(), kept[3].c_str(),
                                   kept[4].c_str()};
        InsertRowTexts(EntryListView, row, rowTexts);
    }
    SendMessageA(EntryListView, WM_SETREDRAW, TRUE, 0);
    return Seconds(start, Clock::now());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: adding_bench TREE [ROUNDS]\n");
        return 2;
    }
    const std::string tree = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    if (!OpenProgramWindow()) return 1;
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    UpdateWindow(MainWindow);
    for (int i = 0; i < 3; ++i)
        if (!Archivers.Present[i]) std::printf("archiver library %d missing beside the program\n", i);

    Enumerated shape;
    Enumerate(tree, shape);  // also warms the file cache
    const int archives = static_cast<int>(shape.archives[0].size() + shape.archives[1].size() + shape.archives[2].size());
    std::printf("tree: %ld files in %ld folders, %d archives\n", shape.files, shape.folders, archives);

    std::vector<double> floors, enumerations, listings, searches, inserts;
    int rows = 0, members = 0;
    for (int round = 0; round < rounds; ++round) {
        LONGLONG start = Clock::now();
        Enumerated counted;
        Enumerate(tree, counted);
        LONGLONG middle = Clock::now();
        members = ListThroughLibraries(counted);
        LONGLONG end = Clock::now();
        enumerations.push_back(Seconds(start, middle));
        listings.push_back(Seconds(middle, end));
        floors.push_back(Seconds(start, end));

        DeleteAllEntryRows();
        searches.push_back(SearchThroughDialog(tree));
        rows = GetEntryRowCount();
        inserts.push_back(InsertRows(AllRows()));
    }
    const double floor = Median(floors), search = Median(searches), insert = Median(inserts);
    std::printf("rows added by the search: %d (archive members listed by the floor: %d)\n", rows, members);
    std::printf("floor: enumeration %.3f s + listing %d archives %.3f s = %.3f s (medians of %d)\n",
                Median(enumerations), archives, Median(listings), floor, rounds);
    std::printf("folder search through the dialog: %.3f s, ratio %.2f (goal <= 1.5, aim 1.2)\n", search,
                search / floor);
    std::printf("list view: inserting the %d rows %.3f s, %.1f %% of the search\n", rows, insert,
                100.0 * insert / search);

    std::printf("remove duplicates (a quarter of the rows are duplicates, scattered), against the list view floor:\n");
    double previous = 0, previousFloor = 0;
    for (int n : {10000, 20000, 40000}) {
        std::vector<double> times, floors;
        for (int round = 0; round < rounds; ++round) {
            times.push_back(RemoveDuplicatesOf(n, n / 4));
            floors.push_back(ListViewFloor(n, n / 4));
        }
        double t = Median(times), f = Median(floors);
        std::printf("  %5d rows: %.3f s, floor %.3f s, ratio %.2f", n, t, f, t / f);
        if (previous > 0)
            std::printf("; growth from half as many rows %.2f x (floor %.2f x; 2 = linear, 4 = square)", t / previous,
                        f / previousFloor);
        std::printf("\n");
        previous = t;
        previousFloor = f;
    }
    DestroyWindow(MainWindow);
    return 0;
}
