#include "play/launch.h"

char ShortSaverPath[256];

// Playing entries arrives with the playback work; until then a preview
// request (command or double click) has nothing to run.
void PreviewEntry() {}
