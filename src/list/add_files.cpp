#include "list/add_files.h"

#include <commdlg.h>

#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "base/strings.h"
#include "base/text.h"
#include "base/wide.h"
#include "list/chosen_paths.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/list_format.h"
#include "list/member_rows.h"
#include "list/row_batch.h"
#include "res/resource.h"

namespace {

// The extension's ASCII letters in lower case; the trail byte of a
// double-byte character is never touched.
void LowerExtension(char* name) {
    char* dot = std::strrchr(name, '.');
    if (!dot) return;
    for (char* p = dot; *p; ++p) {
        if (IsLeadByte(static_cast<unsigned char>(*p))) {
            if (!p[1]) break;
            ++p;
        } else if (*p >= 'A' && *p <= 'Z') {
            *p = static_cast<char>(*p - 'A' + 'a');
        }
    }
}

void Warn(HWND owner, const std::string& text) {
    ShowMessageBox(owner, text, LoadText(IDS_ADD_ERROR_CAPTION), MB_OK | MB_ICONWARNING);
}

// The text of a refused archive's members: how many, then the archive.
std::string RefusedMembersText(int count, const char* path) {
    return FormatText(IDS_REFUSED_MEMBERS, std::to_string(count), path);
}

bool AppendLooseSaver(const char* path) {
    ScreenSaverEntry entry{};
    if (!SplitFolderAndName(path, entry.folder, sizeof entry.folder, entry.name, sizeof entry.name) ||
        !CopyText(entry.type, sizeof entry.type, kLooseSaverType))
        return false;
    CopyText(entry.seconds, sizeof entry.seconds, "0");  // the standard time
    LowerExtension(entry.name);
    AppendEntryRow(entry);
    return true;
}

void AppendArchiveMembers(const char* path, int index, const ArchiveAccess& archives, HWND owner,
                          AddResult& result) {
    if (!archives.listMembers) return;
    std::vector<std::string> members = archives.listMembers(index, path, owner);
    std::vector<std::string> listable;
    for (std::string& member : members) {
        if (member.empty()) ++result.unusable;
        else if (CheckListable(member.c_str()) != Refusal::None) ++result.refused;
        else listable.push_back(std::move(member));
    }
    EntryRowBatch batch;
    result.added += AppendArchiveMemberRows(listable, path, kArchiveTypeText[index]);
}

// Appends the rows of a file of a known kind whose library, for an archive,
// may be used. The member rows mark the list changed themselves.
AddResult AddClassified(const char* path, FileKind kind, const ArchiveAccess& archives, HWND owner) {
    AddResult result;
    result.refusal = CheckListable(path);
    if (result.refusal != Refusal::None) {
        result.refused = 1;
        return result;
    }
    if (kind == FileKind::ScreenSaver) {
        if (AppendLooseSaver(path)) {
            result.added = 1;
            CurrentList.Modified = 1;
        }
    } else {
        AppendArchiveMembers(path, ArchiverIndexOf(kind), archives, owner, result);
    }
    return result;
}

}  // namespace

FileKind ClassifyFile(const char* path) {
    const char* name = path + FileNameOffset(path);
    const char* dot = std::strrchr(name, '.');
    if (!dot) return FileKind::Other;
    char extension[5] = {};
    std::strncpy(extension, dot, 4);
    LowerExtension(extension);
    struct Known {
        const char* extension;
        FileKind kind;
    };
    static const Known known[] = {{".scr", FileKind::ScreenSaver},
                                  {".lzh", FileKind::LzhArchive},
                                  {".zip", FileKind::ZipArchive},
                                  {".cab", FileKind::CabArchive}};
    for (const Known& k : known)
        if (std::strcmp(extension, k.extension) == 0) return k.kind;
    return FileKind::Other;
}

FileKind ClassifyWideFile(const wchar_t* path) {
    const wchar_t* dot = std::wcsrchr(path, L'.');
    if (!dot || std::wcspbrk(dot, L"\\/:")) return FileKind::Other;
    char extension[6] = {};
    for (int i = 0; i < 5 && dot[i]; ++i) {
        if (dot[i] >= 0x80) return FileKind::Other;
        extension[i] = static_cast<char>(dot[i]);
    }
    return ClassifyFile(extension);
}

int ArchiverIndexOf(FileKind kind) {
    switch (kind) {
    case FileKind::LzhArchive: return 0;
    case FileKind::ZipArchive: return 1;
    case FileKind::CabArchive: return 2;
    default: return -1;
    }
}

Refusal CheckListable(const char* path) {
    if (std::strlen(path) > kMaxListFieldBytes) return Refusal::TooLong;
    if (std::strchr(path, ',')) return Refusal::Comma;
    return Refusal::None;
}

AddResult AddFileToList(const char* path, const ArchiveGate& gate, const ArchiveAccess& archives, HWND owner) {
    return AddFileToList(path, ClassifyFile(path), gate, archives, owner);
}

AddResult AddFileToList(const char* path, FileKind kind, const ArchiveGate& gate, const ArchiveAccess& archives,
                        HWND owner) {
    int index = ArchiverIndexOf(kind);
    if (kind == FileKind::Other || (index >= 0 && !gate.open[index])) return AddResult{};
    return AddClassified(path, kind, archives, owner);
}

void AddChosenFile(const char* path, const ArchiveAccess& archives, HWND owner, bool sayWhenNotOurs) {
    static const unsigned kMissingLibrary[3] = {IDS_MISSING_UNLHA32, IDS_MISSING_UNZIP32, IDS_MISSING_CAB32};
    FileKind kind = ClassifyFile(path);
    int index = ArchiverIndexOf(kind);
    if (kind == FileKind::Other) {
        if (sayWhenNotOurs) Warn(owner, FormatText(IDS_NOT_A_SAVER, path));
        return;
    }
    if (index >= 0 && !archives.present[index]) {
        Warn(owner, LoadText(kMissingLibrary[index]));
        return;
    }
    AddResult result = AddClassified(path, kind, archives, owner);
    if (result.refusal == Refusal::Comma)
        Warn(owner, FormatText(IDS_REFUSED_COMMA, path));
    else if (result.refusal == Refusal::TooLong)
        Warn(owner, FormatText(IDS_REFUSED_TOO_LONG, path));
    else if (result.refused > 0)
        Warn(owner, RefusedMembersText(result.refused, path));
    else if (index >= 0 && result.added == 0 && result.unusable == 0)
        // The user chose this archive: that nothing came of it is told, and why.
        Warn(owner, FormatText(archives.readable && !archives.readable(index, path) ? IDS_ARCHIVE_UNREADABLE
                                                                                   : IDS_NO_SAVERS_IN_ARCHIVE,
                               path));
    // Screen savers that are there but cannot be used are told apart from none.
    if (result.unusable > 0) Warn(owner, FormatText(IDS_UNUSABLE_MEMBERS, std::to_string(result.unusable), path));
}

void AddScreenSaverFile(const ArchiveAccess& archives, HWND owner) {
    // Longer than any field, so that a path too long for the list arrives
    // here and is refused with a reason instead of failing in the dialog.
    wchar_t file[1024] = L"";
    const Wide title(LoadText(IDS_ADD_DIALOG_TITLE));
    std::wstring filter(Wide(LoadText(IDS_ADD_FILTER_SAVERS)).view());
    filter.append(1, L'\0').append(L"*.scr").append(1, L'\0');
    filter.append(Wide(LoadText(IDS_ADD_FILTER_ALL)).view()).append(1, L'\0');
    filter.append(L"*.scr;*.lzh;*.zip;*.cab").append(2, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = static_cast<DWORD>(std::size(file));
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return;
    std::string path;
    if (ChosenPathIn932(owner, file, IDS_ADD_ERROR_CAPTION, path)) AddChosenFile(path.c_str(), archives, owner, true);
}
