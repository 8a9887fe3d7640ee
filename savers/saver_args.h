// Reads a screen saver's command line the way Windows writes it:
//   /s            full screen (also /S, -s)
//   /p <handle>   inside a child of the given window (also /p:<handle>)
//   /c[:<handle>] settings dialog, owned by the window when one is given
//   nothing       the settings dialog, as for /c
// Anything else (/a, a preview without a window, junk) asks for nothing.
#pragma once
#include <cstdint>

enum class SaverMode { Configure, FullScreen, Preview, Nothing };

struct SaverArgs {
    SaverMode mode;
    std::uintptr_t window;  // decimal handle from the command line, 0 for none
};

// args: the command line after the program name.
SaverArgs ParseSaverArgs(const char* args);
