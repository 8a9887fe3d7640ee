// Running a list entry: preparing it and starting the screen saver.
#pragma once

// Short (8.3) form of the prepared screen saver's path; making the entry the
// standard screen saver passes it on.
extern char ShortSaverPath[256];

void PreviewEntry();
