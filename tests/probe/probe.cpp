// Probe.scr: a screen saver for the tests. It behaves like a real one and
// writes down every start, window and end, so a test can see how the program
// started it and how it ended.
//
//   /s            full screen, top-level window of class WindowsScreenSaverClass;
//                 ends on WM_CLOSE, a key, a mouse button or the mouse moving
//   /p <handle>   child window of that class inside the given window; ends on
//                 WM_CLOSE to the child or when the parent goes away
//   /c[:handle]   a small settings window; ends on WM_CLOSE. No switch means /c.
//
// Log: %ZELVISTA_PROBE_LOG%, else %TEMP%\zelvista-probe.log. One line per event:
//   start pid=.. us=.. time=.. created=.. name=.. mode=s|p|c|a parent=.. behaviour=.. endms=.. cmd=<command line>
//   window pid=.. us=.. class=.. hwnd=.. active=0|1 width=.. height=..
//   hidden pid=.. us=.. reason=..  (linger: the window hidden, the end to follow)
//   end pid=.. us=.. reason=close|key|mouse|endtime|parent|exit
// us is the performance counter in microseconds (one clock for all processes),
// time the wall clock in seconds, created when the process was created (in us,
// before the start line: a busy system takes a while to start a process),
// active the system's screen saver setting as the probe sees it once its
// window exists.
//
// Misbehaviour, by a word in the file name (Probe-nowindow.scr) or in
// %ZELVISTA_PROBE_BEHAVIOUR% (the file name wins):
//   nowindow     never makes a window and never ends by itself
//   ignoreclose  makes its window but ignores WM_CLOSE
//   forever      makes its window and ignores WM_CLOSE, input and its end time
//   exitnow      ends at once after the start line
//   crash        crashes right after its window appears
// and, beside any of those:
//   linger<ms>   on input, WM_CLOSE or its end time it hides its window and
//                ends that many milliseconds later (Probe-linger2000.scr)
//   ownclass     registers its own window class instead of the screen saver one
//   noarg-runs   a start without arguments runs full screen, as /s
//   late<ms>     makes its window only that many milliseconds after its start,
//                as one that is slow to start does (Probe-late800.scr)
//   deaf         ignores keys and the mouse (WM_CLOSE and its end time still work)
// "end<ms>" in the file name (Probe-end500.scr) or %ZELVISTA_PROBE_END_MS%
// makes it end by itself after that time, as when the user comes back.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";
constexpr char kSettingsClass[] = "ZelvistaProbeSettings";
constexpr char kOwnClass[] = "ZelvistaProbeOwnClass";
constexpr UINT_PTR kEndTimer = 1;
constexpr UINT_PTR kParentTimer = 2;
constexpr UINT_PTR kLingerTimer = 4;
constexpr UINT_PTR kCursorTimer = 3;  // full screen: the cursor looked at, in case no WM_MOUSEMOVE came
constexpr int kMouseSlack = 4;  // pixels the mouse may move without ending a full-screen run

enum class Behaviour { Normal, NoWindow, IgnoreClose, Forever, ExitNow, Crash };

const struct {
    const char* word;
    Behaviour behaviour;
} kBehaviours[] = {
    {"nowindow", Behaviour::NoWindow}, {"ignoreclose", Behaviour::IgnoreClose}, {"forever", Behaviour::Forever},
    {"exitnow", Behaviour::ExitNow},   {"crash", Behaviour::Crash},
};

struct Probe {
    char mode = 'c';
    HWND parent = nullptr;
    Behaviour behaviour = Behaviour::Normal;
    const char* behaviourWord = "normal";
    DWORD endMs = 0;
    DWORD lingerMs = 0;     // linger<ms>: 0 for none
    bool ownClass = false;  // ownclass
    bool noArgRuns = false; // noarg-runs
    DWORD lateMs = 0;       // late<ms>: 0 for none
    bool deaf = false;      // deaf
    std::string lingerReason;  // why it hid its window; empty while shown
    POINT cursorAtStart{};
    std::string logPath;
    std::string name;
} probe;

long long Microseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<long long>(static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart));
}

// When this process was created, on the clock of Microseconds: the system
// time has run on since then as far as the counter.
long long CreatedMicroseconds() {
    const long long now = Microseconds();
    FILETIME systemNow{}, created{}, exited{}, kernel{}, user{};
    GetSystemTimeAsFileTime(&systemNow);
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return now;
    auto hundredNs = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return now - (hundredNs(systemNow) - hundredNs(created)) / 10;
}

std::string Environment(const char* name) {
    char value[1024];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

// One line per write, appended: starts of several probes never mix their lines.
void Log(const std::string& line) {
    HANDLE file = CreateFileA(probe.logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\r\n";
    DWORD wrote = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr);
    CloseHandle(file);
}

std::string Head(const char* event) {
    return std::string(event) + " pid=" + std::to_string(GetCurrentProcessId()) + " us=" + std::to_string(Microseconds());
}

void LogEnd(const char* reason) {
    Log(Head("end") + " reason=" + reason);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void ChooseBehaviour() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const char* slash = std::strrchr(self, '\\');
    probe.name = slash ? slash + 1 : self;
    const std::string name = Lower(probe.name);
    const std::string fromEnvironment = Lower(Environment("ZELVISTA_PROBE_BEHAVIOUR"));
    for (const std::string* source : {&fromEnvironment, &name}) {
        for (const auto& b : kBehaviours) {
            if (source->find(b.word) != std::string::npos) {
                probe.behaviour = b.behaviour;
                probe.behaviourWord = b.word;
            }
        }
    }
    for (const std::string* source : {&fromEnvironment, &name}) {
        const size_t linger = source->find("linger");
        if (linger != std::string::npos)
            probe.lingerMs = static_cast<DWORD>(std::strtoul(source->c_str() + linger + 6, nullptr, 10));
        probe.ownClass = probe.ownClass || source->find("ownclass") != std::string::npos;
        probe.noArgRuns = probe.noArgRuns || source->find("noarg-runs") != std::string::npos;
        const size_t late = source->find("late");
        if (late != std::string::npos)
            probe.lateMs = static_cast<DWORD>(std::strtoul(source->c_str() + late + 4, nullptr, 10));
        probe.deaf = probe.deaf || source->find("deaf") != std::string::npos;
    }
    std::string endMs = Environment("ZELVISTA_PROBE_END_MS");
    size_t at = name.find("end");
    while (at != std::string::npos && !(at + 3 < name.size() && name[at + 3] >= '0' && name[at + 3] <= '9'))
        at = name.find("end", at + 1);
    if (at != std::string::npos) endMs = name.substr(at + 3);
    probe.endMs = static_cast<DWORD>(std::strtoul(endMs.c_str(), nullptr, 10));
    if (probe.behaviour == Behaviour::Forever) probe.endMs = 0;

    probe.logPath = Environment("ZELVISTA_PROBE_LOG");
    if (probe.logPath.empty()) {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        probe.logPath = std::string(temp) + "zelvista-probe.log";
    }
}

// The part of the command line after the program's own name.
const char* Arguments(const char* line) {
    if (*line == '"') {
        const char* close = std::strchr(line + 1, '"');
        line = close ? close + 1 : line + std::strlen(line);
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

void ParseSwitch(const char* args) {
    const char* p = args;
    if (*p == '\0' && probe.noArgRuns) {
        probe.mode = 's';
        return;
    }
    if (*p == '/' || *p == '-') ++p;
    char letter = static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p - 'A' + 'a' : *p);
    probe.mode = letter == 's' || letter == 'p' || letter == 'a' ? letter : 'c';
    if (*p) ++p;
    while (*p == ' ' || *p == ':' || *p == '\t') ++p;
    if (*p && (probe.mode == 'p' || probe.mode == 'c' || probe.mode == 'a'))
        probe.parent = reinterpret_cast<HWND>(static_cast<INT_PTR>(_strtoi64(p, nullptr, 10)));
}

void End(HWND window, const char* reason) {
    if (probe.lingerMs) {
        // Once hidden, it only waits for its end.
        if (!probe.lingerReason.empty()) return;
        probe.lingerReason = reason;
        Log(Head("hidden") + " reason=" + reason);
        KillTimer(window, kEndTimer);
        KillTimer(window, kCursorTimer);
        ShowWindow(window, SW_HIDE);
        SetTimer(window, kLingerTimer, probe.lingerMs, nullptr);
        return;
    }
    LogEnd(reason);
    DestroyWindow(window);
}

bool CursorMovedFar() {
    POINT now{};
    GetCursorPos(&now);
    return std::abs(now.x - probe.cursorAtStart.x) > kMouseSlack || std::abs(now.y - probe.cursorAtStart.y) > kMouseSlack;
}

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    HBRUSH brush = CreateSolidBrush(RGB(20, 60, 120));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    std::string text = probe.name + " /" + probe.mode;
    DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool deaf = probe.behaviour == Behaviour::Forever || probe.deaf;
    const bool fullScreen = probe.mode == 's';
    switch (message) {
    case WM_TIMER:
        if (wParam == kLingerTimer) {
            KillTimer(window, kLingerTimer);
            LogEnd(probe.lingerReason.c_str());
            DestroyWindow(window);
        } else if (wParam == kEndTimer) {
            KillTimer(window, kEndTimer);
            End(window, "endtime");
        } else if (wParam == kParentTimer && !IsWindow(probe.parent)) {
            KillTimer(window, kParentTimer);
            End(window, "parent");
        } else if (wParam == kCursorTimer && !deaf && CursorMovedFar()) {
            KillTimer(window, kCursorTimer);
            End(window, "mouse");
        }
        return 0;
    case WM_CLOSE:
        if (probe.behaviour == Behaviour::Forever || probe.behaviour == Behaviour::IgnoreClose) {
            Log(Head("ignored") + " message=WM_CLOSE");
            return 0;
        }
        End(window, "close");
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (fullScreen && !deaf) End(window, "key");
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (fullScreen && !deaf) End(window, "mouse");
        return 0;
    case WM_MOUSEMOVE:
        if (fullScreen && !deaf && CursorMovedFar()) End(window, "mouse");
        return 0;
    case WM_SETCURSOR:
        if (fullScreen) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = probe.mode == 'c' ? kSettingsClass : probe.ownClass ? kOwnClass : kSaverClass;
    RegisterClassA(&wc);
    GetCursorPos(&probe.cursorAtStart);
    if (probe.mode == 'p') {
        if (!IsWindow(probe.parent)) return nullptr;
        RECT r{};
        GetClientRect(probe.parent, &r);
        return CreateWindowExA(0, wc.lpszClassName, "Probe", WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom, probe.parent,
                               nullptr, instance, nullptr);
    }
    if (probe.mode == 's') {
        return CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Probe", WS_POPUP | WS_VISIBLE, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance,
                               nullptr);
    }
    HWND owner = IsWindow(probe.parent) ? probe.parent : nullptr;
    return CreateWindowExA(0, wc.lpszClassName, "Probe settings", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                           CW_USEDEFAULT, CW_USEDEFAULT, 320, 160, owner, nullptr, instance, nullptr);
}

void LogWindow(HWND window) {
    char cls[128] = "";
    GetClassNameA(window, cls, sizeof cls);
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    RECT r{};
    GetClientRect(window, &r);
    Log(Head("window") + " class=" + cls + " hwnd=" + std::to_string(reinterpret_cast<INT_PTR>(window)) +
        " active=" + (active ? "1" : "0") + " width=" + std::to_string(r.right) + " height=" + std::to_string(r.bottom));
}

// An unhandled fault ends the process with the fault's code and no debugger.
LONG WINAPI EndWithoutDebugger(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A crash ends the process without the system's crash dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(EndWithoutDebugger);
    ChooseBehaviour();
    const char* line = GetCommandLineA();
    ParseSwitch(Arguments(line));
    Log(Head("start") + " time=" + std::to_string(static_cast<long long>(std::time(nullptr))) +
        " created=" + std::to_string(CreatedMicroseconds()) + " name=" + probe.name +
        " mode=" + probe.mode + " parent=" + std::to_string(reinterpret_cast<INT_PTR>(probe.parent)) +
        " behaviour=" + probe.behaviourWord + " linger=" + std::to_string(probe.lingerMs) + " late=" + std::to_string(probe.lateMs) +
        " endms=" + std::to_string(probe.endMs) + " cmd=" + line);

    if (probe.behaviour == Behaviour::ExitNow || probe.mode == 'a') {
        LogEnd("exit");
        return 0;
    }
    if (probe.behaviour == Behaviour::NoWindow) {
        DWORD start = GetTickCount();
        while (probe.endMs == 0 || GetTickCount() - start < probe.endMs) Sleep(50);
        LogEnd("endtime");
        return 0;
    }
    if (probe.lateMs) Sleep(probe.lateMs);
    HWND window = MakeWindow(instance);
    if (!window) {
        LogEnd("nowindow");
        return 1;
    }
    LogWindow(window);
    if (probe.behaviour == Behaviour::Crash) {
        Log(Head("crash"));
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    if (probe.endMs) SetTimer(window, kEndTimer, probe.endMs, nullptr);
    if (probe.mode == 'p') SetTimer(window, kParentTimer, 250, nullptr);
    if (probe.mode == 's') SetTimer(window, kCursorTimer, 200, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
