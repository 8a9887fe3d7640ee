// Running a list entry: preparing it and starting the screen saver.
#pragma once

void PreviewEntry();
