// Dialog 4303: an entry's own switch seconds, 0 to 999 (0: the standard time).
#pragma once
#include <windows.h>

#include <cstddef>

// Shows the dialog with the number that `seconds` begins with; on OK writes
// the typed number back in plain decimal and returns true. `seconds` holds
// at most three characters and its terminating zero.
bool AskSwitchSeconds(HWND owner, char* seconds, std::size_t size);
