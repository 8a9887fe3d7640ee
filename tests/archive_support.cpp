#include "archive_support.h"

#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "archiver_interface.h"
#include "base/text.h"
#include "support/files.h"

namespace {

std::string ExeFolderParent() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s = path;
    for (int i = 0; i < 2; ++i) s = s.substr(0, s.find_last_of('\\'));
    return s + "\\";
}

std::string FromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string folder = (value && *value) ? value : ExeFolderParent() + fallback;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

std::string ArchiveFixture(const std::string& name) { return FromEnvironment("ZELVISTA_FIXTURES", "archive_fixtures") + name; }

std::string ProbeArchiveFolder() { return FromEnvironment("ZELVISTA_PROBE_ARCHIVES", "archive_fixtures_probe"); }

std::string ArchiverDll(const std::string& name) { return FromEnvironment("ZELVISTA_ARCHIVERS", "bin") + name; }

std::string ArchiverTestLibrary(const std::string& name) { return ExeFolderParent() + "archiver_test_libs\\" + name; }

std::string LowerAscii(std::string s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(c)) ++i;
        else if (c >= 'A' && c <= 'Z') s[i] = static_cast<char>(c + 32);
    }
    return s;
}

void CopyBuiltLibraries(const std::string& folder) {
    for (const ArchiverLibraryInterface& library : kArchiverLibraries)
        ASSERT_TRUE(CopyFileTo(ArchiverDll(library.fileName), folder + library.fileName)) << library.fileName;
}
