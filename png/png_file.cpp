#include <new>
#include <stdexcept>

#include "png/png.h"
#include "png/png_decoder.h"
#include "platform/files.h"

int decodePNG(std::vector<unsigned char>& out, unsigned& width, unsigned& height, const unsigned char* data,
              std::size_t size, bool convertToRgba32) {
    PngDecoder decoder;
    decoder.Decode(out, data, size, convertToRgba32);
    width = decoder.width;
    height = decoder.height;
    return decoder.error;
}

namespace {

bool ReadAndDecode(const std::string& path, std::vector<unsigned char>& out, unsigned& width, unsigned& height) {
    std::string bytes;
    if (platform::ReadRegularFile(path, bytes) != platform::ReadFileResult::Read) return false;
    return decodePNG(out, width, height, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), true) == 0;
}

}  // namespace

bool LoadPngFile(const std::string& path, std::vector<unsigned char>& out, unsigned& width, unsigned& height) {
    unsigned decodedWidth = 0, decodedHeight = 0;
    bool decoded = false;
    try {
        decoded = ReadAndDecode(path, out, decodedWidth, decodedHeight);
    } catch (const std::bad_alloc&) {
        // An image within the pixel cap may still not fit in this machine.
    } catch (const std::length_error&) {
    }
    if (!decoded) {
        out.clear();
        return false;
    }
    width = decodedWidth;
    height = decodedHeight;
    return true;
}
