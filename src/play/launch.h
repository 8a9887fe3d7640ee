// Running a list entry: preparing it and starting the screen saver.
#pragma once

// Short (8.3) form of the prepared screen saver's path; the standard screen
// saver writer reads it.
extern char ShortSaverPath[256];

void PreviewEntry();
// Starts a program and waits for its end: 1 when it was started and has
// ended, 0 when it could not be started.
int RunAndWait(const char* commandLine);
