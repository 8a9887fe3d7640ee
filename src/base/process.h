// Starting outside programs.
#pragma once
#include <windows.h>

#include "base/handles.h"

struct StartedProcess {
    Handle process;  // empty when the program could not be started
    DWORD id = 0;
};

// Starts a command line with the given show state. The program's handles are
// not inherited: an outside program has no business with its files.
StartedProcess StartProcess(const char* commandLine, WORD show);
// Starts a program through the shell, which asks the user for administrator
// rights when the program needs them, and waits for its end, however long,
// answering what other programs send meanwhile (see WaitForProcessEnd): 1
// when it was started and has ended, 0 when it could not be started. error,
// when given, then says why (ERROR_CANCELLED: the user declined the rights).
// owner: the window the shell's questions belong to.
int RunAndWait(const char* program, HWND owner = nullptr, DWORD* error = nullptr);
// Starts a program shown and does not wait; false when it could not be started.
bool StartWithoutWaiting(const char* commandLine);
// Waits up to ms (INFINITE for no limit) for a process to end; true when it
// has. Messages other threads and programs send to this one are answered
// meanwhile (nothing posted is touched): a program that sends to our windows
// and waits for the answer would otherwise wait for us while we wait for it.
bool WaitForProcessEnd(HANDLE process, DWORD ms);
// How long ago the process was started, in milliseconds; false when the
// system does not say (no access, or it has gone).
bool ProcessAgeMs(DWORD processId, DWORD* ms);
