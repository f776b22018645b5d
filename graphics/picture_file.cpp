#include "graphics/picture_file.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "core/save/quoted_name.h"
#include "platform/files.h"
#include "png/png.h"

PictureProblem ReadPicture(const std::string& file, unsigned maxSide, Picture& picture) {
    std::string bytes;
    switch (platform::ReadRegularFile(file, bytes)) {
        case platform::ReadFileResult::Read: break;
        case platform::ReadFileResult::Missing: return {true, "there is no file " + QuotedName(file)};
        case platform::ReadFileResult::NotAFile: return {false, QuotedName(file) + " is not a plain file"};
        case platform::ReadFileResult::TooLarge:
            return {false, QuotedName(file) + " is too large (over " + std::to_string(platform::kMaxReadBytes >> 20) + " MB)"};
        case platform::ReadFileResult::Failed: return {false, QuotedName(file) + " cannot be read"};
    }
    int error = 0;
    try {
        error = decodePNG(picture.rgba, picture.width, picture.height,
                          reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    } catch (const std::bad_alloc&) {
        return {false, QuotedName(file) + " is too large for the memory left"};
    } catch (const std::length_error&) {
        return {false, QuotedName(file) + " is too large for the memory left"};
    }
    // The header's size is known even when the decoder refused a picture
    // for it.
    const unsigned side = std::min(maxSide, kMaxPngSide);
    if (picture.width > side || picture.height > side)
        return {false, QuotedName(file) + " is too large (" + std::to_string(picture.width) + " by " +
                           std::to_string(picture.height) + " pixels, at most " + std::to_string(side) + " by " +
                           std::to_string(side) + ")"};
    if (error != 0) return {false, QuotedName(file) + " is not a readable PNG (decoder error " + std::to_string(error) + ")"};
    return {};
}
