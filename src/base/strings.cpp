#include "base/strings.h"

#include <windows.h>

std::string LoadText(unsigned id) {
    char text[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return n > 0 ? std::string(text, static_cast<std::size_t>(n)) : std::string();
}

// '%' is never the second byte of a double-byte character, so a plain search
// finds only a real "%s".
std::string FormatText(unsigned id, const std::string& value) {
    std::string text = LoadText(id);
    std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}
