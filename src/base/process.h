// Starting outside programs.
#pragma once

// Starts a program and waits for its end: 1 when it was started and has
// ended, 0 when it could not be started.
int RunAndWait(const char* commandLine);
