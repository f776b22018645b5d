#pragma once
// Encodes 8-bit RGBA pixels (rows top to bottom) as a PNG file's bytes, with
// zlib as the reference compressor, for tests and benchmarks that need
// pictures on disk.

#include <string>
#include <vector>

std::string EncodePng(unsigned width, unsigned height, const std::vector<unsigned char>& rgba);
