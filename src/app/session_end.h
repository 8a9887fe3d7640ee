// The end of the Windows session (sign-out, restart, shutdown, or an
// installer's restart manager closing the program) with the list changed:
// the list is kept in the work folder in one step before anything else, then
// the usual question is asked while Windows waits with a reason it shows.
// When Windows ends the program anyway, the kept list is offered at the next
// start.
#pragma once
#include <windows.h>

// The usual question about unsaved changes, naming the list's path; the
// answer is IDYES, IDNO or IDCANCEL. extraFlags go to the message box.
int AskToSaveChanges(HWND owner, UINT extraFlags);

// WM_QUERYENDSESSION: whether the session may end now.
bool OnQueryEndSession(HWND window, LPARAM reason);
// WM_ENDSESSION: the session ends (the list kept, the windows' places
// stored, the window closed without its question) or goes on (the kept list
// is dropped: the list is still here).
void OnEndSession(HWND window, bool ending);
// True once the session is ending: closing then asks nothing.
bool SessionEnding();
// A new main window starts with no session end under way.
void ResetSessionEnd();
