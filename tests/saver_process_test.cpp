// A screen saver started inside a window (/p), as list playback starts them:
// closing it sends WM_CLOSE to its child window and waits a bounded time;
// one that ignores it or made no window is ended; none stays behind.
#include <gtest/gtest.h>

#include <windows.h>

#include "launch_support.h"
#include "play/saver_process.h"

namespace {

class SaverProcessTest : public SaverRunTest {};

TEST_F(SaverProcessTest, ClosingAScreenSaverInAWindowEndsItWithinItsBound) {
    struct Case {
        const char* name;
        const char* endReason;  // "" when it had to be ended from outside
        SaverEnd end;
    } cases[] = {
        {"Probe.scr", "close", SaverEnd::Closed},
        {"Probe-ignoreclose.scr", "", SaverEnd::Terminated},
        {"Probe-nowindow.scr", "", SaverEnd::Terminated},
        {"Probe-exitnow.scr", "exit", SaverEnd::AlreadyEnded},
    };
    HWND area = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 320, 240, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_NE(area, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log_.Clear();
        const std::string path = scratch_.path() + c.name;
        ASSERT_TRUE(InstallProbe(path));
        char commandLine[kSaverCommandLineSize];
        const std::string switchText = "/p " + std::to_string(reinterpret_cast<INT_PTR>(area));
        ASSERT_TRUE(BuildSaverCommandLine(commandLine, sizeof commandLine, path.c_str(), switchText.c_str()));
        SaverProcess saver;
        ASSERT_TRUE(saver.Start(commandLine, area));
        std::vector<ProbeRun> runs = log_.WaitFor(
            [](const std::vector<ProbeRun>& r) {
                return r.size() == 1 && (r[0].windowUs >= 0 || r[0].behaviour != "normal");
            },
            10000, true);
        ASSERT_EQ(runs.size(), 1u);
        Sleep(300);  // the misbehaving ones settle into what they do
        if (runs[0].windowUs >= 0) {
            EXPECT_EQ(runs[0].windowClass, "WindowsScreenSaverClass");
            EXPECT_EQ(GetParent(reinterpret_cast<HWND>(std::stoll(runs[0].windowHandle))), area);
            EXPECT_EQ(runs[0].width, 320);
        }
        const DWORD start = GetTickCount();
        EXPECT_EQ(saver.Close(), c.end);
        EXPECT_LT(GetTickCount() - start, kSaverCloseWaitMs + 3000);
        EXPECT_FALSE(saver.Running());
        EXPECT_TRUE(ProcessEnded(runs[0].pid));
        runs = log_.Runs();
        EXPECT_EQ(runs[0].endReason, c.endReason);
        EXPECT_EQ(runs[0].commandLine, "\"" + path + "\" " + switchText);
    }
    DestroyWindow(area);
}

// A screen saver object that goes away closes what it started.
TEST_F(SaverProcessTest, NothingStaysBehindTheObject) {
    const std::string path = scratch_.path() + "Probe-forever.scr";
    ASSERT_TRUE(InstallProbe(path));
    char commandLine[kSaverCommandLineSize];
    ASSERT_TRUE(BuildSaverCommandLine(commandLine, sizeof commandLine, path.c_str(), "/s"));
    DWORD pid = 0;
    {
        SaverProcess saver;
        ASSERT_TRUE(saver.Start(commandLine));
        pid = saver.Id();
        log_.WaitFor([](const std::vector<ProbeRun>& r) { return r.size() == 1 && r[0].windowUs >= 0; }, 10000);
    }
    EXPECT_TRUE(ProcessEnded(pid));
    EXPECT_TRUE(log_.Runs().at(0).ignoredClose);
}

}  // namespace
