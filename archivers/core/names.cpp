#include "names.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace arc {
namespace {

unsigned char Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

// Splits into characters: one or two bytes each.
std::vector<std::string> Characters(const std::string& s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        const size_t n = (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
        std::string ch = s.substr(i, n);
        if (n == 1) ch[0] = static_cast<char>(Lower(static_cast<unsigned char>(ch[0])));
        out.push_back(std::move(ch));
        i += n;
    }
    return out;
}

bool HasSeparator(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(c)) { ++i; continue; }
        if (c == '\\' || c == '/') return true;
    }
    return false;
}

std::string Normalized(const std::string& s) {
    std::string out = s;
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(out[i]))) { ++i; continue; }
        if (out[i] == '/') out[i] = '\\';
    }
    return out;
}

bool IsReservedDeviceName(const std::string& name) {
    std::string base;
    for (char c : name) {
        if (c == '.') break;
        base += static_cast<char>(Lower(static_cast<unsigned char>(c)));
    }
    while (!base.empty() && base.back() == ' ') base.pop_back();
    static const char* const kNames[] = {"con", "prn", "aux", "nul", "conin$", "conout$", "clock$"};
    for (const char* n : kNames)
        if (base == n) return true;
    if (base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
        base[3] >= '0' && base[3] <= '9')
        return true;
    return false;
}

}  // namespace

std::string FileNamePart(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c)) { ++i; continue; }
        if (c == '\\' || c == '/' || c == ':') start = i + 1;
    }
    return start >= path.size() ? std::string() : path.substr(start);
}

namespace {

// Greedy match with a single backtrack point for the last '*'. With
// `keepFolders`, '*' and '?' never stand for a folder separator.
bool MatchCharacters(const std::vector<std::string>& p, const std::vector<std::string>& s, bool keepFolders) {
    auto wild = [&](size_t si) { return !keepFolders || s[si] != "\\"; };
    size_t pi = 0, si = 0, star = SIZE_MAX, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && ((p[pi] == "?" && wild(si)) || p[pi] == s[si])) {
            ++pi;
            ++si;
        } else if (pi < p.size() && p[pi] == "*") {
            star = pi++;
            mark = si;
        } else if (star != SIZE_MAX && wild(mark)) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == "*") ++pi;
    return pi == p.size();
}

}  // namespace

bool MatchesWildcard(const std::string& pattern, const std::string& path) {
    if (pattern == "*.*" || pattern == "*") return true;
    const bool whole = HasSeparator(pattern);
    return MatchCharacters(Characters(whole ? Normalized(pattern) : pattern),
                           Characters(whole ? Normalized(path) : FileNamePart(path)), false);
}

bool MatchesWholePath(const std::string& pattern, const std::string& path) {
    return MatchCharacters(Characters(Normalized(pattern)), Characters(Normalized(path)), true);
}

std::string SafeFileName(const std::string& memberPath) {
    const std::string name = FileNamePart(memberPath);
    if (name.empty() || name == "." || name == "..") return {};
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(c)) {
            if (i + 1 >= name.size()) return {};  // a lead byte without its trail byte
            ++i;
            continue;
        }
        if (c < 0x20 || std::strchr("<>:\"|?*\\/", c)) return {};
    }
    const char last = name.back();
    if (last == '.' || last == ' ') return {};
    if (IsReservedDeviceName(name)) return {};
    return name;
}

}  // namespace arc
