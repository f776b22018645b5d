#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include <sys/resource.h>
#include <sys/stat.h>

#include "platform/files.h"
#include "png/png.h"
#include "tests/png/deflate_writer.h"
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

// A PNG of one IHDR (bit depth, colour type, interlace) and one IDAT.
std::string PngWith(uint32_t width, uint32_t height, unsigned depth, unsigned colour, const std::string& idat,
                    unsigned interlace = 0) {
    auto u32 = [](uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; };
    auto chunk = [&](const char* type, const std::string& body) { return u32(uint32_t(body.size())) + type + body + u32(0); };
    const std::string header =
        u32(width) + u32(height) + char(depth) + char(colour) + std::string(2, '\0') + char(interlace);
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", header) + chunk("IDAT", idat) + chunk("IEND", "");
}

// Image data of count zero bytes: scanlines of filter type 0 and black or
// transparent pixels.
std::string Zeros(uint64_t count) {
    const auto stream = ZerosZlib(count);
    return std::string(stream.begin(), stream.end());
}

int Decode(const std::string& file, std::vector<unsigned char>& pixels, bool convert = true) {
    unsigned width = 0, height = 0;
    return decodePNG(pixels, width, height, reinterpret_cast<const unsigned char*>(file.data()), file.size(),
                     convert);
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
        {"16385 by 1", PngWith(16385, 1, 8, 6, megabyte), 70},
        {"16384 by 16384 with bad data", PngWith(16384, 16384, 8, 6, megabyte), 20},
        {"16384 by 16384 with its first rows alone", PngWith(16384, 16384, 8, 6, Zeros(uint64_t(16) << 20)), 43},
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

TEST(DecodePng, StopsInflatingOnceTheHeadersLinesAreFull) {
    // 3 by 2 RGBA: two lines of 12 bytes and a filter byte. Interlaced, four
    // passes hold a line each, of 1, 1, 1 and 3 pixels.
    const uint64_t lines = 2 * 13, passes = 5 + 5 + 5 + 13;
    const struct {
        const char* what;
        std::string file;
        int error;
    } cases[] = {
        {"exactly the lines", PngWith(3, 2, 8, 6, Zeros(lines)), 0},
        {"one byte short", PngWith(3, 2, 8, 6, Zeros(lines - 1)), 43},
        {"one byte over", PngWith(3, 2, 8, 6, Zeros(lines + 1)), 0},
        {"exactly the passes", PngWith(3, 2, 8, 6, Zeros(passes), 1), 0},
        {"one byte over the passes", PngWith(3, 2, 8, 6, Zeros(passes + 1), 1), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> pixels;
        EXPECT_EQ(Decode(c.file, pixels), c.error);
        EXPECT_EQ(pixels.size(), c.error ? 0u : 24u);
    }

    // One pixel whose data inflates to 256 MiB: the inflater stops once it
    // has its five bytes, long before the rest.
    const std::string bomb = PngWith(1, 1, 8, 6, Zeros(uint64_t(256) << 20));
    ASSERT_LT(bomb.size(), 300000u);
    const long before = PeakKilobytes();
    std::vector<unsigned char> pixels;
    EXPECT_EQ(Decode(bomb, pixels), 0);
    EXPECT_EQ(pixels.size(), 4u);
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(PeakKilobytes() - before, 8 * 1024) << "kilobytes";
#else
    (void)before;
#endif
}

TEST(DecodePng, TakesLittleMoreThanThePicture) {
    // 4096 by 4096, 64 MiB as 8-bit RGBA. At 16 bits per sample the
    // scanlines alone are twice that; at one bit a 32nd of it.
    const uint64_t rgba16Lines = 4096 * (4096 * 8 + 1);
    // 4096 is a multiple of 8: each pass has 4096 / step rows and columns.
    uint64_t rgba16Passes = 0;
    for (const auto& [columnStep, rowStep] :
         {std::pair<uint64_t, uint64_t>{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}})
        rgba16Passes += 4096 / rowStep * (4096 / columnStep * 8 + 1);
    const struct {
        const char* what;
        std::string file;
        std::vector<unsigned char> firstPixel;
    } cases[] = {
        {"16-bit RGBA", PngWith(4096, 4096, 16, 6, Zeros(rgba16Lines)), {0, 0, 0, 0}},
        {"16-bit RGBA, interlaced", PngWith(4096, 4096, 16, 6, Zeros(rgba16Passes), 1), {0, 0, 0, 0}},
        {"1-bit grey", PngWith(4096, 4096, 1, 0, Zeros(4096 * (512 + 1))), {0, 0, 0, 255}},
    };
    const long before = PeakKilobytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> pixels;
        ASSERT_EQ(Decode(c.file, pixels), 0);
        ASSERT_EQ(pixels.size(), size_t(64) << 20);
        EXPECT_EQ(std::vector<unsigned char>(pixels.begin(), pixels.begin() + 4), c.firstPixel);
        EXPECT_EQ(std::vector<unsigned char>(pixels.end() - 4, pixels.end()), c.firstPixel);
    }
#ifndef __SANITIZE_ADDRESS__
    // Each case freed its picture before the next began.
    EXPECT_LT(PeakKilobytes() - before, 64 * 1024 + 8 * 1024) << "kilobytes";
#endif
    // Unconverted, the picture is the 16-bit samples themselves.
    std::vector<unsigned char> samples;
    ASSERT_EQ(Decode(cases[0].file, samples, false), 0);
    EXPECT_EQ(samples.size(), size_t(128) << 20);
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(PeakKilobytes() - before, 128 * 1024 + 8 * 1024) << "kilobytes";
#else
    (void)before;
#endif
}

TEST(LoadPngFile, RefusesFilesPastTheReadCap) {
    // A good picture padded with zeros past the cap (sparse: no disk is
    // used) is not one of ours; neither is a FIFO, which would block.
    TempDir dir;
    const auto good = ReadBytes(DataPath("rgba8_1x1.png"));
    dir.Write("padded.png", std::string(good.begin(), good.end()));
    std::filesystem::resize_file(dir.path() / "padded.png", platform::kMaxReadBytes + 1);
    dir.Write("padded_a_little.png", std::string(good.begin(), good.end()));
    std::filesystem::resize_file(dir.path() / "padded_a_little.png", 1 << 20);
    ASSERT_EQ(mkfifo((dir.str() + "/fifo.png").c_str(), 0600), 0);

    std::vector<unsigned char> rgba;
    unsigned width = 0, height = 0;
    const long before = PeakKilobytes();
    EXPECT_FALSE(LoadPngFile(dir.str() + "/padded.png", rgba, width, height));
    EXPECT_FALSE(LoadPngFile(dir.str() + "/fifo.png", rgba, width, height));
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(PeakKilobytes() - before, 8 * 1024) << "kilobytes";
#else
    (void)before;
#endif
    EXPECT_TRUE(LoadPngFile(dir.str() + "/padded_a_little.png", rgba, width, height));
    EXPECT_EQ(rgba, (std::vector<unsigned char>{10, 20, 30, 40}));
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
