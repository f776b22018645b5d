#include <gtest/gtest.h>

#include <filesystem>

#include <sys/resource.h>

#include "png/png.h"
#include "tests/png/test_data.h"
#include "tests/support/temp_dir.h"

using namespace png_test;
using testing_support::TempDir;

namespace {

std::vector<unsigned char> LoadRgba(const std::string& name) {
    std::vector<unsigned char> rgba;
    unsigned width = 0, height = 0;
    EXPECT_TRUE(LoadPngFile(DataPath(name + ".png"), rgba, width, height)) << name;
    return rgba;
}

TEST(PngConversion, FollowsTheSampleRules) {
    // RGBA at 8 bits is handed back as it is.
    EXPECT_EQ(LoadRgba("rgba8_1x1"), (std::vector<unsigned char>{10, 20, 30, 40}));
    // A 16-bit sample gives its high byte.
    EXPECT_EQ(LoadRgba("rgb16_pixel"), (std::vector<unsigned char>{0x12, 0x56, 0x9A, 255}));
    // Two-bit grey 0..3 scales to 0, 85, 170, 255; the key 2 clears grey 170.
    EXPECT_EQ(LoadRgba("grey2_key2"),
              (std::vector<unsigned char>{0, 0, 0, 255, 85, 85, 85, 255, 170, 170, 170, 0, 255, 255, 255, 255}));
    // One interlaced pixel lives in the first pass alone.
    EXPECT_EQ(LoadRgba("adam7_1x1"), (std::vector<unsigned char>{0x11, 0x33, 0x55, 0x77}));
}

TEST(DecodePng, EmptyInputGives48) {
    std::vector<unsigned char> pixels;
    unsigned width = 5, height = 5;
    EXPECT_EQ(decodePNG(pixels, width, height, nullptr, 0), 48);
    const unsigned char byte = 137;
    EXPECT_EQ(decodePNG(pixels, width, height, &byte, 0), 48);
    EXPECT_EQ(width, 0u);
    EXPECT_EQ(height, 0u);
}

TEST(DecodePng, ReportsTheSizeEvenWhenPixelsFail) {
    const auto file = ReadBytes(DataPath("palette_index_5_of_4.png"));
    std::vector<unsigned char> pixels;
    unsigned width = 0, height = 0;
    EXPECT_EQ(decodePNG(pixels, width, height, file.data(), file.size()), 46);
    EXPECT_EQ(width, 2u);
    EXPECT_EQ(height, 1u);
}

// A PNG of one IHDR (bit depth, colour type; no interlace) and one IDAT.
std::string PngWith(uint32_t width, uint32_t height, unsigned depth, unsigned colour, const std::string& idat) {
    auto u32 = [](uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; };
    auto chunk = [&](const char* type, const std::string& body) { return u32(uint32_t(body.size())) + type + body + u32(0); };
    const std::string header = u32(width) + u32(height) + char(depth) + char(colour) + std::string(3, '\0');
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", header) + chunk("IDAT", idat) + chunk("IEND", "");
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(LoadPngFile, ClaimedSizesTakeNoMemoryBeforeTheDataBacksThem) {
    // A zlib header, then a block of the reserved type 3, padded to a
    // megabyte: as much compressed data as could claim a gigabyte.
    std::string megabyte = "\x78\x01\x07";
    megabyte.resize(1 << 20, '\x55');
    const struct {
        const char* what;
        std::string file;
        int error;
    } cases[] = {
        {"1-bit 65536 by 16384", PngWith(65536, 16384, 1, 0, megabyte), 70},
        {"1 by 400,000,000", PngWith(1, 400000000, 8, 0, megabyte), 70},
        {"16384 by 16385", PngWith(16384, 16385, 8, 6, "x"), 70},
        {"16384 by 16384 with bad data", PngWith(16384, 16384, 8, 6, megabyte), 20},
    };
    TempDir dir;
    const long before = PeakKilobytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> pixels;
        unsigned width = 0, height = 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.file.data());
        EXPECT_EQ(decodePNG(pixels, width, height, bytes, c.file.size()), c.error);
        EXPECT_TRUE(pixels.empty());
        dir.Write("texture.png", c.file);
        EXPECT_FALSE(LoadPngFile(dir.str() + "/texture.png", pixels, width, height));
    }
#ifndef __SANITIZE_ADDRESS__
    // The address sanitizer's shadow and quarantine hold memory of their own,
    // so the figure means something only in a plain build.
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024) << "kilobytes";
#else
    (void)before;
#endif
}

TEST(LoadPngFile, ReadsAWholeFile) {
    TempDir dir;
    const auto file = ReadBytes(DataPath("large_rgba.png"));
    dir.Write("textures/big.png", std::string(file.begin(), file.end()));
    std::vector<unsigned char> rgba;
    unsigned width = 0, height = 0;
    ASSERT_TRUE(LoadPngFile(dir.str() + "/textures/big.png", rgba, width, height));
    EXPECT_EQ(width, 300u);
    EXPECT_EQ(height, 200u);
    EXPECT_EQ(FirstDifference(rgba, ReadBytes(DataPath("large_rgba.rgba"))), "");
}

TEST(LoadPngFile, FailsQuietlyAndKeepsTheSize) {
    TempDir dir;
    const auto file = ReadBytes(DataPath("c2_d8_13x7.png"));
    dir.Write("cut.png", std::string(file.begin(), file.begin() + 60));
    dir.Write("empty.png", "");
    std::filesystem::create_directory(dir.path() / "folder.png");
    for (const char* name : {"missing.png", "cut.png", "empty.png", "folder.png"}) {
        SCOPED_TRACE(name);
        std::vector<unsigned char> rgba;
        unsigned width = 17, height = 19;
        EXPECT_FALSE(LoadPngFile(dir.str() + "/" + name, rgba, width, height));
        EXPECT_EQ(width, 17u);
        EXPECT_EQ(height, 19u);
    }
}

}  // namespace
