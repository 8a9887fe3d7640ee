// Fuzzes cab32.dll as the program calls it, under Wine: cab32.dll hands the
// cabinet to the system's cabinet.dll, whose calls into our callbacks carry
// whatever handles it likes, so libFuzzer's native build cannot reach them.
// Mutated cabinets (single ones and two-cabinet sets) go through every
// export; a crash ends the process with a failure code and leaves its input
// in the work folder as set1.cab (and set2.cab).
// Usage: fuzz_cab32 DLL WORKFOLDER SECONDS [SEEDFILE...]   (Windows paths)
// With SECONDS 0 each seed is run once as it is, beside the files next to it:
// how a finding is replayed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "archiver_interface.h"
#include "cabinet_writer.h"

namespace {

struct Cab32 {
    ArchiverCommandFunction command;
    ArchiverCheckArchiveFunction check;
    ArchiverGetFileCountFunction count;
    ArchiverOpenArchiveFunction open;
    ArchiverFindFirstFunction findFirst;
    ArchiverFindNextFunction findNext;
    ArchiverCloseArchiveFunction close;
};

const ArchiverLibraryInterface& kCab = kArchiverLibraries[2];

// The export of the given suffix, under cab32.dll's prefix.
template <typename F>
bool Load(HMODULE module, const char* suffix, F& f) {
    const std::string name = std::string(kCab.prefix) + suffix;
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())));
    return f != nullptr;
}

bool ReadWhole(const char* path, std::string& out) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) out.append(buffer, n);
    std::fclose(f);
    return true;
}

bool WriteWhole(const std::string& path, const std::string& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

// A few random changes: bytes flipped or set to values the format gives
// meaning (0, 0xFF, the continuation markers 0xFD/0xFE), a cut, a slice copied.
void Mutate(std::string& data, std::mt19937& random) {
    static const unsigned char kValues[] = {0x00, 0x01, 0x02, 0x03, 0x7F, 0x80, 0xFD, 0xFE, 0xFF};
    const int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes && !data.empty(); ++i) {
        const size_t at = random() % data.size();
        switch (random() % 5) {
        case 0: data[at] = static_cast<char>(data[at] ^ (1u << (random() % 8))); break;
        case 1: data[at] = static_cast<char>(kValues[random() % sizeof kValues]); break;
        case 2: data[at] = static_cast<char>(random()); break;
        case 3:
            if (random() % 4 == 0) data.resize(at);
            break;
        default: {
            const size_t from = random() % data.size(), n = 1 + random() % 16;
            if (from + n <= data.size() && at + n <= data.size()) data.replace(at, n, data.substr(from, n));
        }
        }
    }
}

void EmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
}

// Every export over one cabinet, as the program and its users would call them.
void Exercise(const Cab32& cab, const std::string& path, const std::string& dest) {
    cab.check(path.c_str(), CHECKARCHIVE_BASIC);
    cab.count(path.c_str());
    if (HARC archive = cab.open(nullptr, path.c_str(), 0)) {
        INDIVIDUALINFO info;
        for (int r = cab.findFirst(archive, "*.*", &info); r == 0; r = cab.findNext(archive, &info)) {
        }
        cab.close(archive);
    }
    char output[1024];
    for (const char* names : {"*.*", "span.txt", "whole.txt"}) {
        const std::string line = std::string(kCab.extractSwitches) + "\"" + path + "\" \"" + dest + "\" \"" + names + "\"";
        cab.command(nullptr, line.c_str(), output, sizeof output);
    }
    EmptyFolder(dest);
}

// A crash is the finding: the process ends with a code of its own at once,
// instead of waiting on Wine's debugger.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info) {
    HMODULE where = nullptr;
    char name[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(info->ExceptionRecord->ExceptionAddress), &where))
        GetModuleFileNameA(where, name, sizeof name);
    std::fprintf(stderr, "fuzz_cab32: crash %08lx at %p in %s (loaded at %p)\n", info->ExceptionRecord->ExceptionCode,
                 info->ExceptionRecord->ExceptionAddress, name, static_cast<void*>(where));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: fuzz_cab32 DLL WORKFOLDER SECONDS [SEEDFILE...]\n");
        return 2;
    }
    SetUnhandledExceptionFilter(EndOnCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    HMODULE module = LoadLibraryA(argv[1]);
    Cab32 cab{};
    if (!module || !Load(module, kCommandSuffix, cab.command) || !Load(module, kCheckArchiveSuffix, cab.check) ||
        !Load(module, kGetFileCountSuffix, cab.count) || !Load(module, kOpenArchiveSuffix, cab.open) ||
        !Load(module, kFindFirstSuffix, cab.findFirst) || !Load(module, kFindNextSuffix, cab.findNext) ||
        !Load(module, kCloseArchiveSuffix, cab.close)) {
        std::fprintf(stderr, "fuzz_cab32: cannot load %s\n", argv[1]);
        return 2;
    }
    std::string work = argv[2];
    if (work.empty() || work.back() != '\\') work += '\\';
    const std::string dest = work + "out\\";
    CreateDirectoryA(dest.c_str(), nullptr);
    const DWORD seconds = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));

    if (seconds == 0) {
        for (int i = 4; i < argc; ++i) Exercise(cab, argv[i], dest);
        std::printf("fuzz_cab32: %d inputs replayed\n", argc - 4);
        return 0;
    }

    // Seeds: pairs of (first cabinet, next cabinet or empty).
    const cabwriter::CabinetSet set = cabwriter::MakeCabinetSet();
    std::vector<std::pair<std::string, std::string>> seeds = {{set.first, set.second}, {set.first, ""}};
    for (int i = 4; i < argc; ++i) {
        std::string data;
        if (ReadWhole(argv[i], data)) seeds.push_back({data, ""});
    }

    std::mt19937 random(GetTickCount());
    const std::string first = work + "set1.cab", second = work + "set2.cab";
    const DWORD start = GetTickCount();
    unsigned long runs = 0;
    while (GetTickCount() - start < seconds * 1000) {
        auto [a, b] = seeds[random() % seeds.size()];
        // Mostly the first cabinet changes; sometimes the next, sometimes both.
        const unsigned which = random() % 4;
        if (which != 1) Mutate(a, random);
        if (!b.empty() && which != 0) Mutate(b, random);
        DeleteFileA(second.c_str());
        if (!WriteWhole(first, a) || (!b.empty() && !WriteWhole(second, b))) {
            std::fprintf(stderr, "fuzz_cab32: cannot write into %s\n", work.c_str());
            return 2;
        }
        Exercise(cab, first, dest);
        ++runs;
    }
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
    std::printf("fuzz_cab32: %lu executions in %lus, %u seeds\n", runs, seconds, static_cast<unsigned>(seeds.size()));
    return 0;
}
