// The list file format: bytes to entries and entries to bytes, with no
// window and no file. Portable, so the reader can be fuzzed natively.
//
//   Ver,3.00
//   SCR,name,seconds,folder,type,NULL,EOD       a loose screen saver
//   SCR,name,seconds,folder,type,archive,EOF    a member of an archive
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "list/entry.h"

// Tokens of the format. The type texts are also what the list shows.
extern const char kListHeader[];                    // "Ver,3.00"
extern const char kLooseSaverType[];                // "ｽｸﾘｰﾝｾｰﾊﾞｰ"
extern const char* const kArchiveTypeText[3];       // "書庫(LZH)", "書庫(ZIP)", "書庫(CAB)" by archiver index

// An entry line, line end included, fits in 1023 bytes; each field in 255.
constexpr std::size_t kMaxListLineBytes = 1022;
constexpr std::size_t kMaxListFieldBytes = 255;

enum class ListParse {
    Read,        // every whole entry line was passed on; other lines were skipped
    OldVersion,  // the first line does not start with "Ver": nothing was read
};

// Reads a list file's bytes (lines end in LF or CR LF) and passes each
// entry, in file order, to onEntry. A line that is not a whole entry (not
// "SCR", too long, fewer than six fields, a field over 255 bytes or holding
// a zero byte) is skipped. Runs of commas count as one separator; only the
// exact word "NULL" means no archive.
ListParse ParseListFile(std::string_view bytes, const std::function<void(const ScreenSaverEntry&)>& onEntry);
ListParse ParseListFile(std::string_view bytes, std::vector<ScreenSaverEntry>& entries);

// The header line, and one entry's line, each with its CR LF.
void AppendListHeader(std::string& out);
void AppendListEntry(std::string& out, const ScreenSaverEntry& entry);
std::string FormatListFile(const std::vector<ScreenSaverEntry>& entries);
