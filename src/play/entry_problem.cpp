#include "play/entry_problem.h"

#include <iterator>

#include "base/strings.h"
#include "base/wide.h"
#include "play/play_connections.h"
#include "res/resource.h"

namespace {

// What the user is told of each way an entry can fail, and which path the
// full text names.
enum class NamedPath { Runnable, Archive, Joined, None };
struct Problem {
    PrepareOutcome outcome;
    unsigned shortText;
    unsigned fullText;  // its %s: the path, or for a missing library the library's own text
    NamedPath path;
};
constexpr Problem kProblems[] = {
    {PrepareOutcome::FileMissing, IDS_SHORT_FILE_MISSING, IDS_WHY_FILE_MISSING, NamedPath::Joined},
    {PrepareOutcome::ArchiveMissing, IDS_SHORT_ARCHIVE_MISSING, IDS_WHY_ARCHIVE_MISSING, NamedPath::Archive},
    {PrepareOutcome::LibraryMissing, IDS_SHORT_LIBRARY_MISSING, IDS_WHY_LIBRARY_MISSING, NamedPath::None},
    {PrepareOutcome::ArchiveUnreadable, IDS_SHORT_ARCHIVE_UNREADABLE, IDS_WHY_ARCHIVE_UNREADABLE, NamedPath::Archive},
    {PrepareOutcome::MemberMissing, IDS_SHORT_MEMBER_MISSING, IDS_WHY_MEMBER_MISSING, NamedPath::Archive},
    {PrepareOutcome::MethodNotRead, IDS_SHORT_METHOD_NOT_READ, IDS_WHY_METHOD_NOT_READ, NamedPath::Archive},
    {PrepareOutcome::DataDamaged, IDS_SHORT_DATA_DAMAGED, IDS_WHY_DATA_DAMAGED, NamedPath::Archive},
    {PrepareOutcome::ExtractionFailed, IDS_SHORT_EXTRACTION_FAILED, IDS_WHY_EXTRACTION_FAILED, NamedPath::Runnable},
    {PrepareOutcome::PathTooLong, IDS_SHORT_PATH_TOO_LONG, IDS_WHY_PATH_TOO_LONG, NamedPath::Joined},
    {PrepareOutcome::UnknownArchiveType, IDS_SHORT_UNKNOWN_TYPE, IDS_WHY_UNKNOWN_TYPE, NamedPath::Archive},
    {PrepareOutcome::FileInUse, IDS_SHORT_FILE_IN_USE, IDS_CANNOT_RUN_FILE, NamedPath::Runnable},
};
// A file that was in place but whose process could not be created.
constexpr Problem kNotStarted{PrepareOutcome::Ready, IDS_SHORT_NOT_STARTED, IDS_WHY_NOT_STARTED, NamedPath::Runnable};

// The libraries' own "not installed" texts, by archiver index.
constexpr unsigned kMissingLibrary[] = {IDS_MISSING_UNLHA32, IDS_MISSING_UNZIP32, IDS_MISSING_CAB32};

const Problem* ProblemOf(const PreparedEntry& prepared, bool startFailed) {
    if (prepared.ready()) return startFailed ? &kNotStarted : nullptr;
    for (const Problem& problem : kProblems)
        if (problem.outcome == prepared.outcome) return &problem;
    return nullptr;  // no row: nothing to tell
}

std::string ArchivePath(const SaverEntry& entry) {
    return std::string(entry.folder) + entry.archive;
}

// The path the full text names: the file in place, the archive, or (for a
// path that could not be formed) the folder and name as the list holds them.
std::string PathNamed(const Problem& problem, const PreparedEntry& prepared) {
    const SaverEntry& entry = prepared.entry;
    switch (problem.path) {
    case NamedPath::Runnable:
        return prepared.path[0] ? prepared.path : ArchivePath(entry);
    case NamedPath::Archive:
        return ArchivePath(entry);
    case NamedPath::Joined:
        return std::string(entry.folder) + (entry.archive[0] ? entry.archive : entry.name);
    default:
        return "";
    }
}

std::string CommandMessage(EntryCommand command, const PreparedEntry& prepared, const std::string& why) {
    const unsigned heading = command == EntryCommand::Configure ? IDS_CANNOT_CONFIGURE
                             : command == EntryCommand::Preview ? IDS_CANNOT_PREVIEW
                                                                : IDS_CANNOT_SET_STANDARD;
    return FormatText(heading, prepared.entry.name, why);
}

}  // namespace

std::string ShortEntryProblem(const PreparedEntry& prepared, bool startFailed) {
    const Problem* problem = ProblemOf(prepared, startFailed);
    return problem ? LoadText(problem->shortText) : std::string();
}

std::string EntryProblem(const PreparedEntry& prepared, bool startFailed) {
    const Problem* problem = ProblemOf(prepared, startFailed);
    if (!problem) return "";
    if (problem->outcome == PrepareOutcome::LibraryMissing) {
        const int index = prepared.entry.archiver;
        const bool known = index >= 0 && index < static_cast<int>(std::size(kMissingLibrary));
        return FormatText(problem->fullText, known ? LoadText(kMissingLibrary[index]) : std::string());
    }
    return FormatText(problem->fullText, PathNamed(*problem, prepared));
}

void ReportEntryProblem(EntryCommand command, const PreparedEntry& prepared, bool startFailed) {
    const std::string why = EntryProblem(prepared, startFailed);
    if (why.empty()) return;
    const std::string text = CommandMessage(command, prepared, why);
    ShowMessageBox(Play.owner, text, LoadText(IDS_APP_TITLE), MB_OK | MB_ICONEXCLAMATION);
}

void ReportSkippedEntry(const PreparedEntry& prepared, bool startFailed) {
    const std::string why = ShortEntryProblem(prepared, startFailed);
    if (why.empty() || !Play.showStatus) return;
    Play.showStatus(FormatText(IDS_SKIPPED_ENTRY, prepared.entry.name, why).c_str());
}

void ClearSkippedEntryReport() {
    if (Play.showStatus) Play.showStatus("");
}
