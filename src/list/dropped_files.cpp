#include "list/dropped_files.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "base/long_operation.h"
#include "list/add_files.h"
#include "list/folder_search.h"
#include "list/row_batch.h"

void AddDroppedFiles(HDROP drop, const ArchiveAccess& archives, HWND owner) {
    std::vector<std::string> files, folders;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        if (length == 0 || DragQueryFileA(drop, i, path.data(), length + 1) != length) continue;
        path.resize(length);
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        (attributes & FILE_ATTRIBUTE_DIRECTORY ? folders : files).push_back(path);
    }
    DragFinish(drop);
    if (RunningLongOperation() != LongOperation::None) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    {
        EntryRowBatch batch;
        for (const std::string& file : files) AddChosenFile(file.c_str(), archives, owner, false);
    }
    SearchDroppedFolders(folders, archives, owner);
}
