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

// The options list playback follows, as the settings record holds them.
struct PlaybackOptions {
    int LopPlay = 0;   // after the last entry start again at the first when 1
    int ChgTime = 30;  // seconds of an entry that has none of its own
    int ZOrder = 0;    // the play window stays on top when not 0
};

// What became of extracting an archive member, as the archive side tells it.
enum class MemberExtraction {
    Extracted,
    LibraryMissing,     // the archive's library is missing or cannot be loaded
    ArchiveUnreadable,  // the archive cannot be opened: damaged, or not of its kind
    NoSuchMember,       // the archive holds no member of that name
    MethodNotRead,      // the member is stored in a way the library does not read
    DataDamaged,        // the member's data are damaged
    WriteFailed,        // the member's file could not be written
    Failed,             // anything else
};

struct PlayConnections {
    HWND owner = nullptr;  // the main window: owns the libraries' messages and the changer timer
    int (*rowCount)() = nullptr;
    // The row's texts; false when the row is not in the list.
    bool (*readRow)(int row, SaverEntry& entry) = nullptr;
    // Extracted when the library put the member into the folder.
    MemberExtraction (*extractMember)(int archiver, const char* archivePath, const char* memberName,
                                      const char* destinationFolder, HWND owner) = nullptr;
    // A line for the main window's status bar (empty to clear it): what
    // playback and the changer skipped.
    void (*showStatus)(const char* text) = nullptr;
    int (*isSaverActive)() = nullptr;
    int (*enableSaver)() = nullptr;
    int (*disableSaver)() = nullptr;
    void (*stopChangerTimer)(HWND owner) = nullptr;
    void (*startChangerTimer)(HWND owner) = nullptr;  // sets it only when the changer is on
    void (*setStandardSaver)(const char* shortPath) = nullptr;
    // List playback: the selected row (-1 for none) and selecting one (the
    // selection moves to the entry that plays next), its options, and the
    // play window's stored rectangle, applied when it opens (when window
    // places are kept) and stored when it closes.
    int (*selectedRow)() = nullptr;
    void (*selectRow)(int row) = nullptr;
    PlaybackOptions (*playbackOptions)() = nullptr;
    void (*restorePlayWindowRect)(HWND playWindow) = nullptr;
    void (*storePlayWindowRect)(HWND playWindow) = nullptr;
};

extern PlayConnections Play;
