#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/inflate_sink.h"

class PngDecoder;

// Takes the inflated scanlines as they arrive, unfilters each line once it
// is whole and puts its pixels in the image (converted to 8-bit RGBA when
// asked), so nothing but the image and a few lines is ever held. The image
// grows row by row within what the caller reserved. Without an image the
// lines are only checked, for data that can only fail.
//
// Data beyond the header's last line is not wanted: the inflation stops
// there with kAllLinesIn, and the picture stands as it is; errors in the pixels (a bad filter type, a palette index past the
// palette) are kept and decoding goes on to the end of the data, so that a
// stream error or missing lines take precedence, as they would if the
// whole stream were inflated first.
class ScanlineReader final : public InflateSink {
public:
    ScanlineReader(PngDecoder& png, std::vector<unsigned char>* image, bool toRgba);
    // What Take returns to stop the inflation once every line is in; no
    // inflater error has this value.
    static constexpr uint32_t kAllLinesIn = ~uint32_t(0);

    uint32_t Take(const unsigned char* bytes, size_t size) override;

    bool AllLinesRead() const { return pass == kDone; }
    // The first filter error, else the first conversion error, else 0.
    int PixelError() const { return filterError ? filterError : convertError; }
    // The image's size once every line is in.
    uint64_t ImageBytes() const;

private:
    static constexpr unsigned kDone = 7;

    void StartPass(unsigned first);
    void FinishLine(const unsigned char* filtered);
    void PlacePixels(const unsigned char* pixels, size_t row);
    static void CopyBits(unsigned char* dst, size_t dstBit, const unsigned char* src, size_t srcBit, size_t count);
    // Where image row `row` ends, in bytes.
    uint64_t RowEnd(size_t row) const;

    PngDecoder& png;
    std::vector<unsigned char>* const image;  // null: lines are checked, not kept
    const bool toRgba;
    const unsigned pixelBits;  // in the unfiltered lines
    const unsigned imageBits;  // in the image
    unsigned pass = 0;
    uint32_t passWidth = 0, passHeight = 0, y = 0;
    size_t lineBytes = 0;
    std::vector<unsigned char> filtered;  // a line still arriving, filter byte first
    size_t filled = 0;
    std::vector<unsigned char> line, previous, rgba;
    int filterError = 0, convertError = 0;
};
