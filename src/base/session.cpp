#include "base/session.h"

#include <versionhelpers.h>
#include <wtsapi32.h>

namespace {

// The extended session information (WTSSessionInfoEx, level 1) as the
// remote desktop services document it; the toolchain's headers lack it.
constexpr int kSessionInfoEx = 25;
constexpr LONG kSessionStateLocked = 0;
constexpr LONG kSessionStateUnlocked = 1;
struct SessionInfoLevel1 {
    ULONG SessionId;
    WTS_CONNECTSTATE_CLASS SessionState;
    LONG SessionFlags;
    CHAR WinStationName[32 + 1];
    CHAR UserName[20 + 1];
    CHAR DomainName[17 + 1];
    LARGE_INTEGER LogonTime;
    LARGE_INTEGER ConnectTime;
    LARGE_INTEGER DisconnectTime;
    LARGE_INTEGER LastInputTime;
    LARGE_INTEGER CurrentTime;
    DWORD IncomingBytes;
    DWORD OutgoingBytes;
    DWORD IncomingFrames;
    DWORD OutgoingFrames;
    DWORD IncomingCompressedBytes;
    DWORD OutgoingCompressedBytes;
};
struct SessionInfoEx {
    DWORD Level;  // 1
    SessionInfoLevel1 Data;
};

struct SessionRecord {
    int lockRequests = 0;
    HWND notified = nullptr;
    bool lockedByNotice = false;
    bool disconnectedByNotice = false;
    SessionAwayQuery query = QuerySessionAway;
};
SessionRecord Session;

}  // namespace

bool LockSession() {
    ++Session.lockRequests;
    return LockWorkStation() != FALSE;
}

int SessionLockRequests() {
    return Session.lockRequests;
}

bool RegisterSessionNotifications(HWND window) {
    if (!WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION)) return false;
    Session.notified = window;
    return true;
}

void UnregisterSessionNotifications(HWND window) {
    if (Session.notified != window) return;
    WTSUnRegisterSessionNotification(window);
    Session.notified = nullptr;
}

HWND SessionNotificationWindow() {
    return Session.notified;
}

void NoteSessionChange(WPARAM event) {
    switch (event) {
    case WTS_SESSION_LOCK: Session.lockedByNotice = true; break;
    case WTS_SESSION_UNLOCK:
    case WTS_SESSION_LOGON: Session.lockedByNotice = false; break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT: Session.disconnectedByNotice = true; break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT: Session.disconnectedByNotice = false; break;
    default: break;
    }
}

bool SessionAway() {
    if (Session.lockedByNotice || Session.disconnectedByNotice) return true;
    return Session.query && Session.query();
}

void SetSessionAwayQuery(SessionAwayQuery query) {
    Session.query = query ? query : QuerySessionAway;
}

bool SessionStateIsAway(int connectState, LONG sessionFlags, bool flagsReversed) {
    // Disconnected (fast user switching, a remote desktop closed): the
    // session has no screen.
    if (connectState != WTSActive) return true;
    const LONG locked = flagsReversed ? kSessionStateUnlocked : kSessionStateLocked;
    return sessionFlags == locked;
}

bool QuerySessionAway() {
    LPSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!WTSQuerySessionInformationA(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION,
                                     static_cast<WTS_INFO_CLASS>(kSessionInfoEx), &buffer, &bytes) ||
        !buffer)
        return false;
    bool away = false;
    if (bytes >= sizeof(SessionInfoEx)) {
        const auto* info = reinterpret_cast<const SessionInfoEx*>(buffer);
        // Windows 7 and Server 2008 R2 report the two lock flags the other
        // way round.
        if (info->Level == 1)
            away = SessionStateIsAway(info->Data.SessionState, info->Data.SessionFlags, !IsWindows8OrGreater());
    }
    WTSFreeMemory(buffer);
    return away;
}
