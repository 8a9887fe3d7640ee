// The program ended from outside (a crash, Task Manager, Windows shutting
// down) while it had the screen saver off for a preview, list playback, a
// changer run or the drive optimiser: the next start finds the screen saver
// as the user had it. Real program processes, ended with TerminateProcess;
// the setting is looked at from this process, which has windows (Wine
// answers a process without one from the registry instead).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <optional>
#include <string>

#include "app/commands.h"
#include "app/main_window.h"
#include "support/files.h"
#include "support/input.h"
#include "support/probe.h"
#include "support/ui.h"
#include "system/screen_saver.h"

namespace {

enum class Kind { Preview, Playback, Changer, Defrag };
const char* KindName(Kind kind) {
    switch (kind) {
    case Kind::Preview: return "preview";
    case Kind::Playback: return "playback";
    case Kind::Changer: return "changer run";
    case Kind::Defrag: return "drive optimiser";
    }
    return "";
}

void EndProcess(DWORD pid) {
    Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) return;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
}

// Ends every process started from a file of that name (the stand-in).
void EndProcessesNamed(const char* name) {
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        if (lstrcmpiA(entry.szExeFile, name) == 0) EndProcess(entry.th32ProcessID);
}

int Active() {
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active ? 1 : 0;
}

// Read back at once: Wine passes the new value to the display server, which
// every process asks, only with the next request that waits for an answer.
void SetActive(int on) {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, SPIF_UPDATEINIFILE);
    Active();
}

class InterruptedRunTest : public testing::Test {
protected:
    void SetUp() override {
        SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &savedActive_, 0);
        DeleteSettingsKey();
        // The program in a folder of its own, with a standard list of two probes.
        program_ = scratch_.path() + "Zelvista.exe";
        ASSERT_TRUE(CopyFileTo(TestProgramFolder() + "..\\bin\\Zelvista.exe", program_));
        std::string list = "Ver,3.00\r\n";
        for (const char* name : {"A.scr", "B.scr"}) {
            ASSERT_TRUE(InstallProbe(scratch_.path() + name));
            list += std::string("SCR,") + name + ",30," + scratch_.path() + ",ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n";
        }
        WriteFileBytes(scratch_.path() + "zelvista.lst", list);
    }
    void TearDown() override {
        for (const ProbeRun& run : log_.Runs()) EndProcess(run.pid);
        SetEnvironmentVariableA("ZELVISTA_STANDIN_WAIT_MS", nullptr);
        DeleteSettingsKey();
        SetActive(savedActive_);
    }
    // Starts the copy; its main window once shown, else null.
    HWND Start() {
        std::string command = "\"" + program_ + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(program_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            scratch_.path().c_str(), &startup, &info))
            return nullptr;
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        return FindProcessMainWindow(info.dwProcessId, true);
    }
    void Kill() {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
        process_.reset();
    }
    bool CloseAndWait(HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        const bool ended = WaitForSingleObject(process_.get(), 20000) == WAIT_OBJECT_0;
        if (!ended) Kill();
        process_.reset();
        return ended;
    }
    // Something of the run is on screen: a probe's window, or the stand-in started.
    bool RunUnderWay(Kind kind) const {
        if (kind == Kind::Defrag) return !StandInLog().empty();
        for (const ProbeRun& run : log_.Runs())
            if (run.name != "SystemSaver.scr" && run.windowUs >= 0) return true;
        return false;
    }

    ProbeLog log_;
    ScratchFolder scratch_;
    std::string program_;
    Handle process_;
    BOOL savedActive_ = FALSE;
};

// Each kind of run × the setting on or off before it → ended in the middle →
// the next start finds it as it was, and closing leaves it so.
TEST_F(InterruptedRunTest, TheNextStartFindsTheScreenSaverAsItWas) {
    for (Kind kind : {Kind::Preview, Kind::Playback, Kind::Changer, Kind::Defrag}) {
        for (int on : {1, 0}) {
            SCOPED_TRACE(std::string(KindName(kind)) + (on ? ", on before" : ", off before"));
            log_.Clear();
            WriteSettingInt("SscTim", kind == Kind::Changer ? 1 : 0);
            WriteSettingInt("ChgTime", 1);
            SetActive(on);
            std::optional<DriveOptimizerStandIn> optimizer;
            if (kind == Kind::Defrag) {
                optimizer.emplace();
                SetEnvironmentVariableA("ZELVISTA_STANDIN_WAIT_MS", "60000");
            }
            HWND window = Start();
            ASSERT_NE(window, nullptr);
            switch (kind) {
            case Kind::Preview: {
                // The first row selected from the keyboard, then the command.
                HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
                PostMessageA(list, WM_KEYDOWN, VK_HOME, 0);
                PostMessageA(window, WM_COMMAND, kCmdPreview, 0);
                break;
            }
            case Kind::Playback: PostMessageA(window, WM_COMMAND, kCmdPlayFullScreen, 0); break;
            case Kind::Changer:
                ASSERT_TRUE(InstallProbe(scratch_.path() + "SystemSaver.scr"));
                ASSERT_NE(StartSystemSaverProbe(scratch_.path() + "SystemSaver.scr"), 0u);
                break;
            case Kind::Defrag: PostMessageA(window, WM_COMMAND, kCmdDefrag, 0); break;
            }
            bool underWay = false;
            for (int i = 0; i < 300 && !underWay; ++i) {
                Sleep(50);
                underWay = RunUnderWay(kind);
            }
            ASSERT_TRUE(underWay);
            EXPECT_EQ(Active(), 0) << "off while it runs";
            Kill();
            EXPECT_EQ(Active(), 0) << "nothing switched it on again";
            EXPECT_EQ(OffMarkPresent(), on == 1) << "the mark says it was on";
            for (const ProbeRun& run : log_.Runs()) EndProcess(run.pid);
            EndProcessesNamed("dfrgui.exe");
            SetEnvironmentVariableA("ZELVISTA_STANDIN_WAIT_MS", nullptr);
            optimizer.reset();

            window = Start();
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(Active(), on) << "the next start";
            EXPECT_FALSE(OffMarkPresent());
            ASSERT_TRUE(CloseAndWait(window));
            EXPECT_EQ(Active(), on) << "after closing";
        }
    }
}

}  // namespace
