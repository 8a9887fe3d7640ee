#include "base/strings.h"

#include <windows.h>

#include <initializer_list>

#include "base/wide.h"

namespace {

// '%' is never the second byte of a double-byte character, so a plain search
// finds only a real "%s". Each value goes in as text, and the next "%s" is
// looked for after it; values without a "%s" left are dropped.
template <typename Text>
Text FillPlaceholders(Text text, std::initializer_list<const Text*> values) {
    using Char = typename Text::value_type;
    const Char placeholder[] = {Char('%'), Char('s'), Char(0)};
    std::size_t from = 0;
    for (const Text* value : values) {
        const std::size_t at = text.find(placeholder, from);
        if (at == Text::npos) break;
        text.replace(at, 2, *value);
        from = at + value->size();
    }
    return text;
}

// The string as the resource holds it (UTF-16); empty when missing.
std::wstring_view ResourceText(unsigned id) {
    const wchar_t* text = nullptr;
    // With no buffer, the call gives the resource's own read-only text.
    const int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? std::wstring_view(text, static_cast<std::size_t>(n)) : std::wstring_view();
}

}  // namespace

std::string LoadText(unsigned id) {
    std::string text;
    // The table's texts are written in code page 932's characters (a test
    // checks every one); a slip shows as '?' rather than losing the text.
    const std::wstring_view resource = ResourceText(id);
    if (!ToCodePage932(resource, text)) text = ToCodePage932Shown(resource);
    return text;
}

std::string FormatText(unsigned id, const std::string& value) {
    return FillPlaceholders(LoadText(id), {&value});
}

std::string FormatText(unsigned id, const std::string& first, const std::string& second) {
    return FillPlaceholders(LoadText(id), {&first, &second});
}

std::wstring FormatWideText(unsigned id, std::wstring_view value) {
    const std::wstring inserted(value);
    return FillPlaceholders(std::wstring(ResourceText(id)), {&inserted});
}
