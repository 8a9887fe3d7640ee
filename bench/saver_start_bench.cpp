// Start-to-window time of our savers started with /s, against the bare
// window program started the same way: from CreateProcess until the
// process's window of the expected class is visible. Median of several runs,
// the programs taking turns in each round; prints times and ratios.
//   bench_saver_start.exe [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "process_watch.h"
#include "timing.h"

namespace {

struct Subject {
    std::string label;
    std::string commandLine;
    const char* windowClass;
    std::vector<double> ms;
};

std::string ModuleFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// One start: -1 when the window did not show within 15 s.
double TimeOneStart(const Subject& s) {
    const LONGLONG start = Clock::now();
    StartedProcess process;
    if (!StartProcess(s.commandLine, process)) return -1;
    HWND window = nullptr;
    LONGLONG now;
    for (;;) {
        window = FindTopLevelWindow(process.id, s.windowClass);
        now = Clock::now();
        if (window || Seconds(start, now) > 15) break;
        Sleep(1);
    }
    CloseAndWait(window, process, 5000);
    return window ? Seconds(start, now) * 1000 : -1;
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::string bench = ModuleFolder(), bin = bench + "..\\bin\\";
    std::vector<Subject> subjects{{"bare window", "\"" + bench + "bench_bare_window.exe\"", "BenchBareWindow", {}}};
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA((bin + "*.scr").c_str(), &found));
    if (find) {
        do {
            subjects.push_back({found.cFileName, SaverCommandLine(bin + found.cFileName, "/s"),
                                "WindowsScreenSaverClass", {}});
        } while (FindNextFileA(find.get(), &found));
    }
    std::sort(subjects.begin() + 1, subjects.end(), [](const Subject& a, const Subject& b) { return a.label < b.label; });
    if (subjects.size() < 2) {
        std::fprintf(stderr, "no savers in %s\n", bin.c_str());
        return 1;
    }
    // One start of each first, not counted: the first start of a program
    // pays for reading it from disk.
    for (Subject& s : subjects) TimeOneStart(s);
    // Each round starts with the next program, so none always follows the
    // same one.
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < subjects.size(); ++k) {
            Subject& s = subjects[(round + k) % subjects.size()];
            double ms = TimeOneStart(s);
            if (ms < 0) {
                std::fprintf(stderr, "%s showed no window\n", s.label.c_str());
                return 1;
            }
            s.ms.push_back(ms);
        }
    }
    // The median is the usual case; the fastest run shows the cost with the
    // least interference from other work on the machine.
    double floor = Median(subjects[0].ms), fastestFloor = Fastest(subjects[0].ms);
    std::printf("Start to visible window over %d runs (same run, programs in turn, each round from the next)\n",
                rounds);
    std::printf("  %-16s median %7.1f ms            fastest %7.1f ms\n", subjects[0].label.c_str(), floor,
                fastestFloor);
    for (std::size_t i = 1; i < subjects.size(); ++i) {
        double median = Median(subjects[i].ms), fastest = Fastest(subjects[i].ms);
        std::printf("  %-16s median %7.1f ms ratio %.2f   fastest %7.1f ms ratio %.2f\n", subjects[i].label.c_str(),
                    median, median / floor, fastest, fastest / fastestFloor);
    }
    return 0;
}
