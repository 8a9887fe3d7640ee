// Fuzzes the list file reader: every entry it passes on has each field ended
// within its 256 bytes and free of separators, and what the writer makes of
// the entries reads back as the same entries whenever its lines fit.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "list/list_format.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckFields(const ScreenSaverEntry& entry) {
    for (int c = 0; c < kEntryFieldCount; ++c) {
        const char* field = EntryField(entry, c);
        const std::size_t length = strnlen(field, 256);
        Require(length <= kMaxListFieldBytes);
        Require(std::memchr(field, ',', length) == nullptr && std::memchr(field, '\n', length) == nullptr);
        Require(c == 4 || length > 0);  // only the archive may be empty
    }
}

bool SameEntry(const ScreenSaverEntry& a, const ScreenSaverEntry& b) {
    for (int c = 0; c < kEntryFieldCount; ++c)
        if (std::strcmp(EntryField(a, c), EntryField(b, c)) != 0) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<ScreenSaverEntry> entries;
    ParseListFile(bytes, [&entries](const ScreenSaverEntry& entry) {
        CheckFields(entry);
        entries.push_back(entry);
    });

    bool linesFit = true;
    for (const ScreenSaverEntry& entry : entries) {
        std::string line;
        AppendListEntry(line, entry);
        linesFit = linesFit && line.size() - 2 <= kMaxListLineBytes;  // without its CR LF
    }
    const std::string written = FormatListFile(entries);
    std::vector<ScreenSaverEntry> again;
    Require(ParseListFile(written, again) == ListParse::Read);
    if (linesFit) {
        Require(again.size() == entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) Require(SameEntry(again[i], entries[i]));
    }
    return 0;
}
