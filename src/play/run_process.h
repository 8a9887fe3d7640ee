// Starting outside programs: waiting for their end, or leaving them to run.
#pragma once
#include <windows.h>

#include "app/handles.h"

struct StartedProcess {
    Handle process;  // empty when the program could not be started
    DWORD id = 0;
};

// Starts a command line with the given show state. The program's handles are
// not inherited: a screen saver has no business with the program's files.
StartedProcess StartProcess(const char* commandLine, WORD show);
// Starts a program and waits for its end, however long: 1 when it was started
// and has ended, 0 when it could not be started.
int RunAndWait(const char* commandLine);
// Starts a program shown normally and does not wait; false when it could not
// be started.
bool StartWithoutWaiting(const char* commandLine);
