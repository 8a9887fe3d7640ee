// Running one entry: preparing it (loose or from an archive), configuring,
// previewing, making it the standard screen saver and opening its archive,
// with the probe screen saver as the entry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/commands.h"
#include "app/main_window.h"
#include "app/toolbar.h"
#include "archive/archiver.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "launch_support.h"
#include "list/entry_list.h"
#include "play/full_screen_run.h"
#include "play/play_connections.h"
#include "play/prepare_entry.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "support/input.h"
#include "system/changer.h"
#include "system/screen_saver.h"

namespace {

// Every call playing code makes to the system side, in order.
std::vector<std::string> controlCalls;
PlayConnections realConnections;

PlayConnections RecordingConnections() {
    realConnections = Play;
    PlayConnections c = Play;
    c.isSaverActive = [] { controlCalls.push_back("isActive"); return realConnections.isSaverActive(); };
    c.enableSaver = [] { controlCalls.push_back("enable"); return realConnections.enableSaver(); };
    c.disableSaver = [] { controlCalls.push_back("disable"); return realConnections.disableSaver(); };
    c.stopChangerTimer = [](HWND owner) {
        controlCalls.push_back("stopChanger");
        realConnections.stopChangerTimer(owner);
    };
    c.startChangerTimer = [](HWND owner) {
        controlCalls.push_back("startChanger");
        realConnections.startChangerTimer(owner);
    };
    c.setStandardSaver = [](const char* shortPath) {
        controlCalls.push_back("setStandard");
        realConnections.setStandardSaver(shortPath);
    };
    return c;
}

std::string Quoted(const std::string& path, const char* switchText) {
    return "\"" + path + "\" " + switchText;
}

class LaunchTest : public SaverRunTest {
protected:
    void SetUp() override {
        SaverRunTest::SetUp();
        RestartWith({{"SscTim", 1}});
        controlCalls.clear();
        Play = RecordingConnections();
        blanks_ = scratch_.path() + "folder with blanks\\";
        CreateDirectoryA(blanks_.c_str(), nullptr);
    }
    void TearDown() override {
        Play = realConnections;
        SaverRunTest::TearDown();
    }
    // A file left in the work folder by an earlier run.
    static void LeaveFileInWorkFolder() {
        WriteFileBytes(std::string(AppPaths.WorkFolder) + "leftover.scr", "old");
    }
    // Runs a command that cannot act on its entry: the message box it shows
    // is read and closed with OK; its text, or "" when none came.
    static std::string ProblemShownBy(int command) {
        DialogDriver driver;
        driver.On(LoadText(IDS_APP_TITLE), [](HWND box) { ClickButton(box, IDOK); });
        Command(command);
        return driver.seen().empty() ? "" : driver.seen()[0].text;
    }
    std::string blanks_;
};

// The shell opens archives with the stand-in while a test lives.
class ArchivesOpenWithStandIn : public StandInOpens {
public:
    ArchivesOpenWithStandIn() : StandInOpens({".lzh", ".zip", ".cab"}, "ZelvistaTest.Archive") {}
};

TEST_F(LaunchTest, CommandsWithoutASelectedRowChangeNothing) {
    ArchivesOpenWithStandIn shell;
    AddRow(LooseProbe(blanks_, "Probe.scr"));
    AddRow(ArchivedProbe("lzh", "ArcProbe.scr"));
    WriteStandardSaverEverywhere("C:\\BEFORE.SCR");
    for (int on : {1, 0}) {
        for (int command : {kCmdConfigure, kCmdPreview, kCmdOpenArchive, kCmdSetStandard}) {
            SCOPED_TRACE(command);
            StartWithActive(on);
            LeaveFileInWorkFolder();
            controlCalls.clear();
            Command(command);
            EXPECT_EQ(SelectedEntryRow, -1);
            EXPECT_TRUE(controlCalls.empty());
            EXPECT_TRUE(ChangerTimerSet());
            EXPECT_EQ(IsScreenSaverActive(), on);
            EXPECT_EQ(ScreenSaverActive, on);
            EXPECT_EQ(WorkFolderFiles(), std::vector<std::string>{"leftover.scr"});
            EXPECT_EQ(IniStandardSaver(), "C:\\BEFORE.SCR");
            EXPECT_EQ(DesktopStandardSaver(), "C:\\BEFORE.SCR");
        }
    }
    // Anything started would have written its line by now.
    Sleep(1500);
    EXPECT_TRUE(log_.Runs().empty());
    EXPECT_TRUE(StandInLog().empty());
}

// The preview runs full screen and waits for the end; the system screen saver
// is off meanwhile and the changer timer stopped, both restored afterwards.
TEST_F(LaunchTest, PreviewWaitsWithTheScreenSaverOffAndTheChangerStopped) {
    struct Case {
        const char* name;
        Row row;
        std::string runs;  // the path run
        int active;
        bool doubleClick;
    } cases[] = {
        {"loose, blanks in the path", LooseProbe(blanks_, "Probe Saver.scr"), blanks_ + "Probe Saver.scr", 1, false},
        {"loose, setting off", LooseProbe(blanks_, "Probe.scr"), blanks_ + "Probe.scr", 0, false},
        {"LZH member", ArchivedProbe("lzh", "ArcProbe.scr"), std::string(AppPaths.WorkFolder) + "ArcProbe.scr", 1, false},
        {"ZIP member in a folder", ArchivedProbe("zip", "SubProbe.scr"), std::string(AppPaths.WorkFolder) + "SubProbe.scr", 0,
         false},
        {"CAB member by double click", ArchivedProbe("cab", "ArcProbe.scr"), std::string(AppPaths.WorkFolder) + "ArcProbe.scr",
         1, true},
    };
    SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "700");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllEntryRows();
        AddRow(LooseProbe(scratch_.path(), "Other.scr"));
        AddRow(c.row);
        SelectListRow(1);
        StartWithActive(c.active);
        LeaveFileInWorkFolder();
        log_.Clear();
        controlCalls.clear();
        if (c.doubleClick) {
            RECT item{};
            item.left = LVIR_LABEL;
            SendMessageA(EntryListView, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
            DoubleClickAt(EntryListView, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        } else {
            Command(kCmdPreview);
        }
        // Back here only after the screen saver ended.
        std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].commandLine, Quoted(c.runs, "/s"));
        EXPECT_EQ(runs[0].mode, "s");
        EXPECT_EQ(runs[0].windowClass, "WindowsScreenSaverClass");
        EXPECT_EQ(runs[0].active, 0) << "off while it ran";
        EXPECT_EQ(runs[0].endReason, "endtime");
        EXPECT_TRUE(ProcessEnded(runs[0].pid));
        std::vector<std::string> expected = {"stopChanger", "isActive", "disable"};
        if (c.active) expected.push_back("enable");
        expected.push_back("startChanger");
        EXPECT_EQ(controlCalls, expected);
        EXPECT_TRUE(ChangerTimerSet());
        EXPECT_EQ(IsScreenSaverActive(), c.active);
        EXPECT_EQ(ScreenSaverActive, c.active);
        if (c.row.archive.empty()) {
            EXPECT_EQ(WorkFolderFiles(), std::vector<std::string>{"leftover.scr"});
        } else {
            EXPECT_EQ(WorkFolderFiles(), std::vector<std::string>{c.row.name}) << "emptied, then the member";
        }
    }
}

// What cannot be prepared or whose command line does not fit is not run, and
// the setting and the timer still come back.
TEST_F(LaunchTest, PreviewOfWhatCannotRunStartsNothingAndRestores) {
    // Every path a row can hold runs: quotes and " /s" come on top of its 255 bytes.
    auto pathOfLength = [this](size_t length) {
        std::string folder = scratch_.path();
        std::string name = "Probe.scr";
        folder += std::string(length - folder.size() - name.size() - 1, 'd') + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        return LooseProbe(folder, name);
    };
    const std::string folder256 = scratch_.path() + std::string(256 - scratch_.path().size() - 10, 'e') + "\\";
    struct Case {
        const char* name;
        Row row;
        size_t commandLineSize;  // 0: nothing runs
    } cases[] = {
        {"path of 250 bytes", pathOfLength(250), 255},
        {"path of 251 bytes", pathOfLength(251), 256},
        {"path of 252 bytes", pathOfLength(252), 257},
        {"path of 255 bytes", pathOfLength(255), 260},
        {"path of 256 bytes", {"Probe.scr", "0", folder256, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, 0},
        {"missing file", {"Gone.scr", "0", scratch_.path(), "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, 0},
        {"missing archive", {"ArcProbe.scr", "0", scratch_.path(), "書庫(LZH)", "gone.lzh"}, 0},
        {"member not in the archive", ArchivedProbe("zip", "NoSuch.scr"), 0},
        {"unknown archive type", {"ArcProbe.scr", "0", ProbeArchiveFolder(), "書庫(RAR)", "probe.lzh"}, 0},
    };
    SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "300");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllEntryRows();
        AddRow(c.row);
        SelectListRow(0);
        StartWithActive(1);
        log_.Clear();
        controlCalls.clear();
        if (c.commandLineSize) Command(kCmdPreview);
        else EXPECT_NE(ProblemShownBy(kCmdPreview), "") << "the user hears why";
        std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(runs.size(), c.commandLineSize ? 1u : 0u);
        if (c.commandLineSize) {
            EXPECT_EQ(runs[0].commandLine.size(), c.commandLineSize);
        }
        EXPECT_EQ(controlCalls,
                  (std::vector<std::string>{"stopChanger", "isActive", "disable", "enable", "startChanger"}));
        EXPECT_EQ(IsScreenSaverActive(), 1);
        EXPECT_TRUE(ChangerTimerSet());
    }
}

TEST_F(LaunchTest, PreparingPutsTheFileInPlace) {
    const std::string work = AppPaths.WorkFolder, store = AppPaths.SaverStoreFolder;
    const std::string longFolder = "C:\\" + std::string(245, 'x') + "\\";
    struct Case {
        const char* name;
        Row row;
        bool toStore;
        PrepareOutcome outcome;
        std::string runnable;
        std::vector<std::string> workAfter;
    } cases[] = {
        {"loose", LooseProbe(blanks_, "Probe.scr"), false, PrepareOutcome::Ready, blanks_ + "Probe.scr",
         {"leftover.scr"}},
        {"loose to the store", LooseProbe(blanks_, "Probe.scr"), true, PrepareOutcome::Ready, blanks_ + "Probe.scr",
         {"leftover.scr"}},
        {"loose, missing", {"Gone.scr", "0", blanks_, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, false, PrepareOutcome::FileMissing,
         blanks_ + "Gone.scr", {"leftover.scr"}},
        {"LZH", ArchivedProbe("lzh", "ArcProbe.scr"), false, PrepareOutcome::Ready, work + "ArcProbe.scr",
         {"ArcProbe.scr"}},
        {"LZH member in a folder", ArchivedProbe("lzh", "SubProbe.scr"), false, PrepareOutcome::Ready,
         work + "SubProbe.scr", {"SubProbe.scr"}},
        {"ZIP", ArchivedProbe("zip", "ArcProbe.scr"), false, PrepareOutcome::Ready, work + "ArcProbe.scr",
         {"ArcProbe.scr"}},
        {"CAB member in a folder", ArchivedProbe("cab", "SubProbe.scr"), false, PrepareOutcome::Ready,
         work + "SubProbe.scr", {"SubProbe.scr"}},
        {"CAB to the store", ArchivedProbe("cab", "ArcProbe.scr"), true, PrepareOutcome::Ready,
         store + "ArcProbe.scr", {}},
        {"ZIP to the store", ArchivedProbe("zip", "SubProbe.scr"), true, PrepareOutcome::Ready,
         store + "SubProbe.scr", {}},
        {"member not in the archive", ArchivedProbe("lzh", "NoSuch.scr"), false, PrepareOutcome::MemberMissing,
         work + "NoSuch.scr", {}},
        {"missing archive", {"ArcProbe.scr", "0", blanks_, "書庫(ZIP)", "gone.zip"}, false,
         PrepareOutcome::ArchiveMissing, work + "ArcProbe.scr", {}},
        {"unknown type", {"ArcProbe.scr", "0", ProbeArchiveFolder(), "書庫", "probe.zip"}, false,
         PrepareOutcome::UnknownArchiveType, "", {}},
        {"loose path too long", {"Probe-long-name.scr", "0", longFolder, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, false,
         PrepareOutcome::PathTooLong, "", {"leftover.scr"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllEntryRows();
        AddRow(c.row);
        LeaveFileInWorkFolder();
        DeleteFileA((store + c.row.name).c_str());
        const PreparedEntry prepared = PrepareEntry(0, c.toStore ? AppPaths.SaverStoreFolder : AppPaths.WorkFolder);
        EXPECT_EQ(prepared.outcome, c.outcome);
        EXPECT_EQ(std::string(prepared.path), c.runnable);
        EXPECT_EQ(std::string(prepared.entry.name), c.row.name) << "the row was read";
        EXPECT_EQ(std::string(CurrentEntry.name), c.row.name) << "into the current entry";
        // Only a file that is there has a short path.
        const std::string expectedShort = c.outcome == PrepareOutcome::Ready ? ShortPathOf(c.runnable) : "";
        EXPECT_EQ(std::string(prepared.shortPath), expectedShort);
        if (prepared.ready()) {
            EXPECT_FALSE(expectedShort.empty());
            EXPECT_EQ(ReadFileBytes(c.runnable), ReadFileBytes(ProbeSaverPath())) << "the whole screen saver";
        }
        EXPECT_EQ(WorkFolderFiles(), c.workAfter);
    }
    EXPECT_EQ(PrepareEntry(5, AppPaths.WorkFolder).outcome, PrepareOutcome::NoSuchRow);
    // A work or store folder that could not be formed is empty; neither it
    // nor a relative one is taken to mean the current folder.
    ScratchFolder current;
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof saved, saved);
    SetCurrentDirectoryA(current.path().c_str());
    DeleteAllEntryRows();
    AddRow(ArchivedProbe("lzh", "ArcProbe.scr"));
    for (const char* destination : {"", "temp\\", "\\temp\\"}) {
        SCOPED_TRACE(destination);
        EXPECT_EQ(PrepareEntry(0, destination).outcome, PrepareOutcome::ExtractionFailed);
    }
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(FolderEntries(current.path()), std::vector<std::string>{});
    EXPECT_EQ(PrepareEntry(-1, AppPaths.WorkFolder).outcome, PrepareOutcome::NoSuchRow);
}

// The member goes to the store folder, which keeps it; the short path of
// that file becomes the standard screen saver, also the first time it is
// extracted there. An entry that cannot be prepared changes nothing.
TEST_F(LaunchTest, StandardScreenSaverComesFromTheStoreFolder) {
    const std::string store = AppPaths.SaverStoreFolder;
    struct Case {
        const char* name;
        Row row;
        std::string file;  // empty: nothing changes
    } cases[] = {
        {"loose", LooseProbe(blanks_, "Probe Saver.scr"), blanks_ + "Probe Saver.scr"},
        {"LZH member", ArchivedProbe("lzh", "ArcProbe.scr"), store + "ArcProbe.scr"},
        {"missing archive after a good one", {"ArcProbe.scr", "0", blanks_, "書庫(LZH)", "gone.lzh"}, ""},
        {"ZIP member in a folder", ArchivedProbe("zip", "SubProbe.scr"), store + "SubProbe.scr"},
        {"member not in the archive", ArchivedProbe("cab", "NoSuch.scr"), ""},
        {"CAB member", ArchivedProbe("cab", "ArcProbe.scr"), store + "ArcProbe.scr"},
        {"loose file gone", {"Gone.scr", "0", blanks_, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, ""},
    };
    std::string current = "C:\\BEFORE.SCR";
    WriteStandardSaverEverywhere(current);
    for (int on : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            DeleteAllEntryRows();
            AddRow(c.row);
            SelectListRow(0);
            StartWithActive(on);
            LeaveFileInWorkFolder();
            if (on == 0 && !c.file.empty() && !c.row.archive.empty()) DeleteFileA(c.file.c_str());
            if (!c.file.empty()) Command(kCmdSetStandard);
            else EXPECT_NE(ProblemShownBy(kCmdSetStandard), "") << "the user hears why";
            if (!c.file.empty()) current = ShortPathOf(c.file);
            EXPECT_FALSE(current.empty());
            EXPECT_EQ(IniStandardSaver(), current);
            EXPECT_EQ(DesktopStandardSaver(), current);
            EXPECT_EQ(IsScreenSaverActive(), on);
            if (!c.row.archive.empty()) {
                EXPECT_TRUE(WorkFolderFiles().empty()) << "the work folder is emptied";
            }
        }
    }
    EXPECT_TRUE(log_.Runs().empty()) << "nothing is run";
}

// The settings run beside the program: the command returns while they are open.
TEST_F(LaunchTest, ConfigureStartsTheSettingsWithoutWaiting) {
    struct Case {
        const char* name;
        Row row;
        std::string runs;
    } cases[] = {
        {"loose, blanks in the path", LooseProbe(blanks_, "Probe Saver.scr"), blanks_ + "Probe Saver.scr"},
        {"ZIP member", ArchivedProbe("zip", "ArcProbe.scr"), std::string(AppPaths.WorkFolder) + "ArcProbe.scr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllEntryRows();
        AddRow(c.row);
        SelectListRow(0);
        log_.Clear();
        Command(kCmdConfigure);
        std::vector<ProbeRun> runs = log_.WaitFor(
            [](const std::vector<ProbeRun>& r) { return r.size() == 1 && r[0].windowUs >= 0; }, 10000);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].commandLine, Quoted(c.runs, "/c"));
        EXPECT_EQ(runs[0].mode, "c");
        EXPECT_EQ(runs[0].endUs, -1) << "still open";
        EXPECT_TRUE(controlCalls.empty()) << "the system screen saver is not touched";
        PostMessageA(reinterpret_cast<HWND>(std::stoll(runs[0].windowHandle)), WM_CLOSE, 0, 0);
        runs = log_.WaitFor([](const std::vector<ProbeRun>& r) { return r[0].endUs >= 0; }, 10000);
        EXPECT_EQ(runs[0].endReason, "close");
    }
}

// While an archived entry's settings are open, its file in the work folder is
// in use: a preview of it says so, naming the file; playback goes on to the
// next entry.
TEST_F(LaunchTest, AnEntryWhoseSettingsAreOpen) {
    const std::string member = std::string(AppPaths.WorkFolder) + "ArcProbe.scr";
    DeleteAllEntryRows();
    AddRow(ArchivedProbe("zip", "ArcProbe.scr", "1"));
    AddRow(LooseProbe(blanks_, "Next.scr", "1"));
    SelectListRow(0);
    log_.Clear();
    Command(kCmdConfigure);
    std::vector<ProbeRun> runs = log_.WaitFor(
        [](const std::vector<ProbeRun>& r) { return r.size() == 1 && r[0].windowUs >= 0; }, 10000);
    ASSERT_EQ(runs.size(), 1u);
    {
        SCOPED_TRACE("preview");
        DialogDriver driver;
        driver.On(LoadText(IDS_APP_TITLE), [](HWND box) { ClickButton(box, IDOK); });
        SelectListRow(0);
        Command(kCmdPreview);
        EXPECT_TRUE(driver.allHandled());
        ASSERT_EQ(driver.seen().size(), 1u);
        EXPECT_EQ(driver.seen()[0].text,
                  FormatText(IDS_CANNOT_PREVIEW, "ArcProbe.scr", FormatText(IDS_CANNOT_RUN_FILE, member)));
        EXPECT_EQ(log_.Runs().size(), 1u) << "nothing more ran";
    }
    {
        SCOPED_TRACE("playback");
        AppSettings.LopPlay = 0;
        SelectListRow(0);
        Command(kCmdPlayFullScreen);
        runs = log_.Runs();
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[1].name, "Next.scr");
        EXPECT_EQ(runs[1].mode, "s");
    }
    EXPECT_EQ(runs[0].endUs, -1) << "the settings are still open";
    PostMessageA(reinterpret_cast<HWND>(std::stoll(runs[0].windowHandle)), WM_CLOSE, 0, 0);
    log_.WaitFor([](const std::vector<ProbeRun>& r) { return r[0].endUs >= 0; }, 10000);
}

// The probe ZIP with its member ArcProbe.scr changed: its method made one
// the library does not read, or a byte of its packed data flipped.
std::string ProbeZipWith(bool unreadMethod) {
    std::string zip = ReadFileBytes(ProbeArchiveFolder() + "probe.zip");
    const std::string member = "ArcProbe.scr";
    auto le16 = [&zip](size_t at) { return static_cast<size_t>(static_cast<unsigned char>(zip[at]) |
                                                               static_cast<unsigned char>(zip[at + 1]) << 8); };
    // The member comes first: its local header at 0, its name after 30 bytes.
    EXPECT_EQ(zip.compare(0, 4, "PK\x03\x04"), 0);
    EXPECT_EQ(zip.compare(30, member.size(), member), 0);
    const size_t central = zip.find(std::string("PK\x01\x02") );
    EXPECT_NE(central, std::string::npos);
    EXPECT_EQ(zip.compare(central + 46, member.size(), member), 0);
    if (unreadMethod) {
        zip[8] = zip[central + 10] = 12;  // bzip2
        zip[9] = zip[central + 11] = 0;
    } else {
        const size_t data = 30 + le16(26) + le16(28);
        const size_t packed = le16(central + 20) | le16(central + 22) << 16;
        zip[data + packed / 2] = static_cast<char>(zip[data + packed / 2] ^ 0x5A);
    }
    return zip;
}

// An entry that cannot be prepared or started: configure, preview and "make
// standard" each say which screen saver and why, and what to do; playback
// goes on past it, and the status bar names it. The changer's run of one
// entry says so too.
TEST_F(LaunchTest, AnEntryThatCannotRunSaysWhy) {
    const std::string folder = scratch_.path();
    WriteFileBytes(folder + "notazip.zip", "This is no archive.");
    WriteFileBytes(folder + "method.zip", ProbeZipWith(true));
    WriteFileBytes(folder + "damaged.zip", ProbeZipWith(false));
    WriteFileBytes(folder + "Broken.scr", "no program at all");
    const std::string longFolder = "C:\\" + std::string(245, 'x') + "\\";
    struct Case {
        const char* name;
        Row row;
        unsigned shortText, fullText;
        std::string named;  // the full text's %s
        bool withoutZipLibrary = false;
        bool inPlace = false;  // the file is there: it can become the standard screen saver
    } cases[] = {
        {"file gone", {"Gone.scr", "0", folder, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, IDS_SHORT_FILE_MISSING, IDS_WHY_FILE_MISSING,
         folder + "Gone.scr"},
        {"archive gone", {"ArcProbe.scr", "0", folder, "書庫(LZH)", "gone.lzh"}, IDS_SHORT_ARCHIVE_MISSING,
         IDS_WHY_ARCHIVE_MISSING, folder + "gone.lzh"},
        {"library missing", ArchivedProbe("zip", "ArcProbe.scr"), IDS_SHORT_LIBRARY_MISSING, IDS_WHY_LIBRARY_MISSING,
         LoadText(IDS_MISSING_UNZIP32), true},
        {"no archive", {"ArcProbe.scr", "0", folder, "書庫(ZIP)", "notazip.zip"}, IDS_SHORT_ARCHIVE_UNREADABLE,
         IDS_WHY_ARCHIVE_UNREADABLE, folder + "notazip.zip"},
        {"member not in the archive", ArchivedProbe("cab", "NoSuch.scr"), IDS_SHORT_MEMBER_MISSING,
         IDS_WHY_MEMBER_MISSING, ProbeArchiveFolder() + "probe.cab"},
        {"method not read", {"ArcProbe.scr", "0", folder, "書庫(ZIP)", "method.zip"}, IDS_SHORT_METHOD_NOT_READ,
         IDS_WHY_METHOD_NOT_READ, folder + "method.zip"},
        {"data damaged", {"ArcProbe.scr", "0", folder, "書庫(ZIP)", "damaged.zip"}, IDS_SHORT_DATA_DAMAGED,
         IDS_WHY_DATA_DAMAGED, folder + "damaged.zip"},
        {"unknown archive type", {"ArcProbe.scr", "0", ProbeArchiveFolder(), "書庫(RAR)", "probe.lzh"},
         IDS_SHORT_UNKNOWN_TYPE, IDS_WHY_UNKNOWN_TYPE, ProbeArchiveFolder() + "probe.lzh"},
        {"path too long", {"Probe-long-name.scr", "0", longFolder, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, IDS_SHORT_PATH_TOO_LONG,
         IDS_WHY_PATH_TOO_LONG, longFolder + "Probe-long-name.scr"},
        {"no program", {"Broken.scr", "0", folder, "ｽｸﾘｰﾝｾｰﾊﾞｰ", ""}, IDS_SHORT_NOT_STARTED, IDS_WHY_NOT_STARTED,
         folder + "Broken.scr", false, true},
    };
    const struct {
        int command;
        unsigned heading;
    } commands[] = {{kCmdConfigure, IDS_CANNOT_CONFIGURE}, {kCmdPreview, IDS_CANNOT_PREVIEW},
                    {kCmdSetStandard, IDS_CANNOT_SET_STANDARD}};
    HWND status = GetDlgItem(MainWindow, kStatusBarId);
    auto statusText = [status] {
        char text[512] = "";
        SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    WriteStandardSaverEverywhere("C:\\BEFORE.SCR");
    SetProbeEnvironment("ZELVISTA_PROBE_END_MS", "300");
    AppSettings.LopPlay = 0;
    char zipLibrary[sizeof Archivers.LibraryPath[1]];
    CopyText(zipLibrary, sizeof zipLibrary, Archivers.LibraryPath[1]);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.withoutZipLibrary) Archivers.LibraryPath[1][0] = '\0';
        DeleteAllEntryRows();
        AddRow(c.row);
        AddRow(LooseProbe(blanks_, "Next.scr", "1"));
        const std::string why = FormatText(c.fullText, c.named);
        for (const auto& command : commands) {
            SCOPED_TRACE(command.command);
            if (c.inPlace && command.command == kCmdSetStandard) continue;
            SelectListRow(0);
            log_.Clear();
            EXPECT_EQ(ProblemShownBy(command.command), FormatText(command.heading, c.row.name, why));
            EXPECT_TRUE(log_.Runs().empty()) << "nothing ran";
        }
        EXPECT_EQ(IniStandardSaver(), "C:\\BEFORE.SCR");

        // Playback skips it and plays the next; the status bar says what it skipped.
        SelectListRow(0);
        log_.Clear();
        Command(kCmdPlayFullScreen);
        const std::vector<ProbeRun> runs = log_.Runs();
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].name, "Next.scr");
        const std::string skipped = FormatText(IDS_SKIPPED_ENTRY, c.row.name, LoadText(c.shortText));
        EXPECT_EQ(statusText(), skipped);
        // As the changer runs it.
        ShowStatusText("");
        EXPECT_EQ(RunEntryFullScreen(0, 1), TimedSaverRun::NotStarted);
        EXPECT_EQ(statusText(), skipped);
        CopyText(Archivers.LibraryPath[1], sizeof Archivers.LibraryPath[1], zipLibrary);
    }
    // A playback that skips nothing leaves the status bar empty.
    DeleteAllEntryRows();
    AddRow(LooseProbe(blanks_, "Next.scr", "1"));
    SelectListRow(0);
    Command(kCmdPlayFullScreen);
    EXPECT_EQ(statusText(), "");
}

TEST_F(LaunchTest, OpenArchiveOpensOnlyArchives) {
    ArchivesOpenWithStandIn shell;
    struct Case {
        const char* name;
        Row row;
        std::string opens;  // empty: nothing
    } cases[] = {
        {"loose", LooseProbe(blanks_, "Probe.scr"), ""},
        {"LZH member", ArchivedProbe("lzh", "ArcProbe.scr"), ProbeArchiveFolder() + "probe.lzh"},
        {"CAB member", ArchivedProbe("cab", "SubProbe.scr"), ProbeArchiveFolder() + "probe.cab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteAllEntryRows();
        AddRow(c.row);
        SelectListRow(0);
        ClearStandInLog();
        Command(kCmdOpenArchive);
        std::vector<std::string> opened = StandInLog(1, c.opens.empty() ? 1500 : 10000);
        if (c.opens.empty()) {
            EXPECT_TRUE(opened.empty());
        } else {
            ASSERT_EQ(opened.size(), 1u);
            EXPECT_NE(opened[0].find(c.opens), std::string::npos) << opened[0];
        }
    }
    EXPECT_TRUE(log_.Runs().empty()) << "no screen saver runs";
}

}  // namespace
