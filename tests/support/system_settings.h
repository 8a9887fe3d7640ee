// The system's screen saver settings the tests set for a while and put back:
// the administrator's policy values, the password protection, the grace
// period.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// A registry value as it was, put back (or removed again) when this goes.
class RegistryValueKept {
public:
    RegistryValueKept(HKEY root, std::string key, std::string name);
    ~RegistryValueKept();
    RegistryValueKept(const RegistryValueKept&) = delete;
    RegistryValueKept& operator=(const RegistryValueKept&) = delete;
    void SetText(const std::string& text, DWORD type = REG_SZ) const;
    void SetNumber(DWORD number) const;
    void Remove() const;

private:
    HKEY root_;
    std::string key_, name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// The administrator's policy values of the screen saver, each given as a
// text (as the policy editor stores them); the key is removed afterwards.
class ScreenSaverPolicyValues {
public:
    explicit ScreenSaverPolicyValues(const std::vector<std::pair<std::string, std::string>>& values);
    ~ScreenSaverPolicyValues();
    ScreenSaverPolicyValues(const ScreenSaverPolicyValues&) = delete;
    ScreenSaverPolicyValues& operator=(const ScreenSaverPolicyValues&) = delete;
};
extern const char kScreenSaverPolicyKey[];

// The user's password protection ("1" or "0") and the grace period in
// HKLM's Winlogon key (a text, a number, or absent), as the tests want them.
class SecureSaverSettings {
public:
    SecureSaverSettings(const char* secure, std::optional<std::string> graceText, std::optional<DWORD> graceNumber = {});
    SecureSaverSettings(const SecureSaverSettings&) = delete;
    SecureSaverSettings& operator=(const SecureSaverSettings&) = delete;

private:
    RegistryValueKept secure_;
    RegistryValueKept grace_;
};
