// User-visible texts from the program's string table.
#pragma once
#include <windows.h>

#include <string>

// The string table text `id` of the program's module, in code page 932;
// empty when there is none.
std::string ResourceText(UINT id);
// The program's module, which holds the dialogs and the string table.
HINSTANCE ProgramModule();
