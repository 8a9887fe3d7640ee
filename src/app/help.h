// Handing the user over to the system's display properties and to the help page.
#pragma once

constexpr char kHelpFileName[] = "zelvista.html";

#include <string>

void ShowDisplayProperties();
// The help page beside the program; empty when its path cannot be formed.
std::string HelpPagePath();
void ShowHelp();
