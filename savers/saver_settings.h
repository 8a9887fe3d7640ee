// The saver's one setting in the registry, and the settings dialog that
// edits it (started with /c).
#pragma once
#include <windows.h>

// The stored choice, or the saver's default when none is stored or the
// stored value is not one of the choices.
int ReadSaverSetting();
// Stores the choice; false when the key or value could not be written.
bool WriteSaverSetting(int choice);
// Shows the dialog modally (owner may be null); IDOK or IDCANCEL.
INT_PTR ShowSaverSettingsDialog(HINSTANCE instance, HWND owner);
