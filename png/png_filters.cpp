#include <cstdlib>
#include <cstring>

#include "png/png_decoder.h"

namespace {

// out = x + y bytewise, sixteen bytes at a step; out may start before x.
void AddBytes(unsigned char* out, const unsigned char* x, const unsigned char* y, size_t length) {
    using Bytes16 = unsigned char __attribute__((vector_size(16)));
    size_t i = 0;
    for (; i + 16 <= length; i += 16) {
        Bytes16 a, b;
        std::memcpy(&a, x + i, 16);
        std::memcpy(&b, y + i, 16);
        a += b;
        std::memcpy(out + i, &a, 16);
    }
    for (; i < length; ++i) out[i] = x[i] + y[i];
}

// A filter that predicts from the left neighbour a, the byte above b and
// the byte above-left c. The pixel width is fixed at compile time so the
// left pixel stays in registers instead of being read back from recon.
template <size_t kBytes, bool kAbove, typename Predict>
void UnfilterPixels(unsigned char* recon, const unsigned char* scanline, const unsigned char* previous, size_t length,
                    Predict predict) {
    unsigned char left[kBytes] = {}, upLeft[kBytes] = {};
    for (size_t i = 0; i < length; i += kBytes) {
#pragma GCC unroll 8
        for (size_t k = 0; k < kBytes; ++k) {
            const unsigned char up = kAbove ? previous[i + k] : 0;
            left[k] = (unsigned char)(scanline[i + k] + predict(left[k], up, upLeft[k]));
            upLeft[k] = up;
            recon[i + k] = left[k];
        }
    }
}

template <size_t kBytes, typename Predict>
void UnfilterPixels(unsigned char* recon, const unsigned char* scanline, const unsigned char* previous, size_t length,
                    Predict predict) {
    if (previous) UnfilterPixels<kBytes, true>(recon, scanline, previous, length, predict);
    else UnfilterPixels<kBytes, false>(recon, scanline, previous, length, predict);
}

// Lines are whole pixels of 1, 2, 3, 4, 6 or 8 bytes.
template <typename Predict>
void UnfilterWithLeft(unsigned char* recon, const unsigned char* scanline, const unsigned char* previous,
                      size_t bytesPerPixel, size_t length, Predict predict) {
    switch (bytesPerPixel) {
        case 1: return UnfilterPixels<1>(recon, scanline, previous, length, predict);
        case 2: return UnfilterPixels<2>(recon, scanline, previous, length, predict);
        case 3: return UnfilterPixels<3>(recon, scanline, previous, length, predict);
        case 4: return UnfilterPixels<4>(recon, scanline, previous, length, predict);
        case 6: return UnfilterPixels<6>(recon, scanline, previous, length, predict);
        default: return UnfilterPixels<8>(recon, scanline, previous, length, predict);
    }
}

}  // namespace

// Reverses one scanline's filter into recon, all arithmetic modulo 256. The
// left neighbour of the first pixel and every byte above the first line
// count as 0. Recon may start before the scanline in the same buffer: each
// byte is read before anything is written over it.
void PngDecoder::UnfilterScanline(unsigned char* recon, const unsigned char* scanline, const unsigned char* previous,
                                  size_t bytesPerPixel, unsigned filterType, size_t length) {
    switch (filterType) {
        case 0:
            std::memmove(recon, scanline, length);
            return;
        case 1:
            UnfilterWithLeft(recon, scanline, previous, bytesPerPixel, length, [](int a, int, int) { return a; });
            return;
        case 2:
            if (previous) AddBytes(recon, scanline, previous, length);
            else std::memmove(recon, scanline, length);
            return;
        case 3:
            UnfilterWithLeft(recon, scanline, previous, bytesPerPixel, length,
                             [](int a, int b, int) { return (a + b) >> 1; });
            return;
        case 4:
            UnfilterWithLeft(recon, scanline, previous, bytesPerPixel, length,
                             [](int a, int b, int c) { return PaethPredictor(int16_t(a), int16_t(b), int16_t(c)); });
            return;
        default:
            error = 36;
    }
}

// Written as selections rather than branches: on real images the choice is
// close to random.
unsigned char PngDecoder::PaethPredictor(int16_t a, int16_t b, int16_t c) {
    const int16_t p = int16_t(a + b - c);
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    int16_t predicted = pb <= pc ? b : c;
    predicted = pa <= pb && pa <= pc ? a : predicted;
    return (unsigned char)predicted;
}
