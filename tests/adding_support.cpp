#include "adding_support.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/commands.h"
#include "app/main_window.h"
#include "base/text.h"
#include "base/wide.h"
#include "archive/archiver.h"
#include "archive_support.h"
#include "archiver_interface.h"
#include "list/entry_list.h"
#include "list/folder_search_ids.h"

namespace {
constexpr int kKindBoxes[3] = {IDC_SEARCH_LZH, IDC_SEARCH_ZIP, IDC_SEARCH_CAB};
constexpr UINT kWatchStep = WM_APP + 7;

std::string Lowered(std::string name) {
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        for (std::size_t i = dot; i < name.size(); ++i)
            if (name[i] >= 'A' && name[i] <= 'Z') name[i] = static_cast<char>(name[i] + 32);
    return name;
}

bool IsScreenSaverName(const std::string& name) {
    std::size_t dot = name.rfind('.');
    return dot != std::string::npos && Lowered(name.substr(dot, 4)) == ".scr";
}
}  // namespace

InstalledLibraries::InstalledLibraries(bool lzh, bool zip, bool cab) {
    saved_ = Archivers;
    const bool wanted[3] = {lzh, zip, cab};
    for (int i = 0; i < 3; ++i) {
        Archivers.Present[i] = wanted[i] ? 1 : 0;
        CopyText(Archivers.LibraryPath[i], sizeof Archivers.LibraryPath[i],
                 wanted[i] ? ArchiverDll(kArchiverLibraries[i].fileName).c_str() : "");
    }
}

InstalledLibraries::~InstalledLibraries() {
    Archivers = saved_;
}

void MakeFolder(const std::string& path) {
    SHCreateDirectoryExW(nullptr, Wide(path), nullptr);
}

void MakeFile(const std::string& path, const std::string& bytes) {
    std::size_t cut = FileNameOffset(path.c_str());
    if (cut > 0) MakeFolder(path.substr(0, cut));
    WriteFileBytes(path, bytes);
}

void CopyArchiveFixture(const std::string& fixture, const std::string& to) {
    std::size_t cut = FileNameOffset(to.c_str());
    if (cut > 0) MakeFolder(to.substr(0, cut));
    ASSERT_TRUE(CopyFileTo(ArchiveFixture(fixture), to)) << fixture;
}

std::vector<std::string> SearchOrder(const std::string& folder, bool subFolders) {
    std::string base = folder;
    if (FileNameOffset(base.c_str()) != base.size()) base += '\\';
    std::vector<std::string> order, subs;
    WIN32_FIND_DATAW found;
    FindHandle listing(FindFirstFileW(Wide(base + "*.*"), &found));
    if (!listing) return order;
    do {
        std::string name = Text932(found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name[0] != '.') subs.push_back(name);
        } else if (IsScreenSaverName(name) && name.find(',') == std::string::npos) {
            order.push_back(base + Lowered(name));
        }
    } while (FindNextFileW(listing.get(), &found));
    if (subFolders)
        for (const std::string& sub : subs)
            for (const std::string& path : SearchOrder(base + sub, true)) order.push_back(path);
    return order;
}

std::vector<std::string> RowPaths() {
    std::vector<std::string> paths;
    for (const Row& row : ReadAllRows())
        if (row[4].empty()) paths.push_back(row[2] + row[0]);
    return paths;
}

std::vector<std::string> SortedRowNames() {
    std::vector<std::string> names;
    for (const Row& row : ReadAllRows()) names.push_back(row[4].empty() ? row[0] : row[4] + ":" + row[0]);
    std::sort(names.begin(), names.end());
    return names;
}

void FillSearchDialog(HWND dialog, const SearchRequest& request) {
    SetDlgItemTextW(dialog, IDC_SEARCH_FOLDER, Wide(request.folder));
    auto set = [dialog](int box, bool on) {
        if (ControlEnabled(dialog, box) && (IsDlgButtonChecked(dialog, box) == BST_CHECKED) != on)
            SendMessageA(GetDlgItem(dialog, box), BM_CLICK, 0, 0);
    };
    set(IDC_SEARCH_SUBFOLDERS, request.subFolders);
    set(IDC_SEARCH_ARCHIVES, true);  // the kind boxes can be clicked only while this is ticked
    for (int i = 0; i < 3; ++i) set(kKindBoxes[i], request.kinds[i]);
    set(IDC_SEARCH_ARCHIVES, request.archives);
}

SearchWatcher::SearchWatcher(std::function<bool(HWND)> step) : step_(std::move(step)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &SearchWatcher::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZelvistaSearchWatcher";
    RegisterClassA(&wc);
    window_ = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

SearchWatcher::~SearchWatcher() {
    DestroyWindow(window_);
}

void SearchWatcher::Start(HWND dialog) {
    dialog_ = dialog;
    PostMessageA(window_, kWatchStep, 0, 0);
}

LRESULT CALLBACK SearchWatcher::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kWatchStep) return DefWindowProcA(window, message, wParam, lParam);
    auto* self = reinterpret_cast<SearchWatcher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && !self->step_(self->dialog_)) PostMessageA(window, kWatchStep, 0, 0);
    return 0;
}

std::string RunFolderSearch(const SearchRequest& request, std::function<bool(HWND)> watch,
                            std::function<void(DialogDriver&)> more) {
    std::string status;
    DialogDriver driver;
    driver.On("スクリーンセーバーの検索", [&](HWND dialog) {
        FillSearchDialog(dialog, request);
        SearchWatcher watcher(watch ? watch : [](HWND) { return true; });
        if (watch) watcher.Start(dialog);
        SendMessageA(GetDlgItem(dialog, IDC_SEARCH_START), BM_CLICK, 0, 0);
        status = ControlText(dialog, IDC_SEARCH_STATUS);
        EXPECT_TRUE(ControlEnabled(dialog, IDC_SEARCH_START));
        EXPECT_TRUE(ControlEnabled(dialog, IDOK));
        EXPECT_FALSE(ControlEnabled(dialog, IDCANCEL));
        ClickButton(dialog, IDOK);
    });
    if (more) more(driver);
    SendMessageA(MainWindow, WM_COMMAND, kCmdFolderSearch, 0);
    EXPECT_TRUE(driver.allHandled());
    return status;
}

void DropFiles(const std::vector<std::string>& paths) {
    std::vector<std::wstring> wide;
    for (const std::string& p : paths) wide.emplace_back(Wide(p).view());
    DropWideFiles(wide);
}

void DropWideFiles(const std::vector<std::wstring>& paths) {
    // In UTF-16, as the shell hands drops over.
    std::wstring list;
    for (const std::wstring& p : paths) list += p + L'\0';
    list += L'\0';
    const std::size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory);
    SendMessageA(MainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}
