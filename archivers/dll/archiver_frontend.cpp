#include <algorithm>
#include <climits>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

#include "archiver_api.h"
#include "command_line.h"
#include "extract.h"
#include "names.h"

// Declared by libstdc++ for leak checkers; frees its emergency exception pool.
namespace __gnu_cxx {
void __freeres() noexcept;
}

// The C++ runtime is linked in statically, and its emergency exception pool
// (73 KB) is taken from the process's heap when the library loads. The
// program loads and frees a library for every operation, so at FreeLibrary
// (not at process exit, when the heap goes anyway) the pool is given back.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && !reserved) __gnu_cxx::__freeres();
    return TRUE;
}

namespace archiver {
namespace {

struct OpenedArchive {
    std::unique_ptr<arc::Source> source;
    std::unique_ptr<arc::Archive> archive;
    std::string pattern;
    size_t next = 0;
};

// Handles given out and not yet closed; anything else passed in is refused.
std::mutex handlesLock;
std::set<OpenedArchive*> handles;

OpenedArchive* Lookup(HARC handle) {
    std::lock_guard<std::mutex> lock(handlesLock);
    auto* a = static_cast<OpenedArchive*>(handle);
    return handles.count(a) ? a : nullptr;
}

// Appends to the caller's output buffer, always zero-terminated, never past its size.
class Output {
public:
    Output(LPSTR buffer, DWORD size) : buffer_(buffer), size_(buffer ? size : 0) {
        if (size_) buffer_[0] = '\0';
    }
    void Add(const std::string& text) {
        for (char c : text) {
            if (used_ + 1 >= size_) return;
            buffer_[used_++] = c;
            buffer_[used_] = '\0';
        }
    }

private:
    LPSTR buffer_;
    DWORD size_;
    DWORD used_ = 0;
};

arc::Status OpenStatus(const Kind& kind, LPCSTR path, std::unique_ptr<arc::Source>& source,
                       std::unique_ptr<arc::Archive>& archive, OpenFunction open = nullptr) {
    if (!path || !*path) return arc::Status::NotArchive;
    return (open ? open : kind.open)(path, source, archive);
}

bool Open(const Kind& kind, LPCSTR path, std::unique_ptr<arc::Source>& source, std::unique_ptr<arc::Archive>& archive,
          OpenFunction open = nullptr) {
    return OpenStatus(kind, path, source, archive, open) == arc::Status::Ok;
}

// Why an archive did not open, as the user reads it in the library's message.
const char* OpenFailureText(arc::Status status) {
    switch (status) {
        case arc::Status::Corrupt: return "書庫が壊れています。";
        case arc::Status::Truncated: return "書庫が途中で切れています。ダウンロードやコピーが終わっていない可能性があります。";
        case arc::Status::Unsupported: return "この書庫の形式には対応していません。";
        default: return "この形式の書庫ではないか、ファイルを読めません。";
    }
}

bool IsExtractCommand(const Kind& kind, const arc::ArchiverCommand& c) {
    if (kind.commandWord) return c.verb == "e" || c.verb == "E" || c.verb == "x" || c.verb == "X";
    return std::any_of(c.switches.begin(), c.switches.end(), [](const std::string& s) { return s == "-x" || s == "-X"; });
}

void Fill(const arc::Member& m, INDIVIDUALINFO& info) {
    std::memset(&info, 0, sizeof info);
    info.dwOriginalSize = static_cast<DWORD>(std::min<uint64_t>(m.size, 0xFFFFFFFFu));
    info.dwCompressedSize = static_cast<DWORD>(std::min<uint64_t>(m.packed, 0xFFFFFFFFu));
    info.dwCRC = m.crc;
    info.wRatio = static_cast<WORD>(m.size ? std::min<uint64_t>(m.packed * 1000 / m.size, 0xFFFF) : 0);
    info.wDate = static_cast<WORD>(m.dosDateTime >> 16);
    info.wTime = static_cast<WORD>(m.dosDateTime & 0xFFFF);
    std::memcpy(info.szFileName, m.path.data(), m.path.size());
    const char attributes[] = {(m.attributes & 0x20) ? 'a' : '-', (m.attributes & 0x02) ? 'h' : '-',
                               (m.attributes & 0x04) ? 's' : '-', (m.attributes & 0x01) ? 'r' : 'w', '\0'};
    std::memcpy(info.szAttribute, attributes, sizeof attributes);
    std::strncpy(info.szMode, m.method.c_str(), sizeof info.szMode - 1);
}

// A stored name that code page 932 cannot write, for matching against a
// wildcard: each character (a UTF-8 sequence, or a byte that is none) stands
// as one 'x', so "*.SCR" and "?.scr" see its ASCII parts and its length.
std::string MaskedName(const std::string& stored) {
    std::string masked;
    for (size_t i = 0; i < stored.size();) {
        const unsigned char c = static_cast<unsigned char>(stored[i]);
        if (c < 0x80) {
            masked += static_cast<char>(c);
            ++i;
            continue;
        }
        const size_t length = c >= 0xF0 && c <= 0xF7 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        size_t k = 1;
        while (k < length && i + k < stored.size() && (static_cast<unsigned char>(stored[i + k]) & 0xC0) == 0x80) ++k;
        masked += 'x';
        i += k == length ? length : 1;
    }
    return masked;
}

// No exception may cross into the calling program: it is reported as a failure.
template <typename Result, typename Body>
Result Guarded(Result failure, Body body) {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

// The command's result for a member that did not extract: what the library
// cannot read is told apart from damaged data and from a file it could not write.
int ExtractFailureResult(arc::Status status) {
    switch (status) {
        case arc::Status::Unsupported:
        case arc::Status::InCabinetSet:
            return ERROR_ARCHIVER_METHOD;
        case arc::Status::WriteFailed:
        case arc::Status::BadName:
            return ERROR_ARCHIVER_WRITE;
        default:
            return ERROR_ARCHIVER_EXTRACT;
    }
}

}  // namespace

// Names flagged as UTF-8 reach the program in code page 932, like the others,
// composed first.
// A name that is not valid UTF-8, or holds a character code page 932 has no
// exact form for, is refused rather than shown with '?' or a look-alike.
bool CodePage932FromUtf8(std::string& name) {
    if (name.empty()) return true;
    if (name.size() > INT_MAX / 2) return false;
    const int length = static_cast<int>(name.size());
    const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), length, nullptr, 0);
    if (wide <= 0) return false;
    std::wstring w(static_cast<size_t>(wide), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(), length, w.data(), wide) != wide) return false;
    // Some systems store names decomposed (a kana and a separate voiced mark);
    // code page 932 has only the composed characters.
    const int estimate = NormalizeString(NormalizationC, w.data(), wide, nullptr, 0);
    if (estimate <= 0) return false;
    std::wstring composed(static_cast<size_t>(estimate), L'\0');
    const int used = NormalizeString(NormalizationC, w.data(), wide, composed.data(), estimate);
    if (used <= 0) return false;
    BOOL usedDefault = FALSE;
    const int narrow = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, composed.data(), used, nullptr, 0, nullptr, &usedDefault);
    if (narrow <= 0 || usedDefault) return false;
    std::string converted(static_cast<size_t>(narrow), '\0');
    if (WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, composed.data(), used, converted.data(), narrow, nullptr,
                            &usedDefault) != narrow || usedDefault)
        return false;
    name = std::move(converted);
    return true;
}

arc::Status OpenFileArchive(const std::string& path, std::unique_ptr<arc::Source>& keep,
                            std::unique_ptr<arc::Archive>& archive, SourceOpener open) {
    auto source = std::make_unique<arc::FileSource>();
    if (!source->Open(path)) return arc::Status::NotArchive;
    const arc::Status s = open(*source, archive);
    if (s == arc::Status::Ok) keep = std::move(source);
    return s;
}

int RunCommand(const Kind& kind, HWND, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    return Guarded(ERROR_ARCHIVER_COMMAND, [&]() -> int {
        Output out(output, outputSize);
        if (!commandLine) return ERROR_ARCHIVER_COMMAND;
        const arc::ArchiverCommand c = arc::ParseArchiverCommand(commandLine, kind.commandWord);
        if (!IsExtractCommand(kind, c) || c.archive.empty() || c.members.empty()) {
            out.Add("command not understood\r\n");
            return ERROR_ARCHIVER_COMMAND;
        }
        std::unique_ptr<arc::Source> source;
        std::unique_ptr<arc::Archive> archive;
        if (!Open(kind, c.archive.c_str(), source, archive, kind.openToExtract)) {
            out.Add(c.archive + ": cannot open the archive\r\n");
            return ERROR_ARCHIVER_OPEN;
        }
        int result = 0;
        const auto& members = archive->Members();
        for (const std::string& pattern : c.members) {
            // Only the first member that matches: one name, one file.
            const size_t index = arc::FindMemberToExtract(members, pattern);
            if (index == SIZE_MAX) {
                out.Add(pattern + ": no such member\r\n");
                result = ERROR_ARCHIVER_NO_MEMBER;
                continue;
            }
            std::string written;
            const arc::Status s = arc::ExtractToFolder(*archive, index, c.destination, written);
            if (s != arc::Status::Ok) {
                out.Add(members[index].path + ": " + arc::StatusText(s) + "\r\n");
                result = ExtractFailureResult(s);
            } else {
                out.Add(written + "\r\n");
            }
        }
        return result;
    });
}

BOOL CheckArchive(const Kind& kind, LPCSTR path, int) {
    return Guarded(BOOL{FALSE}, [&]() -> BOOL {
        std::unique_ptr<arc::Source> source;
        std::unique_ptr<arc::Archive> archive;
        return Open(kind, path, source, archive) ? TRUE : FALSE;
    });
}

int GetFileCount(const Kind& kind, LPCSTR path) {
    return Guarded(-1, [&]() -> int {
        std::unique_ptr<arc::Source> source;
        std::unique_ptr<arc::Archive> archive;
        if (!Open(kind, path, source, archive)) return -1;
        const auto& m = archive->Members();
        return static_cast<int>(std::count_if(m.begin(), m.end(), [](const arc::Member& x) { return !x.directory; }));
    });
}

HARC OpenArchive(const Kind& kind, HWND window, LPCSTR path, DWORD mode) {
    return Guarded(HARC{nullptr}, [&]() -> HARC {
        auto opened = std::make_unique<OpenedArchive>();
        const arc::Status status = OpenStatus(kind, path, opened->source, opened->archive);
        if (status != arc::Status::Ok) {
            if (mode & M_ERROR_MESSAGE_ON) {
                // Shown in UTF-16, so that it reads in Japanese whatever
                // the calling process's code page.
                const std::string text =
                    std::string(path ? path : "") + "\r\n書庫を開けません。" + OpenFailureText(status);
                const std::wstring wide = arc::WidePath(text), caption = arc::WidePath(kind.libraryName);
                MessageBoxW(window, wide.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
            }
            return nullptr;
        }
        std::lock_guard<std::mutex> lock(handlesLock);
        handles.insert(opened.get());
        return opened.release();
    });
}

int FindFirst(HARC handle, LPCSTR wildcard, INDIVIDUALINFO* info) {
    return Guarded(-1, [&]() -> int {
        OpenedArchive* a = Lookup(handle);
        if (!a) return -1;
        a->pattern = (wildcard && *wildcard) ? wildcard : "*";
        a->next = 0;
        return FindNext(handle, info);
    });
}

int FindNext(HARC handle, INDIVIDUALINFO* info) {
    return Guarded(-1, [&]() -> int {
        OpenedArchive* a = Lookup(handle);
        if (!a || !info) return -1;
        const auto& members = a->archive->Members();
        while (a->next < members.size()) {
            const arc::Member& m = members[a->next++];
            // Names that would not fit the record are left out rather than cut.
            if (m.directory || m.path.size() >= sizeof info->szFileName) continue;
            // A member whose name has no code page 932 form is given with an
            // empty name, never a garbled one: the caller can say that it is
            // there and cannot be used.
            if (m.nameUnusable) {
                if (!arc::MatchesWildcard(a->pattern, MaskedName(m.path))) continue;
                Fill(m, *info);
                std::memset(info->szFileName, 0, sizeof info->szFileName);
                return 0;
            }
            if (!arc::MatchesWildcard(a->pattern, m.path)) continue;
            Fill(m, *info);
            return 0;
        }
        return -1;
    });
}

int CloseArchive(HARC handle) {
    OpenedArchive* a = Lookup(handle);
    if (!a) return -1;
    {
        std::lock_guard<std::mutex> lock(handlesLock);
        handles.erase(a);
    }
    delete a;
    return 0;
}

}  // namespace archiver
