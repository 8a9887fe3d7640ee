// libFuzzer target: open a ZIP archive from the input and decode every member.
#include <cstddef>
#include <cstdint>

#include "archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    arc::MemorySource source(data, size);
    std::unique_ptr<arc::Archive> archive;
    if (arc::OpenZip(source, archive) != arc::Status::Ok) return 0;
    for (size_t i = 0; i < archive->Members().size() && i < 64; ++i) {
        arc::CountingSink sink(1u << 20);  // declared sizes may be gigabytes
        archive->Extract(i, sink);
    }
    return 0;
}
