// Any bytes as a PNG file, decoded with and without conversion. Every
// allocation is counted, and a decode may hold at its peak no more than its
// picture (as the header gives it), a few of its lines, twice the input and
// a fixed amount: memory follows what the header claims, never what the
// data inflates to.
#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/png.h"

namespace {

// Kept by the sanitizer allocator's hooks, which see every allocation
// (malloc and new alike) of the run.
std::atomic<size_t> live{0}, peak{0};

void CountAllocation(const volatile void*, size_t size) {
    const size_t now = live += size;
    for (size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
}

void CountFree(const volatile void* block) {
    live -= __sanitizer_get_allocated_size(const_cast<const void*>(block));
}

uint32_t BigEndian(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

// What the decode may hold at most, from the header's width, height and
// pixel layout. Before the header is read nothing proportional to it is.
size_t Allowed(const uint8_t* data, size_t size, bool convert) {
    size_t picture = 0, line = 0;
    if (size >= 29) {
        const uint64_t width = BigEndian(data + 16), height = BigEndian(data + 20);
        const uint64_t bits = uint64_t(data[24]) * 4;  // the most a pixel can have: four samples
        const uint64_t pixels = width * height;
        if (width <= kMaxPngSide && height <= kMaxPngSide) {
            picture = convert ? pixels * 4 : (pixels * bits + 7) / 8;
            line = (width * bits + 7) / 8 + 1 + width * 4;
        }
    }
    return picture + 4 * line + 2 * size + (size_t{1} << 20);
}

void CheckDecode(const uint8_t* data, size_t size, bool convert) {
    std::vector<unsigned char> pixels;
    unsigned width = 0, height = 0;
    const size_t before = live;
    peak = before;
    const int error = decodePNG(pixels, width, height, data, size, convert);
    if (convert && error == 0 && pixels.size() != size_t(width) * height * 4) __builtin_trap();
    if (peak - before > Allowed(data, size, convert)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    __sanitizer_install_malloc_and_free_hooks(CountAllocation, CountFree);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckDecode(data, size, true);
    CheckDecode(data, size, false);
    return 0;
}
