// LZH archives: header levels 0, 1 and 2; methods -lh0-, -lh5-, -lh6-, -lh7-;
// -lhd- entries are folders.
#pragma once
#include "archive.h"
