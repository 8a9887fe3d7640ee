// What Explorer's file properties show agrees with the About box, and the
// program runs with the common controls its manifest asks for.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "archive/about_box.h"
#include "support/fixture.h"
#include "support/ui.h"

namespace {

constexpr char kAboutCaption[] = "バージョン情報";
constexpr char kTitlePrefix[] = "Zelvista for Windows ";

std::string ProgramPath() {
    return TestProgramFolder() + "..\\bin\\Zelvista.exe";
}

std::vector<char> ReadVersionInfo(const std::string& path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, data.data())) data.clear();
    return data;
}

std::string VersionString(std::vector<char>& info, const char* name) {
    std::string query = std::string("\\StringFileInfo\\041104B0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return "";
    return value;
}

// The static text of the About box that names the program and its version.
std::string AboutTitle(HWND dialog) {
    std::string found;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        if (std::string(text).rfind(kTitlePrefix, 0) == 0) found = text;
    }
    return found;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

class VersionResource : public MainWindowTest {};

TEST_F(VersionResource, FileAndProductVersionMatchTheAboutBox) {
    std::string title;
    DialogDriver driver;
    driver.On(kAboutCaption, [&](HWND d) {
        title = AboutTitle(d);
        ClickButton(d, IDOK);
    });
    ShowAboutBox(MainWindow, LinkStyle{});
    ASSERT_TRUE(driver.allHandled());
    ASSERT_FALSE(title.empty());
    const std::string shown = title.substr(sizeof kTitlePrefix - 1);  // "4.00"

    std::vector<char> info = ReadVersionInfo(ProgramPath());
    ASSERT_FALSE(info.empty()) << "Zelvista.exe has no version resource";
    EXPECT_EQ(VersionString(info, "FileVersion"), shown);
    EXPECT_EQ(VersionString(info, "ProductVersion"), shown);
    EXPECT_EQ(VersionString(info, "OriginalFilename"), "Zelvista.exe");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    char numbers[32];
    snprintf(numbers, sizeof numbers, "%lu.%02lu", static_cast<unsigned long>(HIWORD(fixed->dwFileVersionMS)),
             static_cast<unsigned long>(LOWORD(fixed->dwFileVersionMS)));
    EXPECT_EQ(numbers, shown);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

// Common controls 6 come from the side-by-side store, never from the system
// folder; the tests carry the program's manifest, so this process shows it.
TEST(Manifest, CommonControls6AreLoaded) {
    HMODULE controls = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(controls, path, sizeof path);
    const std::string where = Lower(path);
    EXPECT_NE(where.find("microsoft.windows.common-controls"), std::string::npos) << path;
    EXPECT_NE(where.find("_6.0."), std::string::npos) << path;
}

}  // namespace
