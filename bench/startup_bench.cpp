// Start-up: from starting Zelvista.exe with a standard list of 1,000 entries
// to its main window painted, against the same measure for a bare program
// that opens one window with one list view holding the same 1,000 rows, in
// the same run. The figure is the median of each round's own ratio, which a
// slow spell of the machine disturbs least. Also printed: the bare program
// with an empty list view, Zelvista without a list, and the program's private
// memory with 1,000 and 20,000 rows.
//   bench_startup.exe PROGRAM_FOLDER BARE_PROGRAM [ROUNDS]
// PROGRAM_FOLDER holds the built Zelvista.exe and the archiver libraries;
// they are copied into fresh program folders beside a generated standard list.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "base/files.h"
#include "sample_list.h"
#include "timing.h"

namespace {

constexpr int kDefaultRounds = 41;
constexpr DWORD kSettleMs = 300;  // lets the last program's end settle before the next start
constexpr DWORD kWaitMs = 60000;
constexpr char kProgramClass[] = "Zelvista Class";
constexpr char kBareClass[] = "Bare List Class";
constexpr char kSettingsKey[] = "Software\\Tandelworks\\Zelvista";

// A program folder of its own: the program, its libraries and a standard list.
std::string MakeProgramFolder(const std::string& from, const char* name, int rows) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"Zelvista.exe", "unlha32.dll", "unzip32.dll", "cab32.dll"}) {
        if (!CopyFileA((from + file).c_str(), (folder + file).c_str(), FALSE)) return "";
    }
    DeleteFileA((folder + "zelvista.lst").c_str());
    if (rows > 0 && !ReplaceFileContents((folder + "zelvista.lst").c_str(), SampleListText(rows))) return "";
    return folder;
}

// The window of this class that the process shows, once it and every child
// have nothing left to paint; null while that is not so.
HWND PaintedWindow(DWORD processId, const char* windowClass) {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, windowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != processId || !IsWindowVisible(w)) continue;
        if (GetUpdateRect(w, nullptr, FALSE)) return nullptr;
        for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (IsWindowVisible(c) && GetUpdateRect(c, nullptr, FALSE)) return nullptr;
        }
        return w;
    }
    return nullptr;
}

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double seconds = 0;  // wall clock, start to painted
};

// Starts the program and waits until its window is painted.
bool Start(const std::string& program, const char* windowClass, Started& started, const char* arguments = "") {
    std::string command = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const LONGLONG begin = Clock::now();
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started.process))
        return false;
    CloseHandle(started.process.hThread);
    WaitForInputIdle(started.process.hProcess, kWaitMs);
    while (!(started.window = PaintedWindow(started.process.dwProcessId, windowClass)) &&
           Seconds(begin, Clock::now()) * 1000 < kWaitMs)
        Sleep(1);
    started.seconds = Seconds(begin, Clock::now());
    return started.window != nullptr;
}

void Close(Started& started) {
    if (started.window) PostMessageA(started.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.process.hProcess, kWaitMs) != WAIT_OBJECT_0)
        TerminateProcess(started.process.hProcess, 1);
    CloseHandle(started.process.hProcess);
    Sleep(kSettleMs);
}

// Private bytes: the commit charge, which PagefileUsage holds (Wine leaves
// PrivateUsage at 0 for other processes).
double PrivateMegabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

int Fail(const char* what) {
    std::printf("startup bench: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) return Fail("usage: bench_startup PROGRAM_FOLDER BARE_PROGRAM [ROUNDS]");
    const int rounds = argc == 4 ? std::max(1, std::atoi(argv[3])) : kDefaultRounds;
    std::string from = argv[1];
    if (!from.empty() && from.back() != '\\') from += '\\';
    const std::string bare = argv[2];
    const std::string small = MakeProgramFolder(from, "zelvista-startup-1000", 1000);
    const std::string large = MakeProgramFolder(from, "zelvista-startup-20000", 20000);
    const std::string none = MakeProgramFolder(from, "zelvista-startup-0", 0);
    if (small.empty() || large.empty() || none.empty()) return Fail("the program folders could not be made");
    // Stored options could start the program in the tray or at another size.
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);

    // The row counts are read once, in the round that warms the caches.
    auto countRows = [](HWND list) { return list ? SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) : -1; };
    std::vector<double> program, floor, floorRows, empty, pairRatio, rowsRatio;
    // Each round starts the four in turn, so that a slow spell of the machine
    // or of Wine falls on all of them; the goal's ratio is taken round by
    // round, which the spread between rounds disturbs least. Zelvista and the
    // bare program with the rows start twice each, in the order p r b e r p:
    // the two the goal compares sit symmetrically, so neither always meets
    // what the machine or the last program left behind, and a steady drift
    // falls on both alike.
    for (int round = -1; round < rounds; ++round) {
        Started p1, r1, b, e, r2, p2;
        auto startProgram = [&](Started& p) -> const char* {
            if (!Start(small + "Zelvista.exe", kProgramClass, p)) return "Zelvista showed no window";
            const LRESULT rows = round < 0 ? countRows(GetDlgItem(p.window, kEntryListViewId)) : 1000;
            Close(p);
            return rows == 1000 ? nullptr : "Zelvista did not show the 1,000 rows of its standard list";
        };
        auto startBareWithRows = [&](Started& r) -> const char* {
            if (!Start(bare, kBareClass, r, "1000")) return "the bare program showed no window";
            const LRESULT bareRows = round < 0 ? countRows(GetWindow(r.window, GW_CHILD)) : 1000;
            Close(r);
            return bareRows == 1000 ? nullptr : "the bare program did not show its 1,000 rows";
        };
        if (const char* failure = startProgram(p1)) return Fail(failure);
        if (const char* failure = startBareWithRows(r1)) return Fail(failure);
        if (!Start(bare, kBareClass, b)) return Fail("the bare program showed no window");
        Close(b);
        if (!Start(none + "Zelvista.exe", kProgramClass, e)) return Fail("Zelvista showed no window");
        Close(e);
        if (const char* failure = startBareWithRows(r2)) return Fail(failure);
        if (const char* failure = startProgram(p2)) return Fail(failure);
        if (round < 0) continue;
        floor.push_back(b.seconds);
        program.push_back(p1.seconds);
        program.push_back(p2.seconds);
        empty.push_back(e.seconds);
        floorRows.push_back(r1.seconds);
        floorRows.push_back(r2.seconds);
        pairRatio.push_back((p1.seconds + p2.seconds) / (2 * b.seconds));
        rowsRatio.push_back((p1.seconds + p2.seconds) / (r1.seconds + r2.seconds));
    }
    const double t = Median(program), f = Median(floor), fr = Median(floorRows);
    std::printf("rounds: %d, standard list of 1,000 entries; start to painted window, medians\n", rounds);
    std::printf("Zelvista %.3f s; bare program with the same 1,000 rows %.3f s\n", t, fr);
    std::printf("  median of the rounds' own ratios %.3f (goal <= 1.15); ratio of the medians %.3f\n",
                Median(rowsRatio), t / fr);
    std::printf("bare program with an empty list view %.3f s: Zelvista against it %.3f (rounds' own ratios %.3f);\n"
                "  the 1,000 rows cost the bare program %.3f of it\n",
                f, t / f, Median(pairRatio), fr / f);
    std::printf("Zelvista without a standard list %.3f s, ratio to the empty bare program %.3f\n", Median(empty),
                Median(empty) / f);
    std::printf("best of the rounds: Zelvista %.3f s, bare program with the rows %.3f s, ratio %.3f\n",
                Fastest(program), Fastest(floorRows), Fastest(program) / Fastest(floorRows));

    Started b, p1, p20;
    if (!Start(bare, kBareClass, b) || !Start(small + "Zelvista.exe", kProgramClass, p1)) return Fail("no window");
    const double bareMb = PrivateMegabytes(b.process.hProcess), smallMb = PrivateMegabytes(p1.process.hProcess);
    Close(b);
    Close(p1);
    if (!Start(large + "Zelvista.exe", kProgramClass, p20)) return Fail("Zelvista with 20,000 rows showed no window");
    const double largeMb = PrivateMegabytes(p20.process.hProcess);
    std::printf("start to painted window with 20,000 entries: %.3f s\n", p20.seconds);
    Close(p20);
    Started b20;
    if (!Start(bare, kBareClass, b20, "20000")) return Fail("the bare program with 20,000 rows showed no window");
    const double bareLargeMb = PrivateMegabytes(b20.process.hProcess);
    Close(b20);
    std::printf("private memory: Zelvista with 20,000 rows %.1f MB, with 1,000 rows %.1f MB\n", largeMb, smallMb);
    std::printf("private memory: bare program empty %.1f MB, with the same 20,000 rows in its list view %.1f MB\n",
                bareMb, bareLargeMb);
    return 0;
}
