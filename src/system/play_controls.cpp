#include "system/play_controls.h"

#include "system/changer.h"
#include "system/screen_saver.h"

SystemSaverControl SystemSaverControls() {
    SystemSaverControl control;
    control.isActive = IsScreenSaverActive;
    control.enable = EnableScreenSaver;
    control.disable = DisableScreenSaver;
    control.stopChangerTimer = StopChangerTimer;
    control.startChangerTimer = StartChangerTimer;
    control.setStandard = SetStandardScreenSaver;
    return control;
}
