#include <filesystem>
#include <fstream>

#include "png/png.h"
#include "png/png_decoder.h"

int decodePNG(std::vector<unsigned char>& out, unsigned& width, unsigned& height, const unsigned char* data,
              std::size_t size, bool convertToRgba32) {
    PngDecoder decoder;
    decoder.Decode(out, data, size, convertToRgba32);
    width = decoder.width;
    height = decoder.height;
    return decoder.error;
}

bool LoadPngFile(const std::string& path, std::vector<unsigned char>& out, unsigned& width, unsigned& height) {
    // A folder opens too, and reports a meaningless size.
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return false;
    const std::streamoff size = file.tellg();
    if (size < 0) return false;
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
    unsigned decodedWidth = 0, decodedHeight = 0;
    if (decodePNG(out, decodedWidth, decodedHeight, bytes.data(), bytes.size(), true) != 0) return false;
    width = decodedWidth;
    height = decodedHeight;
    return true;
}
