// List playback as the program runs it: commands 6201 and 6202, each a long
// operation on the list, with what playback needs from the list, the
// settings and the system's screen saver handed over.
#pragma once

struct PlaybackHost;

// Command 6201: the list full screen from the selected row.
void PlayListFullScreenCommand();
// Command 6202: the play window, which starts playing when it shows.
void ShowPlayWindowCommand();
// What playback is given by the program.
const PlaybackHost& ProgramPlaybackHost();
