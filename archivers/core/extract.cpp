#include "extract.h"

#include "names.h"

namespace arc {

size_t FindMemberToExtract(const std::vector<Member>& members, const std::string& pattern) {
    auto usable = [](const Member& m) { return !m.directory && !m.nameUnusable; };
    // The member whose whole path is the name asked for comes first: the
    // root's hello.txt, never EAS\hello.txt stored before it.
    for (size_t i = 0; i < members.size(); ++i)
        if (usable(members[i]) && MatchesWholePath(pattern, members[i].path)) return i;
    // Lists keep a member's file name alone: then a member in a folder.
    for (size_t i = 0; i < members.size(); ++i)
        if (usable(members[i]) && MatchesWildcard(pattern, members[i].path)) return i;
    return SIZE_MAX;
}

bool EndsWithSeparator(const std::string& path) {
    bool last = false;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        last = false;
        if (IsLeadByte(c)) {
            ++i;
            continue;
        }
        last = c == '\\' || c == '/';
    }
    return last;
}

Status ExtractToFolder(Archive& archive, size_t index, const std::string& folder, std::string& written) {
    written.clear();
    if (index >= archive.Members().size()) return Status::Unsupported;
    const std::string name = SafeFileName(archive.Members()[index].path);
    if (name.empty()) return Status::BadName;
    std::string path = folder;
#ifdef _WIN32
    if (!path.empty() && !EndsWithSeparator(path)) path += '\\';
#else
    if (!path.empty() && !EndsWithSeparator(path)) path += '/';
#endif
    path += name;
    if (path.size() >= 256) return Status::BadName;  // would not fit a Windows path with the temporary suffix
    FileSink sink;
    if (!sink.Create(path)) return Status::WriteFailed;
    const Status s = archive.Extract(index, sink);
    if (s != Status::Ok) return s;  // the sink deletes the partial file
    if (!sink.Commit()) return Status::WriteFailed;
    written = path;
    return Status::Ok;
}

}  // namespace arc
