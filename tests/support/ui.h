// Helpers the tests share: the main window as the program makes it, driving
// modal dialogs as a user would, the settings key.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Creates the main window exactly as the program does (creation sequence included).
HWND CreateTestMainWindow();
// Destroys it without the close prompt and swallows the quit message it posts.
void DestroyTestMainWindow();
// Sends WM_CLOSE as the close box does; true when the window is gone afterwards.
bool CloseTestMainWindow();

// Fails the running test and closes any dialog that no driver expects and
// that stays open for seconds, so a test never hangs on a modal loop.
void StartDialogWatchdog();

// The main window's title.
std::string WindowTitle();

// Runs queued actions on dialogs that the code under test opens modally.
// Each action waits until a top-level dialog of this thread with the given
// caption appears, then gets its handle; it usually ends by clicking a button.
class DialogDriver {
public:
    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    void On(const std::string& caption, std::function<void(HWND)> action);
    // A window with this caption may stay open while the driver lives (the
    // test drives it by other means).
    void Allow(const std::string& caption) { allowed_.push_back(caption); }
    // Dialogs seen, in order: caption and (for message boxes) text.
    struct Seen {
        std::string caption;
        std::string text;
    };
    const std::vector<Seen>& seen() const { return seen_; }
    bool allHandled() const { return pending_.empty(); }
    // True when the driver of the running test waits for this caption.
    static bool Expects(const std::string& caption);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Poll();
    struct Pending {
        std::string caption;
        std::function<void(HWND)> action;
    };
    std::vector<Pending> pending_;
    std::vector<Seen> seen_;
    std::vector<std::string> allowed_;
    UINT_PTR timer_ = 0;
};

std::string MessageBoxText(HWND box);
void ClickButton(HWND dialog, int id);
// Types a path into a file dialog's name box and presses OK.
void TypeFileName(HWND dialog, const std::string& path);

// Lets posted messages run until the queue is empty.
void PumpMessages();

// The settings key of the test prefix.
void DeleteSettingsKey();
bool SettingsKeyExists();
void WriteSettingRaw(const char* name, DWORD type, const void* data, DWORD size);
void WriteSettingInt(const char* name, int value);
bool ReadSettingInt(const char* name, int* value);
