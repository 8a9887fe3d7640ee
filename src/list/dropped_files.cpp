#include "list/dropped_files.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "base/long_operation.h"
#include "base/path_names.h"
#include "list/add_files.h"
#include "list/chosen_paths.h"
#include "list/folder_search.h"
#include "list/row_batch.h"
#include "res/resource.h"

void AddDroppedFiles(HDROP drop, const ArchiveAccess& archives, HWND owner) {
    // Files go in by their code page 932 names; folders are searched by
    // their own names, and the search says which of them cannot be used.
    std::vector<std::string> files;
    std::vector<std::wstring> folders, unusable;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        if (length == 0 || DragQueryFileW(drop, i, path.data(), length + 1) != length) continue;
        path.resize(length);
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back(path);
            continue;
        }
        PathIn932 named = PathInCodePage932(path);
        if (named.usable()) files.push_back(std::move(named.path));
        // Files that are none of ours go unmentioned, as they do when their names can be used.
        else if (ClassifyWideFile(path.c_str()) != FileKind::Other) unusable.push_back(named.unusablePart);
    }
    DragFinish(drop);
    if (RunningLongOperation() != LongOperation::None) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    for (const std::wstring& part : unusable) WarnUnusableName(owner, part, IDS_ADD_ERROR_CAPTION);
    {
        EntryRowBatch batch;
        for (const std::string& file : files) AddChosenFile(file.c_str(), archives, owner, false);
    }
    SearchDroppedFolders(folders, archives, owner);
}
