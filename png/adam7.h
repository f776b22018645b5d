#pragma once
#include <cstdint>

// The seven passes of Adam7 interlacing: where each pass's pixels sit in
// the image.
namespace adam7 {

inline constexpr unsigned kPasses = 7;
inline constexpr uint32_t kFirstColumn[kPasses] = {0, 4, 0, 2, 0, 1, 0};
inline constexpr uint32_t kFirstRow[kPasses] = {0, 0, 4, 0, 2, 0, 1};
inline constexpr uint32_t kColumnStep[kPasses] = {8, 8, 4, 4, 2, 2, 1};
inline constexpr uint32_t kRowStep[kPasses] = {8, 8, 8, 4, 4, 2, 2};

inline uint32_t PassWidth(unsigned pass, uint32_t width) {
    return uint32_t((uint64_t(width) + kColumnStep[pass] - 1 - kFirstColumn[pass]) / kColumnStep[pass]);
}
inline uint32_t PassHeight(unsigned pass, uint32_t height) {
    return uint32_t((uint64_t(height) + kRowStep[pass] - 1 - kFirstRow[pass]) / kRowStep[pass]);
}

}  // namespace adam7
