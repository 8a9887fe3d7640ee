// Starting a program and watching for the windows it makes, for the saver
// host tool, the start benchmark and the saver tests. Every wait dispatches
// this thread's messages, so a child window made in one of our windows (which
// sends its parent messages) never blocks on us.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "base/handles.h"
#include "base/process.h"

// The program's StartProcess, shown normally as the program starts savers;
// false when it could not be started.
bool StartProcess(const std::string& commandLine, StartedProcess& out);
// "path" switch, with the path quoted.
std::string SaverCommandLine(const std::string& path, const std::string& arguments);

// The process's visible top-level window of the class (any class when null).
HWND FindTopLevelWindow(DWORD processId, const char* className);
// The process's window of the class among parent's children.
HWND FindChildWindow(HWND parent, DWORD processId, const char* className);

// Calls find until it gives a window or timeoutMs have passed.
HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs);
// Lets this thread's messages run for the given time; with 0, dispatches
// what is waiting and returns.
void PumpFor(DWORD ms);
// True when the process ended within timeoutMs.
bool WaitForExit(HANDLE process, DWORD timeoutMs);
// Asks the window to close, waits; ends the process when it does not go.
bool CloseAndWait(HWND window, StartedProcess& process, DWORD timeoutMs);
