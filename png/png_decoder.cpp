#include "png/png_decoder.h"

#include <cstring>

#include "png/adam7.h"
#include "png/png.h"
#include "png/scanline_reader.h"
#include "png/zlib_inflate.h"

namespace {

// No DEFLATE stream gives more than 1032 bytes per byte: a 258-byte match
// takes at least two bits.
constexpr uint64_t kMostDeflateRatio = 1032;

}  // namespace

int PngDecoder::Decode(std::vector<unsigned char>& out, const unsigned char* data, size_t size, bool convert) {
    std::vector<unsigned char>().swap(out);
    if (size == 0 || data == nullptr) return error = 48;
    ReadPngHeader(data, size);
    if (error) return error;
    std::vector<unsigned char> idat;
    ReadChunks(data, size, idat);
    if (error) return error;

    // The image is built as the data inflates, never held twice: the peak
    // is the image plus the compressed data and a few lines. Data too small
    // to give every scanline can only fail, so no image is built for it; its
    // lines are still read, for the error it meets first.
    const bool toRgba = convert && !(colorType == 6 && bitDepth == 8);
    const bool canFill = uint64_t(idat.size()) * kMostDeflateRatio >= ScanlineBytes();
    ScanlineReader reader(*this, canFill ? &out : nullptr, toRgba);
    if (canFill) out.reserve(reader.ImageBytes());
    const uint32_t inflated = ZlibInflate(reader, idat.data(), idat.size());
    error = inflated == ScanlineReader::kAllLinesIn ? 0 : int(inflated);
    if (!error && !reader.AllLinesRead()) error = 43;
    if (!error) error = reader.PixelError();
    if (error) std::vector<unsigned char>().swap(out);
    return error;
}

void PngDecoder::ReadPngHeader(const unsigned char* data, size_t size) {
    static constexpr unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    if (size < 29) {
        error = 27;
        return;
    }
    if (std::memcmp(data, kSignature, 8) != 0) {
        error = 28;
        return;
    }
    if (std::memcmp(data + 12, "IHDR", 4) != 0) {
        error = 29;
        return;
    }
    width = Read32BitInt(data + 16);
    height = Read32BitInt(data + 20);
    bitDepth = data[24];
    colorType = data[25];
    compressionMethod = data[26];
    filterMethod = data[27];
    interlaceMethod = data[28];
    if (compressionMethod != 0) error = 32;
    else if (filterMethod != 0) error = 33;
    else if (interlaceMethod > 1) error = 34;
    else error = CheckColorValidity(colorType, bitDepth);
    if (!error && (width == 0 || height == 0)) error = 45;
    if (!error && (width > kMaxPngSide || height > kMaxPngSide)) error = 70;
}

int PngDecoder::CheckColorValidity(uint32_t type, uint32_t depth) const {
    switch (type) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 ? 0 : 37;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 ? 0 : 37;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16 ? 0 : 37;
        default:
            return 31;
    }
}

unsigned PngDecoder::BitsPerPixel() const {
    switch (colorType) {
        case 2: return bitDepth * 3;
        case 4: return bitDepth * 2;
        case 6: return bitDepth * 4;
        default: return bitDepth;  // grey and palette
    }
}

// The inflated size the header asks for: every line of every pass with its
// filter byte.
uint64_t PngDecoder::ScanlineBytes() const {
    if (interlaceMethod == 0) return uint64_t(height) * (LineBytes(width) + 1);
    uint64_t total = 0;
    for (unsigned pass = 0; pass < adam7::kPasses; ++pass) {
        const uint32_t passWidth = adam7::PassWidth(pass, width);
        if (passWidth != 0) total += uint64_t(adam7::PassHeight(pass, height)) * (LineBytes(passWidth) + 1);
    }
    return total;
}

uint32_t PngDecoder::Read32BitInt(const unsigned char* bytes) {
    return (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
}
