// A deliberately faulty unzip32.dll for the adapter's tests: it reports two
// members but its FindNext never answers -1 (it alternates 0 with an error
// code), so a listing must end by the member count.
#include <windows.h>

#include <cstring>

#include "archiver_interface.h"

namespace {
int calls = 0;
void Name(INDIVIDUALINFO* record) {
    std::memset(record, 0, sizeof *record);
    std::strcpy(record->szFileName, (calls++ % 2) ? "dir\\b.scr" : "a.scr");
}
}  // namespace

extern "C" {
int WINAPI UnZip(HWND, LPCSTR, LPSTR, DWORD) { return 0; }
BOOL WINAPI UnZipCheckArchive(LPCSTR, int) { return TRUE; }
int WINAPI UnZipGetFileCount(LPCSTR) { return 2; }
HARC WINAPI UnZipOpenArchive(HWND, LPCSTR, DWORD) { return reinterpret_cast<HARC>(1); }
int WINAPI UnZipFindFirst(HARC, LPCSTR, INDIVIDUALINFO* record) {
    calls = 0;
    Name(record);
    return 0;
}
int WINAPI UnZipFindNext(HARC, INDIVIDUALINFO* record) {
    Name(record);
    return (calls % 2) ? 0 : 0x8020;
}
int WINAPI UnZipCloseArchive(HARC) { return 0; }
WORD WINAPI UnZipGetVersion() { return 42; }
}
