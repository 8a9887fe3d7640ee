#include "list/list_file.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "base/files.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "list/entry_list.h"
#include "list/list_format.h"
#include "list/row_batch.h"
#include "res/resource.h"

ListState CurrentList;

namespace {

const char kListPattern[] = "*.lst";
const char kListExtension[] = ".lst";
// A larger file is no list and is refused as unreadable.
constexpr std::size_t kMaxListFileBytes = 256 * 1024 * 1024;

void Warn(unsigned text, unsigned caption) {
    MessageBoxA(EntryListOwner(), LoadText(text).c_str(), LoadText(caption).c_str(), MB_OK | MB_ICONWARNING);
}

bool HasListExtension(const char* path) {
    const char* name = path + FileNameOffset(path);
    const char* dot = std::strrchr(name, '.');
    return dot && _stricmp(dot, kListExtension) == 0;
}

// The file a save under path writes: path itself when its extension is
// ".lst" in any case, else path with ".lst" added (a.txt gives a.txt.lst);
// false when that does not fit.
bool ListFileTarget(const char* path, char (&target)[256]) {
    bool fits = CopyText(target, sizeof target, path);
    if (fits && !HasListExtension(target)) fits = AppendText(target, sizeof target, kListExtension);
    return fits;
}

// Whether the file may be written: a file that is there is replaced only
// when the user says so, naming the file that will be written. A folder of
// that name is no file to replace: the write fails and says so.
bool MayWrite(const char* target) {
    const DWORD attributes = GetFileAttributesA(target);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    const std::string text = FormatText(IDS_OVERWRITE_LIST, target);
    const std::string caption = LoadText(IDS_CONFIRM_SAVE_AS);
    return MessageBoxA(EntryListOwner(), text.c_str(), caption.c_str(), MB_ICONWARNING | MB_YESNO) == IDYES;
}

}  // namespace

std::string FormatRows() {
    std::string text;
    AppendListHeader(text);
    int rows = GetEntryRowCount();
    text.reserve(text.size() + static_cast<std::size_t>(rows) * 96);
    for (int row = 0; row < rows; ++row) {
        ReadEntryRow(row);
        AppendListEntry(text, CurrentEntry);
    }
    return text;
}

namespace {

bool ListIsEmptyWarned() {
    if (GetEntryRowCount() > 0) return false;
    Warn(IDS_LIST_EMPTY, IDS_LIST_SAVE_ERROR);
    return true;
}

// The file dialogs' filter: "name\0*.lst\0\0".
std::string ListFilter() {
    std::string filter = LoadText(IDS_LIST_FILTER_NAME);
    filter += '\0';
    filter += kListPattern;
    filter += '\0';
    return filter;
}

void FillFileDialog(OPENFILENAMEA& ofn, char* file, const std::string& filter, const std::string& title,
                    DWORD flags) {
    ofn = OPENFILENAMEA{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = EntryListOwner();
    ofn.lpstrFilter = filter.c_str();  // the string's own zero ends the list
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = 256;
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = flags;
}

}  // namespace

void SetListTitle(const char* path) {
    SetWindowTextA(EntryListOwner(), FormatText(IDS_LIST_TITLE, path + FileNameOffset(path)).c_str());
}

int LoadListFile(const char* path) {
    std::string content;
    if (!ReadWholeFile(path, content, kMaxListFileBytes)) {
        Warn(IDS_READ_FAILED, IDS_LIST_READ_ERROR);
        return 0;
    }
    bool emptied = false;
    int rows = 0;
    auto insert = [&emptied, &rows](const ScreenSaverEntry& entry) {
        if (!emptied) {
            DeleteAllEntryRows();
            emptied = true;
        }
        CurrentEntry = entry;
        InsertEntryRow(rows++);
    };
    ListParse result;
    {
        EntryRowBatch batch;
        result = ParseListFile(content, insert);
        if (result == ListParse::Read && !emptied) DeleteAllEntryRows();
    }
    if (result == ListParse::OldVersion) {
        Warn(IDS_OLD_VERSION, IDS_LIST_READ_ERROR);
        return 0;
    }
    SetListTitle(path);
    CurrentList.Modified = 0;
    CurrentList.Named = 1;
    return 1;
}

SaveOutcome SaveListFile(const char* path) {
    char target[256];
    if (!ListFileTarget(path, target) || !ReplaceFileContents(target, FormatRows())) {
        Warn(IDS_WRITE_FAILED, IDS_LIST_WRITE_ERROR);
        return SaveOutcome::Failed;
    }
    SetListTitle(target);
    CurrentList.Modified = 0;
    CurrentList.Named = 1;
    return SaveOutcome::Saved;
}

void NewList() {
    DeleteAllEntryRows();
    CurrentList.Named = 0;
    const std::string name = LoadText(IDS_NEW_LIST_NAME);
    if (!CopyText(CurrentList.Path, sizeof CurrentList.Path, AppPaths.ProgramFolder) ||
        !AppendText(CurrentList.Path, sizeof CurrentList.Path, name.c_str()))
        CopyText(CurrentList.Path, sizeof CurrentList.Path, name.c_str());
    SetListTitle(name.c_str());
}

void OpenList() {
    char file[256];
    CopyText(file, sizeof file, CurrentList.Path);
    OPENFILENAMEA ofn;
    const std::string filter = ListFilter(), title = LoadText(IDS_OPEN_LIST_TITLE);
    FillFileDialog(ofn, file, filter, title, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    if (!GetOpenFileNameA(&ofn)) return;
    if (LoadListFile(file)) CopyText(CurrentList.Path, sizeof CurrentList.Path, file);
}

SaveOutcome SaveList() {
    if (ListIsEmptyWarned()) return SaveOutcome::Skipped;
    if (CurrentList.Named == 1) return SaveListFile(CurrentList.Path);
    return SaveListAs();
}

SaveOutcome SaveListAs() {
    if (ListIsEmptyWarned()) return SaveOutcome::Skipped;
    char file[256];
    CopyText(file, sizeof file, CurrentList.Path);
    const std::string filter = ListFilter(), title = LoadText(IDS_SAVE_LIST_AS_TITLE);
    // The dialog's own overwrite question would ask about the name as typed,
    // while ".lst" may still be added to it: the question is asked here,
    // about the file that will be written. No goes back to the dialog, as
    // the dialog's own question does.
    for (;;) {
        OPENFILENAMEA ofn;
        FillFileDialog(ofn, file, filter, title, OFN_HIDEREADONLY);
        if (!GetSaveFileNameA(&ofn)) return SaveOutcome::Skipped;
        char target[256];
        // A name with no room for ".lst" is refused by the write, with its message.
        if (!ListFileTarget(file, target)) return SaveListFile(file);
        if (!MayWrite(target)) continue;
        // The list is then named by the file it was written to; a failed
        // write leaves it named as it was.
        const SaveOutcome outcome = SaveListFile(target);
        if (outcome == SaveOutcome::Saved) CopyText(CurrentList.Path, sizeof CurrentList.Path, target);
        return outcome;
    }
}

SaveOutcome SaveStandardList() {
    if (ListIsEmptyWarned()) return SaveOutcome::Skipped;
    if (FileExists(AppPaths.StandardListPath)) {
        const std::string text = FormatText(IDS_OVERWRITE_STANDARD, AppPaths.StandardListPath);
        const std::string caption = LoadText(IDS_SAVE_STANDARD_TITLE);
        if (MessageBoxA(EntryListOwner(), text.c_str(), caption.c_str(), MB_ICONWARNING | MB_YESNO) != IDYES)
            return SaveOutcome::Skipped;
    }
    return SaveListFile(AppPaths.StandardListPath);
}
