#include "list/add_files.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "app/paths.h"
#include "archive/archiver.h"
#include "list/add_files_ids.h"
#include "list/entry_list.h"
#include "list/list_file.h"
#include "list/resource_text.h"
#include "list/row_batch.h"

namespace {

constexpr std::size_t kFieldLimit = 255;

// The extension's ASCII letters in lower case; the trail byte of a
// double-byte character is never touched.
void LowerExtension(char* name) {
    char* dot = std::strrchr(name, '.');
    if (!dot) return;
    for (char* p = dot; *p; ++p) {
        if (IsDBCSLeadByteEx(932, static_cast<BYTE>(*p))) {
            if (!p[1]) break;
            ++p;
        } else if (*p >= 'A' && *p <= 'Z') {
            *p = static_cast<char>(*p - 'A' + 'a');
        }
    }
}

void Warn(HWND owner, const std::string& text) {
    MessageBoxA(owner, text.c_str(), ResourceText(IDS_ADD_ERROR_CAPTION).c_str(), MB_OK | MB_ICONWARNING);
}

// A message text with one number and one path put into it.
std::string Format(UINT id, const char* path, int number = 0) {
    std::string format = ResourceText(id);
    std::vector<char> text(format.size() + std::strlen(path) + 32);
    if (format.find("%d") != std::string::npos)
        std::snprintf(text.data(), text.size(), format.c_str(), number, path);
    else
        std::snprintf(text.data(), text.size(), format.c_str(), path);
    return text.data();
}

bool AppendLooseSaver(const char* path) {
    ScreenSaverEntry entry{};
    if (!SplitFolderAndName(path, entry.folder, sizeof entry.folder, entry.name, sizeof entry.name) ||
        !CopyText(entry.seconds, sizeof entry.seconds, "0") ||
        !CopyText(entry.type, sizeof entry.type, kLooseSaverType))
        return false;
    LowerExtension(entry.name);
    CurrentEntry = entry;
    InsertEntryRow(GetEntryRowCount());
    return true;
}

void AppendArchiveMembers(const char* path, int index, HWND owner, AddResult& result) {
    ScreenSaverEntry entry{};
    if (!SplitFolderAndName(path, entry.folder, sizeof entry.folder, entry.archive, sizeof entry.archive) ||
        !CopyText(entry.seconds, sizeof entry.seconds, "0") ||
        !CopyText(entry.type, sizeof entry.type, kArchiveTypeText[index]))
        return;
    // The library may show its own messages: nothing may change the current
    // entry between filling and inserting, so it is filled per row.
    EntryRowBatch batch;
    for (const std::string& member : FindArchiveMembers(index, path, owner)) {
        if (member.size() > kFieldLimit || member.find(',') != std::string::npos) {
            ++result.refused;
            continue;
        }
        CopyText(entry.name, sizeof entry.name, member.c_str());
        CurrentEntry = entry;
        InsertEntryRow(GetEntryRowCount());
        ++result.added;
    }
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

int ArchiverIndexOf(FileKind kind) {
    switch (kind) {
    case FileKind::LzhArchive: return 0;
    case FileKind::ZipArchive: return 1;
    case FileKind::CabArchive: return 2;
    default: return -1;
    }
}

Refusal CheckListable(const char* path) {
    if (std::strlen(path) > kFieldLimit) return Refusal::TooLong;
    if (std::strchr(path, ',')) return Refusal::Comma;
    return Refusal::None;
}

ArchiveGate InstalledArchiversGate() {
    ArchiveGate gate;
    for (int i = 0; i < kArchiverCount; ++i) gate.open[i] = ArchiverPresent[i] == 1;
    return gate;
}

AddResult AddFileToList(const char* path, const ArchiveGate& gate, HWND owner) {
    AddResult result;
    FileKind kind = ClassifyFile(path);
    int index = ArchiverIndexOf(kind);
    if (kind == FileKind::Other || (index >= 0 && !gate.open[index])) return result;
    result.refusal = CheckListable(path);
    if (result.refusal != Refusal::None) {
        result.refused = 1;
        return result;
    }
    if (kind == FileKind::ScreenSaver) {
        if (AppendLooseSaver(path)) result.added = 1;
    } else {
        AppendArchiveMembers(path, index, owner, result);
    }
    if (result.added > 0) ListModified = 1;
    return result;
}

void AddChosenFile(const char* path, HWND owner, bool sayWhenNotOurs) {
    static const UINT kMissingLibrary[kArchiverCount] = {IDS_MISSING_UNLHA32, IDS_MISSING_UNZIP32,
                                                         IDS_MISSING_CAB32};
    FileKind kind = ClassifyFile(path);
    int index = ArchiverIndexOf(kind);
    if (kind == FileKind::Other) {
        if (sayWhenNotOurs) Warn(owner, Format(IDS_NOT_A_SAVER, path));
        return;
    }
    if (index >= 0 && ArchiverPresent[index] != 1) {
        Warn(owner, ResourceText(kMissingLibrary[index]));
        return;
    }
    AddResult result = AddFileToList(path, InstalledArchiversGate(), owner);
    if (result.refusal == Refusal::Comma)
        Warn(owner, Format(IDS_REFUSED_COMMA, path));
    else if (result.refusal == Refusal::TooLong)
        Warn(owner, Format(IDS_REFUSED_TOO_LONG, path));
    else if (result.refused > 0)
        Warn(owner, Format(IDS_REFUSED_MEMBERS, path, result.refused));
}

void AddScreenSaverFile(HWND owner) {
    // Longer than any field, so that a path too long for the list arrives
    // here and is refused with a reason instead of failing in the dialog.
    char file[1024] = "";
    std::string title = ResourceText(IDS_ADD_DIALOG_TITLE);
    std::string filter = ResourceText(IDS_ADD_FILTER_SAVERS);
    filter.append(1, '\0').append("*.scr").append(1, '\0');
    filter.append(ResourceText(IDS_ADD_FILTER_ALL)).append(1, '\0');
    filter.append("*.scr;*.lzh;*.zip;*.cab").append(2, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn)) return;
    AddChosenFile(file, owner, true);
}
