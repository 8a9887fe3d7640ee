// The user's session as far as playing screen savers cares: whether anyone
// can see the screen (the session is neither locked nor disconnected),
// locking it, and the system's notices of its changes. Each system call sits
// behind one small function whose use the tests can see.
#pragma once
#include <windows.h>

// Asks the system to lock the session, as Ctrl+Alt+Del and "Lock" do; the
// lock itself follows asynchronously. False when the request failed.
bool LockSession();
// How often the program has asked for a lock since it started.
int SessionLockRequests();

// The window receives WM_WTSSESSION_CHANGE for its own session from now on,
// until UnregisterSessionNotifications (before it is destroyed).
bool RegisterSessionNotifications(HWND window);
void UnregisterSessionNotifications(HWND window);
// The window registered now, or null.
HWND SessionNotificationWindow();
// A WM_WTSSESSION_CHANGE event (its wParam): a lock or disconnection is
// remembered until the matching unlock or connection.
void NoteSessionChange(WPARAM event);

// True when nobody can see what plays: the session is locked or not
// connected to a screen. Asked from loops that block the thread too, where
// no notification arrives.
bool SessionAway();

// What SessionAway asks the system; tests put their own in its place
// (null gives the system's back).
using SessionAwayQuery = bool (*)();
void SetSessionAwayQuery(SessionAwayQuery query);

// The system's answer: the session's state as the remote desktop services
// report it. False when they cannot say.
bool QuerySessionAway();
// The decision on the reported state: the connection state, the lock flags,
// and whether the flags come reversed (Windows 7 reports them so).
bool SessionStateIsAway(int connectState, LONG sessionFlags, bool flagsReversed);
