#include "base/path_names.h"

#include "base/wide.h"

namespace {

bool shortNamesUsed = true;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// A short name is one part, with nothing code page 932 cannot write.
bool UsableShortName(const std::wstring& shortName, std::wstring_view longName) {
    if (shortName.empty() || shortName == longName) return false;
    for (wchar_t c : shortName)
        if (IsSeparator(c) || c == L':') return false;
    return WritableInCodePage932(shortName);
}

}  // namespace

void UseShortNames(bool use) {
    shortNamesUsed = use;
}

std::wstring FileSystemShortName(const std::wstring& path) {
    if (!shortNamesUsed) return std::wstring();
    wchar_t shortPath[MAX_PATH];
    const DWORD n = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::wstring();
    std::wstring_view whole(shortPath, n);
    while (!whole.empty() && IsSeparator(whole.back())) whole.remove_suffix(1);
    const std::size_t cut = whole.find_last_of(L"\\/");
    return std::wstring(cut == std::wstring_view::npos ? whole : whole.substr(cut + 1));
}

PathIn932 PathInCodePage932(std::wstring_view path, ShortNameLookup lookup) {
    PathIn932 result;
    if (ToCodePage932(path, result.path)) {
        result.outcome = PathNameOutcome::Exact;
        return result;
    }
    // Part by part: separators and the parts code page 932 writes go over as
    // they are (in UTF-16 a separator is never part of another character).
    std::string converted;
    std::size_t at = 0;
    while (at < path.size()) {
        std::size_t end = at;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring_view part = path.substr(at, end - at);
        std::string piece;
        if (!ToCodePage932(part, piece)) {
            const std::wstring shortName = lookup ? lookup(std::wstring(path.substr(0, end))) : std::wstring();
            if (!UsableShortName(shortName, part) || !ToCodePage932(shortName, piece)) {
                result = PathIn932{};
                result.unusablePart.assign(path.substr(0, end));
                return result;
            }
        }
        converted += piece;
        // The separators after the part.
        for (at = end; at < path.size() && IsSeparator(path[at]); ++at) converted += static_cast<char>(path[at]);
    }
    result.outcome = PathNameOutcome::ShortNames;
    result.path = std::move(converted);
    return result;
}

bool FoundNameIn932(const WIN32_FIND_DATAW& found, std::string& name) {
    if (ToCodePage932(found.cFileName, name)) return true;
    return shortNamesUsed && UsableShortName(found.cAlternateFileName, found.cFileName) &&
           ToCodePage932(found.cAlternateFileName, name);
}
