// unzip32.dll: ZIP archives.
#include "archiver_api.h"

namespace {
arc::Status OpenZipFile(const std::string& path, std::unique_ptr<arc::Source>& keep, std::unique_ptr<arc::Archive>& a) {
    return archiver::OpenFileArchive(path, keep, a, true);
}
const archiver::Kind kZip{"UNZIP32.DLL", false, 100, OpenZipFile};
}  // namespace

ARCHIVER_EXPORTS(UnZip, kZip)
