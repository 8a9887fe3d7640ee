// The system's standard screen saver (SCRNSAVE.EXE) as SYSTEM.INI and the
// user's desktop settings hold it.
#pragma once
#include <string>

std::string IniStandardSaver();
std::string DesktopStandardSaver();
void WriteStandardSaverEverywhere(const std::string& value);

// Keeps both values as found and puts them back when it goes (SYSTEM.INI's
// line removed when there was none).
class StandardSaverKept {
public:
    StandardSaverKept();
    ~StandardSaverKept();
    StandardSaverKept(const StandardSaverKept&) = delete;
    StandardSaverKept& operator=(const StandardSaverKept&) = delete;

private:
    std::string ini_, desktop_;
};
