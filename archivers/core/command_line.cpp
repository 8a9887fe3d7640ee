#include "command_line.h"

#include "extract.h"

namespace arc {

std::vector<std::string> SplitCommandLine(const std::string& line, std::vector<bool>* quoted) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        std::string token;
        bool wasQuoted = false;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            if (line[i] == '"') {
                // Quoted part: runs to the closing quote; code page 932 trail bytes are never '"'.
                wasQuoted = true;
                const size_t close = line.find('"', i + 1);
                const size_t end = close == std::string::npos ? line.size() : close;
                token.append(line, i + 1, end - i - 1);
                i = close == std::string::npos ? line.size() : close + 1;
            } else {
                token += line[i++];
            }
        }
        tokens.push_back(std::move(token));
        if (quoted) quoted->push_back(wasQuoted);
    }
    return tokens;
}

ArchiverCommand ParseArchiverCommand(const std::string& line, bool expectVerb) {
    std::vector<bool> quoted;
    const auto tokens = SplitCommandLine(line, &quoted);
    ArchiverCommand c;
    bool haveVerb = !expectVerb, haveArchive = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (!quoted[i] && t.size() > 1 && t[0] == '-') {
            c.switches.push_back(t);
        } else if (!haveVerb) {
            c.verb = t;
            haveVerb = true;
        } else if (!haveArchive) {
            c.archive = t;
            haveArchive = true;
        } else if (c.destination.empty() && c.members.empty() && EndsWithSeparator(t)) {
            c.destination = t;
        } else if (!t.empty()) {
            c.members.push_back(t);
        }
    }
    return c;
}

}  // namespace arc
