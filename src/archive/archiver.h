// Access to the archiver libraries (LZH, ZIP, CAB).
#pragma once

extern int ArchiverPresent[3];  // 0 LZH, 1 ZIP, 2 CAB

int IsArchiverPresent(int index);
