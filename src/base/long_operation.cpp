#include "base/long_operation.h"

#include <utility>
#include <vector>

namespace {

// The one record of the running operation.
struct LongOperationState {
    LongOperation running = LongOperation::None;
    void (*requestStop)() = nullptr;  // asks the running operation to end soon
    HWND deferredTarget = nullptr;    // receives the deferred commands as WM_COMMAND
    std::vector<WPARAM> deferredCommands;
};
LongOperationState state;

}  // namespace

LongOperationScope::LongOperationScope(LongOperation kind, void (*requestStop)()) {
    if (state.running != LongOperation::None || kind == LongOperation::None) return;
    state.running = kind;
    state.requestStop = requestStop;
    claimed_ = true;
}

LongOperationScope::~LongOperationScope() {
    if (!claimed_) return;
    std::vector<WPARAM> commands = std::move(state.deferredCommands);
    HWND target = state.deferredTarget;
    state = LongOperationState{};
    // Posted, not run here: they run from the message loop once this
    // operation's handler has returned.
    for (WPARAM command : commands) PostMessageA(target, WM_COMMAND, command, 0);
}

LongOperation RunningLongOperation() {
    return state.running;
}

void DeferUntilLongOperationEnds(HWND target, WPARAM command, bool stopFirst) {
    if (state.running == LongOperation::None) return;
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
