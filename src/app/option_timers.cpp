#include "app/option_timers.h"

#include "settings/settings.h"
#include "settings/settings_dialog.h"
#include "system/changer.h"
#include "system/corner_timer.h"

void StartCornerTimerFromSettings(HWND mainWindow) {
    SetCornerOptions({AppSettings.ScrSave, AppSettings.SSPos, AppSettings.FulScr});
    StartCornerTimer(mainWindow);
}

void HandChangerOptionsOver() {
    SetChangerOptions({AppSettings.SscTim, AppSettings.ChgTime, AppSettings.TimPtn, AppSettings.SscBgn});
}

void StartChangerTimerFromSettings(HWND mainWindow) {
    HandChangerOptionsOver();
    StartChangerTimer(mainWindow);
}

const OptionTimers& ProgramOptionTimers() {
    static const OptionTimers timers{StartCornerTimerFromSettings, StopCornerTimer, StartChangerTimerFromSettings,
                                     StopChangerTimer};
    return timers;
}
