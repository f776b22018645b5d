#include <cstring>

#include "png/png_decoder.h"

namespace {

bool IsType(const unsigned char* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

}  // namespace

// Walks the chunks after IHDR up to IEND, gathering the image data, the
// palette and the transparency. CRCs are not checked.
void PngDecoder::ReadChunks(const unsigned char* data, size_t size, std::vector<unsigned char>& idat) {
    size_t pos = 33;
    for (;;) {
        if (pos + 8 >= size) {
            error = 30;
            return;
        }
        const uint32_t length = Read32BitInt(data + pos);
        pos += 4;
        if (length > 2147483647) {
            error = 63;
            return;
        }
        if (pos + 4 + length > size) {
            error = 35;
            return;
        }
        const unsigned char* type = data + pos;
        const unsigned char* chunk = type + 4;
        pos += 4 + length + 4;  // type, data, CRC

        if (IsType(type, "IDAT")) idat.insert(idat.end(), chunk, chunk + length);
        else if (IsType(type, "IEND")) return;
        else if (IsType(type, "PLTE")) ReadPalette(chunk, length);
        else if (IsType(type, "tRNS")) ReadTransparency(chunk, length);
        else if ((type[0] & 32) == 0) error = 69;  // a critical chunk we cannot skip
        if (error) return;
    }
}

void PngDecoder::ReadPalette(const unsigned char* chunk, uint32_t length) {
    const uint32_t entries = length / 3;
    if (entries > 256) {
        error = 38;
        return;
    }
    if (length % 3 != 0) {
        error = 44;
        return;
    }
    palette.resize(size_t(entries) * 4);
    for (uint32_t i = 0; i < entries; ++i) {
        std::memcpy(&palette[4 * i], chunk + 3 * i, 3);
        palette[4 * i + 3] = 255;
    }
}

void PngDecoder::ReadTransparency(const unsigned char* chunk, uint32_t length) {
    auto sample16 = [chunk](unsigned i) { return uint32_t(chunk[2 * i]) << 8 | chunk[2 * i + 1]; };
    switch (colorType) {
        case 3:
            if (length > palette.size() / 4) {
                error = 39;
                return;
            }
            for (uint32_t i = 0; i < length; ++i) palette[4 * i + 3] = chunk[i];
            return;
        case 0:
            if (length != 2) {
                error = 40;
                return;
            }
            keyRed = keyGreen = keyBlue = sample16(0);
            keyDefined = true;
            return;
        case 2:
            if (length != 6) {
                error = 41;
                return;
            }
            keyRed = sample16(0);
            keyGreen = sample16(1);
            keyBlue = sample16(2);
            keyDefined = true;
            return;
        default:
            error = 42;  // the image has its own alpha channel
    }
}
