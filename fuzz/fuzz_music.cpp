#include "fuzz_entries.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    loadFuzzInput(
        FuzzFamily::Music, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
