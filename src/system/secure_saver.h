// A password-protected system screen saver ("On resume, display logon
// screen"): Windows shows the sign-in screen when it ends later than its
// grace period after it started, and not when the user comes back within it.
// When the changer plays the list in its place, it keeps that promise. The
// decisions are plain functions of what the system says.
#pragma once
#include <windows.h>

#include "system/screen_saver_policy.h"

// The grace period when the system names none, and the longest it takes.
constexpr DWORD kDefaultGraceSeconds = 5;
constexpr DWORD kLongestGraceSeconds = 2147483;
// How often the changer looks for a password-protected system screen saver,
// so that it is found well within the grace period.
constexpr UINT kSecureWatchMs = 250;

struct SecureSaverFacts {
    bool secure = false;
    DWORD graceMs = kDefaultGraceSeconds * 1000;
};

// Whether the system screen saver is password-protected: the policy's value
// when it sets one, else the user's own setting.
bool ReadScreenSaverSecure(const ScreenSaverPolicy& policy);
// The grace period in seconds as Winlogon stores it: a number, or a text in
// decimal or in hexadecimal after "0x". Absent or unreadable gives the
// default; a larger one the longest.
DWORD ReadGracePeriodSeconds();
DWORD GracePeriodFromText(const char* text);
DWORD GracePeriodFromNumber(DWORD seconds);
SecureSaverFacts ReadSecureSaverFacts();

// The changer can take over a password-protected system screen saver only
// when its watch comes round within the grace period.
bool ChangerCanCatchSecureSaver(DWORD graceMs);
// Whether the changer may close a system screen saver that started ageMs
// ago and play the list: one whose grace period is over has locked the
// session (or will, when it ends), so it stays.
bool MayReplaceSystemSaver(const SecureSaverFacts& facts, DWORD ageMs);

enum class ChangerRunEnd {
    UserReturned,    // one of its screen savers ended before its time
    SessionAway,     // the session was locked or disconnected meanwhile
    NothingStarted,  // a whole pass started nothing
};
// Whether the session must be locked when a run that replaced a system
// screen saver ends sinceStartMs after that screen saver started: as
// Windows would have, when it is password-protected and the grace period
// is over, unless the session is locked already.
bool LockWhenChangerRunEnds(const SecureSaverFacts& facts, DWORD sinceStartMs, ChangerRunEnd end);
// The changer timer's period: the standard one, or the quick watch while the
// system screen saver is password-protected.
UINT ChangerWatchPeriodMs(UINT standardPeriodMs, bool secure);
