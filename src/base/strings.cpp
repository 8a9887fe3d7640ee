#include "base/strings.h"

#include <windows.h>

#include <initializer_list>

namespace {

// '%' is never the second byte of a double-byte character, so a plain search
// finds only a real "%s". Each value goes in as text, and the next "%s" is
// looked for after it; values without a "%s" left are dropped.
std::string FillPlaceholders(std::string text, std::initializer_list<const std::string*> values) {
    std::size_t from = 0;
    for (const std::string* value : values) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, *value);
        from = at + value->size();
    }
    return text;
}

}  // namespace

std::string LoadText(unsigned id) {
    char text[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return n > 0 ? std::string(text, static_cast<std::size_t>(n)) : std::string();
}

std::string FormatText(unsigned id, const std::string& value) {
    return FillPlaceholders(LoadText(id), {&value});
}

std::string FormatText(unsigned id, const std::string& first, const std::string& second) {
    return FillPlaceholders(LoadText(id), {&first, &second});
}
