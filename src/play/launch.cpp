#include "play/launch.h"

// Playing entries arrives with the playback work; until then a preview
// request (command or double click) has nothing to run.
void PreviewEntry() {}
