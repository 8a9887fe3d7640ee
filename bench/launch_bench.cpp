// Preparing an archived entry is what the user waits for before a preview or
// a changer entry starts: PrepareEntry of a 1 MB member of an LZH, a ZIP and
// a CAB archive, against copying the same file with CopyFileA (the floor),
// measured in the same run. Prints ratios.
//   bench_launch.exe FOLDER   FOLDER holds Payload.scr and payload.lzh/.zip/.cab
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "archive/archiver.h"
#include "base/program_paths.h"
#include "bench/program_window.h"
#include "entry_rows.h"
#include "list/entry_list.h"
#include "list/list_format.h"
#include "play/prepare_entry.h"
#include "timing.h"

namespace {

constexpr int kRounds = 21;

double Milliseconds(LONGLONG a, LONGLONG b) {
    return 1000.0 * Seconds(a, b);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_launch.exe FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
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
    std::vector<double> floor, prepared[3], loading[3], extracting[3];
    for (int round = 0; round < kRounds; ++round) {
        DeleteFileA(copy.c_str());
        LONGLONG start = Clock::now();
        BOOL copied = CopyFileA(loose.c_str(), copy.c_str(), FALSE);
        floor.push_back(Milliseconds(start, Clock::now()));
        if (!copied) {
            std::printf("CopyFileA failed\n");
            return 1;
        }
        for (int k = 0; k < 3; ++k) {
            start = Clock::now();
            const PreparedEntry entry = PrepareEntry(1 + k, AppPaths.WorkFolder);
            prepared[k].push_back(Milliseconds(start, Clock::now()));
            if (!entry.ready()) {
                std::printf("%s member could not be prepared\n", kinds[k].label);
                return 1;
            }
            // Where the time goes: the library's load and release, and its extraction alone.
            start = Clock::now();
            LoadArchiver(k).reset();
            loading[k].push_back(Milliseconds(start, Clock::now()));
            const std::string archive = folder + kinds[k].archive;
            start = Clock::now();
            ExtractMember(k, archive.c_str(), "Payload.scr", AppPaths.WorkFolder, MainWindow);
            extracting[k].push_back(Milliseconds(start, Clock::now()));
        }
    }
    ClearWorkFolder();

    const double f = Median(floor);
    std::printf("1 MB screen saver, %d rounds (medians); floor: CopyFileA of the loose file %.2f ms\n", kRounds, f);
    for (int k = 0; k < 3; ++k) {
        const double p = Median(prepared[k]);
        std::printf("PrepareEntry of the %s member: %6.2f ms, ratio %.2f (goal <= 2.0); of which library load %.2f ms, "
                    "extraction call %.2f ms\n",
                    kinds[k].label, p, p / f, Median(loading[k]), Median(extracting[k]));
    }
    DestroyWindow(MainWindow);
    return 0;
}
