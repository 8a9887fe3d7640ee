#include "system/screen_saver_policy.h"

#include <cstdio>
#include <cstring>

#include "base/text.h"
#include "system/screen_saver.h"

namespace {

constexpr char kPolicyKey[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
constexpr char kActiveValue[] = "ScreenSaveActive";
constexpr char kTimeoutValue[] = "ScreenSaveTimeOut";
constexpr char kSecureValue[] = "ScreenSaverIsSecure";
constexpr char kStandardSaverValue[] = "SCRNSAVE.EXE";

enum class PolicyText { Absent, Read, TooLong };

// A policy value as text: the policy editor stores texts (expandable ones
// come expanded); a number stored by other tools reads as its decimal form.
// A value of another kind fixes nothing. One too long for the program's
// buffers is there all the same, but is not cut to fit.
PolicyText ReadPolicyText(const char* name, char* text, DWORD size) {
    text[0] = '\0';
    BYTE data[MAX_PATH * 2] = {};
    DWORD type = 0;
    DWORD bytes = sizeof data - 1;
    const LONG read =
        RegGetValueA(HKEY_CURRENT_USER, kPolicyKey, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, data, &bytes);
    if (read == ERROR_MORE_DATA) return PolicyText::TooLong;
    if (read != ERROR_SUCCESS) return PolicyText::Absent;
    if (type == REG_DWORD) {
        DWORD number = 0;
        std::memcpy(&number, data, sizeof number);
        std::snprintf(text, size, "%lu", static_cast<unsigned long>(number));
        return PolicyText::Read;
    }
    if (CopyText(text, size, reinterpret_cast<const char*>(data))) return PolicyText::Read;
    text[0] = '\0';
    return PolicyText::TooLong;
}

}  // namespace

bool PolicyValueOn(const char* text) {
    return std::strcmp(text, "1") == 0;
}

ScreenSaverPolicy ReadScreenSaverPolicy() {
    ScreenSaverPolicy policy;
    char text[MAX_PATH] = "";
    if (ReadPolicyText(kActiveValue, text, sizeof text) != PolicyText::Absent) {
        policy.activeFixed = true;
        policy.active = PolicyValueOn(text);
    }
    policy.timeoutFixed = ReadPolicyText(kTimeoutValue, text, sizeof text) != PolicyText::Absent;
    if (ReadPolicyText(kSecureValue, text, sizeof text) != PolicyText::Absent) {
        policy.secureFixed = true;
        policy.secure = PolicyValueOn(text);
    }
    // An empty name forces no screen saver of its own.
    const PolicyText saver = ReadPolicyText(kStandardSaverValue, policy.standardSaver, sizeof policy.standardSaver);
    policy.standardSaverFixed = saver == PolicyText::TooLong || (saver == PolicyText::Read && policy.standardSaver[0]);
    return policy;
}

bool PolicyFixes(const ScreenSaverPolicy& policy, ManagedSetting setting) {
    switch (setting) {
    case ManagedSetting::Active: return policy.activeFixed;
    case ManagedSetting::Timeout: return policy.timeoutFixed;
    case ManagedSetting::StandardSaver: return policy.standardSaverFixed;
    }
    return false;
}

bool ReadStandardScreenSaverInEffect(char* path, std::size_t size) {
    return ReadStandardScreenSaverInEffect(ReadScreenSaverPolicy(), path, size);
}

bool ReadStandardScreenSaverInEffect(const ScreenSaverPolicy& policy, char* path, std::size_t size) {
    if (size == 0) return false;
    if (PolicyFixes(policy, ManagedSetting::StandardSaver)) {
        path[0] = '\0';
        return policy.standardSaver[0] && CopyText(path, size, policy.standardSaver);
    }
    return ReadStandardScreenSaver(path, static_cast<DWORD>(size));
}
