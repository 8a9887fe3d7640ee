// Handing the user over to the system's display properties and to the help page.
#pragma once

constexpr char kHelpFileName[] = "zelvista.html";

void ShowDisplayProperties();
void ShowHelp();
