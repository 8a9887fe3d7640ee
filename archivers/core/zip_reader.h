// ZIP archives: stored and deflated members, data descriptors, ZIP64 sizes.
// Names are passed through as stored (code page 932 in practice).
#pragma once
#include "archive.h"
