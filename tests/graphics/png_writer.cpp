#include "tests/graphics/png_writer.h"

#include <stdexcept>

#include <zlib.h>

namespace {

void PutU32(std::string& out, unsigned long value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* kind, const std::string& body) {
    PutU32(out, body.size());
    const std::string typed = std::string(kind) + body;
    out += typed;
    PutU32(out, crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size())));
}

}  // namespace

std::string EncodePng(unsigned width, unsigned height, const std::vector<unsigned char>& rgba) {
    std::string header;
    PutU32(header, width);
    PutU32(header, height);
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8-bit RGBA, no interlace

    std::string scanlines;
    for (unsigned y = 0; y < height; ++y) {
        scanlines.push_back('\0');  // filter type none
        scanlines.append(reinterpret_cast<const char*>(rgba.data()) + static_cast<size_t>(y) * width * 4, width * 4);
    }
    uLongf size = compressBound(static_cast<uLong>(scanlines.size()));
    std::string compressed(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(compressed.data()), &size,
                 reinterpret_cast<const Bytef*>(scanlines.data()), static_cast<uLong>(scanlines.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    compressed.resize(size);

    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", compressed);
    PutChunk(png, "IEND", "");
    return png;
}
