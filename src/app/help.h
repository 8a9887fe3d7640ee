// Handing the user over to the system's display properties and to the help page.
#pragma once

#include <string>

constexpr char kHelpFileName[] = "zelvista.html";

void ShowDisplayProperties();
// The help page beside the program; empty when its path cannot be formed.
std::string HelpPagePath();
void ShowHelp();
