#include "list/list_format.h"

#include <cstring>

const char kListHeader[] = "Ver,3.00";
const char kLooseSaverType[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ";
const char* const kArchiveTypeText[3] = {"書庫(LZH)", "書庫(ZIP)", "書庫(CAB)"};

namespace {

const char kEntryTag[] = "SCR";
const char kNoArchive[] = "NULL";
const char kLooseEnd[] = "EOD";
const char kMemberEnd[] = "EOF";
constexpr int kLineFields = 6;  // the tag and the five entry fields; more are ignored

// Next line without its end (LF or CR LF); false at the end of the text.
bool NextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    std::size_t end = text.find('\n');
    line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

// Splits an entry line at commas (a run of commas is one separator, leading
// commas are skipped). False for a line that does not make a whole entry.
bool ParseEntryLine(std::string_view line, ScreenSaverEntry& entry) {
    if (line.size() > kMaxListLineBytes || line.substr(0, 3) != kEntryTag) return false;
    std::string_view fields[kLineFields];
    int count = 0;
    std::size_t pos = 0;
    while (count < kLineFields) {
        while (pos < line.size() && line[pos] == ',') ++pos;
        if (pos >= line.size()) break;
        std::size_t end = line.find(',', pos);
        if (end == std::string_view::npos) end = line.size();
        fields[count++] = line.substr(pos, end - pos);
        pos = end;
    }
    if (count < kLineFields) return false;
    for (int i = 1; i < kLineFields; ++i) {
        if (fields[i].size() > kMaxListFieldBytes || fields[i].find('\0') != std::string_view::npos) return false;
    }
    for (int i = 1; i < kLineFields; ++i) {
        char* dest = EntryField(entry, i - 1);
        std::memcpy(dest, fields[i].data(), fields[i].size());
        dest[fields[i].size()] = '\0';
    }
    // Only the exact word the writer uses means "no archive".
    if (std::strcmp(entry.archive, kNoArchive) == 0) entry.archive[0] = '\0';
    return true;
}

}  // namespace

ListParse ParseListFile(std::string_view bytes, const std::function<void(const ScreenSaverEntry&)>& onEntry) {
    std::string_view line;
    if (NextLine(bytes, line) && line.substr(0, 3) != "Ver") return ListParse::OldVersion;
    ScreenSaverEntry entry;
    while (NextLine(bytes, line)) {
        if (ParseEntryLine(line, entry)) onEntry(entry);
    }
    return ListParse::Read;
}

ListParse ParseListFile(std::string_view bytes, std::vector<ScreenSaverEntry>& entries) {
    return ParseListFile(bytes, [&entries](const ScreenSaverEntry& e) { entries.push_back(e); });
}

void AppendListHeader(std::string& out) {
    out += kListHeader;
    out += "\r\n";
}

void AppendListEntry(std::string& out, const ScreenSaverEntry& e) {
    out += kEntryTag;
    out += ',';
    for (int c = 0; c < 4; ++c) {
        out += EntryField(e, c);
        out += ',';
    }
    out += e.archive[0] != '\0' ? e.archive : kNoArchive;
    out += ',';
    out += e.archive[0] != '\0' ? kMemberEnd : kLooseEnd;
    out += "\r\n";
}

std::string FormatListFile(const std::vector<ScreenSaverEntry>& entries) {
    std::string out;
    AppendListHeader(out);
    for (const ScreenSaverEntry& e : entries) AppendListEntry(out, e);
    return out;
}
