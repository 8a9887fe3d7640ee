// unlha32.dll: LZH archives.
#include "archiver_api.h"

namespace {
arc::Status OpenLzhFile(const std::string& path, std::unique_ptr<arc::Source>& keep, std::unique_ptr<arc::Archive>& a) {
    return archiver::OpenFileArchive(path, keep, a, arc::OpenLzh);
}
const archiver::Kind kLzh{"UNLHA32.DLL", true, 100, OpenLzhFile};
}  // namespace

ARCHIVER_EXPORTS(Unlha, kLzh)
