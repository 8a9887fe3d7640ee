#include "app/command_policy.h"

#include "app/commands.h"
#include "base/long_operation.h"

namespace {

enum class WhileBusy {
    Runs,      // touches neither the list nor the thread for long: runs at once
    Waits,     // carried out once the operation has ended
    EndsItFirst,  // asks the operation to end, then is carried out
    Ignored,   // would edit the list or start a second long operation: dropped with a beep
};

struct CommandPolicy {
    int command;
    WhileBusy busy;
};

// Every command not listed here is ignored while the list is busy: the list
// file commands, adding and editing, running entries, playback, the
// settings dialog and the toolbar customisation.
const CommandPolicy kPolicies[] = {
    {kCmdEnterTray, WhileBusy::Runs},
    {kCmdLeaveTray, WhileBusy::Runs},
    {kCmdDisplayProperties, WhileBusy::Runs},
    {kCmdHelp, WhileBusy::Runs},
    {kCmdAbout, WhileBusy::Runs},
    {kCmdSaverOff, WhileBusy::Runs},
    {kCmdSaverOn, WhileBusy::Runs},
    {kCmdSaverNow, WhileBusy::Runs},
    {kCmdWait1, WhileBusy::Runs},
    {kCmdWait2, WhileBusy::Runs},
    {kCmdWait3, WhileBusy::Runs},
    {kCmdWait4, WhileBusy::Runs},
    {kCmdWait5, WhileBusy::Runs},
    {kCmdWait10, WhileBusy::Runs},
    {kCmdWait15, WhileBusy::Runs},
    {kCmdWait20, WhileBusy::Runs},
    // The defragmenter blocks the thread until it ends: it starts afterwards.
    {kCmdDefrag, WhileBusy::Waits},
    {kCmdExit, WhileBusy::EndsItFirst},
};

WhileBusy CommandWhileBusy(int command) {
    for (const CommandPolicy& p : kPolicies)
        if (p.command == command) return p.busy;
    return WhileBusy::Ignored;
}

}  // namespace

bool AdmitCommand(HWND window, WPARAM wParam) {
    if (RunningLongOperation() == LongOperation::None) return true;
    switch (CommandWhileBusy(LOWORD(wParam))) {
    case WhileBusy::Runs:
        return true;
    case WhileBusy::Waits:
        DeferUntilLongOperationEnds(window, wParam, false);
        return false;
    case WhileBusy::EndsItFirst:
        DeferUntilLongOperationEnds(window, wParam, true);
        return false;
    case WhileBusy::Ignored:
    default:
        MessageBeep(MB_ICONWARNING);
        return false;
    }
}
