// ZIP archives: stored and deflated members, data descriptors, ZIP64 sizes.
// Names are passed through as stored (code page 932 in practice); names
// flagged as UTF-8 can be handed to a decoder for the caller's code page.
#pragma once
#include "archive.h"
