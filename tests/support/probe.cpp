#include "support/probe.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/handles.h"
#include "support/files.h"
#include "support/ui.h"

namespace {

std::string Field(const std::string& line, const std::string& key) {
    std::string marker = " " + key + "=";
    size_t at = line.find(marker);
    if (at == std::string::npos) return "";
    at += marker.size();
    if (key == "cmd") return line.substr(at);
    size_t end = line.find(' ', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

long long Number(const std::string& text) {
    return text.empty() ? 0 : std::strtoll(text.c_str(), nullptr, 10);
}

ProbeRun* RunOf(std::vector<ProbeRun>& runs, DWORD pid) {
    for (auto it = runs.rbegin(); it != runs.rend(); ++it)
        if (it->pid == pid) return &*it;
    return nullptr;
}

}  // namespace

ProbeLog::ProbeLog() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "zelvista-probe-" + std::to_string(GetCurrentProcessId()) + ".log";
    Clear();
    SetEnvironmentVariableA("ZELVISTA_PROBE_LOG", path_.c_str());
}

ProbeLog::~ProbeLog() {
    SetEnvironmentVariableA("ZELVISTA_PROBE_LOG", nullptr);
    Clear();
}

void ProbeLog::Clear() const {
    DeleteFileA(path_.c_str());
}

std::vector<ProbeRun> ProbeLog::Runs() const {
    std::vector<ProbeRun> runs;
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string event = line.substr(0, line.find(' '));
        const DWORD pid = static_cast<DWORD>(Number(Field(line, "pid")));
        const long long us = Number(Field(line, "us"));
        if (event == "start") {
            ProbeRun run;
            run.pid = pid;
            run.startUs = us;
            run.createdUs = Number(Field(line, "created"));
            run.time = Number(Field(line, "time"));
            run.name = Field(line, "name");
            run.mode = Field(line, "mode");
            run.parent = Field(line, "parent");
            run.behaviour = Field(line, "behaviour");
            run.commandLine = Field(line, "cmd");
            runs.push_back(run);
            continue;
        }
        ProbeRun* run = RunOf(runs, pid);
        if (!run) continue;
        if (event == "window") {
            run->windowUs = us;
            run->windowClass = Field(line, "class");
            run->windowHandle = Field(line, "hwnd");
            run->active = static_cast<int>(Number(Field(line, "active")));
            run->width = static_cast<int>(Number(Field(line, "width")));
            run->height = static_cast<int>(Number(Field(line, "height")));
        } else if (event == "end") {
            run->endUs = us;
            run->endReason = Field(line, "reason");
        } else if (event == "hidden") {
            run->hiddenUs = us;
        } else if (event == "ignored") {
            run->ignoredClose = true;
        }
    }
    return runs;
}

std::vector<ProbeRun> ProbeLog::WaitFor(const std::function<bool(const std::vector<ProbeRun>&)>& done, DWORD ms,
                                        bool pump) const {
    const DWORD start = GetTickCount();
    std::vector<ProbeRun> runs = Runs();
    while (!done(runs) && GetTickCount() - start < ms) {
        if (pump) PumpMessages();
        Sleep(50);
        runs = Runs();
    }
    return runs;
}

void SetProbeEnvironment(const char* variable, const std::string& value) {
    SetEnvironmentVariableA(variable, value.empty() ? nullptr : value.c_str());
}

std::string ProbeSaverPath() {
    return TestProgramFolder() + "Probe.scr";
}

bool InstallProbe(const std::string& path) {
    return CopyFileA(ProbeSaverPath().c_str(), path.c_str(), FALSE) != FALSE;
}

std::vector<std::string> RunNames(const std::vector<ProbeRun>& runs) {
    std::vector<std::string> names;
    for (const ProbeRun& run : runs) names.push_back(run.name);
    return names;
}

std::string DescribeRuns(const std::vector<ProbeRun>& runs) {
    auto after = [](const ProbeRun& run, long long us) {
        return us < 0 ? std::string("-") : std::to_string((us - run.createdUs) / 1000) + " ms";
    };
    std::string text;
    for (const ProbeRun& run : runs)
        text += run.name + ": start " + after(run, run.startUs) + ", window " + after(run, run.windowUs) + ", end " +
                after(run, run.endUs) + " (" + (run.endUs < 0 ? "killed or running" : run.endReason) + ")\n";
    return text;
}

bool ProcessEnded(DWORD pid) {
    Handle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process) return true;
    return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

DWORD StartSystemSaverProbe(const std::string& path) {
    std::string command = "\"" + path + "\" /s";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 0;
    Handle thread(info.hThread), process(info.hProcess);
    return info.dwProcessId;
}
