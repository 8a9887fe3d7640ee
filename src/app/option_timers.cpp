#include "app/option_timers.h"

#include "app/launch_connections.h"
#include "settings/settings.h"
#include "settings/settings_dialog.h"
#include "system/changer.h"
#include "system/corner_timer.h"

void StartCornerTimerFromSettings(HWND mainWindow) {
    SetCornerOptions({AppSettings.ScrSave, AppSettings.SSPos});
    StartCornerTimer(mainWindow);
}

const OptionTimers& ProgramOptionTimers() {
    static const OptionTimers timers{StartCornerTimerFromSettings, StopCornerTimer, StartChangerTimerFromSettings,
                                     StopChangerTimer};
    return timers;
}
