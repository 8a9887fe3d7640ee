// What list playback is given by the program: the list's selection, its
// options from the settings record and the play window's stored rectangle.
#pragma once

struct PlayConnections;

void ConnectListPlayback(PlayConnections& play);
