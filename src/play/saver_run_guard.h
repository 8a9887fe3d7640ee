// While the program runs a screen saver itself, the system must not start its
// own and the changer must not step in. Those controls belong to the system
// side, which hands them over when the main window is created; playing code
// reaches them only through this record.
#pragma once

struct SystemSaverControl {
    int (*isActive)() = nullptr;           // the system's active setting, 1 or 0
    int (*enable)() = nullptr;
    int (*disable)() = nullptr;
    void (*stopChangerTimer)() = nullptr;
    void (*startChangerTimer)() = nullptr;  // sets the timer only when the changer is on
    void (*setStandard)() = nullptr;        // makes ShortSaverPath the standard screen saver
};

extern SystemSaverControl SystemSaver;

// For the length of a run: the changer timer stopped, the active setting off,
// and afterwards the setting on again only if it was on, the timer set again.
class SaverRunGuard {
public:
    SaverRunGuard();
    ~SaverRunGuard();
    SaverRunGuard(const SaverRunGuard&) = delete;
    SaverRunGuard& operator=(const SaverRunGuard&) = delete;

private:
    int wasActive_ = 0;
};
