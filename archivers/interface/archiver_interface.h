// The calling interface of the archiver libraries unlha32.dll, unzip32.dll
// and cab32.dll, written once for the libraries, the program's adapter and
// the tests: the eight functions each library exports under its own prefix,
// the 560-byte member record FindFirst/FindNext fill, and the switches of the
// extraction command lines the program sends.
#pragma once
#include <windows.h>

#include <cstddef>

// One member as FindFirst/FindNext report it.
#pragma pack(push, 1)
struct INDIVIDUALINFO {
    DWORD dwOriginalSize;
    DWORD dwCompressedSize;
    DWORD dwCRC;
    UINT uFlag;
    UINT uOSType;
    WORD wRatio;  // compressed size per mille of the original
    WORD wDate;
    WORD wTime;
    char szFileName[513];  // path inside the archive, '\' separated
    char szAttribute[8];
    char szMode[8];        // method, e.g. "-lh5-"
    char reserved[5];
};
#pragma pack(pop)
constexpr std::size_t kMemberRecordSize = 560;
constexpr std::size_t kMemberNameOffset = 26;
constexpr std::size_t kMemberNameSize = 513;
static_assert(sizeof(INDIVIDUALINFO) == kMemberRecordSize, "record of 560 bytes");
static_assert(offsetof(INDIVIDUALINFO, szFileName) == kMemberNameOffset, "member name at byte 26");
static_assert(sizeof(INDIVIDUALINFO::szFileName) == kMemberNameSize, "member name of 513 bytes");

typedef HANDLE HARC;

constexpr int CHECKARCHIVE_BASIC = 1;             // check mode: headers only
constexpr DWORD M_ERROR_MESSAGE_ON = 0x00400000;  // open mode: the library reports errors itself

// The eight functions. Each library exports them as its prefix followed by
// the suffix below ("" for the command function itself).
using ArchiverCommandFunction = int(WINAPI*)(HWND window, LPCSTR commandLine, LPSTR output, DWORD outputSize);
using ArchiverCheckArchiveFunction = BOOL(WINAPI*)(LPCSTR path, int mode);
using ArchiverGetFileCountFunction = int(WINAPI*)(LPCSTR path);
using ArchiverOpenArchiveFunction = HARC(WINAPI*)(HWND window, LPCSTR path, DWORD mode);
using ArchiverFindFirstFunction = int(WINAPI*)(HARC archive, LPCSTR wildcard, INDIVIDUALINFO* info);
using ArchiverFindNextFunction = int(WINAPI*)(HARC archive, INDIVIDUALINFO* info);
using ArchiverCloseArchiveFunction = int(WINAPI*)(HARC archive);
using ArchiverGetVersionFunction = WORD(WINAPI*)();  // version x 100

// Results of the command function: 0 on success, otherwise one of these,
// so that the caller can tell the user why a member did not come out.
constexpr int ERROR_ARCHIVER_COMMAND = 0x8001;   // command line not understood
constexpr int ERROR_ARCHIVER_OPEN = 0x8002;      // archive missing, unreadable or damaged
constexpr int ERROR_ARCHIVER_NO_MEMBER = 0x8003; // no member matches
constexpr int ERROR_ARCHIVER_EXTRACT = 0x8004;   // a member's data are damaged (checksum, size, coding)
constexpr int ERROR_ARCHIVER_METHOD = 0x8005;    // a member's method or layout is one the library does not read
constexpr int ERROR_ARCHIVER_WRITE = 0x8006;     // the member's file could not be written

constexpr char kCommandSuffix[] = "";
constexpr char kCheckArchiveSuffix[] = "CheckArchive";
constexpr char kGetFileCountSuffix[] = "GetFileCount";
constexpr char kOpenArchiveSuffix[] = "OpenArchive";
constexpr char kFindFirstSuffix[] = "FindFirst";
constexpr char kFindNextSuffix[] = "FindNext";
constexpr char kCloseArchiveSuffix[] = "CloseArchive";
constexpr char kGetVersionSuffix[] = "GetVersion";

// The three libraries by archiver index (0 LZH, 1 ZIP, 2 CAB).
struct ArchiverLibraryInterface {
    const char* fileName;
    const char* prefix;
    // Switches that start an extraction command line; the program follows
    // them with "archive" "destination folder" "member", each quoted.
    const char* extractSwitches;
};
constexpr int kArchiverLibraryCount = 3;
constexpr ArchiverLibraryInterface kArchiverLibraries[kArchiverLibraryCount] = {
    {"unlha32.dll", "Unlha", "e -n1 -jsc "},
    {"unzip32.dll", "UnZip", "-x --i "},
    {"cab32.dll", "Cab", "-x -i -j "},
};
