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
// Starts a program and waits for its end, however long: 1 when it was started
// and has ended, 0 when it could not be started.
int RunAndWait(const char* commandLine);
// Starts a program shown and does not wait; false when it could not be started.
bool StartWithoutWaiting(const char* commandLine);
