#include "launch_support.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "archive/archiver.h"
#include "archive_support.h"
#include "archiver_interface.h"
#include "base/own_folder.h"
#include "base/program_paths.h"
#include "list/entry_list.h"
#include "system/changer.h"
#include "system/screen_saver.h"

namespace {


void FindLibraries() {
    for (int i = 0; i < kArchiverCount; ++i) Archivers.Present[i] = IsArchiverPresent(i);
}

}  // namespace

std::string ShortPathOf(const std::string& path) {
    char shortPath[256] = "";
    DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return n > 0 && n < sizeof shortPath ? shortPath : "";
}

void SaverRunTest::SetUp() {
    MainWindowTest::SetUp();
    standardSaver_.emplace();
    ASSERT_NO_FATAL_FAILURE(CopyBuiltLibraries(TestProgramFolder()));
    FindLibraries();
    EmptyWorkFolder();
    EmptyFolder(AppPaths.SaverStoreFolder);
    SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "");
    SetProbeEnvironment("ZELVISTA_PROBE_BEHAVIOUR", "");
}

void SaverRunTest::TearDown() {
    SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "");
    SetProbeEnvironment("ZELVISTA_PROBE_BEHAVIOUR", "");
    standardSaver_.reset();
    for (const ArchiverLibraryInterface& library : kArchiverLibraries)
        DeleteFileA((TestProgramFolder() + library.fileName).c_str());
    FindLibraries();
    EmptyWorkFolder();
    EmptyFolder(AppPaths.SaverStoreFolder);
    MainWindowTest::TearDown();
}

void SaverRunTest::AddProbes(const std::vector<std::pair<std::string, std::string>>& namesAndSeconds) {
    for (const auto& [name, seconds] : namesAndSeconds) AddRow(LooseProbe(scratch_.path(), name, seconds));
}

bool SaverRunTest::ChangerTimerSet() {
    if (!KillTimer(MainWindow, kChangerTimerId)) return false;
    StartChangerTimer(MainWindow);
    return true;
}

void SaverRunTest::RestartWith(const std::vector<std::pair<const char*, int>>& settings) {
    for (const auto& [name, value] : settings) WriteSettingInt(name, value);
    Restart();
}

Row SaverRunTest::LooseProbe(const std::string& folder, const std::string& name, const std::string& seconds) {
    EXPECT_TRUE(InstallProbe(folder + name)) << folder + name;
    return {name, seconds, folder, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""};
}

Row SaverRunTest::ArchivedProbe(const std::string& kind, const std::string& member, const std::string& seconds) {
    const std::string type = kind == "lzh" ? "書庫(LZH)" : kind == "zip" ? "書庫(ZIP)" : "書庫(CAB)";
    return {member, seconds, ProbeArchiveFolder(), type, "probe." + kind};
}

std::vector<std::string> SaverRunTest::WorkFolderFiles() {
    std::vector<std::string> files = FolderEntries(AppPaths.WorkFolder);
    std::erase(files, std::string(kOwnFolderMarkName));
    return files;
}

void SaverRunTest::EmptyWorkFolder() {
    for (const std::string& name : WorkFolderFiles()) DeleteFileA((std::string(AppPaths.WorkFolder) + name).c_str());
}

ProbeRun SaverRunTest::StartSystemSaver(const std::string& name) {
    const std::string path = scratch_.path() + name;
    EXPECT_TRUE(InstallProbe(path));
    const DWORD pid = StartSystemSaverProbe(path);
    EXPECT_NE(pid, 0u);
    std::vector<ProbeRun> runs = log_.WaitFor(
        [pid](const std::vector<ProbeRun>& r) {
            for (const ProbeRun& run : r)
                if (run.pid == pid && run.windowUs >= 0) return true;
            return false;
        },
        10000);
    for (const ProbeRun& run : runs)
        if (run.pid == pid) return run;
    ADD_FAILURE() << "the system screen saver did not start";
    return {};
}

void SaverRunTest::EndSystemSaver(const ProbeRun& run) {
    Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, run.pid));
    if (!process) return;
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
}
