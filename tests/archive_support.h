// Helpers of the archive tests under Wine: where the fixtures and the built
// archiver libraries are.
#pragma once
#include <string>

// Fixture folder: %ZELVISTA_FIXTURES%, else archive_fixtures beside the test's folder.
std::string ArchiveFixture(const std::string& name);
// Archives holding the probe screen saver (probe.lzh, probe.zip, probe.cab with
// members ArcProbe.scr and sub\SubProbe.scr): %ZELVISTA_PROBE_ARCHIVES%, else
// archive_fixtures_probe beside the test's folder. Ends with a backslash.
std::string ProbeArchiveFolder();
// A built archiver library: %ZELVISTA_ARCHIVERS%, else bin beside the test's folder.
std::string ArchiverDll(const std::string& name);
// Copies the three built libraries into the folder (ending with a backslash);
// a library that cannot be copied fails the test (check with ASSERT_NO_FATAL_FAILURE).
void CopyBuiltLibraries(const std::string& folder);
// A faulty library built for the tests: archiver_test_libs beside the test's folder.
std::string ArchiverTestLibrary(const std::string& name);
// ASCII letters in lower case, not touching the trail bytes of double-byte characters.
std::string LowerAscii(std::string text);
