#include "support/input.h"

#include <shellapi.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "app/main_window.h"
#include "app/startup.h"
#include "support/files.h"
#include "support/ui.h"
#include "support/x_input.h"

namespace {
struct MenuWatch {
    std::function<void(HMENU)> inspect;
    char key = 0;
    bool seen = false;
    UINT_PTR timer = 0;
} watch;

void CALLBACK WatchMenus(HWND, UINT, UINT_PTR, DWORD) {
    HWND menuWindow = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            char cls[16] = "";
            GetClassNameA(w, cls, sizeof cls);
            if (std::string(cls) != "#32768" || !IsWindowVisible(w)) return TRUE;
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&menuWindow));
    if (!menuWindow) return;
    KillTimer(nullptr, watch.timer);
    watch.timer = 0;
    watch.seen = true;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (watch.inspect) watch.inspect(menu);
    if (watch.key) {
        // The menu's own loop reads the thread's keyboard messages.
        PostMessageA(MainWindow, WM_CHAR, static_cast<BYTE>(watch.key), 0);
    } else {
        EndMenu();
    }
}

MessageRecorder* activeRecorder;
}  // namespace

void OnNextPopupMenu(std::function<void(HMENU)> inspect, char key) {
    if (watch.timer) KillTimer(nullptr, watch.timer);
    watch.inspect = std::move(inspect);
    watch.key = key;
    watch.seen = false;
    watch.timer = SetTimer(nullptr, 0, 50, WatchMenus);
}

bool PopupMenuSeen() {
    return watch.seen;
}

MessageRecorder::MessageRecorder(bool swallowCommands, bool swallowSystemCommands)
    : swallowCommands_(swallowCommands), swallowSystem_(swallowSystemCommands) {
    activeRecorder = this;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageRecorder::Proc)));
}

MessageRecorder::~MessageRecorder() {
    if (IsWindow(MainWindow)) SetWindowLongPtrA(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    activeRecorder = nullptr;
}

LRESULT CALLBACK MessageRecorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageRecorder* r = activeRecorder;
    if (message == WM_COMMAND) {
        r->commands.push_back(LOWORD(wParam));
        if (r->swallowCommands_) return 0;
    } else if (message == WM_SYSCOMMAND) {
        r->systemCommands.push_back(wParam & 0xFFF0);
        if (r->swallowSystem_) return 0;
    }
    return CallWindowProcA(r->previous_, window, message, wParam, lParam);
}

void PumpProgramMessages() {
    MSG msg;
    for (int idle = 0; idle < 3; ++idle) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ProcessMessage(msg);
            idle = 0;
        }
        Sleep(30);
    }
}

void DoubleClickAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[4]{};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
    PumpProgramMessages();
}

void PressKey(const std::vector<WORD>& modifiers, WORD key) {
    SendKeyPress(modifiers, key);
    PumpProgramMessages();
}

namespace {
INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (vk == VK_DELETE) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return in;
}
}  // namespace

void SendKeyPress(const std::vector<WORD>& modifiers, WORD key) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void SendKey(WORD key, bool down, bool up) {
    std::vector<INPUT> inputs;
    if (down) inputs.push_back(KeyInput(key, false));
    if (up) inputs.push_back(KeyInput(key, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MoveMouseBy(int dx) {
    POINT at{};
    GetCursorPos(&at);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const int x = at.x + dx >= 0 && at.x + dx < width ? at.x + dx : at.x - dx;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (width - 1);
    input.mi.dy = at.y * 65535 / (height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void MoveMouseWithX(int dx) {
    if (!MoveMouseWithX(dx, 0)) ADD_FAILURE() << "xdotool could not be started";
}

bool TrayIconPresent(HWND window) {
    // Changing nothing succeeds only for an icon that is there.
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = kTrayIconId;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

namespace {
char savedFolder[MAX_PATH];
std::unique_ptr<ScratchFolder> standInFolder;

std::string StandInLogPath() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "zelvista-standin.log";
}
}  // namespace

std::string StandInPath() {
    return TestProgramFolder() + "zelvista_standin.exe";
}

StandInOpens::StandInOpens(const std::vector<std::string>& extensions, const std::string& className)
    : className_(className) {
    std::string command = "\"";
    command += StandInPath();
    command += "\" \"%1\"";
    for (const std::string& extension : extensions) {
        char found[256] = "";
        LONG size = sizeof found;
        const bool existed = RegQueryValueA(HKEY_CLASSES_ROOT, extension.c_str(), found, &size) == ERROR_SUCCESS;
        saved_.push_back({extension, existed, existed ? found : ""});
        RegSetValueA(HKEY_CLASSES_ROOT, extension.c_str(), REG_SZ, className_.c_str(),
                     static_cast<DWORD>(className_.size()));
    }
    RegSetValueA(HKEY_CLASSES_ROOT, (className_ + "\\shell\\open\\command").c_str(), REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size()));
    ClearStandInLog();
}

StandInOpens::~StandInOpens() {
    for (const Saved& s : saved_) {
        if (s.existed)
            RegSetValueA(HKEY_CLASSES_ROOT, s.extension.c_str(), REG_SZ, s.className.c_str(),
                         static_cast<DWORD>(s.className.size()));
        else
            RegDeleteTreeA(HKEY_CLASSES_ROOT, s.extension.c_str());
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, className_.c_str());
    ClearStandInLog();
}

std::string DriveOptimizerStandIn::Path() {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    return std::string(system) + "\\dfrgui.exe";
}

DriveOptimizerStandIn::DriveOptimizerStandIn() {
    const std::string path = Path();
    movedAway_ = MoveFileA(path.c_str(), (path + ".away").c_str()) != FALSE;
    CopyFileA(StandInPath().c_str(), path.c_str(), FALSE);
    ClearStandInLog();
}

DriveOptimizerStandIn::~DriveOptimizerStandIn() {
    const std::string path = Path();
    DeleteFileA(path.c_str());
    if (movedAway_) MoveFileA((path + ".away").c_str(), path.c_str());
    ClearStandInLog();
}

std::string EnterStandInFolder(const std::vector<std::string>& names) {
    standInFolder = std::make_unique<ScratchFolder>();
    std::string folder = standInFolder->path();
    std::string standIn = StandInPath();
    for (const std::string& name : names) CopyFileA(standIn.c_str(), (folder + name).c_str(), FALSE);
    GetCurrentDirectoryA(sizeof savedFolder, savedFolder);
    SetCurrentDirectoryA(folder.c_str());
    ClearStandInLog();
    return folder;
}

void LeaveStandInFolder() {
    if (!standInFolder) return;
    SetCurrentDirectoryA(savedFolder);
    standInFolder.reset();
}

std::vector<std::string> StandInLog(size_t lines, DWORD ms) {
    std::vector<std::string> result;
    DWORD start = GetTickCount();
    do {
        result.clear();
        std::ifstream in(StandInLogPath());
        std::string line;
        while (std::getline(in, line)) result.push_back(line);
        if (result.size() >= lines) break;
        Sleep(50);
    } while (GetTickCount() - start < ms);
    return result;
}

void ClearStandInLog() {
    DeleteFileA(StandInLogPath().c_str());
}
