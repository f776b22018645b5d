#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Decodes a PNG image held in memory. With convertToRgba32 set the output is
// width * height * 4 bytes of 8-bit RGBA, rows top to bottom; without it the
// output keeps the file's own pixel layout (samples packed most significant
// bit first below 8 bits, rows not padded). Returns 0 on success, otherwise
// a numbered error code (see below) and an empty output. Width and height are
// written in either case (0 when the header was not read).
//
// The image is built as its data inflates: at its peak a decode holds the
// output, the compressed data and under a megabyte besides (a few lines of
// at most kMaxPngSide pixels, the inflater's window).
//
// Codes: 10-26, 49-55 and 64 come from the inflation (png/zlib_inflate.h).
// 27 shorter than a header, 28 bad signature, 29 first chunk not IHDR,
// 30 a chunk header past the end, 31 bad colour type, 32 compression method,
// 33 filter method, 34 interlace method, 35 chunk data past the end,
// 36 scanline filter type above 4, 37 bit depth not allowed for the colour
// type, 38 PLTE above 256 entries, 39 tRNS longer than the palette,
// 40/41 tRNS of the wrong size for grey/RGB, 42 tRNS with an alpha channel,
// 43 image data shorter than the scanlines the header gives (longer data is
// not inflated past the last scanline, and the rest is ignored), 44 PLTE length not
// a multiple of three, 45 width or height 0, 46/47 palette index past the
// palette (8 bits / fewer), 48 empty input, 63 chunk length above 2^31 - 1,
// 69 unknown critical chunk, 70 wider or higher than kMaxPngSide (refused
// before any pixel memory is taken, so a small file cannot claim gigabytes).
constexpr unsigned kMaxPngSide = 16384;

int decodePNG(std::vector<unsigned char>& out, unsigned& width, unsigned& height, const unsigned char* data,
              std::size_t size, bool convertToRgba32 = true);

// Reads a whole PNG file through the safe reader (a regular file, at most
// platform::kMaxReadBytes) and decodes it to 8-bit RGBA. False when the file
// cannot be read, does not decode or does not fit in memory; width and
// height are then unchanged.
bool LoadPngFile(const std::string& path, std::vector<unsigned char>& out, unsigned& width, unsigned& height);
