// Command lines given to the archiver libraries' command functions:
// optional command word, switches starting with '-', then the archive,
// a destination folder (ending in '\') and member names; quotes group blanks.
#pragma once
#include <string>
#include <vector>

namespace arc {

struct ArchiverCommand {
    std::string verb;                   // only when the library expects one ("e", "x")
    std::vector<std::string> switches;  // "-x", "-n1", ...
    std::string archive;
    std::string destination;            // "" when none was given
    std::vector<std::string> members;
};

std::vector<std::string> SplitCommandLine(const std::string& line, std::vector<bool>* quoted = nullptr);
ArchiverCommand ParseArchiverCommand(const std::string& line, bool expectVerb);

}  // namespace arc
