#include "support/standard_saver.h"

#include <windows.h>

#include "base/program_paths.h"

namespace {
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

void WriteIni(const std::string& value) {
    WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", value.empty() ? nullptr : value.c_str(),
                               AppPaths.SystemIniPath);
}

void WriteDesktop(const std::string& value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}
}  // namespace

std::string IniStandardSaver() {
    char value[256] = "";
    GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", value, sizeof value, AppPaths.SystemIniPath);
    return value;
}

std::string DesktopStandardSaver() {
    char value[256] = "";
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

void WriteStandardSaverEverywhere(const std::string& value) {
    WriteIni(value);
    WriteDesktop(value);
}

StandardSaverKept::StandardSaverKept() : ini_(IniStandardSaver()), desktop_(DesktopStandardSaver()) {}

StandardSaverKept::~StandardSaverKept() {
    WriteIni(ini_);
    WriteDesktop(desktop_);
}
