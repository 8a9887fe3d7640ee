// Each of our screen savers as a program: full screen (/s), inside a window
// of ours (/p) and its settings dialog (/c), started as separate processes and
// driven through real input and messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/wide.h"
#include "process_watch.h"
#include "saver_layout.h"
#include "saver_resource.h"
#include "support/x_input.h"

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";
constexpr char kSaversKey[] = "Software\\Tandelworks\\Zelvista Savers";
constexpr DWORD kShowMs = 15000;
constexpr DWORD kEndMs = 5000;

struct Saver {
    const char* file;
    const char* key;    // its registry key under Zelvista Savers
    const char* value;  // its one setting
    int choices;
    int defaultChoice;
    const char* caption;  // of its settings dialog
};

const Saver kSavers[] = {
    {"Starfield.scr", "Starfield", "Speed", 3, 1, "星空の設定"},
    {"Bubbles.scr", "Bubbles", "Count", 3, 1, "泡の設定"},
    {"Clock.scr", "Clock", "HourStyle", 2, 0, "時計の設定"},
    {"Rainbow.scr", "Rainbow", "Speed", 3, 1, "虹色の波の設定"},
};

std::string SaverName(const Saver& s) { return s.key; }
void PrintTo(const Saver& s, std::ostream* out) { *out << s.key; }

// The savers are built beside the program, next to the tests' own folder.
std::string SaverPath(const Saver& s) {
    char module[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    std::string path(module, n);
    path.erase(path.find_last_of('\\') + 1);
    return path + "..\\bin\\" + s.file;
}

// Read as Windows holds it (UTF-16), in code page 932 for the comparison,
// whatever this program's code page.
std::string WindowText(HWND window) {
    wchar_t text[256];
    int n = GetWindowTextW(window, text, 256);
    std::string narrow;
    return ToCodePage932(std::wstring_view(text, n > 0 ? n : 0), narrow) ? narrow : "<not code page 932>";
}

std::string KeyPath(const Saver& s) { return std::string(kSaversKey) + "\\" + s.key; }

void DeleteSaverKey(const Saver& s) { RegDeleteKeyA(HKEY_CURRENT_USER, KeyPath(s).c_str()); }

bool ReadStoredChoice(const Saver& s, DWORD* value) {
    DWORD size = sizeof *value, type = 0;
    return RegGetValueA(HKEY_CURRENT_USER, KeyPath(s).c_str(), s.value, RRF_RT_REG_DWORD, &type, value, &size) ==
           ERROR_SUCCESS;
}

// A window of ours: the parent of a preview or the owner of a dialog.
class HostWindow {
public:
    HostWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "SaverTestHost";
        RegisterClassA(&wc);
        RECT r{0, 0, 400, 300};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        window_ = CreateWindowExA(0, wc.lpszClassName, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 50,
                                  50, r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow() { Destroy(); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND get() const { return window_; }
    std::string Decimal() const { return std::to_string(reinterpret_cast<UINT_PTR>(window_)); }
    void Destroy() {
        if (window_) DestroyWindow(window_);
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
};

class SaverRun {
public:
    explicit SaverRun(const std::string& commandLine) { started_ = StartProcess(commandLine, process_); }
    // A saver still running when the test ends is ended, so none outlives it.
    ~SaverRun() {
        if (started_ && WaitForSingleObject(process_.process.get(), 0) == WAIT_TIMEOUT) CloseAndWait(nullptr, process_, 0);
    }
    SaverRun(const SaverRun&) = delete;
    SaverRun& operator=(const SaverRun&) = delete;
    bool started() const { return started_; }
    DWORD id() const { return process_.id; }
    bool Ended(DWORD ms) { return WaitForExit(process_.process.get(), ms); }
    DWORD ExitCode() {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.process.get(), &code);
        return code;
    }

private:
    StartedProcess process_;
    bool started_ = false;
};

// Through X: under Wine, SendInput's movement does not always reach the saver.
void SendMouseMove(int dx, int dy) {
    EXPECT_TRUE(MoveMouseWithX(dx, dy)) << "xdotool could not be started";
}

void SendClick() {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
}

void SendKey(WORD key) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

// Wine may report the earlier position for a moment after SetCursorPos; the
// saver takes its starting point from GetCursorPos, so wait until it agrees.
void CenterCursor() {
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    SetCursorPos(x, y);
    for (int i = 0; i < 40; ++i) {
        PumpFor(50);
        POINT p{};
        if (GetCursorPos(&p) && p.x == x && p.y == y) break;
    }
    PumpFor(50);
}

// ---- full screen -------------------------------------------------------

enum class UserReturn { Key, MouseMove, Click, Close };

const char* ReturnName(UserReturn r) {
    switch (r) {
    case UserReturn::Key: return "Key";
    case UserReturn::MouseMove: return "MouseMove";
    case UserReturn::Click: return "Click";
    case UserReturn::Close: return "WmClose";
    }
    return "";
}

void PrintTo(UserReturn r, std::ostream* out) { *out << ReturnName(r); }

class FullScreenTest : public ::testing::TestWithParam<std::tuple<Saver, UserReturn>> {};

TEST_P(FullScreenTest, CoversTheScreenUntilTheUserReturns) {
    const Saver& saver = std::get<0>(GetParam());
    UserReturn how = std::get<1>(GetParam());
    CenterCursor();
    SaverRun run(SaverCommandLine(SaverPath(saver), "/s"));
    ASSERT_TRUE(run.started()) << SaverPath(saver);
    HWND window = WaitForWindow([&] { return FindTopLevelWindow(run.id(), kSaverClass); }, kShowMs);
    ASSERT_NE(window, nullptr) << "no visible full-screen window";

    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));

    PumpFor(300);  // a few frames
    ASSERT_FALSE(run.Ended(0)) << "ended by itself";
    switch (how) {
    case UserReturn::Key:
        SendKey(VK_SPACE);
        break;
    case UserReturn::MouseMove:
        // A twitch of the mouse is not the user's return.
        SendMouseMove(2, 1);
        PumpFor(400);
        ASSERT_FALSE(run.Ended(0)) << "a 2-pixel twitch ended it";
        SendMouseMove(40, 30);
        break;
    case UserReturn::Click:
        SendClick();
        break;
    case UserReturn::Close:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    }
    EXPECT_TRUE(run.Ended(kEndMs)) << "still running after " << ReturnName(how);
    EXPECT_EQ(run.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Savers, FullScreenTest,
                         ::testing::Combine(::testing::ValuesIn(kSavers),
                                            ::testing::Values(UserReturn::Key, UserReturn::MouseMove,
                                                              UserReturn::Click, UserReturn::Close)),
                         [](const auto& info) {
                             return SaverName(std::get<0>(info.param)) + ReturnName(std::get<1>(info.param));
                         });

// Over several monitors (tests/monitors.sh runs this on three): the picture
// is drawn on every monitor, whole and centred, black beside it where the
// monitor's shape differs; nothing lands in the gaps between monitors.
BOOL CALLBACK AddMonitorRect(HMONITOR, HDC, LPRECT rect, LPARAM data) {
    reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
    return TRUE;
}

TEST(SaverMonitorsTest, MultiMonitorThePictureIsOnEveryMonitor) {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitorRect, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.size() < 2) GTEST_SKIP() << "one monitor";
    SIZE picture{0, 0};
    for (const RECT& m : monitors)
        if (static_cast<long long>(m.right - m.left) * (m.bottom - m.top) >
            static_cast<long long>(picture.cx) * picture.cy)
            picture = SIZE{m.right - m.left, m.bottom - m.top};
    const Saver& rainbow = kSavers[3];  // colour everywhere in its picture
    CenterCursor();
    SaverRun run(SaverCommandLine(SaverPath(rainbow), "/s"));
    ASSERT_TRUE(run.started());
    HWND window = WaitForWindow([&] { return FindTopLevelWindow(run.id(), kSaverClass); }, kShowMs);
    ASSERT_NE(window, nullptr);
    PumpFor(1000);
    HDC screen = GetDC(nullptr);
    for (const RECT& m : monitors) {
        const RECT place = FitPicture(picture, m);
        const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        EXPECT_NE(GetPixel(screen, middle.x, middle.y), RGB(0, 0, 0)) << "no picture on the monitor at " << m.left;
        if (place.top > m.top) {
            EXPECT_EQ(GetPixel(screen, middle.x, m.top + 2), RGB(0, 0, 0)) << m.left;
        }
        if (place.left > m.left) {
            EXPECT_EQ(GetPixel(screen, m.left + 2, middle.y), RGB(0, 0, 0)) << m.left;
        }
    }
    ReleaseDC(nullptr, screen);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.Ended(kEndMs));
}

// ---- preview -----------------------------------------------------------

enum class PreviewEnd { CloseChild, HostGone };

const char* EndName(PreviewEnd e) { return e == PreviewEnd::CloseChild ? "CloseChild" : "HostGone"; }
void PrintTo(PreviewEnd e, std::ostream* out) { *out << EndName(e); }

class PreviewTest : public ::testing::TestWithParam<std::tuple<Saver, PreviewEnd>> {};

TEST_P(PreviewTest, DrawsInAChildOfTheGivenWindow) {
    const Saver& saver = std::get<0>(GetParam());
    PreviewEnd end = std::get<1>(GetParam());
    HostWindow host;
    ASSERT_NE(host.get(), nullptr);
    SaverRun run(SaverCommandLine(SaverPath(saver), "/p " + host.Decimal()));
    ASSERT_TRUE(run.started());
    HWND child = WaitForWindow([&] { return FindChildWindow(host.get(), run.id(), kSaverClass); }, kShowMs);
    ASSERT_NE(child, nullptr) << "no child window of the host";
    EXPECT_EQ(GetParent(child), host.get());
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    ASSERT_NE(WaitForWindow([&] { return IsWindowVisible(child) ? child : nullptr; }, kShowMs), nullptr);
    RECT client, area;
    GetClientRect(host.get(), &client);
    GetClientRect(child, &area);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom);

    // Input over the preview belongs to the host: it does not end the saver.
    SetCursorPos(250, 200);
    SendMouseMove(40, 30);
    SendClick();
    PumpFor(400);
    ASSERT_FALSE(run.Ended(0)) << "input ended the preview";

    if (end == PreviewEnd::CloseChild) {
        // The host grows; the preview follows it.
        SetWindowPos(host.get(), nullptr, 0, 0, 520, 420, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(host.get(), &client);
        HWND resized = WaitForWindow(
            [&]() -> HWND {
                GetClientRect(child, &area);
                return area.right == client.right && area.bottom == client.bottom ? child : nullptr;
            },
            kEndMs);
        EXPECT_NE(resized, nullptr) << "the preview kept its size";
        PostMessageA(child, WM_CLOSE, 0, 0);
    } else {
        host.Destroy();
    }
    EXPECT_TRUE(run.Ended(kEndMs)) << "still running";
    EXPECT_EQ(run.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Savers, PreviewTest,
                         ::testing::Combine(::testing::ValuesIn(kSavers),
                                            ::testing::Values(PreviewEnd::CloseChild, PreviewEnd::HostGone)),
                         [](const auto& info) {
                             return SaverName(std::get<0>(info.param)) + EndName(std::get<1>(info.param));
                         });

// ---- settings dialog ---------------------------------------------------

class SettingsTest : public ::testing::TestWithParam<Saver> {
protected:
    void SetUp() override { DeleteSaverKey(GetParam()); }
    void TearDown() override { DeleteSaverKey(GetParam()); }

    // Starts the saver with these arguments and returns its settings dialog.
    HWND OpenDialog(SaverRun& run) {
        if (!run.started()) return nullptr;
        return WaitForWindow([&] { return FindTopLevelWindow(run.id(), "#32770"); }, kShowMs);
    }
    static LRESULT Choices(HWND dialog, UINT message, WPARAM wParam = 0) {
        return SendDlgItemMessageA(dialog, IDC_SETTING_CHOICE, message, wParam, 0);
    }
    static void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
};

TEST_P(SettingsTest, CancelStoresNothingAndOkStoresTheChoice) {
    const Saver& saver = GetParam();
    const std::string path = SaverPath(saver);
    DWORD stored = 0;

    // No argument opens the dialog too; with nothing stored it shows the default.
    {
        SaverRun run(SaverCommandLine(path, ""));
        HWND dialog = OpenDialog(run);
        ASSERT_NE(dialog, nullptr) << "no settings dialog";
        EXPECT_EQ(WindowText(dialog), saver.caption);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        EXPECT_EQ(Choices(dialog, CB_GETCOUNT), saver.choices);
        EXPECT_EQ(Choices(dialog, CB_GETCURSEL), saver.defaultChoice);
        Choices(dialog, CB_SETCURSEL, (saver.defaultChoice + 1) % saver.choices);
        Click(dialog, IDCANCEL);
        EXPECT_TRUE(run.Ended(kEndMs));
        EXPECT_FALSE(ReadStoredChoice(saver, &stored)) << "Cancel stored " << stored;
    }

    // /c:<window>: the dialog belongs to that window; OK stores the choice.
    const int chosen = (saver.defaultChoice + 1) % saver.choices;
    {
        HostWindow owner;
        SaverRun run(SaverCommandLine(path, "/c:" + owner.Decimal()));
        HWND dialog = OpenDialog(run);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner.get());
        Choices(dialog, CB_SETCURSEL, chosen);
        Click(dialog, IDOK);
        EXPECT_TRUE(run.Ended(kEndMs));
        EXPECT_EQ(run.ExitCode(), 0u);
        ASSERT_TRUE(ReadStoredChoice(saver, &stored));
        EXPECT_EQ(stored, static_cast<DWORD>(chosen));
    }

    // The next start reads it.
    {
        SaverRun run(SaverCommandLine(path, "/c"));
        HWND dialog = OpenDialog(run);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Choices(dialog, CB_GETCURSEL), chosen);
        Click(dialog, IDCANCEL);
        EXPECT_TRUE(run.Ended(kEndMs));
    }
}

INSTANTIATE_TEST_SUITE_P(Savers, SettingsTest, ::testing::ValuesIn(kSavers),
                         [](const auto& info) { return SaverName(info.param); });

}  // namespace
