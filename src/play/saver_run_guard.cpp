#include "play/saver_run_guard.h"

SystemSaverControl SystemSaver;

SaverRunGuard::SaverRunGuard() {
    if (SystemSaver.stopChangerTimer) SystemSaver.stopChangerTimer();
    wasActive_ = SystemSaver.isActive ? SystemSaver.isActive() : 0;
    if (SystemSaver.disable) SystemSaver.disable();
}

SaverRunGuard::~SaverRunGuard() {
    if (wasActive_ == 1 && SystemSaver.enable) SystemSaver.enable();
    if (SystemSaver.startChangerTimer) SystemSaver.startChangerTimer();
}
