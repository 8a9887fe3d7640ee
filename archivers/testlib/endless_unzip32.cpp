// A deliberately faulty unzip32.dll for the adapter's tests: it reports two
// members but its FindNext never answers -1 (it alternates 0 with an error
// code), so a listing must end by the member count.
#include <windows.h>

#include <cstring>

namespace {
int calls = 0;
void Name(void* record) {
    char* r = static_cast<char*>(record);
    std::memset(r, 0, 560);
    std::strcpy(r + 26, (calls++ % 2) ? "dir\\b.scr" : "a.scr");
}
}  // namespace

extern "C" {
int WINAPI UnZip(HWND, LPCSTR, LPSTR, DWORD) { return 0; }
BOOL WINAPI UnZipCheckArchive(LPCSTR, int) { return TRUE; }
int WINAPI UnZipGetFileCount(LPCSTR) { return 2; }
HANDLE WINAPI UnZipOpenArchive(HWND, LPCSTR, DWORD) { return reinterpret_cast<HANDLE>(1); }
int WINAPI UnZipFindFirst(HANDLE, LPCSTR, void* record) {
    calls = 0;
    Name(record);
    return 0;
}
int WINAPI UnZipFindNext(HANDLE, void* record) {
    Name(record);
    return (calls % 2) ? 0 : 0x8020;
}
int WINAPI UnZipCloseArchive(HANDLE) { return 0; }
WORD WINAPI UnZipGetVersion() { return 42; }
}
