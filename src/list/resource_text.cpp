#include "list/resource_text.h"

HINSTANCE ProgramModule() {
    return GetModuleHandleA(nullptr);
}

std::string ResourceText(UINT id) {
    char text[1024];
    int n = LoadStringA(ProgramModule(), id, text, sizeof text);
    return n > 0 ? std::string(text, static_cast<std::size_t>(n)) : std::string();
}
