// Switching between entries is what a viewer of list playback sees: from the
// end of one entry's time to the next screen saver's window on the screen,
// against starting that screen saver by itself until its window appears,
// measured in the same run; and what playback costs the processor while a
// screen saver runs. Prints ratios and shares.
//   bench_playback.exe FOLDER [ROUNDS] [SECONDS]
// FOLDER holds Probe.scr and probe.lzh/.zip/.cab (member ArcProbe.scr); the
// probe writes when its window appears to FOLDER\probe.log. SECONDS is the
// length of the processor measurement (60 unless given).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "bench/entry_rows.h"
#include "bench/program_window.h"
#include "bench/timing.h"
#include "list/entry_list.h"
#include "list/list_format.h"
#include "play/list_playback.h"
#include "play/saver_process.h"
#include "settings/settings.h"

namespace {

constexpr int kEntriesPerRound = 6;
constexpr int kBaselineRounds = 7;

long long NowUs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<long long>(static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart));
}

// ---- the probe's log: when each start's window appeared

struct ProbeStart {
    DWORD pid = 0;
    long long startUs = -1;   // its program began to run
    long long windowUs = -1;  // its window appeared
    long long endUs = -1;     // it was asked to end
};

long long Number(const std::string& line, const char* key) {
    const std::string k = std::string(" ") + key + "=";
    const size_t at = line.find(k);
    return at == std::string::npos ? -1 : std::atoll(line.c_str() + at + k.size());
}

std::vector<ProbeStart> ReadProbeLog(const std::string& path) {
    std::vector<ProbeStart> starts;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const DWORD pid = static_cast<DWORD>(Number(line, "pid"));
        const long long us = Number(line, "us");
        if (line.rfind("start ", 0) == 0) starts.push_back({pid, us, -1, -1});
        for (ProbeStart& s : starts) {
            if (s.pid != pid) continue;
            if (line.rfind("window ", 0) == 0 && s.windowUs < 0) s.windowUs = us;
            if (line.rfind("end ", 0) == 0 && s.endUs < 0) s.endUs = us;
        }
    }
    return starts;
}

// ---- the end of each entry's time: the entry timer's message as playback takes it

std::vector<long long> entryTimeOver;

LRESULT CALLBACK WatchMessages(int code, WPARAM removed, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_TIMER && msg->wParam == kEntryTimerId)
        entryTimeOver.push_back(NowUs());
    return CallNextHookEx(nullptr, code, removed, lParam);
}

// The probe started by itself, full screen, until its window appears.
double StartAlone(const std::string& probe, const std::string& log) {
    DeleteFileA(log.c_str());
    char command[kSaverCommandLineSize];
    BuildSaverCommandLine(command, sizeof command, probe.c_str(), "/s");
    SaverProcess saver;
    const long long start = NowUs();
    if (!saver.Start(command)) return -1;
    // The probe writes when its window appeared; looking seldom keeps out of its way.
    for (int i = 0; i < 1000; ++i) {
        Sleep(10);
        for (const ProbeStart& s : ReadProbeLog(log))
            if (s.pid == saver.Id() && s.windowUs >= 0) return (s.windowUs - start) / 1000.0;
    }
    return -1;
}

// Where a switch's time goes: the old screen saver told to end, the new one's
// program running, its window up.
struct SwitchParts {
    std::vector<double> total, toClose, toNextStart, toWindow;
};

// Plays the list full screen and gives, for each entry after the first, the
// milliseconds from the end of the previous entry's time to its window.
void MeasureSwitches(const std::string& log, SwitchParts& parts) {
    DeleteFileA(log.c_str());
    entryTimeOver.clear();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchMessages, nullptr, GetCurrentThreadId());
    PlayListFullScreen();
    UnhookWindowsHookEx(hook);
    const std::vector<ProbeStart> starts = ReadProbeLog(log);
    for (size_t i = 1; i < starts.size() && i - 1 < entryTimeOver.size(); ++i)
        if (starts[i].windowUs >= 0) {
            parts.total.push_back((starts[i].windowUs - entryTimeOver[i - 1]) / 1000.0);
            parts.toClose.push_back((starts[i - 1].endUs - entryTimeOver[i - 1]) / 1000.0);
            parts.toNextStart.push_back((starts[i].startUs - starts[i - 1].endUs) / 1000.0);
            parts.toWindow.push_back((starts[i].windowUs - starts[i].startUs) / 1000.0);
        }
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_playback.exe FOLDER [ROUNDS] [SECONDS]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const int cpuSeconds = argc > 3 ? std::max(5, std::atoi(argv[3])) : 60;
    const std::string probe = folder + "Probe.scr";
    const std::string log = folder + "probe.log";
    SetEnvironmentVariableA("ZELVISTA_PROBE_LOG", log.c_str());

    if (!OpenProgramWindow()) return 1;
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    AppSettings.ChgTime = 1;
    AppSettings.LopPlay = 0;

    std::vector<double> alone;
    SwitchParts loose, archived;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < kBaselineRounds; ++i) {
            const double ms = StartAlone(probe, log);
            if (ms >= 0) alone.push_back(ms);
        }
        DeleteAllEntryRows();
        for (int i = 0; i < kEntriesPerRound; ++i) AddEntry("Probe.scr", folder, "1", kLooseSaverType, "");
        MeasureSwitches(log, loose);
        DeleteAllEntryRows();
        const char* const archives[3] = {"probe.lzh", "probe.zip", "probe.cab"};  // by archiver index
        for (int i = 0; i < kEntriesPerRound; ++i)
            AddEntry("ArcProbe.scr", folder, "1", kArchiveTypeText[i % 3], archives[i % 3]);
        MeasureSwitches(log, archived);
    }
    if (alone.empty() || loose.total.empty() || archived.total.empty()) {
        std::printf("no measurement: the probe did not start or show its window\n");
        return 1;
    }
    const double base = Median(alone);
    std::printf("Switching between entries, full screen, %d rounds (medians):\n", rounds);
    std::printf("  floor: the screen saver started by itself until its window shows  %7.1f ms (%zu starts)\n", base,
                alone.size());
    auto report = [base](const char* what, const char* goal, const SwitchParts& p) {
        const double total = Median(p.total);
        std::printf("  %s: end of an entry's time to the next one's window %7.1f ms, ratio %.2f%s (%zu switches)\n",
                    what, total, total / base, goal, p.total.size());
        std::printf("    of which the old one told to end %.1f ms, then the new one's program running %.1f ms, then its "
                    "window %.1f ms\n",
                    Median(p.toClose), Median(p.toNextStart), Median(p.toWindow));
    };
    report("loose entries", " (goal <= 1.3)", loose);
    report("archived entries (LZH, ZIP, CAB in turn)", "", archived);

    // The processor while one screen saver plays for the whole measurement.
    DeleteAllEntryRows();
    const std::string seconds = std::to_string(cpuSeconds);
    AddEntry("Probe.scr", folder, seconds.c_str(), kLooseSaverType, "");
    const double cpuBefore = CpuSeconds();
    const long long wallBefore = NowUs();
    PlayListFullScreen();
    const double cpu = CpuSeconds() - cpuBefore;
    const double wall = (NowUs() - wallBefore) / 1e6;
    std::printf("Processor during playback: one screen saver for %.1f s: %.3f s of CPU (GetProcessTimes), "
                "%.3f %% of one core (goal < 1 %%)\n",
                wall, cpu, 100.0 * cpu / wall);
    DeleteFileA(log.c_str());
    DestroyWindow(MainWindow);
    return 0;
}
