#include "base/user_input.h"

namespace {

DWORD LastInputTick() {
    LASTINPUTINFO input{};
    input.cbSize = sizeof input;
    return GetLastInputInfo(&input) ? input.dwTime : 0;
}

POINT PointerNow() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

}  // namespace

UserInputWatch::UserInputWatch() : lastInput_(LastInputTick()), pointer_(PointerNow()) {
    // The first read also clears the "pressed since the last read" marks
    // that older key presses left.
    KeysChanged();
}

bool UserInputWatch::KeysChanged() {
    bool changed = false;
    // Virtual-key codes 1 to 254: the mouse buttons and every key.
    for (int key = 1; key < 255; ++key) {
        const SHORT state = GetAsyncKeyState(key);
        const bool down = (state & 0x8000) != 0;
        if ((state & 0x0001) || down != down_[key]) changed = true;
        down_[key] = down;
    }
    return changed;
}

bool UserInputWatch::UserActedSinceLastLook() {
    // The pointer is read before the input time and again after it, so that
    // a move made between the two reads is seen now or at the next look.
    const POINT before = PointerNow();
    const DWORD lastInput = LastInputTick();
    if (lastInput == lastInput_) {
        // No input: a program moved the pointer if it moved (SetCursorPos),
        // and a report that comes later must not be taken for that move.
        pointer_ = before;
        return false;
    }
    lastInput_ = lastInput;
    const POINT after = PointerNow();
    const bool moved = before.x != pointer_.x || before.y != pointer_.y || after.x != pointer_.x || after.y != pointer_.y;
    pointer_ = after;
    // Keys are read only when there was input: a look costs a call per key.
    const bool keys = KeysChanged();
    return moved || keys;
}
