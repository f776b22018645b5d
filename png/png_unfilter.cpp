#include <cstring>
#include <utility>

#include "png/adam7.h"
#include "png/png_decoder.h"

// Non-interlaced: each scanline is unfiltered against the one before it.
// At 8 bits per pixel or more the rows are unfiltered in place, each moving
// down over the filter bytes before it, so the scanlines become the image.
// Below that the rows are packed back to back without padding.
std::vector<unsigned char> PngDecoder::UnfilterImage(std::vector<unsigned char>& scanlines) {
    const unsigned bitsPerPixel = BitsPerPixel();
    const size_t bytesPerPixel = (bitsPerPixel + 7) / 8;
    const size_t lineBytes = LineBytes(width);
    if (bitsPerPixel >= 8) {
        unsigned char* data = scanlines.data();
        for (size_t y = 0; y < height && !error; ++y) {
            const unsigned char* in = data + y * (lineBytes + 1);
            unsigned char* row = data + y * lineBytes;
            UnfilterScanline(row, in + 1, y == 0 ? nullptr : row - lineBytes, bytesPerPixel, in[0], lineBytes);
        }
        scanlines.resize(height * lineBytes);
        return std::move(scanlines);
    }
    std::vector<unsigned char> image((uint64_t(height) * width * bitsPerPixel + 7) / 8);
    std::vector<unsigned char> line(lineBytes), previous(lineBytes);
    const size_t rowBits = size_t(width) * bitsPerPixel;
    for (size_t y = 0; y < height && !error; ++y) {
        const unsigned char* in = scanlines.data() + y * (lineBytes + 1);
        UnfilterScanline(line.data(), in + 1, y == 0 ? nullptr : previous.data(), 1, in[0], lineBytes);
        CopyBits(image.data(), y * rowBits, line.data(), 0, rowBits);
        std::swap(line, previous);
    }
    return image;
}

// Interlaced: the seven passes one after another, each over its own part of
// the scanlines.
std::vector<unsigned char> PngDecoder::Deinterlace(const std::vector<unsigned char>& scanlines) {
    std::vector<unsigned char> image((uint64_t(height) * width * BitsPerPixel() + 7) / 8);
    size_t offset = 0;
    for (unsigned pass = 0; pass < adam7::kPasses && !error; ++pass) {
        Adam7Pass(image, scanlines.data() + offset, pass);
        offset += PassBytes(pass);
    }
    return image;
}

// One Adam7 pass: its own scanlines, unfiltered against each other, then
// every pixel put in its place in the image.
void PngDecoder::Adam7Pass(std::vector<unsigned char>& image, const unsigned char* passData, unsigned pass) {
    const uint32_t passWidth = adam7::PassWidth(pass, width);
    const uint32_t passHeight = adam7::PassHeight(pass, height);
    if (passWidth == 0 || passHeight == 0) return;
    const unsigned bitsPerPixel = BitsPerPixel();
    const size_t bytesPerPixel = (bitsPerPixel + 7) / 8;
    const size_t lineBytes = LineBytes(passWidth);
    std::vector<unsigned char> lineNew(lineBytes), lineOld(lineBytes);
    for (size_t y = 0; y < passHeight; ++y) {
        const unsigned char* in = passData + y * (lineBytes + 1);
        UnfilterScanline(lineNew.data(), in + 1, y == 0 ? nullptr : lineOld.data(), bytesPerPixel, in[0], lineBytes);
        if (error) return;
        const size_t row = adam7::kFirstRow[pass] + adam7::kRowStep[pass] * y;
        for (size_t i = 0; i < passWidth; ++i) {
            const size_t pixel = row * width + adam7::kFirstColumn[pass] + adam7::kColumnStep[pass] * i;
            if (bitsPerPixel >= 8)
                std::memcpy(image.data() + pixel * bytesPerPixel, lineNew.data() + i * bytesPerPixel, bytesPerPixel);
            else
                CopyBits(image.data(), pixel * bitsPerPixel, lineNew.data(), i * bitsPerPixel, bitsPerPixel);
        }
        std::swap(lineNew, lineOld);
    }
}

// Copies count bits, most significant first, into a zeroed packed image.
void PngDecoder::CopyBits(unsigned char* dst, size_t dstBit, const unsigned char* src, size_t srcBit, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (ReadBitsFromReversedStream(srcBit, src, 1)) dst[(dstBit + i) >> 3] |= 0x80 >> ((dstBit + i) & 7);
    }
}
