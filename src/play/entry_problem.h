// Telling the user why an entry could not run: in a message box for the
// command the user gave on it, and in the status bar for what playback and
// the changer skipped and went on from.
#pragma once

#include <string>

#include "play/prepare_entry.h"

// The command that acted on the entry.
enum class EntryCommand { Configure, Preview, MakeStandard };

// Why the entry did not run, in a few words (for the status bar), and in full
// with the path concerned and what to do. startFailed: the file was in place
// but its process could not be started. Empty for an entry that is ready.
std::string ShortEntryProblem(const PreparedEntry& prepared, bool startFailed = false);
std::string EntryProblem(const PreparedEntry& prepared, bool startFailed = false);

// A message box owned by the main window: the command, the screen saver and
// the reason. Nothing is shown for an entry that is ready and started.
void ReportEntryProblem(EntryCommand command, const PreparedEntry& prepared, bool startFailed = false);
// The status bar names the entry playback or the changer skipped, and why.
void ReportSkippedEntry(const PreparedEntry& prepared, bool startFailed = false);
// The status bar's report goes when a new playback starts.
void ClearSkippedEntryReport();
