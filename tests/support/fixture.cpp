#include "support/fixture.h"

#include "app/main_window.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "settings/settings.h"
#include "system/screen_saver.h"

void MainWindowTest::SetUp() {
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &savedActive_, 0);
    SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &savedTimeout_, 0);
    DeleteSettingsKey();
    DeleteFileA(standardList().c_str());
    AppSettings = Settings{};
    for (int& d : SortDirection) d = 0;
    CurrentList = ListState{};
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}

void MainWindowTest::TearDown() {
    DestroyTestMainWindow();
    DeleteFileA(standardList().c_str());
    SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, savedTimeout_, nullptr, 0);
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, savedActive_, nullptr, 0);
}

void MainWindowTest::StartWithActive(int on) {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, 0);
    ScreenSaverActive = on;
}

void MainWindowTest::Command(int id) {
    SendMessageA(MainWindow, WM_COMMAND, id, 0);
}

void MainWindowTest::Restart() {
    DestroyTestMainWindow();
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}
