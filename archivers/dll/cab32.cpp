// cab32.dll: cabinet files, decoded by the system's cabinet.dll.
#include "archiver_api.h"

namespace {
const archiver::Kind kCab{"CAB32.DLL", false, 100, archiver::OpenCabinet, archiver::OpenCabinetToExtract};
}  // namespace

ARCHIVER_EXPORTS(Cab, kCab)
