#include "list/folder_search.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/files.h"
#include "base/handles.h"
#include "base/long_operation.h"
#include "base/strings.h"
#include "base/text.h"
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
    int notOnDisk = 0;              // archives left unopened: only in the cloud, this search
    const std::vector<std::string>* startFolders = nullptr;  // searched at once
    std::string statusText;         // the status line's text while a search runs
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
// counts from then on. attributes are the file's find data.
void AddFoundFile(const std::string& path, unsigned long attributes) {
    FileKind kind = ClassifyFile(path.c_str());
    if (kind == FileKind::Other) return;
    ArchiveGate gate;
    if (kind != FileKind::ScreenSaver && Ticked(search.archivesBox)) {
        int index = ArchiverIndexOf(kind);
        gate.open[index] = Ticked(search.kindBoxes[index]);
        // Listing an archive reads it, which would download a whole cloud
        // folder while the program waits: such archives are counted, not
        // opened. A screen saver is added by its name and never read here.
        if (gate.open[index] && IsNotOnDisk(attributes)) {
            ++search.notOnDisk;
            return;
        }
    }
    search.refused += AddFileToList(path.c_str(), kind, gate, search.archives, search.owner).refused;
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
            char* out = reinterpret_cast<char*>(lParam);
            std::memcpy(out, search.statusText.data(), n);
            out[n] = '\0';
            return static_cast<LRESULT>(n);
        }
    }
    return CallWindowProcA(statusLineProc, window, message, wParam, lParam);
}

void ShowSearchStatus(const std::string& text) {
    search.statusText = text;
    if (GetTickCount64() - search.lastStatusDrawn < kStatusDrawIntervalMs) return;
    search.lastStatusDrawn = GetTickCount64();
    SetWindowTextA(search.status, text.c_str());
}

void RequestSearchStop() {
    search.cancelRequested = true;
}

std::string ResultText(int added) {
    return FolderSearchResultText(added, search.refused, search.notOnDisk);
}

// The folder as typed, with environment variables such as %LOCALAPPDATA%
// replaced, as Explorer's address bar does ('%' is never a trail byte).
std::string FolderBoxText() {
    int length = GetWindowTextLengthA(GetDlgItem(search.dialog, IDC_SEARCH_FOLDER));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetDlgItemTextA(search.dialog, IDC_SEARCH_FOLDER, text.data(), length + 1);
    text.resize(std::strlen(text.c_str()));
    if (text.find('%') != std::string::npos) {
        char expanded[MAX_PATH];
        const DWORD n = ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof expanded);
        if (n > 0 && n <= sizeof expanded) text = expanded;
    }
    return text;
}

// Searches one folder for the running search, depth first: its own files
// first, then (with sub-folders ticked) each sub-folder whose name does not
// begin with a full stop; one waiting message is dispatched before each
// directory entry, and Cancel is honoured at every level. A folder that
// cannot be entered is skipped.
void SearchFolder(const char* folder) {
    if (search.cancelRequested || !search.dialog) return;
    // Folders are listed by their full names; the process's current folder
    // stays as it is, so no searched folder is left in use.
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(folder, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return;
    std::string base = full;
    if (EndsWithSeparator(base.c_str()) && !(base.size() == 3 && base[1] == ':')) base.pop_back();  // "C:\" stays
    const std::string prefix = EndsWithSeparator(base.c_str()) ? base : base + '\\';

    // One listing serves both passes: the folder's files are classified in
    // listing order, and its sub-folders are kept to be searched after them.
    WIN32_FIND_DATAA found;
    FindHandle listing(FindFirstFileA((prefix + "*.*").c_str(), &found));
    if (!listing) return;  // a folder that cannot be entered is skipped silently
    ShowSearchStatus(FormatText(IDS_SEARCH_IN_FOLDER, base));
    EntryRowBatch::ShowProgress();
    Pump();
    std::vector<std::string> subFolders;
    bool first = true;
    do {
        if (!first) PumpNowAndThen();
        first = false;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (found.cFileName[0] != '.') subFolders.emplace_back(found.cFileName);
        } else {
            AddFoundFile(prefix + found.cFileName, found.dwFileAttributes);
        }
    } while (!search.cancelRequested && search.dialog && FindNextFileA(listing.get(), &found));
    listing.reset();
    if (search.cancelRequested || !search.dialog || !Ticked(search.subFoldersBox)) return;
    for (const std::string& name : subFolders) {
        PumpNowAndThen();
        if (search.cancelRequested || !search.dialog) break;
        SearchFolder((prefix + name).c_str());
    }
}

// The 探す場所 button: the shell's folder browser fills the folder box.
void BrowseSearchFolder(HWND dialog) {
    // The folder browser needs COM on this thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::string title = LoadText(IDS_BROWSE_TITLE);
    char display[MAX_PATH] = "";
    BROWSEINFOA browse{};
    browse.hwndOwner = dialog;
    browse.pidlRoot = nullptr;
    browse.pszDisplayName = display;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&browse);
    if (item) {
        IMalloc* allocator = nullptr;
        if (SHGetMalloc(&allocator) == E_FAIL || !allocator) {
            MessageBoxA(dialog, LoadText(IDS_SHGETMALLOC_ERROR).c_str(), LoadText(IDS_SHGETMALLOC_CAPTION).c_str(),
                        MB_OK);
            CoTaskMemFree(item);
        } else {
            char path[MAX_PATH] = "";
            bool converted = SHGetPathFromIDListA(item, path) && path[0];
            std::string chosen = path;
            if (!EndsWithSeparator(chosen.c_str())) chosen += '\\';
            allocator->Free(item);
            allocator->Release();
            // A failed conversion leaves the folder box as it was.
            if (converted) SetDlgItemTextA(dialog, IDC_SEARCH_FOLDER, chosen.c_str());
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
    search.notOnDisk = 0;
    search.lastBoxes = CurrentBoxes();
    const int before = GetEntryRowCount();
    Enable(IDC_SEARCH_START, false);
    Enable(IDOK, false);
    Enable(IDCANCEL, true);
    SendMessageA(search.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(search.dialog, IDCANCEL)), TRUE);

    std::vector<std::string> folders;
    if (search.startFolders) folders = *search.startFolders;
    else folders.push_back(FolderBoxText());
    search.startFolders = nullptr;  // a later start searches the folder box
    search.lastPump = search.lastStatusDrawn = 0;
    {
        EntryRowBatch batch;
        for (const std::string& folder : folders) {
            SearchFolder(folder.c_str());
            if (search.cancelRequested) break;
        }
    }
    search.searching = false;
    SetWindowTextA(search.status, ResultText(GetEntryRowCount() - before).c_str());
    Enable(IDC_SEARCH_START, true);
    Enable(IDOK, true);
    SendMessageA(search.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(search.dialog, IDC_SEARCH_START)),
                 TRUE);
    Enable(IDCANCEL, false);
}

INT_PTR OnInitDialog(HWND dialog) {
    search.dialog = dialog;
    search.searching = false;
    search.status = GetDlgItem(dialog, IDC_SEARCH_STATUS);
    search.subFoldersBox = GetDlgItem(dialog, IDC_SEARCH_SUBFOLDERS);
    search.archivesBox = GetDlgItem(dialog, IDC_SEARCH_ARCHIVES);
    for (int i = 0; i < kArchiverCount; ++i) search.kindBoxes[i] = GetDlgItem(dialog, kKindBoxes[i]);
    statusLineProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(search.status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SearchStatusLineProc)));
    bool dropped = search.startFolders != nullptr;
    SetUpBoxes(dropped && search.lastBoxes.chosen ? search.lastBoxes : FirstBoxes());
    if (dropped && !search.startFolders->empty()) {
        SetDlgItemTextA(dialog, IDC_SEARCH_FOLDER, search.startFolders->front().c_str());
    } else {
        char system[MAX_PATH] = "";
        UINT n = GetSystemDirectoryA(system, sizeof system);
        SetDlgItemTextA(dialog, IDC_SEARCH_FOLDER, n > 0 && n < sizeof system ? system : "");
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

void ShowSearchDialog(const std::vector<std::string>* folders, const ArchiveAccess& archives, HWND owner) {
    if (search.dialog) {  // one search dialog at a time
        SetForegroundWindow(search.dialog);
        return;
    }
    search.owner = owner;
    search.archives = archives;
    search.startFolders = folders;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FOLDER_SEARCH), owner, FolderSearchProc, 0);
    search.startFolders = nullptr;
    search.dialog = nullptr;
}

}  // namespace

std::string FolderSearchResultText(int added, int refused, int notOnDisk) {
    std::string text = FormatText(IDS_SEARCH_ADDED, std::to_string(added));
    if (refused > 0) text += FormatText(IDS_SEARCH_REFUSED, std::to_string(refused));
    if (notOnDisk > 0) text += FormatText(IDS_SEARCH_NOT_ON_DISK, std::to_string(notOnDisk));
    return text;
}

void FolderSearchDialog(const ArchiveAccess& archives, HWND owner) {
    ShowSearchDialog(nullptr, archives, owner);
}

void SearchDroppedFolders(const std::vector<std::string>& folders, const ArchiveAccess& archives, HWND owner) {
    if (!folders.empty()) ShowSearchDialog(&folders, archives, owner);
}
