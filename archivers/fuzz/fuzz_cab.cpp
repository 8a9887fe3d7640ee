// libFuzzer target: the layout check every cabinet passes before the system's
// cabinet library reads it.
#include <cstddef>
#include <cstdint>

#include "cab_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    arc::MemorySource source(data, size);
    arc::CheckCabinetLayout(source);
    return 0;
}
