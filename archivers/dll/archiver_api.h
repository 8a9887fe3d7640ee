// The common implementation behind the exports of unlha32.dll, unzip32.dll
// and cab32.dll; the interface itself is in archiver_interface.h.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "archive.h"
#include "archiver_interface.h"

namespace archiver {

// Opens the archive at `path` (code page 932) with whatever it needs kept alive in `keep`.
using OpenFunction = arc::Status (*)(const std::string& path, std::unique_ptr<arc::Source>& keep,
                                     std::unique_ptr<arc::Archive>& archive);

struct Kind {
    const char* libraryName;  // shown in message box captions
    bool commandWord;         // the command line starts with a command word ("e", "x")
    WORD version;             // version × 100
    OpenFunction open;
    // How the command function opens the archive to extract from it, when
    // that can be done with less than a full listing; else `open`.
    OpenFunction openToExtract = nullptr;
};

int RunCommand(const Kind& kind, HWND window, LPCSTR commandLine, LPSTR output, DWORD outputSize);
BOOL CheckArchive(const Kind& kind, LPCSTR path, int mode);
int GetFileCount(const Kind& kind, LPCSTR path);
HARC OpenArchive(const Kind& kind, HWND window, LPCSTR path, DWORD mode);
int FindFirst(HARC archive, LPCSTR wildcard, INDIVIDUALINFO* info);
int FindNext(HARC archive, INDIVIDUALINFO* info);
int CloseArchive(HARC archive);

using SourceOpener = arc::Status (*)(arc::Source& source, std::unique_ptr<arc::Archive>& archive);
arc::Status OpenFileArchive(const std::string& path, std::unique_ptr<arc::Source>& keep,
                            std::unique_ptr<arc::Archive>& archive, SourceOpener open);
// Rewrites a name stored as UTF-8 into code page 932, composed first; false
// when it is not valid UTF-8 or holds a character without an exact code page
// 932 form (such a member is left out, never shown with '?' or a look-alike).
bool CodePage932FromUtf8(std::string& name);
arc::Status OpenCabinet(const std::string& path, std::unique_ptr<arc::Source>& keep,
                        std::unique_ptr<arc::Archive>& archive);
// The same members read from the checked file table instead of a listing by
// the system's cabinet library; the extraction checks each against it.
arc::Status OpenCabinetToExtract(const std::string& path, std::unique_ptr<arc::Source>& keep,
                                 std::unique_ptr<arc::Archive>& archive);

}  // namespace archiver

// Each library defines its eight exports with its own prefix, of the types
// the interface names.
#define ARCHIVER_EXPORTS(Prefix, kind)                                                                          \
    extern "C" {                                                                                                \
    int WINAPI Prefix(HWND w, LPCSTR c, LPSTR o, DWORD s) { return archiver::RunCommand(kind, w, c, o, s); }     \
    BOOL WINAPI Prefix##CheckArchive(LPCSTR p, int m) { return archiver::CheckArchive(kind, p, m); }            \
    int WINAPI Prefix##GetFileCount(LPCSTR p) { return archiver::GetFileCount(kind, p); }                       \
    HARC WINAPI Prefix##OpenArchive(HWND w, LPCSTR p, DWORD m) { return archiver::OpenArchive(kind, w, p, m); } \
    int WINAPI Prefix##FindFirst(HARC h, LPCSTR w, INDIVIDUALINFO* i) { return archiver::FindFirst(h, w, i); } \
    int WINAPI Prefix##FindNext(HARC h, INDIVIDUALINFO* i) { return archiver::FindNext(h, i); }                 \
    int WINAPI Prefix##CloseArchive(HARC h) { return archiver::CloseArchive(h); }                               \
    WORD WINAPI Prefix##GetVersion() { return (kind).version; }                                                 \
    }                                                                                                           \
    static_assert(std::is_same_v<decltype(&Prefix), ArchiverCommandFunction> &&                                 \
                  std::is_same_v<decltype(&Prefix##CheckArchive), ArchiverCheckArchiveFunction> &&              \
                  std::is_same_v<decltype(&Prefix##GetFileCount), ArchiverGetFileCountFunction> &&              \
                  std::is_same_v<decltype(&Prefix##OpenArchive), ArchiverOpenArchiveFunction> &&                \
                  std::is_same_v<decltype(&Prefix##FindFirst), ArchiverFindFirstFunction> &&                    \
                  std::is_same_v<decltype(&Prefix##FindNext), ArchiverFindNextFunction> &&                      \
                  std::is_same_v<decltype(&Prefix##CloseArchive), ArchiverCloseArchiveFunction> &&              \
                  std::is_same_v<decltype(&Prefix##GetVersion), ArchiverGetVersionFunction>,                   \
                  "exports of the interface's types");
