// One list entry played full screen for its time, as the changer plays them.
#pragma once

#include "play/saver_process.h"

// Prepares the row into the work folder and runs it full screen for its own
// switch seconds, or standardSeconds when it has none, blocking meanwhile.
// NotStarted when it could not be prepared or started.
TimedSaverRun RunEntryFullScreen(int row, int standardSeconds);
