#include "saver_args.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(const char*& p) {
    while (IsBlank(*p)) ++p;
}

// A decimal window handle; false for no digits, junk after them, or a value
// too large for a handle.
bool ReadHandle(const char*& p, std::uintptr_t& value) {
    value = 0;
    const char* start = p;
    while (*p >= '0' && *p <= '9') {
        std::uintptr_t digit = static_cast<std::uintptr_t>(*p - '0');
        if (value > (UINTPTR_MAX - digit) / 10) return false;
        value = value * 10 + digit;
        ++p;
    }
    if (p == start) return false;
    SkipBlanks(p);
    return *p == '\0';
}

}  // namespace

SaverArgs ParseSaverArgs(const char* args) {
    const SaverArgs nothing{SaverMode::Nothing, 0};
    const char* p = args ? args : "";
    SkipBlanks(p);
    if (*p == '\0') return {SaverMode::Configure, 0};
    if (*p == '/' || *p == '-') ++p;
    char letter = static_cast<char>(*p | 0x20);
    if (*p) ++p;
    // The letter stands alone or is followed by ':' or blanks and a handle.
    if (*p != '\0' && *p != ':' && !IsBlank(*p)) return nothing;
    if (*p == ':') ++p;
    SkipBlanks(p);
    std::uintptr_t window = 0;
    switch (letter) {
    case 's':
        return {SaverMode::FullScreen, 0};
    case 'c':
        if (*p == '\0') return {SaverMode::Configure, 0};
        return ReadHandle(p, window) ? SaverArgs{SaverMode::Configure, window} : nothing;
    case 'p':
        return ReadHandle(p, window) && window != 0 ? SaverArgs{SaverMode::Preview, window} : nothing;
    default:
        return nothing;
    }
}
