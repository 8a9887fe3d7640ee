#include "app/command_policy.h"

#include "app/commands.h"
#include "list/list_operation.h"

namespace {

struct CommandPolicy {
    int command;
    WhileListBusy busy;
};

// Every command not listed here is ignored while the list is busy: the list
// file commands, adding and editing, running entries, playback, the
// settings dialog and the toolbar customisation.
const CommandPolicy kPolicies[] = {
    {kCmdEnterTray, WhileListBusy::Runs},
    {kCmdLeaveTray, WhileListBusy::Runs},
    {kCmdDisplayProperties, WhileListBusy::Runs},
    {kCmdHelp, WhileListBusy::Runs},
    {kCmdAbout, WhileListBusy::Runs},
    {kCmdSaverOff, WhileListBusy::Runs},
    {kCmdSaverOn, WhileListBusy::Runs},
    {kCmdSaverNow, WhileListBusy::Runs},
    {kCmdWait1, WhileListBusy::Runs},
    {kCmdWait2, WhileListBusy::Runs},
    {kCmdWait3, WhileListBusy::Runs},
    {kCmdWait4, WhileListBusy::Runs},
    {kCmdWait5, WhileListBusy::Runs},
    {kCmdWait10, WhileListBusy::Runs},
    {kCmdWait15, WhileListBusy::Runs},
    {kCmdWait20, WhileListBusy::Runs},
    // The defragmenter blocks the thread until it ends: it starts afterwards.
    {kCmdDefrag, WhileListBusy::Waits},
    {kCmdExit, WhileListBusy::EndsItFirst},
};

}  // namespace

WhileListBusy CommandWhileListBusy(int command) {
    for (const CommandPolicy& p : kPolicies)
        if (p.command == command) return p.busy;
    return WhileListBusy::Ignored;
}

bool AdmitCommand(HWND window, WPARAM wParam) {
    if (RunningListOperation() == ListOperation::None) return true;
    switch (CommandWhileListBusy(LOWORD(wParam))) {
    case WhileListBusy::Runs:
        return true;
    case WhileListBusy::Waits:
        DeferUntilListOperationEnds(window, wParam, false);
        return false;
    case WhileListBusy::EndsItFirst:
        DeferUntilListOperationEnds(window, wParam, true);
        return false;
    case WhileListBusy::Ignored:
    default:
        MessageBeep(MB_ICONWARNING);
        return false;
    }
}
