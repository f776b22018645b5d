#include "png/png_decoder.h"

#include <cstring>

#include "png/adam7.h"
#include "png/png.h"
#include "png/zlib_inflate.h"

namespace {

// Pictures rarely compress by more than this; the inflater's output is
// reserved up to it and doubles beyond. Reserving what the header claims
// instead would let a small damaged file hold the address space (and the
// sanitizers' shadow of it) that a gigabyte picture would.
constexpr uint64_t kLikelyDeflateRatio = 64;

}  // namespace

int PngDecoder::Decode(std::vector<unsigned char>& out, const unsigned char* data, size_t size, bool convert) {
    out.clear();
    if (size == 0 || data == nullptr) return error = 48;
    ReadPngHeader(data, size);
    if (error) return error;
    std::vector<unsigned char> idat;
    ReadChunks(data, size, idat);
    if (error) return error;

    // The inflater grows its output as data arrives, up to the reserved
    // size (the image's own, unless that is far beyond what the compressed
    // data is likely to give) and on by doubling.
    const uint64_t likely = uint64_t(idat.size()) * kLikelyDeflateRatio + 1024;
    const uint64_t perRow = LineBytes(width) + 1;
    std::vector<unsigned char> scanlines;
    scanlines.reserve(height > likely / perRow ? likely : height * perRow + 1024);
    if ((error = int(ZlibInflate(scanlines, idat)))) return error;
    if (!ScanlinesFit(scanlines.size())) return error = 43;

    std::vector<unsigned char> image = interlaceMethod == 0 ? UnfilterImage(scanlines) : Deinterlace(scanlines);
    if (error) return error;

    if (convert && !(colorType == 6 && bitDepth == 8)) Convert(out, image);
    else out = std::move(image);
    if (error) out.clear();
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
    if (!error && uint64_t(width) * height > kMaxPngPixels) error = 70;
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

uint64_t PngDecoder::PassBytes(unsigned pass) const {
    const uint32_t passWidth = adam7::PassWidth(pass, width);
    if (passWidth == 0) return 0;
    return uint64_t(adam7::PassHeight(pass, height)) * (LineBytes(passWidth) + 1);
}

// Whether the inflated data holds every scanline the header asks for; sizes
// come from the header, so each step guards against overflow.
bool PngDecoder::ScanlinesFit(size_t available) const {
    auto take = [&](uint64_t rows, uint64_t lineBytes) {
        if (rows > available / (lineBytes + 1)) return false;
        available -= rows * (lineBytes + 1);
        return true;
    };
    if (interlaceMethod == 0) return take(height, LineBytes(width));
    for (unsigned pass = 0; pass < adam7::kPasses; ++pass) {
        const uint32_t passWidth = adam7::PassWidth(pass, width);
        if (passWidth != 0 && !take(adam7::PassHeight(pass, height), LineBytes(passWidth))) return false;
    }
    return true;
}

uint32_t PngDecoder::Read32BitInt(const unsigned char* bytes) {
    return (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
}
