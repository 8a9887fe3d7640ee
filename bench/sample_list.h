// The sample rows (sample_rows.h) as the program's list file, written with
// the program's own list format; for the benchmarks that link the list code.
#pragma once
#include <cstdio>
#include <string>

#include "list/entry.h"
#include "list/list_format.h"
#include "sample_rows.h"

// The type text the program shows for the row.
inline const char* SampleTypeText(const SampleRow& r) {
    return r.archived ? kArchiveTypeText[0] : kLooseSaverType;
}

// The bytes of a list file of the first `rows` sample rows.
inline std::string SampleListText(int rows) {
    std::string text;
    AppendListHeader(text);
    unsigned seed = kSampleSeed;
    for (int i = 0; i < rows; ++i) {
        const SampleRow r = MakeSampleRow(seed);
        ScreenSaverEntry e{};
        std::snprintf(e.name, sizeof e.name, "%s", r.name);
        std::snprintf(e.seconds, sizeof e.seconds, "%s", r.seconds);
        std::snprintf(e.folder, sizeof e.folder, "%s", r.folder);
        std::snprintf(e.type, sizeof e.type, "%s", SampleTypeText(r));
        std::snprintf(e.archive, sizeof e.archive, "%s", r.archive);
        AppendListEntry(text, e);
    }
    return text;
}
