// Images encoded by an independent Python encoder from pixels it made:
// every colour type and bit depth, both interlace methods, every filter,
// transparency, ancillary and split chunks, several zlib settings, and the
// broken files with the error code each must give.
#include <gtest/gtest.h>

#include "png/png.h"
#include "tests/png/test_data.h"

using namespace png_test;

namespace {

TEST(GeneratedImages, DecodeToTheirKnownPixels) {
    int decoded = 0;
    for (const PngCase& c : PngCases()) {
        if (c.error != 0) continue;
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> rgba;
        unsigned width = 0, height = 0;
        ASSERT_TRUE(LoadPngFile(DataPath(c.name + ".png"), rgba, width, height));
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(FirstDifference(rgba, ReadBytes(DataPath(c.name + ".rgba"))), "");
        ++decoded;
    }
    EXPECT_GT(decoded, 200);
}

TEST(GeneratedImages, WithoutConversionKeepTheirOwnLayout) {
    for (const PngCase& c : PngCases()) {
        if (c.error != 0) continue;
        SCOPED_TRACE(c.name);
        const auto file = ReadBytes(DataPath(c.name + ".png"));
        std::vector<unsigned char> pixels;
        unsigned width = 0, height = 0;
        ASSERT_EQ(decodePNG(pixels, width, height, file.data(), file.size(), false), 0);
        EXPECT_EQ(FirstDifference(pixels, ReadBytes(DataPath(c.name + ".raw"))), "");
    }
}

TEST(GeneratedImages, BrokenFilesGiveTheirErrorCode) {
    int broken = 0;
    for (const PngCase& c : PngCases()) {
        if (c.error == 0) continue;
        SCOPED_TRACE(c.name);
        const auto file = ReadBytes(DataPath(c.name + ".png"));
        std::vector<unsigned char> pixels(3, 7);
        unsigned width = 99, height = 99;
        EXPECT_EQ(decodePNG(pixels, width, height, file.data(), file.size()), c.error);
        EXPECT_TRUE(pixels.empty());
        ++broken;
    }
    EXPECT_GE(broken, 30);
}

// Only the last three bytes (the end chunk's CRC, which is never read) may
// be missing; every shorter prefix fails without reading past its end.
TEST(GeneratedImages, TruncatedFilesFail) {
    for (const char* name : {"c3_d4_13x7_adam7", "filter4_c6_d16_i0", "split_idat", "palette_alpha_d2"}) {
        SCOPED_TRACE(name);
        const auto file = ReadBytes(DataPath(std::string(name) + ".png"));
        for (size_t size = 0; size < file.size(); ++size) {
            std::vector<unsigned char> prefix(file.begin(), file.begin() + size);
            std::vector<unsigned char> pixels;
            unsigned width, height;
            const int error = decodePNG(pixels, width, height, prefix.data(), prefix.size());
            if (size + 3 < file.size()) EXPECT_NE(error, 0) << "at " << size << " bytes";
            else EXPECT_EQ(error, 0) << "at " << size << " bytes";
        }
    }
}

}  // namespace
