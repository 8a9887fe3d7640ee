// The decisions behind a password-protected system screen saver, as plain
// functions: when the changer may replace it, when a run ends with the
// sign-in screen, how often it is watched for, how the grace period and the
// session's state are read. Windows' own locking cannot be seen under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <wtsapi32.h>

#include <optional>
#include <string>

#include "base/session.h"
#include "support/system_settings.h"
#include "system/secure_saver.h"

namespace {

// Secure or not × the moment the user comes back, against the grace period,
// × how the run ended → the session is locked when the run ends, or not.
TEST(SecureSaverDecision, TheSignInScreenAfterTheGracePeriodOnly) {
    struct Case {
        bool secure;
        DWORD graceMs;
        DWORD backAfterMs;  // since the system screen saver started
        ChangerRunEnd end;
        bool locks;
    } cases[] = {
        {true, 5000, 1000, ChangerRunEnd::UserReturned, false},
        {true, 5000, 5000, ChangerRunEnd::UserReturned, false},
        {true, 5000, 5001, ChangerRunEnd::UserReturned, true},
        {true, 5000, 3600000, ChangerRunEnd::UserReturned, true},
        {true, 0, 1, ChangerRunEnd::UserReturned, true},
        {true, 60000, 59000, ChangerRunEnd::UserReturned, false},
        {true, 60000, 61000, ChangerRunEnd::UserReturned, true},
        // A run that could start nothing ends as the user's return would.
        {true, 5000, 2000, ChangerRunEnd::NothingStarted, false},
        {true, 5000, 9000, ChangerRunEnd::NothingStarted, true},
        // Locked already: nothing more to do.
        {true, 5000, 9000, ChangerRunEnd::SessionAway, false},
        {true, 5000, 1000, ChangerRunEnd::SessionAway, false},
        // Without password protection nothing ever locks.
        {false, 5000, 1000, ChangerRunEnd::UserReturned, false},
        {false, 5000, 3600000, ChangerRunEnd::UserReturned, false},
        {false, 0, 9000, ChangerRunEnd::NothingStarted, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "secure " << c.secure << ", grace " << c.graceMs << " ms, back after "
                                        << c.backAfterMs << " ms, end " << static_cast<int>(c.end));
        EXPECT_EQ(LockWhenChangerRunEnds({c.secure, c.graceMs}, c.backAfterMs, c.end), c.locks);
    }
}

// A secure one found after its grace period has locked the session (or will
// as it ends): it is left alone. One without password protection is always
// replaced.
TEST(SecureSaverDecision, ReplacedOnlyWithinTheGracePeriod) {
    struct Case {
        bool secure;
        DWORD graceMs;
        DWORD ageMs;
        bool replaced;
    } cases[] = {
        {true, 5000, 0, true},      {true, 5000, 250, true},    {true, 5000, 4999, true},
        {true, 5000, 5000, false},  {true, 5000, 30000, false}, {true, 0, 0, false},
        {false, 5000, 30000, true}, {false, 0, 0, true},        {false, 5000, 0x7FFFFFFF, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MayReplaceSystemSaver({c.secure, c.graceMs}, c.ageMs), c.replaced)
            << c.secure << " " << c.graceMs << " " << c.ageMs;
}

// The changer looks every ChgTime seconds, and four times a second while the
// system screen saver is password-protected; a grace period shorter than
// that cannot be met, which the settings page says.
TEST(SecureSaverDecision, TheQuickWatchWhileSecure) {
    EXPECT_EQ(ChangerWatchPeriodMs(30000, false), 30000u);
    EXPECT_EQ(ChangerWatchPeriodMs(1000, false), 1000u);
    EXPECT_EQ(ChangerWatchPeriodMs(30000, true), kSecureWatchMs);
    EXPECT_EQ(ChangerWatchPeriodMs(1000, true), kSecureWatchMs);
    EXPECT_EQ(ChangerWatchPeriodMs(100, true), 100u);
    EXPECT_FALSE(ChangerCanCatchSecureSaver(0));
    EXPECT_FALSE(ChangerCanCatchSecureSaver(kSecureWatchMs));
    EXPECT_TRUE(ChangerCanCatchSecureSaver(1000));
}

// Winlogon's grace period: a number, or a text in decimal or "0x" hex;
// anything else counts as absent (5 s), and no more than about 24 days.
TEST(SecureSaverDecision, GracePeriodForms) {
    struct Case {
        const char* text;
        DWORD seconds;
    } cases[] = {
        {"5", 5},           {"0", 0},       {"12", 12},           {" 3", 3},        {"7 ", 7},
        {"0x0A", 10},       {"0X1f", 31},   {"2147483", 2147483}, {"2147484", 2147483},
        {"99999999999999999999", 2147483},  {"", 5},              {"abc", 5},       {"-3", 5},
        {"5s", 5},          {"0x", 5},      {"1.5", 5},
    };
    for (const Case& c : cases) EXPECT_EQ(GracePeriodFromText(c.text), c.seconds) << '"' << c.text << '"';
    EXPECT_EQ(GracePeriodFromNumber(0), 0u);
    EXPECT_EQ(GracePeriodFromNumber(30), 30u);
    EXPECT_EQ(GracePeriodFromNumber(0xFFFFFFFF), kLongestGraceSeconds);
}

// The same read from the registry as Winlogon keeps it, and put back.
TEST(SecureSaverDecision, GracePeriodFromTheRegistry) {
    struct Case {
        std::optional<std::string> text;
        std::optional<DWORD> number;
        DWORD seconds;
    } cases[] = {
        {std::nullopt, std::nullopt, 5}, {"0", std::nullopt, 0},    {"0x10", std::nullopt, 16},
        {std::nullopt, 9u, 9},           {"zero", std::nullopt, 5},
    };
    for (const Case& c : cases) {
        SecureSaverSettings settings("1", c.text, c.number);
        EXPECT_EQ(ReadGracePeriodSeconds(), c.seconds);
        const SecureSaverFacts facts = ReadSecureSaverFacts();
        EXPECT_TRUE(facts.secure);
        EXPECT_EQ(facts.graceMs, c.seconds * 1000);
    }
}

// Password protection: the policy's value when it sets one, else the user's.
TEST(SecureSaverDecision, SecureFromThePolicyOrTheUser) {
    struct Case {
        const char* user;
        const char* policy;  // null: no policy value
        bool secure;
    } cases[] = {
        {"1", nullptr, true}, {"0", nullptr, false}, {"0", "1", true},
        {"1", "0", false},    {"1", "", false},      {"0", "yes", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " / " + (c.policy ? c.policy : "(none)"));
        SecureSaverSettings settings(c.user, std::nullopt);
        std::vector<std::pair<std::string, std::string>> values;
        if (c.policy) values.push_back({"ScreenSaverIsSecure", c.policy});
        ScreenSaverPolicyValues policy(values);
        EXPECT_EQ(ReadScreenSaverSecure(ReadScreenSaverPolicy()), c.secure);
    }
}

// The session as the system reports it: disconnected or locked is away; the
// lock flags come reversed on Windows 7.
TEST(SessionState, LockedOrDisconnectedIsAway) {
    struct Case {
        int state;
        LONG flags;
        bool reversed;
        bool away;
    } cases[] = {
        {WTSActive, 1, false, false},       {WTSActive, 0, false, true},        {WTSActive, -1, false, false},
        {WTSActive, 1, true, true},         {WTSActive, 0, true, false},        {WTSDisconnected, 1, false, true},
        {WTSDisconnected, -1, false, true}, {WTSConnected, 1, false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SessionStateIsAway(c.state, c.flags, c.reversed), c.away) << c.state << " " << c.flags << " " << c.reversed;
}

// Notices of the window's session: a lock or disconnection counts until the
// matching unlock or connection, also when the system cannot be asked.
TEST(SessionState, NoticesCountUntilUndone) {
    SetSessionAwayQuery([] { return false; });
    struct Step {
        WPARAM event;
        bool away;
    } steps[] = {
        {WTS_SESSION_LOCK, true},       {WTS_SESSION_REMOTE_CONTROL, true}, {WTS_SESSION_UNLOCK, false},
        {WTS_CONSOLE_DISCONNECT, true}, {WTS_CONSOLE_CONNECT, false},       {WTS_REMOTE_DISCONNECT, true},
        {WTS_SESSION_LOCK, true},       {WTS_REMOTE_CONNECT, true},         {WTS_SESSION_UNLOCK, false},
    };
    for (const Step& s : steps) {
        NoteSessionChange(s.event);
        EXPECT_EQ(SessionAway(), s.away) << s.event;
    }
    SetSessionAwayQuery([] { return true; });
    EXPECT_TRUE(SessionAway());
    SetSessionAwayQuery(nullptr);
    // Under Wine the system cannot say: nobody is away.
    EXPECT_FALSE(SessionAway());
}

}  // namespace
