#include "system/secure_saver.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kSecureValue[] = "ScreenSaverIsSecure";
constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kGraceValue[] = "ScreenSaverGracePeriod";

// The user's own setting as the desktop settings store it, a text.
bool DesktopSettingSecure() {
    char text[16] = "";
    DWORD bytes = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, kSecureValue, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS)
        return false;
    return PolicyValueOn(text);
}

}  // namespace

bool ReadScreenSaverSecure(const ScreenSaverPolicy& policy) {
    if (policy.secureFixed) return policy.secure;
    BOOL secure = FALSE;
    if (SystemParametersInfoA(SPI_GETSCREENSAVESECURE, 0, &secure, 0)) return secure != FALSE;
    return DesktopSettingSecure();
}

DWORD GracePeriodFromNumber(DWORD seconds) {
    return seconds > kLongestGraceSeconds ? kLongestGraceSeconds : seconds;
}

DWORD GracePeriodFromText(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    // Digits only: a sign or anything else is not a number of seconds.
    const unsigned char first = static_cast<unsigned char>(text[0]);
    if (base == 16 ? !std::isxdigit(first) : !std::isdigit(first)) return kDefaultGraceSeconds;
    errno = 0;
    char* end = nullptr;
    const unsigned long long seconds = std::strtoull(text, &end, base);
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return kDefaultGraceSeconds;
    if (errno == ERANGE || seconds > kLongestGraceSeconds) return kLongestGraceSeconds;
    return static_cast<DWORD>(seconds);
}

DWORD ReadGracePeriodSeconds() {
    BYTE data[64] = {};
    DWORD type = 0;
    DWORD bytes = sizeof data - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kWinlogonKey, kGraceValue, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, data,
                     &bytes) != ERROR_SUCCESS)
        return kDefaultGraceSeconds;
    if (type == REG_DWORD) {
        DWORD seconds = 0;
        std::memcpy(&seconds, data, sizeof seconds);
        return GracePeriodFromNumber(seconds);
    }
    return GracePeriodFromText(reinterpret_cast<const char*>(data));
}

SecureSaverFacts ReadSecureSaverFacts() {
    SecureSaverFacts facts;
    facts.secure = ReadScreenSaverSecure(ReadScreenSaverPolicy());
    facts.graceMs = ReadGracePeriodSeconds() * 1000;
    return facts;
}

bool ChangerCanCatchSecureSaver(DWORD graceMs) {
    return graceMs > kSecureWatchMs;
}

bool MayReplaceSystemSaver(const SecureSaverFacts& facts, DWORD ageMs) {
    return !facts.secure || ageMs < facts.graceMs;
}

bool LockWhenChangerRunEnds(const SecureSaverFacts& facts, DWORD sinceStartMs, ChangerRunEnd end) {
    return facts.secure && end != ChangerRunEnd::SessionAway && sinceStartMs > facts.graceMs;
}

UINT ChangerWatchPeriodMs(UINT standardPeriodMs, bool secure) {
    return secure && standardPeriodMs > kSecureWatchMs ? kSecureWatchMs : standardPeriodMs;
}
