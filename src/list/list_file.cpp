#include "list/list_file.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>

#include "base/files.h"
#include "base/program_paths.h"
#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
#include "list/chosen_paths.h"
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
    ShowMessageBox(EntryListOwner(), LoadText(text), LoadText(caption), MB_OK | MB_ICONWARNING);
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
    const DWORD attributes = GetFileAttributesW(Wide(target));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    return ShowMessageBox(EntryListOwner(), FormatText(IDS_OVERWRITE_LIST, target), LoadText(IDS_CONFIRM_SAVE_AS),
                          MB_ICONWARNING | MB_YESNO) == IDYES;
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
std::wstring ListFilter() {
    std::wstring filter(Wide(LoadText(IDS_LIST_FILTER_NAME)).view());
    filter += L'\0';
    filter += Wide(kListPattern).view();
    filter += L'\0';
    return filter;
}

enum class ListPathChoice { Chosen, Cancelled, Unusable };

// The open or save dialog, proposing the path in file; the chosen path in
// code page 932 in file. A chosen name that cannot be used is refused after
// the user has heard why, under errorCaption. The save dialog asks nothing
// about a file that is there: the caller asks about the file it will write.
ListPathChoice AskListPath(bool save, unsigned title, unsigned errorCaption, char (&file)[256]) {
    // The dialog writes at most 256 characters, as it did bytes.
    wchar_t chosen[256] = L"";
    const Wide current(file);
    if (current.size() < std::size(chosen)) std::wmemcpy(chosen, current.c_str(), current.size() + 1);
    const std::wstring filter = ListFilter();
    const Wide caption(LoadText(title));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = EntryListOwner();
    ofn.lpstrFilter = filter.c_str();  // the string's own zero ends the list
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = chosen;
    ofn.nMaxFile = static_cast<DWORD>(std::size(chosen));
    ofn.lpstrTitle = caption;
    ofn.Flags = save ? OFN_HIDEREADONLY : OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return ListPathChoice::Cancelled;
    std::string path;
    if (!ChosenPathIn932(EntryListOwner(), chosen, errorCaption, path)) return ListPathChoice::Unusable;
    // A path that does not fit is refused, never cut.
    if (!CopyText(file, sizeof file, path.c_str())) {
        Warn(save ? IDS_WRITE_FAILED : IDS_READ_FAILED, errorCaption);
        return ListPathChoice::Unusable;
    }
    return ListPathChoice::Chosen;
}

}  // namespace

void SetListTitle(const char* path) {
    SetWindowTextTo(EntryListOwner(), FormatText(IDS_LIST_TITLE, path + FileNameOffset(path)));
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
    if (AskListPath(false, IDS_OPEN_LIST_TITLE, IDS_LIST_READ_ERROR, file) != ListPathChoice::Chosen) return;
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
    // The dialog's own overwrite question would ask about the name as typed,
    // while ".lst" may still be added to it: the question is asked here,
    // about the file that will be written. No goes back to the dialog, as
    // the dialog's own question does.
    for (;;) {
        // A name that cannot be used counts as a failed write: closing the
        // program after it must not lose the list.
        switch (AskListPath(true, IDS_SAVE_LIST_AS_TITLE, IDS_LIST_WRITE_ERROR, file)) {
        case ListPathChoice::Cancelled: return SaveOutcome::Skipped;
        case ListPathChoice::Unusable: return SaveOutcome::Failed;
        case ListPathChoice::Chosen: break;
        }
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
        if (ShowMessageBox(EntryListOwner(), text, LoadText(IDS_SAVE_STANDARD_TITLE), MB_ICONWARNING | MB_YESNO) !=
            IDYES)
            return SaveOutcome::Skipped;
    }
    return SaveListFile(AppPaths.StandardListPath);
}
