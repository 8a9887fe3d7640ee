// Reliability soak: the changer and full-screen list playback, in turns,
// switching every second through a list of probe screen savers with every
// misbehaviour (hiding the window and lingering, another window class, no
// window, deaf to WM_CLOSE, never ending, ending at once, crashing, the
// user's return) and an archived entry, for a number of switches. Prints the
// program's handles, private memory and GDI/USER objects at the start, every
// 250 switches and at the end, the screen savers left running and the files
// left in the work folder.
//   bench_soak.exe FOLDER [SWITCHES]
// FOLDER holds the probe copies (Soak-*.scr) and probe.zip (member
// ArcProbe.scr); the probes log to FOLDER\soak.log. With SOAK_EACH_PASS set
// in the environment the figures follow every changer run and playback pass.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "base/program_paths.h"
#include "bench/entry_rows.h"
#include "bench/program_window.h"
#include "list/entry_list.h"
#include "list/list_format.h"
#include "play/list_playback.h"
#include "settings/settings.h"
#include "tests/support/heap_use.h"
#include "system/changer.h"

namespace {

// The probes of the list, in its order, with their switch seconds.
const struct {
    const char* name;
    const char* seconds;
} kProbes[] = {
    {"Soak-normal.scr", "1"},
    {"Soak-ownclass.scr", "1"},
    {"Soak-noarg-runs.scr", "1"},
    {"Soak-linger400-end300.scr", "1"},          // hides its window at 0.3 s, ends 0.4 s later
    {"Soak-ownclass-linger400-end300.scr", "1"},
    {"Soak-nowindow.scr", "1"},
    {"Soak-exitnow.scr", "1"},
    {"Soak-crash.scr", "1"},
    {"Soak-ignoreclose.scr", "1"},
    {"Soak-forever.scr", "1"},
    {"Soak-end300.scr", "1"},                    // the user comes back after 0.3 s
};
constexpr char kArchivedMember[] = "ArcProbe.scr";
constexpr int kReportEvery = 250;

struct Figures {
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
    DWORD gdi = 0, user = 0;
    SIZE_T heapInUse = 0;
};

// The process's open kernel handles, counted one by one where the system
// does not report their number (Wine answers GetProcessHandleCount with 0).
DWORD HandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return count;
    count = 0;
    for (ULONG_PTR value = 4; value < 0x20000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

Figures Measure() {
    Figures f;
    f.handles = HandleCount();
    // Private bytes: the commit charge, which PagefileUsage holds (Wine
    // leaves PrivateUsage at 0).
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) f.privateBytes = memory.PagefileUsage;
    f.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    f.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    f.heapInUse = HeapBytesInUse();
    return f;
}

void Print(const char* when, int switches, const Figures& f) {
    std::printf("  %-8s %5d switches: handles %5lu  private memory %8.1f KB  heap in use %8.1f KB  GDI objects %4lu  "
                "USER objects %4lu\n",
                when, switches, f.handles, f.privateBytes / 1024.0, f.heapInUse / 1024.0, f.gdi, f.user);
    std::fflush(stdout);
}

// The probe starts logged since the log was last emptied, by process id.
std::vector<DWORD> LoggedStarts(const std::string& log) {
    std::vector<DWORD> pids;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("start ", 0) == 0) {
            const size_t at = line.find(" pid=");
            if (at != std::string::npos) pids.push_back(static_cast<DWORD>(std::strtoul(line.c_str() + at + 5, nullptr, 10)));
        }
    return pids;
}

bool Running(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// Screen saver processes of the system now, by their file's extension.
int ScreenSaverProcesses() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    int count = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        const size_t n = std::strlen(entry.szExeFile);
        if (n > 4 && lstrcmpiA(entry.szExeFile + n - 4, ".scr") == 0) ++count;
    }
    CloseHandle(snapshot);
    return count;
}

std::vector<std::string> WorkFolderFiles() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(AppPaths.WorkFolder) + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        // The folder's mark is no file left behind.
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0 &&
            _stricmp(found.cFileName, kOwnFolderMarkName) != 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_soak.exe FOLDER [SWITCHES]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const int target = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
    const std::string log = folder + "soak.log";
    SetEnvironmentVariableA("ZELVISTA_PROBE_LOG", log.c_str());
    DeleteFileA(log.c_str());

    if (!OpenProgramWindow()) return 1;
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    AppSettings.ChgTime = 1;
    AppSettings.LopPlay = 0;
    ChangerOptions options;
    options.ChgTime = 1;
    options.TimPtn = 1;
    SetChangerOptions(options);

    // The list starting at row `first` of the probes: a changer run ends at
    // the first early end, so each run starts further on.
    const int probeCount = static_cast<int>(sizeof kProbes / sizeof kProbes[0]);
    auto fillList = [&](int firstRow) {
        DeleteAllEntryRows();
        for (int i = 0; i < probeCount; ++i) {
            const auto& probe = kProbes[(firstRow + i) % probeCount];
            AddEntry(probe.name, folder, probe.seconds, kLooseSaverType, "");
            // The archived entry after the fifth: it is extracted into the work folder.
            if (i == 4) AddEntry(kArchivedMember, folder, "1", kArchiveTypeText[1], "probe.zip");
        }
    };
    fillList(0);

    std::printf("Soak: the changer and full-screen playback in turns, %d entries of 1 s with every misbehaviour, "
                "%d switches\n",
                GetEntryRowCount(), target);
    const Figures first = Measure();
    Print("start", 0, first);
    int switches = 0, nextReport = kReportEvery, changerRuns = 0, playbackPasses = 0, leftRunning = 0;
    Figures last = first;
    const DWORD startTick = GetTickCount();
    while (switches < target) {
        // A changer run ends when a screen saver ends before its time (the
        // user's return); playback plays the list once.
        const bool changer = (changerRuns + playbackPasses) % 2 == 0;
        if (changer) {
            fillList(changerRuns);
            RunChanger();
            ++changerRuns;
        } else {
            PlayListFullScreen();
            ++playbackPasses;
        }
        for (DWORD pid : LoggedStarts(log)) {
            ++switches;
            if (Running(pid)) ++leftRunning;
        }
        DeleteFileA(log.c_str());
        if (std::getenv("SOAK_EACH_PASS")) Print(changer ? "changer" : "playback", switches, Measure());
        if (switches >= nextReport && switches < target) {
            last = Measure();
            Print("after", switches, last);
            nextReport += kReportEvery;
        }
    }
    const double seconds = (GetTickCount() - startTick) / 1000.0;
    last = Measure();
    Print("end", switches, last);
    const std::vector<std::string> files = WorkFolderFiles();
    std::printf("  %d changer runs and %d playback passes in %.0f s (%.2f s a switch)\n", changerRuns, playbackPasses,
                seconds, seconds / switches);
    std::printf("  growth start to end: handles %+ld, private memory %+.1f KB, heap in use %+.1f KB, GDI %+ld, USER %+ld\n",
                static_cast<long>(last.handles) - static_cast<long>(first.handles),
                (static_cast<double>(last.privateBytes) - static_cast<double>(first.privateBytes)) / 1024.0,
                (static_cast<double>(last.heapInUse) - static_cast<double>(first.heapInUse)) / 1024.0,
                static_cast<long>(last.gdi) - static_cast<long>(first.gdi),
                static_cast<long>(last.user) - static_cast<long>(first.user));
    std::printf("  screen savers left running after their entry: %d; screen saver processes now: %d (goal 0)\n",
                leftRunning, ScreenSaverProcesses());
    if (first.gdi == 0 && first.user == 0) std::printf("  (GDI/USER objects: not reported here, GetGuiResources gives 0)\n");
    std::printf("  files left in the work folder: %zu (goal at most one entry's)", files.size());
    for (const std::string& name : files) std::printf(" %s", name.c_str());
    std::printf("\n");
    DeleteFileA(log.c_str());
    DestroyWindow(MainWindow);
    return 0;
}
