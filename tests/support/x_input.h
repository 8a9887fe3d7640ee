// Real input through the X server (xdotool, a Linux program Wine starts by
// its Z: path): under Wine, mouse movement made with SendInput does not reach
// every window as movement, X input does. Header only, for the test programs
// that do not link the rest of the support.
#pragma once
#include <windows.h>

#include <string>

// Runs xdotool with these arguments and waits until it is done; false when
// it could not be run.
inline bool RunXdotool(const std::string& arguments) {
    std::string command = "Z:\\usr\\bin\\xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// Moves the pointer by (dx, dy); false when xdotool could not be run.
inline bool MoveMouseWithX(int dx, int dy) {
    return RunXdotool("mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy));
}

// Presses and releases a key, named as X names it ("shift", "a").
inline bool PressKeyWithX(const std::string& key) {
    return RunXdotool("key " + key);
}
