// unzip32.dll: ZIP archives.
#include "archiver_api.h"

namespace {

arc::Status OpenZipSource(arc::Source& source, std::unique_ptr<arc::Archive>& a) {
    return arc::OpenZipDecodingUtf8(source, a, archiver::CodePage932FromUtf8);
}
arc::Status OpenZipFile(const std::string& path, std::unique_ptr<arc::Source>& keep, std::unique_ptr<arc::Archive>& a) {
    return archiver::OpenFileArchive(path, keep, a, OpenZipSource);
}
const archiver::Kind kZip{"UNZIP32.DLL", false, 100, OpenZipFile};

}  // namespace

ARCHIVER_EXPORTS(UnZip, kZip)
