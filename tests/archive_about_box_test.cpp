// The About box, driven as a user would: versions shown, the link's colour
// before and after a click, Esc ignored, closed by OK and by the close box.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <optional>

#include "app/commands.h"
#include "app/help.h"
#include "app/main_window.h"
#include "base/files.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "app/startup.h"
#include "archive/about_box.h"
#include "archive/about_box_ids.h"
#include "archive/archiver.h"
#include "adding_support.h"
#include "archive_support.h"
#include "support/controls.h"
#include "support/fixture.h"
#include "support/files.h"
#include "support/input.h"
#include "support/ui.h"

namespace {

constexpr char kCaption[] = "バージョン情報";

// The colour the dialog asks the link to be drawn in, and the brush it returns.
COLORREF LinkColour(HWND dialog, INT_PTR* brush = nullptr) {
    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT b = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT_LINK)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    if (brush) *brush = b;
    return colour;
}

// The main window as the program makes it owns the box.
class AboutBox : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        libraries_.emplace(true, true, true);
        if (!LinkFont) MakeLinkFont();
        if (!LinkCursor) MakeLinkCursor();
        AboutLinkVisited = 0;
    }
    void TearDown() override {
        libraries_.reset();
        AboutLinkVisited = 0;
        MainWindowTest::TearDown();
    }
    std::optional<InstalledLibraries> libraries_;
};

TEST_F(AboutBox, ShowsVersionsOrNotInstalled) {
    const struct {
        int present[3];
        const char* texts[3];
    } cases[] = {
        {{1, 0, 1}, {"1.00", "Not Installed..", "1.00"}},
        {{0, 1, 0}, {"Not Installed..", "1.00", "Not Installed.."}},
    };
    for (const auto& c : cases) {
        std::memcpy(Archivers.Present, c.present, sizeof c.present);
        DialogDriver driver;
        driver.On(kCaption, [&](HWND d) {
            EXPECT_EQ(ControlText(d, IDC_ABOUT_LZH_VERSION), c.texts[0]);
            EXPECT_EQ(ControlText(d, IDC_ABOUT_ZIP_VERSION), c.texts[1]);
            EXPECT_EQ(ControlText(d, IDC_ABOUT_CAB_VERSION), c.texts[2]);
            EXPECT_EQ(ControlText(d, IDC_ABOUT_LINK), HelpPagePath()) << "the link shows what it opens";
            EXPECT_EQ(GetWindow(d, GW_OWNER), MainWindow);
            ClickButton(d, IDOK);
        });
        Command(kCmdAbout);
        EXPECT_TRUE(driver.allHandled());
    }
}

// A click on the link opens the help page beside the program with the
// user's browser, and the link turns purple.
TEST_F(AboutBox, LinkOpensTheHelpPageTurnsPurpleAndEscDoesNotClose) {
    Archivers.Present[0] = Archivers.Present[1] = Archivers.Present[2] = 0;
    StandInOpens pages({".html"}, "ZelvistaTest.Page");
    ClearStandInLog();
    HWND seen = nullptr;
    DialogDriver driver;
    driver.On(kCaption, [&](HWND d) {
        seen = d;
        INT_PTR brush = 0;
        EXPECT_EQ(LinkColour(d, &brush), RGB(0, 0, 255));
        EXPECT_EQ(brush, reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH)));
        HDC dc = CreateCompatibleDC(nullptr);
        EXPECT_EQ(SendMessageA(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_ABOUT_LZH_VERSION))),
                  COLOR_BTNFACE + 1);
        DeleteDC(dc);
        // Esc reaches the dialog as the cancel command, which it ignores.
        PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(GetDlgItem(d, IDOK), WM_KEYUP, VK_ESCAPE, 0);
    });
    driver.On(kCaption, [&](HWND d) {
        EXPECT_EQ(d, seen) << "Esc closed the box";
        PostMessageA(GetDlgItem(d, IDC_ABOUT_LINK), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(GetDlgItem(d, IDC_ABOUT_LINK), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    });
    driver.On(kCaption, [&](HWND d) {
        EXPECT_EQ(AboutLinkVisited, 1);
        EXPECT_EQ(LinkColour(d), RGB(128, 0, 128));
        PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    });
    Command(kCmdAbout);
    EXPECT_TRUE(driver.allHandled());
    EXPECT_FALSE(IsWindow(seen)) << "the close box ends the dialog";
    const std::vector<std::string> opened = StandInLog(1, 5000);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find(TestProgramFolder() + "zelvista.html"), std::string::npos) << opened[0];

    // A later opening starts purple.
    DialogDriver again;
    again.On(kCaption, [&](HWND d) {
        EXPECT_EQ(LinkColour(d), RGB(128, 0, 128));
        ClickButton(d, IDOK);
    });
    ShowAboutBox(MainWindow, LinkStyle{LinkFont, LinkCursor});
    EXPECT_TRUE(again.allHandled());
}

}  // namespace
