// One screen saver of the list: five texts, as a row of the list view holds them.
#pragma once
#include <cstddef>

// Bytes of each field, its terminating zero included.
constexpr std::size_t kEntryFieldSize = 256;

struct ScreenSaverEntry {
    char name[kEntryFieldSize];     // file name with extension (member name for archives)
    char seconds[kEntryFieldSize];  // own switch seconds, "0" = the standard time
    char folder[kEntryFieldSize];   // folder of the file or of its archive, ends with '\'
    char type[kEntryFieldSize];     // "ｽｸﾘｰﾝｾｰﾊﾞｰ" or "書庫(LZH)" / "書庫(ZIP)" / "書庫(CAB)"
    char archive[kEntryFieldSize];  // archive file name, empty for a loose file
};

constexpr int kEntryFieldCount = 5;

// Field of a column: 0 name, 1 seconds, 2 folder, 3 type, 4 archive.
inline char* EntryField(ScreenSaverEntry& entry, int column) {
    switch (column) {
    case 0: return entry.name;
    case 1: return entry.seconds;
    case 2: return entry.folder;
    case 3: return entry.type;
    default: return entry.archive;
    }
}
inline const char* EntryField(const ScreenSaverEntry& entry, int column) {
    return EntryField(const_cast<ScreenSaverEntry&>(entry), column);
}
