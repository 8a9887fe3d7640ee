#include "support/fixture.h"

#include "app/main_window.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "settings/settings.h"

void MainWindowTest::SetUp() {
    DeleteSettingsKey();
    DeleteFileA(standardList().c_str());
    AppSettings = Settings{};
    for (int& d : SortDirection) d = 0;
    CurrentList.Modified = 0;
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}

void MainWindowTest::TearDown() {
    DestroyTestMainWindow();
    DeleteFileA(standardList().c_str());
}

void MainWindowTest::Restart() {
    DestroyTestMainWindow();
    ASSERT_NE(CreateTestMainWindow(), nullptr);
}
