#include "support/system_settings.h"

#include "base/handles.h"

const char kScreenSaverPolicyKey[] = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";

RegistryValueKept::RegistryValueKept(HKEY root, std::string key, std::string name)
    : root_(root), key_(std::move(key)), name_(std::move(name)) {
    DWORD size = 0;
    if (RegGetValueA(root_, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &size) !=
        ERROR_SUCCESS)
        return;
    data_.resize(size);
    existed_ = RegGetValueA(root_, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type_, data_.data(),
                            &size) == ERROR_SUCCESS;
    data_.resize(size);
}

RegistryValueKept::~RegistryValueKept() {
    if (existed_)
        RegSetKeyValueA(root_, key_.c_str(), name_.c_str(), type_, data_.data(), static_cast<DWORD>(data_.size()));
    else
        Remove();
}

void RegistryValueKept::SetText(const std::string& text, DWORD type) const {
    KeyHandle key;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS) {
        key.release();
        return;
    }
    RegSetValueExA(key.get(), name_.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void RegistryValueKept::SetNumber(DWORD number) const {
    KeyHandle key;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS) {
        key.release();
        return;
    }
    RegSetValueExA(key.get(), name_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void RegistryValueKept::Remove() const {
    RegDeleteKeyValueA(root_, key_.c_str(), name_.c_str());
}

ScreenSaverPolicyValues::ScreenSaverPolicyValues(const std::vector<std::pair<std::string, std::string>>& values) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScreenSaverPolicyKey);
    for (const auto& [name, text] : values)
        RegSetKeyValueA(HKEY_CURRENT_USER, kScreenSaverPolicyKey, name.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>(text.size() + 1));
}

ScreenSaverPolicyValues::~ScreenSaverPolicyValues() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScreenSaverPolicyKey);
}

SecureSaverSettings::SecureSaverSettings(const char* secure, std::optional<std::string> graceText,
                                         std::optional<DWORD> graceNumber)
    : secure_(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaverIsSecure"),
      grace_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
             "ScreenSaverGracePeriod") {
    secure_.SetText(secure);
    if (graceText) grace_.SetText(*graceText);
    else if (graceNumber) grace_.SetNumber(*graceNumber);
    else grace_.Remove();
}
