#include "list/list_file.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>
#include <string_view>

#include "base/files.h"
#include "base/handles.h"
#include "base/program_paths.h"
#include "base/text.h"
#include "list/entry_list.h"

ListState CurrentList;

const char kNewListName[] = "新規ﾘｽﾄ.lst";

namespace {

const char kHeader[] = "Ver,3.00";
const char kReadCaption[] = "リストファイル読み込みエラー";
const char kWriteCaption[] = "リストファイル書き込みエラー";
const char kSaveCaption[] = "リストファイル保存エラー";
const char kListFilter[] = "ﾘｽﾄ ﾌｧｲﾙ(*.lst)\0*.lst\0";

// An entry line, line end included, fits in 1023 bytes; each field in 255.
constexpr std::size_t kMaxLineBytes = 1022;
constexpr std::size_t kMaxFieldBytes = 255;
// A larger file is no list and is refused as unreadable.
constexpr std::size_t kMaxListFileBytes = 256 * 1024 * 1024;

void Warn(const char* text, const char* caption) {
    MessageBoxA(EntryListOwner(), text, caption, MB_OK | MB_ICONWARNING);
}

// Next line without its end (LF or CR LF); false at the end of the text.
bool NextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    std::size_t end = text.find('\n');
    line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

// Splits an entry line at commas (a run of commas is one separator, leading
// commas are skipped) into the current entry. False for a line that does not
// make a whole entry: too long, too few fields, or a field over 255 bytes.
bool ParseEntryLine(std::string_view line) {
    if (line.size() > kMaxLineBytes || line.substr(0, 3) != "SCR") return false;
    std::string_view fields[6];
    int count = 0;
    std::size_t pos = 0;
    while (count < 6) {
        while (pos < line.size() && line[pos] == ',') ++pos;
        if (pos >= line.size()) break;
        std::size_t end = line.find(',', pos);
        if (end == std::string_view::npos) end = line.size();
        fields[count++] = line.substr(pos, end - pos);
        pos = end;
    }
    if (count < 6) return false;
    for (int i = 1; i < 6; ++i) {
        if (fields[i].size() > kMaxFieldBytes || fields[i].find('\0') != std::string_view::npos) return false;
    }
    for (int i = 1; i < 6; ++i) {
        char* dest = EntryField(CurrentEntry, i - 1);
        std::memcpy(dest, fields[i].data(), fields[i].size());
        dest[fields[i].size()] = '\0';
    }
    // Only the exact word the writer uses means "no archive".
    if (std::strcmp(CurrentEntry.archive, "NULL") == 0) CurrentEntry.archive[0] = '\0';
    return true;
}

bool HasListExtension(const char* path) {
    const char* name = path + FileNameOffset(path);
    const char* dot = std::strrchr(name, '.');
    return dot && _stricmp(dot, ".lst") == 0;
}

std::string FormatListFile() {
    std::string text = std::string(kHeader) + "\r\n";
    int rows = GetEntryRowCount();
    text.reserve(text.size() + static_cast<std::size_t>(rows) * 96);
    for (int row = 0; row < rows; ++row) {
        ReadEntryRow(row);
        const ScreenSaverEntry& e = CurrentEntry;
        text += "SCR,";
        text += e.name; text += ',';
        text += e.seconds; text += ',';
        text += e.folder; text += ',';
        text += e.type; text += ',';
        if (e.archive[0] != '\0') {
            text += e.archive;
            text += ",EOF\r\n";
        } else {
            text += "NULL,EOD\r\n";
        }
    }
    return text;
}

bool ListIsEmptyWarned() {
    if (GetEntryRowCount() > 0) return false;
    Warn("リストが空です。", kSaveCaption);
    return true;
}

void FillFileDialog(OPENFILENAMEA& ofn, char* file, const char* title, DWORD flags) {
    ofn = OPENFILENAMEA{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = EntryListOwner();
    ofn.lpstrFilter = kListFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = 256;
    ofn.lpstrTitle = title;
    ofn.Flags = flags;
}

}  // namespace

void SetListTitle(const char* path) {
    std::string title = "Zelvista";
    title += "　【";
    title += path + FileNameOffset(path);
    title += "】";
    SetWindowTextA(EntryListOwner(), title.c_str());
}

int LoadListFile(const char* path) {
    std::string content;
    if (!ReadWholeFile(path, content, kMaxListFileBytes)) {
        Warn("読み込みに失敗しました", kReadCaption);
        return 0;
    }
    std::string_view text(content);
    std::string_view line;
    if (NextLine(text, line) && line.substr(0, 3) != "Ver") {
        Warn("旧バージョンのファイルは使用できません", kReadCaption);
        return 0;
    }
    SendMessageA(EntryListView, WM_SETREDRAW, FALSE, 0);
    DeleteAllEntryRows();
    while (NextLine(text, line)) {
        if (ParseEntryLine(line)) InsertEntryRow(GetEntryRowCount());
    }
    SendMessageA(EntryListView, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(EntryListView, nullptr, TRUE);
    SetListTitle(path);
    CurrentList.Modified = 0;
    CurrentList.Named = 1;
    return 1;
}

SaveOutcome SaveListFile(const char* path) {
    char target[256];
    bool fits = CopyText(target, sizeof target, path);
    if (fits && !HasListExtension(target)) fits = AppendText(target, sizeof target, ".lst");
    if (!fits || !ReplaceFileContents(target, FormatListFile())) {
        Warn("書き込みに失敗しました", kWriteCaption);
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
    if (!CopyText(CurrentList.Path, sizeof CurrentList.Path, AppPaths.ProgramFolder) ||
        !AppendText(CurrentList.Path, sizeof CurrentList.Path, kNewListName))
        CopyText(CurrentList.Path, sizeof CurrentList.Path, kNewListName);
    SetListTitle(kNewListName);
}

void OpenList() {
    char file[256];
    CopyText(file, sizeof file, CurrentList.Path);
    OPENFILENAMEA ofn;
    FillFileDialog(ofn, file, "リストファイルの読み込み", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
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
    OPENFILENAMEA ofn;
    FillFileDialog(ofn, file, "名前を付けてリストファイルを保存", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    if (!GetSaveFileNameA(&ofn)) return SaveOutcome::Skipped;
    CopyText(CurrentList.Path, sizeof CurrentList.Path, file);
    return SaveListFile(CurrentList.Path);
}

SaveOutcome SaveStandardList() {
    if (ListIsEmptyWarned()) return SaveOutcome::Skipped;
    if (FileExists(AppPaths.StandardListPath)) {
        std::string text = AppPaths.StandardListPath;
        text += "\nこのﾌｧｲﾙはすでに存在します。\n\n上書きしますか？";
        if (MessageBoxA(EntryListOwner(), text.c_str(), "標準リストとして保存", MB_ICONWARNING | MB_YESNO) != IDYES)
            return SaveOutcome::Skipped;
    }
    return SaveListFile(AppPaths.StandardListPath);
}
