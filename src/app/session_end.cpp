#include "app/session_end.h"

#include <string>

#include "base/long_operation.h"
#include "base/strings.h"
#include "base/wide.h"
#include "list/list_file.h"
#include "list/list_recovery.h"
#include "play/play_window.h"
#include "res/resource.h"
#include "settings/settings.h"

namespace {

struct SessionEndState {
    bool asking = false;  // the question about unsaved changes is open
    bool ending = false;  // Windows said the session ends
    bool declined = false;  // the user chose not to save, for this session end
};
SessionEndState session;

// Shown by Windows beside the program's name while the session end waits
// for the answer. The string table holds UTF-16, taken as it is.
void BlockSessionEnd(HWND window) {
    wchar_t reason[256] = L"";
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_SESSION_END_REASON, reason, 256) > 0)
        ShutdownBlockReasonCreate(window, reason);
}

}  // namespace

int AskToSaveChanges(HWND owner, UINT extraFlags) {
    const std::string text = FormatText(IDS_SAVE_CHANGES, CurrentList.Path);
    session.asking = true;
    const int answer =
        ShowMessageBox(owner, text, LoadText(IDS_APP_TITLE), MB_YESNOCANCEL | MB_ICONEXCLAMATION | extraFlags);
    session.asking = false;
    return answer;
}

bool OnQueryEndSession(HWND window, LPARAM reason) {
    if (CurrentList.Modified != 1) return true;
    // Kept first, in one step: whatever Windows does next, the list is not lost.
    KeepRecoveryList();
    // An installer's restart manager or a forced end wants no question (the
    // list is kept without asking), and none is asked over a long operation
    // that holds the list, or over the question already open.
    if ((reason & (ENDSESSION_CLOSEAPP | ENDSESSION_CRITICAL)) != 0 ||
        RunningLongOperation() != LongOperation::None || session.asking)
        return true;
    // A program in the task tray has no visible window, which Windows ends
    // after a few seconds unless it says why it waits.
    BlockSessionEnd(window);
    bool mayEnd = true;
    switch (AskToSaveChanges(window, MB_SETFOREGROUND)) {
    case IDCANCEL:
        mayEnd = false;
        break;
    case IDNO:
        DiscardRecoveryList();
        session.declined = true;
        break;
    case IDYES:
        switch (SaveList()) {
        case SaveOutcome::Saved:
            DiscardRecoveryList();
            break;
        case SaveOutcome::Failed:
            // The list stays open, and kept, as when closing.
            mayEnd = false;
            break;
        case SaveOutcome::Skipped:
            // A cancelled name or an empty list: the session ends as the
            // window would close, and the kept list is offered next time.
            break;
        }
        break;
    default:
        break;
    }
    ShutdownBlockReasonDestroy(window);
    return mayEnd;
}

void OnEndSession(HWND window, bool ending) {
    if (!ending) {
        // Not ending after all: the list is still here.
        DiscardRecoveryList();
        session.declined = false;
        return;
    }
    session.ending = true;
    // Also when Windows ends the session without asking first; not when the
    // user chose not to save.
    if (CurrentList.Modified == 1 && !session.declined) KeepRecoveryList();
    // Stored now: Windows may end the process as soon as this returns.
    SaveMainWindowRect(window);
    if (HWND play = PlayWindow()) SavePlayWindowRect(play);
    // Closed as usual, without the question, once running code has returned.
    PostMessageA(window, WM_CLOSE, 0, 0);
}

bool SessionEnding() {
    return session.ending;
}

void ResetSessionEnd() {
    session = SessionEndState{};
}
