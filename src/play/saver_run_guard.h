// While the program runs a screen saver itself, the system must not start its
// own and the changer must not step in.
#pragma once

// For the length of a run: the changer timer stopped, the system's active
// setting off, and afterwards the setting on again only if it was on, and the
// timer set again.
class SaverRunGuard {
public:
    SaverRunGuard();
    ~SaverRunGuard();
    SaverRunGuard(const SaverRunGuard&) = delete;
    SaverRunGuard& operator=(const SaverRunGuard&) = delete;

private:
    int wasActive_ = 0;
};
