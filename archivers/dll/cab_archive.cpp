// Cabinet files through the system's cabinet.dll (FDI), which decodes MSZIP,
// LZX and Quantum and verifies the data blocks' checksums.
#include <fcntl.h>
#include <fdi.h>

#include <cstdlib>
#include <mutex>
#include <new>
#include <set>
#include <vector>

#include "archiver_api.h"
#include "cab_layout.h"
#include "names.h"

namespace archiver {
namespace {

// What an FDI file handle stands for: a file read by FDI, or the member being
// written, which goes to a Sink and may not grow past its declared size.
struct FdiFile {
    HANDLE file = INVALID_HANDLE_VALUE;
    arc::Sink* sink = nullptr;
    uint64_t written = 0;
    uint64_t limit = 0;
    bool failed = false;
};

// Handles given to FDI and not yet closed. FDI may pass others: 0 or -1 for
// a file it never opened (the next cabinet of a set it was refused), or one
// already closed; every callback refuses those without touching them.
std::mutex liveLock;
std::set<FdiFile*> live;

void AddLive(FdiFile* f) {
    std::lock_guard<std::mutex> lock(liveLock);
    live.insert(f);
}
bool RemoveLive(FdiFile* f) {
    std::lock_guard<std::mutex> lock(liveLock);
    return live.erase(f) != 0;
}
FdiFile* Live(INT_PTR hf) {
    std::lock_guard<std::mutex> lock(liveLock);
    auto* f = reinterpret_cast<FdiFile*>(hf);
    return live.count(f) ? f : nullptr;
}

FNALLOC(FdiAlloc) { return std::malloc(cb); }
FNFREE(FdiFree) { std::free(pv); }

FNOPEN(FdiOpen) {
    (void)pmode;
    if (!pszFile || (oflag & (_O_WRONLY | _O_RDWR | _O_CREAT))) return -1;  // FDI only reads cabinets here
    // FDI joins the cabinet's folder and name as given: code page 932.
    HANDLE h = CreateFileW(arc::WidePath(pszFile).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    auto* f = new (std::nothrow) FdiFile;
    if (!f) {
        CloseHandle(h);
        return -1;
    }
    f->file = h;
    try {
        AddLive(f);
    } catch (...) {
        CloseHandle(h);
        delete f;
        return -1;
    }
    return reinterpret_cast<INT_PTR>(f);
}

FNREAD(FdiRead) {
    FdiFile* f = Live(hf);
    DWORD got = 0;
    if (!f || !pv || f->file == INVALID_HANDLE_VALUE || !ReadFile(f->file, pv, cb, &got, nullptr))
        return static_cast<UINT>(-1);
    return got;
}

FNWRITE(FdiWrite) {
    FdiFile* f = Live(hf);
    if (!f || !pv) return static_cast<UINT>(-1);
    if (!f->sink || f->failed || cb > f->limit - f->written ||
        !f->sink->Write(static_cast<const uint8_t*>(pv), cb)) {
        f->failed = true;
        return static_cast<UINT>(-1);
    }
    f->written += cb;
    return cb;
}

FNCLOSE(FdiClose) {
    FdiFile* f = Live(hf);
    if (!f) return -1;
    if (f->sink) return 0;  // the member's handle belongs to the extraction that made it
    RemoveLive(f);
    CloseHandle(f->file);
    delete f;
    return 0;
}

FNSEEK(FdiSeek) {
    FdiFile* f = Live(hf);
    if (!f || f->file == INVALID_HANDLE_VALUE) return -1;
    const DWORD method = seektype == SEEK_CUR ? FILE_CURRENT : seektype == SEEK_END ? FILE_END : FILE_BEGIN;
    const DWORD pos = SetFilePointer(f->file, dist, nullptr, method);
    return pos == INVALID_SET_FILE_POINTER ? -1 : static_cast<long>(pos);
}

class Fdi {
public:
    Fdi() { handle_ = FDICreate(FdiAlloc, FdiFree, FdiOpen, FdiRead, FdiWrite, FdiClose, FdiSeek, cpuUNKNOWN, &erf_); }
    ~Fdi() {
        if (handle_) FDIDestroy(handle_);
    }
    Fdi(const Fdi&) = delete;
    Fdi& operator=(const Fdi&) = delete;
    // Runs FDICopy over the cabinet at `path` with the given notification procedure.
    bool Copy(const std::string& path, PFNFDINOTIFY notify, void* context) {
        if (!handle_) return false;
        // FDI wants the folder (ending in '\') and the file name apart.
        const std::string name = arc::FileNamePart(path);
        if (name.empty()) return false;
        std::string folder = path.substr(0, path.size() - name.size());
        std::vector<char> cabinet(name.begin(), name.end()), cabPath(folder.begin(), folder.end());
        cabinet.push_back('\0');
        cabPath.push_back('\0');
        return FDICopy(handle_, cabinet.data(), cabPath.data(), 0, notify, nullptr, context) != FALSE;
    }

private:
    HFDI handle_ = nullptr;
    ERF erf_{};
};

std::string BackslashPath(const char* name) {
    std::string s = name ? name : "";
    for (size_t i = 0; i < s.size(); ++i) {
        if (arc::IsLeadByte(static_cast<unsigned char>(s[i]))) ++i;
        else if (s[i] == '/') s[i] = '\\';
    }
    return s;
}

// A member as FDI announces it, and the stored name and size that the
// extraction checks FDI's announcement against.
struct Listed {
    std::string name;
    uint32_t size = 0;
};

arc::Member MemberOf(const std::string& stored, uint32_t size, uint16_t date, uint16_t time, uint16_t attributes) {
    arc::Member m;
    // Names flagged as UTF-8 follow unzip32.dll's rule: their exact code
    // page 932 form, or the member is left out.
    std::string name = stored;
    if ((attributes & _A_NAME_IS_UTF) && !CodePage932FromUtf8(name)) m.nameUnusable = true;
    m.path = m.nameUnusable ? name : BackslashPath(name.c_str());
    m.size = size;
    m.dosDateTime = (static_cast<uint32_t>(date) << 16) | time;
    m.attributes = static_cast<uint8_t>(attributes);
    m.method = "cab";
    return m;
}

struct ListContext {
    std::vector<arc::Member>* members;
    std::vector<Listed>* listed;
};

FNFDINOTIFY(ListNotify) {
    auto* ctx = static_cast<ListContext*>(pfdin->pv);
    if (fdint == fdintCOPY_FILE) try {
        const std::string stored = pfdin->psz1 ? pfdin->psz1 : "";
        const auto size = static_cast<uint32_t>(pfdin->cb);
        ctx->members->push_back(MemberOf(stored, size, pfdin->date, pfdin->time, pfdin->attribs));
        ctx->listed->push_back({stored, size});
        return 0;  // listing only: skip the data
    } catch (...) {
        return -1;  // nothing may unwind through cabinet.dll
    }
    if (fdint == fdintNEXT_CABINET) return -1;  // members continuing in another cabinet are refused
    return 0;
}

struct ExtractContext {
    size_t target = 0;
    size_t seen = 0;
    const Listed* expected = nullptr;
    FdiFile out;
    bool closed = false;
    bool nextCabinet = false;  // the member continues in the next cabinet of a set
    bool otherMember = false;  // FDI announced another member than the one listed there
    uint64_t declared = 0;
};

FNFDINOTIFY(ExtractNotify) {
    auto* ctx = static_cast<ExtractContext*>(pfdin->pv);
    switch (fdint) {
        case fdintCOPY_FILE:
            if (ctx->closed) return -1;  // done: stop reading the cabinet
            if (ctx->seen++ != ctx->target) return 0;
            // The member is counted in FDI's order; a cabinet whose tables
            // read otherwise than they were listed is taken as damaged.
            if (!pfdin->psz1 || ctx->expected->name != pfdin->psz1 ||
                ctx->expected->size != static_cast<uint32_t>(pfdin->cb)) {
                ctx->otherMember = true;
                return -1;
            }
            ctx->declared = static_cast<uint32_t>(pfdin->cb);
            ctx->out.limit = ctx->declared;
            try {
                AddLive(&ctx->out);
            } catch (...) {
                return -1;
            }
            return reinterpret_cast<INT_PTR>(&ctx->out);
        case fdintCLOSE_FILE_INFO:
            if (Live(pfdin->hf) != &ctx->out) return FALSE;
            ctx->closed = true;
            return TRUE;
        case fdintNEXT_CABINET:
            // A cabinet set: the member's data goes on in another file. It is
            // refused, whether or not that file lies beside this one.
            ctx->nextCabinet = true;
            return -1;
        default:
            return 0;
    }
}

class CabArchive final : public arc::Archive {
public:
    CabArchive(arc::Source& unused, std::string path) : Archive(unused), path_(std::move(path)) {}

    // The members as FDI lists them, after the tables were checked.
    arc::Status List() {
        const arc::Status layout = CheckTables(nullptr);
        if (layout != arc::Status::Ok) return layout;
        Fdi fdi;
        ListContext ctx{&members_, &listed_};
        return fdi.Copy(path_, ListNotify, &ctx) ? arc::Status::Ok : arc::Status::NotArchive;
    }

    // The same members from the file table the check has just read, without
    // a listing pass of FDI: an extraction then reads the cabinet once. FDI
    // announces every entry but those continued from an earlier cabinet,
    // in table order; the extraction checks that it names the member listed.
    arc::Status ListFromTables() {
        std::vector<arc::CabinetEntry> entries;
        const arc::Status layout = CheckTables(&entries);
        if (layout != arc::Status::Ok) return layout;
        constexpr uint16_t kContinuedFromPrevious = 0xFFFD;  // also set in 0xFFFF, continued both ways
        for (const arc::CabinetEntry& e : entries) {
            if ((e.folder & kContinuedFromPrevious) == kContinuedFromPrevious) continue;
            members_.push_back(MemberOf(e.name, e.size, e.date, e.time, e.attributes));
            listed_.push_back({e.name, e.size});
        }
        return arc::Status::Ok;
    }

    arc::Status Extract(size_t index, arc::Sink& out) override {
        if (index >= members_.size() || index >= listed_.size()) return arc::Status::Unsupported;
        Fdi fdi;
        ExtractContext ctx;
        ctx.target = index;
        ctx.expected = &listed_[index];
        ctx.out.sink = &out;
        const bool copied = fdi.Copy(path_, ExtractNotify, &ctx);
        RemoveLive(&ctx.out);  // FDI is done with it, whatever it passes later
        if (ctx.nextCabinet) return arc::Status::InCabinetSet;
        if (ctx.otherMember) return arc::Status::Corrupt;
        if (ctx.out.failed) return arc::Status::WriteFailed;
        if (!ctx.closed) return copied ? arc::Status::Unsupported : arc::Status::Corrupt;
        return ctx.out.written == ctx.declared ? arc::Status::Ok : arc::Status::SizeMismatch;
    }

private:
    // FDI trusts the cabinet's tables: they are checked first, and their
    // entries kept when asked. A file shorter than the size its header
    // declares is a truncated cabinet.
    arc::Status CheckTables(std::vector<arc::CabinetEntry>* entries) {
        arc::FileSource file;
        if (!file.Open(path_)) return arc::Status::NotArchive;
        return entries ? arc::ReadCabinetLayout(file, *entries) : arc::CheckCabinetLayout(file);
    }

    std::string path_;
    std::vector<Listed> listed_;  // by member index
};

using Lister = arc::Status (CabArchive::*)();

arc::Status OpenCabinetBy(Lister list, const std::string& path, std::unique_ptr<arc::Source>& keep,
                          std::unique_ptr<arc::Archive>& archive) {
    // FDI reads the file itself; the source only stands for it.
    auto source = std::make_unique<arc::MemorySource>(nullptr, 0);
    auto cab = std::make_unique<CabArchive>(*source, path);
    const arc::Status s = ((*cab).*list)();
    if (s != arc::Status::Ok) return s;
    keep = std::move(source);
    archive = std::move(cab);
    return arc::Status::Ok;
}

}  // namespace

arc::Status OpenCabinet(const std::string& path, std::unique_ptr<arc::Source>& keep,
                        std::unique_ptr<arc::Archive>& archive) {
    return OpenCabinetBy(&CabArchive::List, path, keep, archive);
}

arc::Status OpenCabinetToExtract(const std::string& path, std::unique_ptr<arc::Source>& keep,
                                 std::unique_ptr<arc::Archive>& archive) {
    return OpenCabinetBy(&CabArchive::ListFromTables, path, keep, archive);
}

}  // namespace archiver
