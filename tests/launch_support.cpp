#include "launch_support.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "archive/archiver.h"
#include "archive_support.h"
#include "base/program_paths.h"
#include "list/entry_list.h"
#include "system/changer.h"
#include "system/screen_saver.h"

namespace {

const char* const kLibraries[] = {"unlha32.dll", "unzip32.dll", "cab32.dll"};
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

void EmptyFolder(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder)) DeleteFileA((folder + name).c_str());
}

void FindLibraries() {
    for (int i = 0; i < kArchiverCount; ++i) Archivers.Present[i] = IsArchiverPresent(i);
}

}  // namespace

std::string IniStandardSaver() {
    char value[256] = "";
    GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", value, sizeof value, AppPaths.SystemIniPath);
    return value;
}

std::string DesktopStandardSaver() {
    char value[256] = "";
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

void WriteStandardSaverEverywhere(const std::string& value) {
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", value.empty() ? nullptr : value.c_str(),
                               AppPaths.SystemIniPath);
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

std::string ShortPathOf(const std::string& path) {
    char shortPath[256] = "";
    DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return n > 0 && n < sizeof shortPath ? shortPath : "";
}

void SaverRunTest::SetUp() {
    MainWindowTest::SetUp();
    savedIni_ = IniStandardSaver();
    savedDesktop_ = DesktopStandardSaver();
    for (const char* dll : kLibraries) ASSERT_TRUE(CopyFileTo(ArchiverDll(dll), TestProgramFolder() + dll)) << dll;
    FindLibraries();
    EmptyFolder(AppPaths.WorkFolder);
    EmptyFolder(AppPaths.SaverStoreFolder);
    SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "");
    SetProbeEnvironment("ZELVISTA_PROBE_BEHAVIOUR", "");
}

void SaverRunTest::TearDown() {
    SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "");
    SetProbeEnvironment("ZELVISTA_PROBE_BEHAVIOUR", "");
    WriteStandardSaverEverywhere(savedDesktop_);
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", savedIni_.empty() ? nullptr : savedIni_.c_str(),
                               AppPaths.SystemIniPath);
    for (const char* dll : kLibraries) DeleteFileA((TestProgramFolder() + dll).c_str());
    FindLibraries();
    EmptyFolder(AppPaths.WorkFolder);
    EmptyFolder(AppPaths.SaverStoreFolder);
    MainWindowTest::TearDown();
}

void SaverRunTest::SelectRow(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageA(EntryListView, LVM_SETITEMSTATE, row >= 0 ? row : -1, reinterpret_cast<LPARAM>(&item));
}

void SaverRunTest::StartWithActive(int on) {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, 0);
    ScreenSaverActive = on;
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
    return FolderEntries(AppPaths.WorkFolder);
}
