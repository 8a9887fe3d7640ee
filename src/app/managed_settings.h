// What the administrator's policy fixes, shown where the user would change
// it: the commands that change a fixed setting are disabled in every menu
// and on the toolbar, with the reason beside them, in the status bar or
// their tooltip, and refused with it when they arrive all the same. The
// policy is read each time it matters, never kept.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "settings/settings_dialog.h"
#include "system/screen_saver_policy.h"

// The setting a command changes when a policy may fix it; false for others.
bool CommandSetting(int command, ManagedSetting* setting);
// The string id of the reason a command is disabled, 0 when it is not.
unsigned PolicyReasonForCommand(int command, const ScreenSaverPolicy& policy);

// A menu about to be shown (WM_INITMENUPOPUP): each item whose command the
// policy disables is greyed with the policy's mark after its text, and one
// no longer disabled gets its own text back; a submenu whose every command
// is disabled is greyed as its items are.
void ApplyPolicyToMenu(HMENU menu);
// WM_MENUSELECT: the status bar tells why the item under the cursor is
// disabled, and shows the standing note again when the menu closes.
void OnMenuSelect(WPARAM wParam, LPARAM lParam);

// Reads the policy again and sets the toolbar's buttons and the status
// bar's standing note after it.
void RefreshPolicyState();
// The toolbar's tooltip for a command the policy disables: the reason, in
// a buffer that stays; null for others.
const wchar_t* PolicyTooltip(int command);
// A command that arrives while the policy fixes its setting is refused
// with the reason in a message box owned by owner; true when it may run.
bool AdmitManagedCommand(HWND owner, int command);

// What the settings dialog says about the system's screen saver.
SystemSaverFacts ReadSystemSaverFacts();
