#include "app/launch_connections.h"

#include <cstring>

#include "app/playback_connections.h"
#include "app/toolbar.h"
#include "archive/archiver.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_format.h"
#include "play/full_screen_run.h"
#include "play/play_connections.h"
#include "play/prepare_entry.h"
#include "system/changer.h"
#include "system/screen_saver.h"

namespace {

// The archiver library an entry's type text names, or -1.
int ArchiverOfType(const char* type) {
    for (int i = 0; i < kArchiverCount; ++i)
        if (std::strcmp(type, kArchiveTypeText[i]) == 0) return i;
    return -1;
}

// Reads the row into the current entry, as the list's operations do.
bool ReadRowForPlay(int row, SaverEntry& entry) {
    if (row < 0 || row >= GetEntryRowCount()) return false;
    ReadEntryRow(row);
    CopyText(entry.name, sizeof entry.name, CurrentEntry.name);
    CopyText(entry.seconds, sizeof entry.seconds, CurrentEntry.seconds);
    CopyText(entry.folder, sizeof entry.folder, CurrentEntry.folder);
    CopyText(entry.archive, sizeof entry.archive, CurrentEntry.archive);
    entry.archiver = ArchiverOfType(CurrentEntry.type);
    return true;
}

// The archive adapter's answer in the words playing code knows.
MemberExtraction ExtractMemberForPlay(int archiver, const char* archivePath, const char* memberName,
                                      const char* destinationFolder, HWND owner) {
    switch (ExtractOutcomeOf(ExtractMember(archiver, archivePath, memberName, destinationFolder, owner))) {
    case ExtractOutcome::Extracted: return MemberExtraction::Extracted;
    case ExtractOutcome::NoLibrary: return MemberExtraction::LibraryMissing;
    case ExtractOutcome::ArchiveUnreadable: return MemberExtraction::ArchiveUnreadable;
    case ExtractOutcome::NoSuchMember: return MemberExtraction::NoSuchMember;
    case ExtractOutcome::MethodNotRead: return MemberExtraction::MethodNotRead;
    case ExtractOutcome::DataDamaged: return MemberExtraction::DataDamaged;
    case ExtractOutcome::WriteFailed: return MemberExtraction::WriteFailed;
    default: return MemberExtraction::Failed;
    }
}

ChangerEntryResult RunRowForChanger(int row, int standardSeconds) {
    switch (RunEntryFullScreen(row, standardSeconds)) {
    case TimedSaverRun::EndedEarly: return ChangerEntryResult::UserReturned;
    case TimedSaverRun::TimeOver: return ChangerEntryResult::TimeOver;
    case TimedSaverRun::SessionAway: return ChangerEntryResult::SessionAway;
    default: return ChangerEntryResult::Skipped;
    }
}

}  // namespace

void ConnectPlayAndChanger(HWND mainWindow) {
    PlayConnections play;
    play.owner = mainWindow;
    play.rowCount = GetEntryRowCount;
    play.readRow = ReadRowForPlay;
    play.extractMember = ExtractMemberForPlay;
    play.showStatus = ShowStatusText;
    play.isSaverActive = IsScreenSaverActive;
    play.enableSaver = EnableScreenSaver;
    play.disableSaver = DisableScreenSaver;
    play.stopChangerTimer = StopChangerTimer;
    play.startChangerTimer = StartChangerTimer;
    play.setStandardSaver = SetStandardScreenSaver;
    ConnectListPlayback(play);
    Play = play;

    ChangerConnections changer;
    changer.rowCount = GetEntryRowCount;
    changer.runFullScreen = RunRowForChanger;
    changer.prepareAsStandard = PrepareEntryAsStandard;
    ConnectChanger(changer);
}
