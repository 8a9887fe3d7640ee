// The fixture of the tests that run screen savers: the main window with the
// archiver libraries beside it, a probe log of its own, the standard screen
// saver put back afterwards, and rows naming probes.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "archive_support.h"
#include "support/fixture.h"
#include "support/probe.h"
#include "support/standard_saver.h"

std::string ShortPathOf(const std::string& path);

class SaverRunTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Whether the changer timer is set (it is set again when it was).
    static bool ChangerTimerSet();
    // Writes option values and recreates the main window, which reads them.
    void RestartWith(const std::vector<std::pair<const char*, int>>& settings);

    // Loose probes in the scratch folder, each added as a row with its seconds.
    void AddProbes(const std::vector<std::pair<std::string, std::string>>& namesAndSeconds);
    // A loose probe copied to folder + name, and its row.
    static Row LooseProbe(const std::string& folder, const std::string& name, const std::string& seconds = "0");
    // A member of one of the probe archives ("lzh", "zip", "cab").
    static Row ArchivedProbe(const std::string& kind, const std::string& member, const std::string& seconds = "0");
    // The files in the work folder but its mark, and emptying it of them.
    static std::vector<std::string> WorkFolderFiles();
    // A probe named `name` in the scratch folder, running as the system's own
    // screen saver with its window up; and ended from outside.
    ProbeRun StartSystemSaver(const std::string& name = "SystemSaver.scr");
    static void EndSystemSaver(const ProbeRun& run);
    static void EmptyWorkFolder();

    ProbeLog log_;
    ScratchFolder scratch_;

private:
    std::optional<StandardSaverKept> standardSaver_;
};
