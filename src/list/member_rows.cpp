#include "list/member_rows.h"

#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_file.h"

int AppendArchiveMemberRows(const std::vector<std::string>& memberNames, const char* archivePath,
                            const char* typeText) {
    int added = 0;
    for (const std::string& name : memberNames) {
        ScreenSaverEntry entry{};
        if (name.empty() || !CopyText(entry.name, sizeof entry.name, name.c_str()) ||
            !SplitFolderAndName(archivePath, entry.folder, sizeof entry.folder, entry.archive,
                                sizeof entry.archive) ||
            !CopyText(entry.type, sizeof entry.type, typeText))
            continue;
        CopyText(entry.seconds, sizeof entry.seconds, "0");  // the standard time
        AppendEntryRow(entry);
        ++added;
    }
    if (added > 0) CurrentList.Modified = 1;
    return added;
}
