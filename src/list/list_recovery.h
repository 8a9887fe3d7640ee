// The list kept when Windows ends the session before its changes are saved,
// and offered again at the next start. It is a list file in the work folder,
// written in one step, that also records the path the list had and whether
// it had been saved under it:
//
//   Ver,3.00
//   REC,1,C:\Lists\mine.lst      (0 for a list never saved)
//   SCR,...                      the rows, as in any list file
#pragma once

#include <string>
#include <string_view>

// Writes the rows and the list state; false when they could not be kept
// (no work folder of the program's own, or the write failed).
bool KeepRecoveryList();
// Deletes the kept list, when there is one.
void DiscardRecoveryList();
// Whether a kept list is there.
bool RecoveryListKept();
// At start-up, after the standard list: when a list was kept, asks whether
// to take it back. Yes makes it the list, changed and under the path it had;
// No deletes it. Nothing happens when none was kept.
void OfferRecoveryList();

// The recorded state of a kept list's bytes; false when they hold none.
struct RecoveredState {
    bool named = false;
    std::string path;
};
bool ReadRecoveredState(std::string_view bytes, RecoveredState* state);
