// The end of the Windows session with the list changed, on a real Zelvista
// process: the session messages are sent to its main window from this
// process, as Windows sends them, and the files and the next start are
// checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <future>
#include <string>

#include "app/main_window.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "list/list_recovery.h"
#include "res/resource.h"
#include "support/files.h"
#include "support/ui.h"

namespace {

const char kRow[] = "SCR,Stars.scr,0,C:\\W\\,ｽｸﾘｰﾝｾｰﾊﾞｰ,NULL,EOD\r\n";

int RowsInFile(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    int rows = 0;
    for (std::size_t at = bytes.find("\nSCR,"); at != std::string::npos; at = bytes.find("\nSCR,", at + 1)) ++rows;
    return rows;
}

int RowsShown(HWND window) {
    return static_cast<int>(SendMessageA(GetDlgItem(window, kEntryListViewId), LVM_GETITEMCOUNT, 0, 0));
}

// Sent as Windows sends it: the answer comes when the program has answered,
// whatever it shows meanwhile.
std::future<LRESULT> SendLater(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return std::async(std::launch::async, [=] {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 60000, &result)) return LRESULT(-1);
        return static_cast<LRESULT>(result);
    });
}

bool Ended(const ProgramProcess& program, DWORD ms) {
    return WaitForSingleObject(program.process.get(), ms) == WAIT_OBJECT_0;
}

// A started program that does not outlive the test, whatever fails.
struct Started {
    ProgramProcess program;
    ~Started() {
        if (program.process && !Ended(program, 0)) {
            TerminateProcess(program.process.get(), 1);
            Ended(program, 5000);
        }
    }
};

constexpr int kEndedAnyway = -1;  // the question stays open and Windows ends the program

struct SessionCase {
    const char* name;
    bool change;       // the list changed (duplicates removed: 2 rows become 1)
    bool tray;         // the window hidden in the task tray
    bool query;        // WM_QUERYENDSESSION first
    LPARAM reason;     // lParam of both messages
    int answer;        // to the save question; 0 when none is asked
    bool mayEnd;       // the answer to WM_QUERYENDSESSION
    int rowsSaved;     // rows in the standard list afterwards
    bool kept;         // a kept list afterwards
    int offerAnswer;   // to the offer at the next start; 0 when none is made
    int rowsNextStart; // rows shown at the next start
};

// A copy of the program in a folder of its own, with its standard list and
// work folder there.
class SessionEndTest : public testing::Test {
protected:
    void SetUp() override {
        exe_ = scratch_.path() + "Zelvista.exe";
        ASSERT_TRUE(CopyFileA(BuiltZelvista().c_str(), exe_.c_str(), FALSE));
        Clean();
    }
    void TearDown() override { DeleteSettingsKey(); }
    void Clean() {
        DeleteFileA(KeptList().c_str());
        DeleteFileA(StandardList().c_str());
        DeleteSettingsKey();
    }
    std::string StandardList() const { return scratch_.path() + "zelvista.lst"; }
    std::string KeptList() const { return scratch_.path() + kWorkFolderName + kRecoveryListName; }
    Started Start() const { return Started{StartZelvista(SW_SHOWDEFAULT, exe_)}; }

private:
    ScratchFolder scratch_;
    std::string exe_;
};

TEST_F(SessionEndTest, ChangesSurviveTheEndOfTheSession) {
    const SessionCase cases[] = {
        {"no changes: nothing asked, nothing kept", false, false, true, 0, 0, true, 2, false, 0, 2},
        {"changes, yes: saved", true, false, true, 0, IDYES, true, 1, false, 0, 1},
        {"changes, no: nothing saved or kept", true, false, true, 0, IDNO, true, 2, false, 0, 2},
        {"changes, cancel: the session goes on", true, false, true, 0, IDCANCEL, false, 2, false, 0, 2},
        {"changes, in the tray at sign-out: asked all the same", true, true, true, ENDSESSION_LOGOFF, IDYES, true, 1,
         false, 0, 1},
        {"changes, an installer closes the program: kept without asking", true, false, true, ENDSESSION_CLOSEAPP, 0,
         true, 2, true, IDYES, 1},
        {"changes, a forced end: kept without asking", true, false, true, ENDSESSION_CRITICAL, 0, true, 2, true,
         IDYES, 1},
        {"changes, ended without being asked first: kept, and declined at the next start", true, false, false, 0, 0,
         true, 2, true, IDNO, 2},
        {"changes, Windows ends the program while it asks: kept", true, false, true, 0, kEndedAnyway, true, 2, true,
         IDYES, 1},
    };
    const std::string question = StandardList() + " への変更を保存しますか？";
    const RECT placed{50, 60, 550, 360};
    for (const SessionCase& c : cases) {
        SCOPED_TRACE(c.name);
        Clean();
        WriteFileBytes(StandardList(), std::string("Ver,3.00\r\n") + kRow + kRow);
        WriteSettingInt("EndSave", 1);

        Started started = Start();
        const ProgramProcess& program = started.program;
        HWND window = FindProcessMainWindow(program.id, true);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(RowsShown(window), 2);
        SetWindowPos(window, nullptr, placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (c.change) SendMessageA(window, WM_COMMAND, IDM_REMOVE_DUPLICATES, 0);
        if (c.tray) SendMessageA(window, WM_COMMAND, IDM_ENTER_TRAY, 0);
        ASSERT_EQ(RowsShown(window), c.change ? 1 : 2);

        bool mayEnd = true;
        if (c.query) {
            std::future<LRESULT> answer = SendLater(window, WM_QUERYENDSESSION, 0, c.reason);
            if (c.answer != 0) {
                HWND box = FindProcessMessageBox(program.id);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(MessageBoxText(box), question);
                // The list is kept before the question, whatever comes next.
                EXPECT_EQ(RowsInFile(KeptList()), 1);
                if (c.answer == kEndedAnyway) {
                    TerminateProcess(program.process.get(), 1);
                    ASSERT_TRUE(Ended(program, 10000));
                    answer.wait();
                } else {
                    ClickButton(box, c.answer);
                    mayEnd = answer.get() != 0;
                }
            } else {
                mayEnd = answer.get() != 0;
                EXPECT_EQ(FindProcessMessageBox(program.id, 300), nullptr) << "no question";
            }
            EXPECT_EQ(mayEnd, c.mayEnd);
        }
        if (c.answer != kEndedAnyway) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(window, WM_ENDSESSION, mayEnd ? TRUE : FALSE, c.reason, SMTO_NORMAL, 20000,
                                &ignored);
            if (mayEnd) {
                // The program closes by itself, its place stored.
                EXPECT_TRUE(Ended(program, 20000));
                int l = 0, t = 0, r = 0, b = 0;
                ASSERT_TRUE(ReadSettingInt("MainL", &l) && ReadSettingInt("MainT", &t) && ReadSettingInt("MainR", &r) &&
                            ReadSettingInt("MainB", &b));
                const RECT stored{l, t, r, b};
                EXPECT_TRUE(EqualRect(&stored, &placed)) << l << "," << t << "," << r << "," << b;
            } else {
                // Still running, with its changes and nothing kept; it asks when closed.
                EXPECT_FALSE(Ended(program, 500));
                EXPECT_FALSE(FileExists(KeptList().c_str()));
                PostMessageA(window, WM_CLOSE, 0, 0);
                HWND box = FindProcessMessageBox(program.id);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(MessageBoxText(box), question);
                ClickButton(box, IDNO);
                EXPECT_TRUE(Ended(program, 20000));
            }
        }
        EXPECT_EQ(RowsInFile(StandardList()), c.rowsSaved);
        EXPECT_EQ(FileExists(KeptList().c_str()) == 1, c.kept);

        // The next start.
        Started nextStarted = Start();
        const ProgramProcess& next = nextStarted.program;
        if (c.offerAnswer != 0) {
            HWND offer = FindProcessMessageBox(next.id);
            ASSERT_NE(offer, nullptr);
            EXPECT_EQ(MessageBoxText(offer), FormatText(IDS_RECOVERY_OFFER, StandardList()));
            ClickButton(offer, c.offerAnswer);
        }
        HWND shown = FindProcessMainWindow(next.id, true);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(FindProcessMessageBox(next.id, 0), nullptr);
        EXPECT_EQ(RowsShown(shown), c.rowsNextStart);
        // Offered once: taken back or declined, it is gone.
        EXPECT_FALSE(FileExists(KeptList().c_str()));
        PostMessageA(shown, WM_CLOSE, 0, 0);
        if (c.offerAnswer == IDYES) {
            // Taken back as a changed list under its own name.
            HWND box = FindProcessMessageBox(next.id);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(MessageBoxText(box), question);
            ClickButton(box, IDNO);
        }
        EXPECT_TRUE(Ended(next, 20000));
    }
}

// The kept list's state line: what the next start reads back.
TEST(RecoveryListTest, StateLine) {
    struct Case {
        const char* bytes;
        bool read;
        bool named;
        const char* path;
    } cases[] = {
        {"Ver,3.00\r\nREC,1,C:\\Lists\\mine.lst\r\nSCR,a\r\n", true, true, "C:\\Lists\\mine.lst"},
        {"Ver,3.00\nREC,0,C:\\Z\\新規ﾘｽﾄ.lst\n", true, false, "C:\\Z\\新規ﾘｽﾄ.lst"},
        {"Ver,3.00\r\nREC,1,C:\\a,b\\c.lst", true, true, "C:\\a,b\\c.lst"},
        {"Ver,3.00\r\nSCR,a,0,C:\\,x,NULL,EOD\r\n", false, false, ""},
        {"Ver,3.00\r\nREC,2,C:\\x.lst\r\n", false, false, ""},
        {"Ver,3.00\r\nREC,1,\r\n", false, false, ""},
        {"REC,1,C:\\x.lst\r\n", false, false, ""},
        {"", false, false, ""},
    };
    for (const Case& c : cases) {
        RecoveredState state;
        EXPECT_EQ(ReadRecoveredState(c.bytes, &state), c.read) << c.bytes;
        if (!c.read) continue;
        EXPECT_EQ(state.named, c.named) << c.bytes;
        EXPECT_EQ(state.path, c.path) << c.bytes;
    }
}

}  // namespace
