// What the system side hands to playing code: its screen saver setting, the
// changer timer and the standard screen saver writer.
#pragma once

#include "play/saver_run_guard.h"

SystemSaverControl SystemSaverControls();
