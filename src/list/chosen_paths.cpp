#include "list/chosen_paths.h"

#include "base/path_names.h"
#include "base/strings.h"
#include "base/wide.h"
#include "res/resource.h"

bool ChosenPathIn932(HWND owner, std::wstring_view chosen, unsigned caption, std::string& path) {
    PathIn932 named = PathInCodePage932(chosen);
    if (!named.usable()) {
        WarnUnusableName(owner, named.unusablePart, caption);
        path.clear();
        return false;
    }
    path = std::move(named.path);
    return true;
}

void WarnUnusableName(HWND owner, std::wstring_view part, unsigned caption) {
    ShowMessageBox(owner, FormatWideText(IDS_NAME_UNUSABLE, part), LoadText(caption), MB_OK | MB_ICONWARNING);
}
