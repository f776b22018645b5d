#include <cstring>

#include "png/png_decoder.h"

// A 16-bit sample contributes its most significant byte; the transparency
// key is matched against the whole sample.
void PngDecoder::Convert(unsigned char* out, const unsigned char* line, size_t count) {
    if (bitDepth < 8) ConvertPacked(out, line, count);
    else ConvertWholeBytes(out, line, count);
}

void PngDecoder::ConvertWholeBytes(unsigned char* out, const unsigned char* image, size_t pixels) {
    const size_t sampleBytes = bitDepth / 8;
    const size_t pixelBytes = BitsPerPixel() / 8;
    const size_t paletteEntries = palette.size() / 4;
    for (size_t i = 0; i < pixels; ++i, out += 4) {
        const unsigned char* pixel = image + i * pixelBytes;
        auto sample = [&](unsigned channel) -> uint32_t {
            const unsigned char* s = pixel + channel * sampleBytes;
            return sampleBytes == 2 ? uint32_t(s[0]) << 8 | s[1] : s[0];
        };
        auto high = [&](unsigned channel) { return pixel[channel * sampleBytes]; };
        switch (colorType) {
            case 0:
                out[0] = out[1] = out[2] = high(0);
                out[3] = keyDefined && sample(0) == keyRed ? 0 : 255;
                break;
            case 2:
                out[0] = high(0);
                out[1] = high(1);
                out[2] = high(2);
                out[3] = keyDefined && sample(0) == keyRed && sample(1) == keyGreen && sample(2) == keyBlue ? 0 : 255;
                break;
            case 3:
                if (pixel[0] >= paletteEntries) {
                    error = 46;
                    return;
                }
                std::memcpy(out, &palette[4 * pixel[0]], 4);
                break;
            case 4:
                out[0] = out[1] = out[2] = high(0);
                out[3] = high(1);
                break;
            case 6:
                for (unsigned c = 0; c < 4; ++c) out[c] = high(c);
                break;
        }
    }
}

// Grey and palette images of 1, 2 or 4 bits per pixel.
void PngDecoder::ConvertPacked(unsigned char* out, const unsigned char* image, size_t pixels) {
    const uint32_t maxSample = (1u << bitDepth) - 1;
    const size_t paletteEntries = palette.size() / 4;
    size_t bitPos = 0;
    for (size_t i = 0; i < pixels; ++i, out += 4) {
        const uint32_t value = ReadBitsFromReversedStream(bitPos, image, bitDepth);
        if (colorType == 0) {
            out[0] = out[1] = out[2] = (unsigned char)(value * 255 / maxSample);
            out[3] = keyDefined && value == keyRed ? 0 : 255;
        } else if (value >= paletteEntries) {
            error = 47;
            return;
        } else {
            std::memcpy(out, &palette[4 * value], 4);
        }
    }
}

uint32_t PngDecoder::ReadBitsFromReversedStream(size_t& bitPos, const unsigned char* bits, unsigned k) {
    uint32_t value = 0;
    for (unsigned i = 0; i < k; ++i, ++bitPos) value = (value << 1) | ((bits[bitPos >> 3] >> (7 - (bitPos & 7))) & 1);
    return value;
}
