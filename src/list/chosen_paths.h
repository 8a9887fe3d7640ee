// Paths the user gives the list (chosen in a file dialog, typed, dropped) in
// the program's code page 932, and what the user hears when one cannot be
// used.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

// The chosen path in code page 932 (short names for the parts it cannot
// write); false, after a message owned by owner with the given caption that
// names the part that cannot be used and why, when it has no such form.
bool ChosenPathIn932(HWND owner, std::wstring_view chosen, unsigned caption, std::string& path);
// The message alone, for the part of a path that cannot be used.
void WarnUnusableName(HWND owner, std::wstring_view part, unsigned caption);
