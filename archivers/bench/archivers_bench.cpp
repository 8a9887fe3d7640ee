// Decodes every member of the archives named on the command line (checksums
// verified, output discarded) and prints the time taken and the bytes produced.
// Usage: archivers_bench [-r repeat] archive...
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "archive.h"

int main(int argc, char** argv) {
    int repeat = 1;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "-r") == 0) {
        repeat = std::atoi(argv[2]);
        first = 3;
    }
    int failures = 0;
    for (int a = first; a < argc; ++a) {
        const std::string path = argv[a];
        const bool zip = path.size() > 4 && (path.compare(path.size() - 4, 4, ".zip") == 0);
        const auto start = std::chrono::steady_clock::now();
        uint64_t bytes = 0;
        for (int r = 0; r < repeat; ++r) {
            arc::FileSource source;
            std::unique_ptr<arc::Archive> archive;
            if (!source.Open(path) || (zip ? arc::OpenZip(source, archive) : arc::OpenLzh(source, archive)) != arc::Status::Ok) {
                std::fprintf(stderr, "%s: cannot open\n", path.c_str());
                return 2;
            }
            for (size_t i = 0; i < archive->Members().size(); ++i) {
                if (archive->Members()[i].directory) continue;
                arc::CountingSink sink;
                const arc::Status s = archive->Extract(i, sink);
                if (s != arc::Status::Ok) {
                    std::fprintf(stderr, "%s: %s: %s\n", path.c_str(), archive->Members()[i].path.c_str(), arc::StatusText(s));
                    ++failures;
                }
                bytes += sink.count;
            }
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s %.4f s %llu bytes %.1f MB/s\n", path.c_str(), seconds, static_cast<unsigned long long>(bytes),
                    bytes / seconds / 1e6);
    }
    return failures ? 1 : 0;
}
