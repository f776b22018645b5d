#include "png/scanline_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "png/adam7.h"
#include "png/png_decoder.h"

ScanlineReader::ScanlineReader(PngDecoder& png, std::vector<unsigned char>* image, bool toRgba)
    : png(png), image(image), toRgba(toRgba), pixelBits(png.BitsPerPixel()), imageBits(toRgba ? 32 : pixelBits) {
    const size_t longest = png.LineBytes(png.width);
    filtered.resize(longest + 1);
    line.resize(longest);
    previous.resize(longest);
    if (toRgba) rgba.resize(size_t(png.width) * 4);
    StartPass(0);
}

uint64_t ScanlineReader::ImageBytes() const { return RowEnd(png.height - 1); }

uint64_t ScanlineReader::RowEnd(size_t row) const {
    return ((uint64_t(row) + 1) * png.width * imageBits + 7) / 8;
}

// Moves on to the first pass from `first` that holds pixels. Without
// interlacing the one pass is the whole image.
void ScanlineReader::StartPass(unsigned first) {
    y = 0;
    filled = 0;
    if (png.interlaceMethod == 0) {
        pass = first == 0 ? 0 : kDone;
        passWidth = png.width;
        passHeight = png.height;
    } else {
        for (pass = first; pass < adam7::kPasses; ++pass) {
            passWidth = adam7::PassWidth(pass, png.width);
            passHeight = adam7::PassHeight(pass, png.height);
            if (passWidth != 0 && passHeight != 0) break;
        }
    }
    lineBytes = png.LineBytes(passWidth);
}

uint32_t ScanlineReader::Take(const unsigned char* bytes, size_t size) {
    while (size > 0) {
        if (pass == kDone) return kAllLinesIn;
        const size_t wanted = lineBytes + 1 - filled;
        if (filled == 0 && size >= wanted) {
            // A whole line in the piece: unfiltered where it lies.
            FinishLine(bytes);
        } else {
            const size_t take = std::min(size, wanted);
            std::memcpy(filtered.data() + filled, bytes, take);
            filled += take;
            if (filled < lineBytes + 1) return 0;
            FinishLine(filtered.data());
        }
        bytes += wanted;
        size -= wanted;
    }
    return 0;
}

void ScanlineReader::FinishLine(const unsigned char* in) {
    filled = 0;
    if (!filterError) {
        const size_t bytesPerPixel = (pixelBits + 7) / 8;
        png.UnfilterScanline(line.data(), in + 1, y == 0 ? nullptr : previous.data(), bytesPerPixel, in[0],
                             lineBytes);
        filterError = std::exchange(png.error, 0);
    }
    if (!filterError && !convertError) {
        const unsigned char* pixels = line.data();
        if (toRgba) {
            png.Convert(rgba.data(), line.data(), passWidth);
            convertError = std::exchange(png.error, 0);
            pixels = rgba.data();
        }
        if (!convertError && image) {
            const size_t row = png.interlaceMethod == 0 ? y : adam7::kFirstRow[pass] + adam7::kRowStep[pass] * y;
            PlacePixels(pixels, row);
        }
    }
    std::swap(line, previous);
    if (++y == passHeight) StartPass(pass + 1);
}

// Puts one line's pixels in their image row, which the image grows to
// cover within its reservation.
void ScanlineReader::PlacePixels(const unsigned char* pixels, size_t row) {
    if (image->size() < RowEnd(row)) image->resize(RowEnd(row));
    unsigned char* const data = image->data();
    const bool interlaced = png.interlaceMethod != 0;
    const size_t firstColumn = interlaced ? adam7::kFirstColumn[pass] : 0;
    const size_t step = interlaced ? adam7::kColumnStep[pass] : 1;
    const size_t rowStart = row * png.width;
    if (step == 1 && imageBits >= 8) {
        std::memcpy(data + rowStart * (imageBits / 8), pixels, size_t(passWidth) * (imageBits / 8));
        return;
    }
    if (step == 1) {
        CopyBits(data, rowStart * imageBits, pixels, 0, size_t(passWidth) * imageBits);
        return;
    }
    for (size_t i = 0; i < passWidth; ++i) {
        const size_t pixel = rowStart + firstColumn + step * i;
        if (imageBits >= 8)
            std::memcpy(data + pixel * (imageBits / 8), pixels + i * (imageBits / 8), imageBits / 8);
        else
            CopyBits(data, pixel * imageBits, pixels, i * imageBits, imageBits);
    }
}

// Copies count bits, most significant first, into a zeroed packed image.
void ScanlineReader::CopyBits(unsigned char* dst, size_t dstBit, const unsigned char* src, size_t srcBit,
                              size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (PngDecoder::ReadBitsFromReversedStream(srcBit, src, 1))
            dst[(dstBit + i) >> 3] |= 0x80 >> ((dstBit + i) & 7);
    }
}
