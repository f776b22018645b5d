// Any bytes as a PNG file, decoded with and without conversion.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<unsigned char> pixels;
    unsigned width = 0, height = 0;
    if (decodePNG(pixels, width, height, data, size, true) == 0 && pixels.size() != size_t(width) * height * 4)
        __builtin_trap();
    decodePNG(pixels, width, height, data, size, false);
    return 0;
}
