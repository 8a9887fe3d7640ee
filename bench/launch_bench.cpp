// Preparing an archived entry is what the user waits for before a preview or
// a changer entry starts: PrepareEntry of a 1 MB member of an LZH, a ZIP and
// a CAB archive, against copying the same file with CopyFileA (the floor),
// measured in the same run. Prints ratios.
//   bench_launch.exe FOLDER   FOLDER holds Payload.scr and payload.lzh/.zip/.cab
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "archive/archiver.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "play/prepare_entry.h"
#include "timing.h"

namespace {

constexpr int kRounds = 21;

LONGLONG Now() {
    return Clock::now();
}

double Milliseconds(LONGLONG a, LONGLONG b) {
    return 1000.0 * Seconds(a, b);
}

void AddEntry(const char* name, const std::string& folder, const char* type, const char* archive) {
    CopyText(CurrentEntry.name, sizeof CurrentEntry.name, name);
    CopyText(CurrentEntry.seconds, sizeof CurrentEntry.seconds, "0");
    CopyText(CurrentEntry.folder, sizeof CurrentEntry.folder, folder.c_str());
    CopyText(CurrentEntry.type, sizeof CurrentEntry.type, type);
    CopyText(CurrentEntry.archive, sizeof CurrentEntry.archive, archive);
    InsertEntryRow(GetEntryRowCount());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_launch.exe FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    AppInstance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterMainWindowClass();
    if (!CreateMainWindow()) return 1;

    DeleteAllEntryRows();
    AddEntry("Payload.scr", folder, "ｽｸﾘｰﾝｾｰﾊﾞｰ", "");
    struct Kind {
        const char* label;
        const char* type;
        const char* archive;
    } const kinds[] = {
        {"LZH", "書庫(LZH)", "payload.lzh"}, {"ZIP", "書庫(ZIP)", "payload.zip"}, {"CAB", "書庫(CAB)", "payload.cab"}};
    for (const Kind& k : kinds) AddEntry("Payload.scr", folder, k.type, k.archive);

    const std::string loose = folder + "Payload.scr";
    const std::string copy = std::string(AppPaths.WorkFolder) + "Copy.scr";
    std::vector<double> floor, prepared[3], loading[3], extracting[3];
    for (int round = 0; round < kRounds; ++round) {
        DeleteFileA(copy.c_str());
        LONGLONG start = Now();
        BOOL copied = CopyFileA(loose.c_str(), copy.c_str(), FALSE);
        floor.push_back(Milliseconds(start, Now()));
        if (!copied) {
            std::printf("CopyFileA failed\n");
            return 1;
        }
        for (int k = 0; k < 3; ++k) {
            start = Now();
            const PreparedEntry entry = PrepareEntry(1 + k, AppPaths.WorkFolder);
            prepared[k].push_back(Milliseconds(start, Now()));
            if (!entry.ready()) {
                std::printf("%s member could not be prepared\n", kinds[k].label);
                return 1;
            }
            // Where the time goes: the library's load and release, and its extraction alone.
            start = Now();
            LoadArchiver(k).reset();
            loading[k].push_back(Milliseconds(start, Now()));
            const std::string archive = folder + kinds[k].archive;
            start = Now();
            ExtractMember(k, archive.c_str(), "Payload.scr", AppPaths.WorkFolder, MainWindow);
            extracting[k].push_back(Milliseconds(start, Now()));
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
