#include "app/option_timers.h"

#include "settings/settings.h"
#include "settings/settings_dialog.h"
#include "system/corner_timer.h"

void StartCornerTimerFromSettings(HWND mainWindow) {
    SetCornerOptions({AppSettings.ScrSave, AppSettings.SSPos});
    StartCornerTimer(mainWindow);
}

const OptionTimers& ProgramOptionTimers() {
    // The changer's timer is not built yet; the dialog skips what is missing.
    static const OptionTimers timers{StartCornerTimerFromSettings, StopCornerTimer, nullptr, nullptr};
    return timers;
}
