// Any bytes as a zlib stream.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/zlib_inflate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<unsigned char> in(data, data + size);
    std::vector<unsigned char> out;
    ZlibInflate(out, in);
    return 0;
}
