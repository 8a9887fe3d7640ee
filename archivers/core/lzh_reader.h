// LZH archives: header levels 0, 1 and 2; methods -lh0-, -lh1-, -lh5-, -lh6-,
// -lh7-, -lhx-; -lhd- entries and -lh0- entries named with a trailing '/' are
// folders. Other methods are listed and refused; level 3 headers are refused.
#pragma once
#include "archive.h"
