// The program's options: an in-memory record backed by one registry key.
#pragma once
#include <windows.h>

#include <span>

#include "base/program_key.h"

inline constexpr const char* kSettingsKey = kProgramKey;  // under HKEY_CURRENT_USER

// Registry value names.
extern const char kEndSave[], kZOrder[], kLopPlay[], kChgTime[], kTskTray[], kScrSave[], kSSPos[],
    kSscBgn[], kSscTim[], kTimPtn[], kFulScr[];
extern const char kMainL[], kMainT[], kMainR[], kMainB[], kViewL[], kViewT[], kViewR[], kViewB[];
// 1 once the first start's offer of a first list was answered, either way.
extern const char kSmpOfr[];

struct Settings {
    int EndSave = 0;
    int ZOrder = 0;
    int LopPlay = 0;
    int ChgTime = 30;
    int TskTray = 0;
    int ScrSave = 0;
    int SSPos = 4;
    int SscBgn = 0;
    int SscTim = 0;
    int TimPtn = 1;
    // Immediate start waits while a full-screen program is in use (on
    // when not 0); settings stored before the option existed mean on.
    int FulScr = 1;
    int MainL = 0, MainT = 0, MainR = 0, MainB = 0;
    int ViewL = 0, ViewT = 0, ViewR = 0, ViewB = 0;
};
extern Settings AppSettings;

// True when the settings key holds any value: the program ran here before.
bool AnySettingStored();
int ReadSettingDword(const char* valueName, int* field);
void WriteSettingDword(const char* valueName, int value);
// Several values, in the order given, through one opening of the key.
struct SettingValue {
    const char* name;
    int value;
};
void WriteSettingDwords(std::span<const SettingValue> values);
void LoadSettings();
void LoadPlayWindowRect();
// Store the window's normal rectangle when saving positions is on.
void SaveMainWindowRect(HWND mainWindow);
void SavePlayWindowRect(HWND playWindow);

// Rectangles are stored in workspace coordinates, as the window placement
// gives them (monitors.h), and put back in screen coordinates, so that a
// window comes back where it was whatever side the task bar is on.
// Moves a window to a stored rectangle when saving positions is on and the
// rectangle is usable: not empty and no wider or higher than an int holds.
// When less than half of it lies on the monitors, the window goes into the
// work area of the monitor nearest to it instead.
void ApplyStoredRect(HWND window, int left, int top, int right, int bottom);
