// The archiver libraries as the list's adding commands reach them.
#pragma once
#include "list/archive_access.h"

// The libraries start-up found, listed through the archive adapter.
ArchiveAccess InstalledArchives();
