#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// One PNG decode: the header's fields, the transparency key and palette
// gathered from the chunks, and the first error met (0 = none).
class PngDecoder {
public:
    // Decodes the image into out (8-bit RGBA when convert is set, unless the
    // image already is); out is left empty on error. Returns the error.
    int Decode(std::vector<unsigned char>& out, const unsigned char* data, size_t size, bool convert);

    uint32_t width = 0, height = 0;
    uint32_t colorType = 0, bitDepth = 0, compressionMethod = 0, filterMethod = 0, interlaceMethod = 0;
    // 16-bit samples of the colour that tRNS makes transparent.
    uint32_t keyRed = 0, keyGreen = 0, keyBlue = 0;
    bool keyDefined = false;
    std::vector<unsigned char> palette;  // red, green, blue, alpha per entry
    int error = 0;

private:
    void ReadPngHeader(const unsigned char* data, size_t size);
    int CheckColorValidity(uint32_t type, uint32_t depth) const;
    void ReadChunks(const unsigned char* data, size_t size, std::vector<unsigned char>& idat);
    void ReadPalette(const unsigned char* chunk, uint32_t length);
    void ReadTransparency(const unsigned char* chunk, uint32_t length);

    friend class ScanlineReader;
    uint64_t ScanlineBytes() const;
    void UnfilterScanline(unsigned char* recon, const unsigned char* scanline, const unsigned char* previous,
                          size_t bytesPerPixel, unsigned filterType, size_t length);
    static unsigned char PaethPredictor(int16_t a, int16_t b, int16_t c);

    // Turns count pixels of an unfiltered line into 8-bit RGBA.
    void Convert(unsigned char* out, const unsigned char* line, size_t count);
    void ConvertWholeBytes(unsigned char* out, const unsigned char* image, size_t pixels);
    void ConvertPacked(unsigned char* out, const unsigned char* image, size_t pixels);

    unsigned BitsPerPixel() const;
    // Bytes of one unfiltered line of that many pixels, filter byte not included.
    uint64_t LineBytes(uint32_t pixels) const { return (uint64_t(pixels) * BitsPerPixel() + 7) / 8; }
    static uint32_t Read32BitInt(const unsigned char* bytes);
    // Reads k bits, most significant first, and moves bitPos past them.
    static uint32_t ReadBitsFromReversedStream(size_t& bitPos, const unsigned char* bits, unsigned k);
};
