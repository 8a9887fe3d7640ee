#include "play/saver_run_guard.h"

#include "play/play_connections.h"

SaverRunGuard::SaverRunGuard() {
    if (Play.stopChangerTimer) Play.stopChangerTimer(Play.owner);
    wasActive_ = Play.isSaverActive ? Play.isSaverActive() : 0;
    if (Play.disableSaver) Play.disableSaver();
}

SaverRunGuard::~SaverRunGuard() {
    if (wasActive_ == 1 && Play.enableSaver) Play.enableSaver();
    if (Play.startChangerTimer) Play.startChangerTimer(Play.owner);
}
