#include "list/folder_search.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "base/files.h"
#include "base/handles.h"
#include "base/long_operation.h"
#include "base/path_names.h"
#include "base/strings.h"
#include "base/wide.h"
#include "list/add_files.h"
#include "list/entry_list.h"
#include "list/folder_search_ids.h"
#include "list/row_batch.h"
#include "res/resource.h"

namespace {

constexpr int kArchiverCount = 3;
constexpr int kKindBoxes[kArchiverCount] = {IDC_SEARCH_LZH, IDC_SEARCH_ZIP, IDC_SEARCH_CAB};

// The boxes as ticked when a search last started; dropped folders are
// searched with them.
struct SearchBoxes {
    bool chosen = false;  // false until the first search
    bool subFolders = false;
    bool archives = false;
    bool kinds[kArchiverCount] = {};
};

// The one folder search: its dialog while open and the running search.
struct FolderSearchState {
    HWND dialog = nullptr;
    HWND owner = nullptr;           // owns the libraries' messages
    ArchiveAccess archives;
    // Controls the search reads for every folder and file, found once: each
    // look-up by id asks the window server.
    HWND status = nullptr;
    HWND subFoldersBox = nullptr;
    HWND archivesBox = nullptr;
    HWND kindBoxes[kArchiverCount] = {};
    bool searching = false;
    bool cancelRequested = false;   // set by Cancel, cleared when a search starts
    int refused = 0;                // files the list cannot hold, this search
    // Files and folders whose names code page 932 cannot write, with no
    // short name, this search: their full paths.
    std::vector<std::wstring> unusable;
    int notOnDisk = 0;              // archives left unopened: only in the cloud, this search
    const std::vector<std::wstring>* startFolders = nullptr;  // searched at once
    std::wstring statusText;        // the status line's text while a search runs
    ULONGLONG lastPump = 0;
    ULONGLONG lastStatusDrawn = 0;
    SearchBoxes lastBoxes;
};
FolderSearchState search;

bool Ticked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Ticked(int box) {
    return IsDlgButtonChecked(search.dialog, box) == BST_CHECKED;
}

void Enable(int control, bool on) {
    EnableWindow(GetDlgItem(search.dialog, control), on ? TRUE : FALSE);
}

bool AnyArchiverPresent() {
    for (bool present : search.archives.present)
        if (present) return true;
    return false;
}

// A box of an archive kind can be ticked only with its library present, and
// is enabled only while archives are searched.
void EnableKindBoxes() {
    bool archives = Ticked(IDC_SEARCH_ARCHIVES);
    for (int i = 0; i < kArchiverCount; ++i) Enable(kKindBoxes[i], archives && search.archives.present[i]);
}

void SetUpBoxes(const SearchBoxes& boxes) {
    bool any = AnyArchiverPresent();
    CheckDlgButton(search.dialog, IDC_SEARCH_SUBFOLDERS, boxes.subFolders ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(search.dialog, IDC_SEARCH_ARCHIVES, any && boxes.archives ? BST_CHECKED : BST_UNCHECKED);
    Enable(IDC_SEARCH_ARCHIVES, any);
    for (int i = 0; i < kArchiverCount; ++i) {
        bool present = search.archives.present[i];
        CheckDlgButton(search.dialog, kKindBoxes[i], present && boxes.kinds[i] ? BST_CHECKED : BST_UNCHECKED);
    }
    EnableKindBoxes();
}

SearchBoxes FirstBoxes() {
    SearchBoxes boxes;
    boxes.archives = true;
    for (bool& kind : boxes.kinds) kind = true;
    return boxes;
}

SearchBoxes CurrentBoxes() {
    SearchBoxes boxes;
    boxes.chosen = true;
    boxes.subFolders = Ticked(IDC_SEARCH_SUBFOLDERS);
    boxes.archives = Ticked(IDC_SEARCH_ARCHIVES);
    for (int i = 0; i < kArchiverCount; ++i) boxes.kinds[i] = Ticked(kKindBoxes[i]);
    return boxes;
}

// The boxes are read as each file is met, so a change during a search
// counts from then on.
ArchiveGate GateFor(FileKind kind) {
    ArchiveGate gate;
    if (kind != FileKind::ScreenSaver && kind != FileKind::Other && Ticked(search.archivesBox)) {
        int index = ArchiverIndexOf(kind);
        gate.open[index] = Ticked(search.kindBoxes[index]);
    }
    return gate;
}

bool Wanted(FileKind kind, const ArchiveGate& gate) {
    return kind == FileKind::ScreenSaver || (kind != FileKind::Other && gate.open[ArchiverIndexOf(kind)]);
}

// attributes are the file's find data.
void AddFoundFile(const std::string& path, unsigned long attributes) {
    FileKind kind = ClassifyFile(path.c_str());
    if (kind == FileKind::Other) return;
    const ArchiveGate gate = GateFor(kind);
    // Listing an archive reads it, which would download a whole cloud
    // folder while the program waits: such archives are counted, not
    // opened. A screen saver is added by its name and never read here.
    if (kind != FileKind::ScreenSaver && gate.open[ArchiverIndexOf(kind)] && IsNotOnDisk(attributes)) {
        ++search.notOnDisk;
        return;
    }
    const AddResult result = AddFileToList(path.c_str(), kind, gate, search.archives, search.owner);
    search.refused += result.refused;
    // The archive is named, with how many of its members cannot be used.
    if (result.unusable > 0)
        search.unusable.push_back(
            std::wstring(Wide(path + FormatText(IDS_SEARCH_UNUSABLE_MEMBERS, std::to_string(result.unusable))).view()));
}

// A file whose name cannot be used is counted only when the search would
// have taken it: a screen saver, or an archive whose kind is being searched.
void NoteUnusableFile(const std::wstring& path, const wchar_t* name) {
    const FileKind kind = ClassifyWideFile(name);
    if (Wanted(kind, GateFor(kind))) search.unusable.push_back(path);
}

// A look at the message queue is a round trip to the window server, dearer
// than listing a directory entry: between the entries of one folder the
// search looks at most every kPumpIntervalMs, and always on entering a folder.
constexpr ULONGLONG kPumpIntervalMs = 2;

void Pump() {
    search.lastPump = GetTickCount64();
    if (!PumpOneMessage(search.dialog)) search.cancelRequested = true;
}

void PumpNowAndThen() {
    if (GetTickCount64() - search.lastPump >= kPumpIntervalMs) Pump();
}

// The status line names every folder the search enters, but the control
// gets the text, and draws it, at most every kStatusDrawIntervalMs: each
// new text costs a round trip to the window server and a drawing, more
// than searching a folder. Meanwhile the control answers for its text from
// the search's record, so it always reads as the folder in hand.
constexpr ULONGLONG kStatusDrawIntervalMs = 100;
WNDPROC statusLineProc;

LRESULT CALLBACK SearchStatusLineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (search.searching && window == search.status) {
        if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(search.statusText.size());
        if (message == WM_GETTEXT) {
            if (wParam == 0) return 0;
            std::size_t n = std::min<std::size_t>(search.statusText.size(), wParam - 1);
            wchar_t* out = reinterpret_cast<wchar_t*>(lParam);
            std::wmemcpy(out, search.statusText.data(), n);
            out[n] = L'\0';
            return static_cast<LRESULT>(n);
        }
    }
    return CallWindowProcW(statusLineProc, window, message, wParam, lParam);
}

void ShowSearchStatus(const std::string& text) {
    search.statusText.assign(Wide(text).view());
    if (GetTickCount64() - search.lastStatusDrawn < kStatusDrawIntervalMs) return;
    search.lastStatusDrawn = GetTickCount64();
    SetWindowTextW(search.status, search.statusText.c_str());
}

void RequestSearchStop() {
    search.cancelRequested = true;
}

std::string ResultText(int added) {
    return FolderSearchResultText(added, search.refused, search.notOnDisk, static_cast<int>(search.unusable.size()));
}

// The folder as typed, with environment variables such as %LOCALAPPDATA%
// replaced, as Explorer's address bar does.
std::wstring FolderBoxText() {
    std::wstring text = DlgItemTextWide(search.dialog, IDC_SEARCH_FOLDER);
    if (text.find(L'%') != std::wstring::npos) {
        wchar_t expanded[MAX_PATH];
        const DWORD n = ExpandEnvironmentStringsW(text.c_str(), expanded, static_cast<DWORD>(std::size(expanded)));
        if (n > 0 && n <= std::size(expanded)) text.assign(expanded, n - 1);
    }
    return text;
}

// Searches one folder for the running search, depth first: its own files
// first, then (with sub-folders ticked) each sub-folder whose name does not
// begin with a full stop; one waiting message is dispatched before each
// directory entry, and Cancel is honoured at every level. A folder that
// cannot be entered is skipped. Folders are walked by their names as Windows
// gives them (UTF-16), and every file and folder found is named in code page
// 932 for the list: wide is the folder's path ending in a separator, named
// its code page 932 form.
void SearchFolderNamed(const std::wstring& wide, const std::string& named) {
    if (search.cancelRequested || !search.dialog) return;
    // One listing serves both passes: the folder's files are classified in
    // listing order, and its sub-folders are kept to be searched after them.
    WIN32_FIND_DATAW found;
    FindHandle listing(FindFirstFileW((wide + L"*.*").c_str(), &found));
    if (!listing) return;  // a folder that cannot be entered is skipped silently
    std::string shown = named;
    if (shown.size() > 3 || shown[1] != ':') shown.pop_back();  // "C:\" stays
    ShowSearchStatus(FormatText(IDS_SEARCH_IN_FOLDER, shown));
    EntryRowBatch::ShowProgress();
    Pump();
    struct SubFolder {
        std::wstring wide;
        std::string named;
    };
    std::vector<SubFolder> subFolders;
    bool first = true;
    std::string name;
    do {
        if (!first) PumpNowAndThen();
        first = false;
        const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder && found.cFileName[0] == L'.') continue;
        if (!FoundNameIn932(found, name)) {
            if (!folder) NoteUnusableFile(wide + found.cFileName, found.cFileName);
            else if (Ticked(search.subFoldersBox)) search.unusable.push_back(wide + found.cFileName);
            continue;
        }
        if (folder) subFolders.push_back({wide + found.cFileName + L'\\', named + name + '\\'});
        else AddFoundFile(named + name, found.dwFileAttributes);
    } while (!search.cancelRequested && search.dialog && FindNextFileW(listing.get(), &found));
    listing.reset();
    if (search.cancelRequested || !search.dialog || !Ticked(search.subFoldersBox)) return;
    for (const SubFolder& sub : subFolders) {
        PumpNowAndThen();
        if (search.cancelRequested || !search.dialog) break;
        SearchFolderNamed(sub.wide, sub.named);
    }
}

// A folder to start from, as typed or dropped: by its full name, so the
// process's current folder stays as it is and no searched folder is left in
// use. One whose name cannot be used is noted as such.
void SearchFolder(const std::wstring& folder) {
    if (search.cancelRequested || !search.dialog || folder.empty()) return;
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(folder.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH) return;
    std::wstring wide(full, n);
    if (wide.back() != L'\\' && wide.back() != L'/') wide += L'\\';
    // A folder that is not there (or cannot be entered) is skipped, as its
    // listing would be, whatever its name.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    const PathIn932 named = PathInCodePage932(wide);
    if (!named.usable()) {
        search.unusable.push_back(named.unusablePart);
        return;
    }
    SearchFolderNamed(wide, named.path);
}

// Names the files and folders that could not be used, once the search ends:
// the status line says how many, this says which.
void ReportUnusableNames(HWND dialog) {
    constexpr std::size_t kNamed = 10;
    std::wstring list;
    for (std::size_t i = 0; i < search.unusable.size() && i < kNamed; ++i) list += search.unusable[i] + L"\n";
    if (search.unusable.size() > kNamed)
        list += Wide(FormatText(IDS_SEARCH_UNUSABLE_MORE, std::to_string(search.unusable.size() - kNamed))).view();
    ShowMessageBox(dialog, FormatWideText(IDS_SEARCH_UNUSABLE_LIST, list), LoadText(IDS_ADD_ERROR_CAPTION),
                   MB_OK | MB_ICONWARNING);
}

// The 探す場所 button: the shell's folder browser fills the folder box.
void BrowseSearchFolder(HWND dialog) {
    // The folder browser needs COM on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const Wide title(LoadText(IDS_BROWSE_TITLE));
    wchar_t display[MAX_PATH] = L"";
    BROWSEINFOW browse{};
    browse.hwndOwner = dialog;
    browse.pidlRoot = nullptr;
    browse.pszDisplayName = display;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse);
    if (item) {
        IMalloc* allocator = nullptr;
        if (SHGetMalloc(&allocator) == E_FAIL || !allocator) {
            ShowMessageBox(dialog, LoadText(IDS_SHGETMALLOC_ERROR), LoadText(IDS_SHGETMALLOC_CAPTION), MB_OK);
            CoTaskMemFree(item);
        } else {
            // The folder as Windows names it: the search names its files for
            // the list, and says which cannot be used.
            wchar_t path[MAX_PATH] = L"";
            bool converted = SHGetPathFromIDListW(item, path) && path[0];
            std::wstring chosen = path;
            if (!chosen.empty() && chosen.back() != L'\\') chosen += L'\\';
            allocator->Free(item);
            allocator->Release();
            // A failed conversion leaves the folder box as it was.
            if (converted) SetDlgItemTextW(dialog, IDC_SEARCH_FOLDER, chosen.c_str());
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

void StartSearch() {
    LongOperationScope operation(LongOperation::FolderSearch, RequestSearchStop);
    if (!operation.claimed()) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    search.searching = true;
    search.cancelRequested = false;
    search.refused = 0;
    search.unusable.clear();
    search.notOnDisk = 0;
    search.lastBoxes = CurrentBoxes();
    const int before = GetEntryRowCount();
    Enable(IDC_SEARCH_START, false);
    Enable(IDOK, false);
    Enable(IDCANCEL, true);
    SendMessageA(search.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(search.dialog, IDCANCEL)), TRUE);

    std::vector<std::wstring> folders;
    if (search.startFolders) folders = *search.startFolders;
    else folders.push_back(FolderBoxText());
    search.startFolders = nullptr;  // a later start searches the folder box
    search.lastPump = search.lastStatusDrawn = 0;
    {
        EntryRowBatch batch;
        for (const std::wstring& folder : folders) {
            SearchFolder(folder);
            if (search.cancelRequested) break;
        }
    }
    search.searching = false;
    SetWindowTextTo(search.status, ResultText(GetEntryRowCount() - before));
    Enable(IDC_SEARCH_START, true);
    Enable(IDOK, true);
    SendMessageA(search.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(search.dialog, IDC_SEARCH_START)),
                 TRUE);
    Enable(IDCANCEL, false);
    if (!search.unusable.empty() && search.dialog) ReportUnusableNames(search.dialog);
}

INT_PTR OnInitDialog(HWND dialog) {
    search.dialog = dialog;
    search.searching = false;
    search.status = GetDlgItem(dialog, IDC_SEARCH_STATUS);
    search.subFoldersBox = GetDlgItem(dialog, IDC_SEARCH_SUBFOLDERS);
    search.archivesBox = GetDlgItem(dialog, IDC_SEARCH_ARCHIVES);
    for (int i = 0; i < kArchiverCount; ++i) search.kindBoxes[i] = GetDlgItem(dialog, kKindBoxes[i]);
    statusLineProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(search.status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SearchStatusLineProc)));
    bool dropped = search.startFolders != nullptr;
    SetUpBoxes(dropped && search.lastBoxes.chosen ? search.lastBoxes : FirstBoxes());
    if (dropped && !search.startFolders->empty()) {
        SetDlgItemTextW(dialog, IDC_SEARCH_FOLDER, search.startFolders->front().c_str());
    } else {
        wchar_t system[MAX_PATH] = L"";
        UINT n = GetSystemDirectoryW(system, MAX_PATH);
        SetDlgItemTextW(dialog, IDC_SEARCH_FOLDER, n > 0 && n < MAX_PATH ? system : L"");
    }
    Enable(IDCANCEL, false);
    // Started once the dialog shows, from its own message loop.
    if (dropped) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_START, BN_CLICKED), 0);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, int id, int code) {
    switch (id) {
    case IDC_SEARCH_BROWSE:
        if (!search.searching) BrowseSearchFolder(dialog);
        return TRUE;
    case IDC_SEARCH_ARCHIVES:
        if (code == BN_CLICKED) EnableKindBoxes();
        return TRUE;
    case IDC_SEARCH_START:
        StartSearch();
        return TRUE;
    case IDCANCEL:
        // Cancel stops a search; it never closes the dialog.
        search.cancelRequested = true;
        return TRUE;
    case IDOK:
        if (!search.searching) EndDialog(dialog, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK FolderSearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    try {
        switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog);
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        case WM_CLOSE:
            // The close box stops a running search, else closes the dialog.
            if (search.searching) search.cancelRequested = true;
            else EndDialog(dialog, IDOK);
            return TRUE;
        case WM_DESTROY:
            search.dialog = nullptr;
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        // Nothing may unwind into the dialog manager.
        search.cancelRequested = true;
        return TRUE;
    }
}

void ShowSearchDialog(const std::vector<std::wstring>* folders, const ArchiveAccess& archives, HWND owner) {
    if (search.dialog) {  // one search dialog at a time
        SetForegroundWindow(search.dialog);
        return;
    }
    search.owner = owner;
    search.archives = archives;
    search.startFolders = folders;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FOLDER_SEARCH), owner, FolderSearchProc, 0);
    search.startFolders = nullptr;
    search.dialog = nullptr;
}

}  // namespace

std::string FolderSearchResultText(int added, int refused, int notOnDisk, int unusable) {
    std::string text = FormatText(IDS_SEARCH_ADDED, std::to_string(added));
    if (unusable > 0) text += FormatText(IDS_SEARCH_UNUSABLE, std::to_string(unusable));
    if (refused > 0) text += FormatText(IDS_SEARCH_REFUSED, std::to_string(refused));
    if (notOnDisk > 0) text += FormatText(IDS_SEARCH_NOT_ON_DISK, std::to_string(notOnDisk));
    return text;
}

void FolderSearchDialog(const ArchiveAccess& archives, HWND owner) {
    ShowSearchDialog(nullptr, archives, owner);
}

void SearchDroppedFolders(const std::vector<std::wstring>& folders, const ArchiveAccess& archives, HWND owner) {
    if (!folders.empty()) ShowSearchDialog(&folders, archives, owner);
}
