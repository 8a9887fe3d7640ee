#include "list/list_operation.h"

#include <utility>

namespace {
ListOperationState state;
}  // namespace

ListOperationScope::ListOperationScope(ListOperation kind, void (*requestStop)()) {
    if (state.running != ListOperation::None || kind == ListOperation::None) return;
    state.running = kind;
    state.requestStop = requestStop;
    claimed_ = true;
}

ListOperationScope::~ListOperationScope() {
    if (!claimed_) return;
    std::vector<WPARAM> commands = std::move(state.deferredCommands);
    HWND target = state.deferredTarget;
    state = ListOperationState{};
    // Posted, not run here: they run from the message loop once this
    // operation's handler has returned.
    for (WPARAM command : commands) PostMessageA(target, WM_COMMAND, command, 0);
}

ListOperation RunningListOperation() {
    return state.running;
}

void DeferUntilListOperationEnds(HWND target, WPARAM command, bool stopFirst) {
    if (state.running == ListOperation::None) return;
    state.deferredTarget = target;
    bool known = false;
    for (WPARAM c : state.deferredCommands) known = known || c == command;
    if (!known) state.deferredCommands.push_back(command);
    if (stopFirst && state.requestStop) state.requestStop();
}

bool PumpOneMessage(HWND dialog) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (dialog && IsDialogMessageA(dialog, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}
