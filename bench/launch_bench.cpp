// Preparing an archived entry is what the user waits for before a preview or
// a changer entry starts: PrepareEntry of a 1 MB member of an LZH, a ZIP and
// a CAB archive, against the work it cannot avoid, measured in the same run:
//   - loading and freeing the same archiver library (done for every operation);
//   - the same decoder's decoding of the member into memory (our LZH and ZIP
//     readers, the system's cabinet library for CAB), the archive opened and
//     its member found;
//   - writing those bytes to a new file with one call.
// Their sum is the floor. CopyFileA of the loose file is printed beside it.
// Prints medians, and the ratio to the floor as the median of each round's
// own ratio, which a slow spell of the machine disturbs least.
//   bench_launch.exe FOLDER [ROUNDS]   FOLDER holds Payload.scr and payload.lzh/.zip/.cab
#include <windows.h>
#include <fcntl.h>
#include <fdi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "archive.h"
#include "archive/archiver.h"
#include "base/handles.h"
#include "base/program_paths.h"
#include "bench/program_window.h"
#include "byte_io.h"
#include "entry_rows.h"
#include "list/entry_list.h"
#include "list/list_format.h"
#include "play/prepare_entry.h"
#include "timing.h"

namespace {

constexpr int kDefaultRounds = 61;

double Milliseconds(LONGLONG a, LONGLONG b) {
    return 1000.0 * Seconds(a, b);
}

// The system's cabinet library, loaded only while the floor uses it: kept
// loaded, it would spare cab32.dll the load that the program pays for.
class CabinetLibrary {
public:
    bool Load() {
        library_ = ModuleHandle(LoadLibraryA("cabinet.dll"));
        create_ = reinterpret_cast<decltype(&FDICreate)>(
            reinterpret_cast<void*>(GetProcAddress(library_.get(), "FDICreate")));
        copy_ = reinterpret_cast<decltype(&FDICopy)>(reinterpret_cast<void*>(GetProcAddress(library_.get(), "FDICopy")));
        destroy_ = reinterpret_cast<decltype(&FDIDestroy)>(
            reinterpret_cast<void*>(GetProcAddress(library_.get(), "FDIDestroy")));
        return create_ && copy_ && destroy_;
    }
    void Free() { library_.reset(); }
    // Decodes the cabinet's first member into `out`.
    bool DecodeFirst(const std::string& folder, const char* cabinet, std::vector<uint8_t>& out);

private:
    ModuleHandle library_;
    decltype(&FDICreate) create_ = nullptr;
    decltype(&FDICopy) copy_ = nullptr;
    decltype(&FDIDestroy) destroy_ = nullptr;
};

// The member's bytes go to memory: FDI writes only to the handle the
// notification gives it, a marker that is no file.
constexpr INT_PTR kMemoryHandle = 1;
std::vector<uint8_t>* decoded;

FNALLOC(FloorAlloc) { return std::malloc(cb); }
FNFREE(FloorFree) { std::free(pv); }
FNOPEN(FloorOpen) {
    (void)oflag;
    (void)pmode;
    HANDLE h = CreateFileA(pszFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<INT_PTR>(h);
}
FNREAD(FloorRead) {
    DWORD got = 0;
    if (hf == kMemoryHandle || !ReadFile(reinterpret_cast<HANDLE>(hf), pv, cb, &got, nullptr))
        return static_cast<UINT>(-1);
    return got;
}
FNWRITE(FloorWrite) {
    if (hf != kMemoryHandle) return static_cast<UINT>(-1);
    const auto* p = static_cast<const uint8_t*>(pv);
    decoded->insert(decoded->end(), p, p + cb);
    return cb;
}
FNCLOSE(FloorClose) {
    if (hf != kMemoryHandle) CloseHandle(reinterpret_cast<HANDLE>(hf));
    return 0;
}
FNSEEK(FloorSeek) {
    const DWORD method = seektype == SEEK_CUR ? FILE_CURRENT : seektype == SEEK_END ? FILE_END : FILE_BEGIN;
    return static_cast<long>(SetFilePointer(reinterpret_cast<HANDLE>(hf), dist, nullptr, method));
}
FNFDINOTIFY(FloorNotify) {
    if (fdint == fdintCOPY_FILE) return decoded->empty() ? kMemoryHandle : -1;  // the first member, then stop
    if (fdint == fdintCLOSE_FILE_INFO) return TRUE;
    return 0;
}

bool CabinetLibrary::DecodeFirst(const std::string& folder, const char* cabinet, std::vector<uint8_t>& out) {
    ERF error{};
    HFDI fdi = create_(FloorAlloc, FloorFree, FloorOpen, FloorRead, FloorWrite, FloorClose, FloorSeek, cpuUNKNOWN, &error);
    if (!fdi) return false;
    decoded = &out;
    std::vector<char> name(cabinet, cabinet + std::strlen(cabinet) + 1), path(folder.begin(), folder.end());
    path.push_back('\0');
    copy_(fdi, name.data(), path.data(), 0, FloorNotify, nullptr, nullptr);
    destroy_(fdi);
    return !out.empty();
}

// Our reader's decoding of the archive's first member into `out`.
bool DecodeFirst(int kind, const std::string& archivePath, arc::MemorySink& out) {
    arc::FileSource source;
    std::unique_ptr<arc::Archive> archive;
    if (!source.Open(archivePath) ||
        (kind == 0 ? arc::OpenLzh(source, archive) : arc::OpenZip(source, archive)) != arc::Status::Ok ||
        archive->Members().empty())
        return false;
    return archive->Extract(0, out) == arc::Status::Ok;
}

// A new file with these bytes, written with one call.
bool WriteInOneCall(const std::string& path, const std::vector<uint8_t>& bytes) {
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_launch.exe FOLDER [ROUNDS]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultRounds;
    if (!OpenProgramWindow()) return 1;

    DeleteAllEntryRows();
    AddEntry("Payload.scr", folder, "0", kLooseSaverType, "");
    // By archiver index, as the rows after the loose one.
    struct Kind {
        const char* label;
        const char* archive;
    } const kinds[] = {{"LZH", "payload.lzh"}, {"ZIP", "payload.zip"}, {"CAB", "payload.cab"}};
    for (int k = 0; k < 3; ++k) AddEntry("Payload.scr", folder, "0", kArchiveTypeText[k], kinds[k].archive);

    const std::string loose = folder + "Payload.scr";
    const std::string copy = std::string(AppPaths.WorkFolder) + "Copy.scr";
    const std::string floorFile = std::string(AppPaths.WorkFolder) + "Floor.scr";
    CabinetLibrary cabinet;
    // Kept from round to round, as a program that decodes into memory would keep its buffer.
    arc::MemorySink memory[3];
    std::vector<double> copying, prepared[3], loading[3], decoding[3], writing[3], extracting[3], roundRatio[3], emptying[3];
    for (int round = 0; round < rounds; ++round) {
        DeleteFileA(copy.c_str());
        LONGLONG start = Clock::now();
        const BOOL copied = CopyFileA(loose.c_str(), copy.c_str(), FALSE);
        copying.push_back(Milliseconds(start, Clock::now()));
        DeleteFileA(copy.c_str());
        if (!copied) {
            std::printf("CopyFileA failed\n");
            return 1;
        }
        for (int k = 0; k < 3; ++k) {
            // The floor, in three parts.
            start = Clock::now();
            LoadArchiver(k).reset();
            loading[k].push_back(Milliseconds(start, Clock::now()));
            if (k == 2 && !cabinet.Load()) {
                std::printf("cabinet.dll could not be loaded\n");
                return 1;
            }
            memory[k].bytes.clear();
            start = Clock::now();
            const bool decodedOk = k == 2 ? cabinet.DecodeFirst(folder, kinds[k].archive, memory[k].bytes)
                                          : DecodeFirst(k, folder + kinds[k].archive, memory[k]);
            decoding[k].push_back(Milliseconds(start, Clock::now()));
            if (k == 2) cabinet.Free();
            if (!decodedOk || memory[k].bytes.size() != 1048576) {
                std::printf("%s member could not be decoded into memory\n", kinds[k].label);
                return 1;
            }
            DeleteFileA(floorFile.c_str());
            start = Clock::now();
            const bool wrote = WriteInOneCall(floorFile, memory[k].bytes);
            writing[k].push_back(Milliseconds(start, Clock::now()));
            DeleteFileA(floorFile.c_str());
            if (!wrote) {
                std::printf("the floor's file could not be written\n");
                return 1;
            }

            start = Clock::now();
            const PreparedEntry entry = PrepareEntry(1 + k, AppPaths.WorkFolder);
            prepared[k].push_back(Milliseconds(start, Clock::now()));
            roundRatio[k].push_back(prepared[k].back() / (loading[k].back() + decoding[k].back() + writing[k].back()));
            if (!entry.ready()) {
                std::printf("%s member could not be prepared\n", kinds[k].label);
                return 1;
            }
            // Emptying the work folder of the member just prepared, as the
            // next PrepareEntry does first; then the library's extraction
            // call alone (its load included), into the emptied folder.
            const std::string archive = folder + kinds[k].archive;
            start = Clock::now();
            ClearWorkFolder();
            emptying[k].push_back(Milliseconds(start, Clock::now()));
            start = Clock::now();
            ExtractMember(k, archive.c_str(), "Payload.scr", AppPaths.WorkFolder, MainWindow);
            extracting[k].push_back(Milliseconds(start, Clock::now()));
        }
    }
    ClearWorkFolder();

    const double c = Median(copying);
    std::printf("1 MB screen saver, %d rounds (medians); CopyFileA of the loose file %.2f ms\n", rounds, c);
    for (int k = 0; k < 3; ++k) {
        const double p = Median(prepared[k]);
        const double load = Median(loading[k]), decode = Median(decoding[k]), write = Median(writing[k]);
        const double floor = load + decode + write;
        std::printf("%s: PrepareEntry %6.2f ms; floor %6.2f ms = library load %.2f + decoding into memory %.2f + "
                    "one write %.2f\n",
                    kinds[k].label, p, floor, load, decode, write);
        std::printf("     ratio to the floor: median of the rounds' own %.2f (goal <= 1.3), of the medians %.2f; "
                    "without the load %.2f\n",
                    Median(roundRatio[k]), p / floor, (p - load) / (decode + write));
        std::printf("     to CopyFileA %.2f; extraction call (load included) %.2f ms; emptying the work folder of "
                    "the last member %.2f ms\n",
                    p / c, Median(extracting[k]), Median(emptying[k]));
    }
    DestroyWindow(MainWindow);
    return 0;
}
