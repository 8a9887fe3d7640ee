// Using the controls of an open dialog as a user does: clicking check boxes,
// radio buttons, tabs and up-down arrows, typing into an edit.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// Window texts are read as Windows holds them (UTF-16) and compared in the
// program's code page 932, so a check never depends on the process's code
// page. A character code page 932 cannot write reads as "<U+XXXX>".
std::string Text932(std::wstring_view wide);
std::string WindowText932(HWND window);
// A control's text, and whether a user could use it.
std::string ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
// Clicks a check box or radio button; fails the test when a user could not
// (the control hidden or disabled).
void ClickControl(HWND dialog, int id);
// Clicks the tab of the given page.
void ClickTab(HWND tabControl, int index);
// Focuses the edit, selects its text and types over it, key by key.
void TypeText(HWND edit, const std::string& text);
// A click on the upper or lower half of an up-down control.
void ClickUpDown(HWND upDown, bool up);
// Runs this thread's messages until `done` or ms have passed; returns `done()`.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD ms);
