// The system's own screen saver: its active setting, waiting time, standard
// screen saver and starting it now, and the program's record of the setting.
#pragma once

extern int ScreenSaverActive;  // the program's idea of whether it is on

int IsScreenSaverActive();
int EnableScreenSaver();
int DisableScreenSaver();
// Makes the file named by the short path the system's standard screen saver;
// an empty short path changes nothing.
void SetStandardScreenSaver();
void SetScreenSaverTimeout(int minutes);
void StartScreenSaverNow();
// Runs the disk defragmenter and keeps the screen saver off meanwhile.
void RunDefragWithoutScreenSaver();
