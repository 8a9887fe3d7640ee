// What playing code needs from the rest of the program, which it may not
// include: the list's rows, the archiver libraries, the system's screen saver
// setting and the changer timer. The main window connects them when it is
// created; a missing connection counts as "nothing there".
#pragma once
#include <windows.h>

// One list entry as playing needs it.
struct SaverEntry {
    char name[256] = "";     // file name with extension (member name for archives)
    char seconds[256] = "";  // own switch seconds, "0" for the standard time
    char folder[256] = "";   // folder of the file or of its archive, ends with '\'
    char archive[256] = "";  // archive file name, empty for a loose file
    int archiver = -1;       // library of an archive's type (0 LZH, 1 ZIP, 2 CAB), -1 for none
};

struct PlayConnections {
    HWND owner = nullptr;  // the main window: owns the libraries' messages and the changer timer
    int (*rowCount)() = nullptr;
    // The row's texts; false when the row is not in the list.
    bool (*readRow)(int row, SaverEntry& entry) = nullptr;
    // 0 when the library extracted the member into the folder.
    int (*extractMember)(int archiver, const char* archivePath, const char* memberName,
                         const char* destinationFolder, HWND owner) = nullptr;
    int (*isSaverActive)() = nullptr;
    int (*enableSaver)() = nullptr;
    int (*disableSaver)() = nullptr;
    void (*stopChangerTimer)(HWND owner) = nullptr;
    void (*startChangerTimer)(HWND owner) = nullptr;  // sets it only when the changer is on
    void (*setStandardSaver)(const char* shortPath) = nullptr;
};

extern PlayConnections Play;
