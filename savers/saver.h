// What one of our screen savers gives the shared frame (saver_main.cpp and
// its neighbours): its registry name, its one setting, and three procedures
// that keep its picture. The frame owns the window, the timer, the back
// buffer, the command line and the settings dialog.
#pragma once
#include <windows.h>

#include <cstdlib>

// The one setting: an index into a short list of choices, stored as a DWORD
// under HKCU\Software\Tandelworks\Zelvista Savers\<registryName>.
struct SaverSetting {
    const char* valueName;  // registry value name
    int choiceCount;        // choices are strings IDS_CHOICE_FIRST + 0 .. count - 1
    int defaultChoice;
};

struct SaverDefinition {
    const char* registryName;  // the saver's own key, also its window title
    UINT frameMs;              // frame timer period
    SaverSetting setting;
    // Starts a new picture of width x height with the stored setting; also
    // called again when the window changes size.
    void (*start)(int setting, int width, int height);
    // Moves the picture on by the given time (seconds, at most a tenth).
    void (*step)(double seconds);
    // Paints the whole picture into a memory DC of width x height.
    void (*draw)(HDC dc, int width, int height);
};

// Each saver program defines this one record.
extern const SaverDefinition ThisSaver;

// ---- small helpers for the frame and the savers

constexpr double kPi = 3.14159265358979323846;

// 0..1 from the C library's generator, which each saver seeds at its start.
inline double Random01() { return static_cast<double>(std::rand()) / RAND_MAX; }

// A string of the saver's string table, empty when it is missing. In UTF-16,
// as the table holds it: the savers speak to Windows in UTF-16 only, so their
// Japanese texts show whatever the process's code page.
inline void LoadText(UINT id, wchar_t* out, int size) {
    if (LoadStringW(GetModuleHandleW(nullptr), id, out, size) <= 0) out[0] = L'\0';
}
