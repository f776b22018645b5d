#include <gtest/gtest.h>

#include "png/zlib_inflate.h"
#include "tests/png/test_data.h"

using namespace png_test;

namespace {

// Text, noise, runs and a mix of them, each at levels 0, 1, 6 and 9, with
// the filtered, Huffman-only, run-length and fixed-code strategies and a
// 512-byte window: stored, fixed and dynamic blocks.
TEST(ZlibInflate, InflatesWhatZlibWrote) {
    const auto cases = StreamCases();
    ASSERT_GT(cases.size(), 40u);
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<unsigned char> out;
        ASSERT_EQ(ZlibInflate(out, ReadBytes(DataPath(c.name + ".z"))), 0u);
        EXPECT_EQ(FirstDifference(out, ReadBytes(DataPath(c.plain + ".bin"))), "");
    }
}

TEST(ZlibInflate, NeverReadsTheAdlerTrailer) {
    const auto plain = ReadBytes(DataPath("text.bin"));
    auto stream = ReadBytes(DataPath("text_l6.z"));
    stream.back() ^= 0xFF;
    std::vector<unsigned char> out;
    EXPECT_EQ(ZlibInflate(out, stream), 0u);
    EXPECT_EQ(out, plain);
    stream.resize(stream.size() - 4);
    EXPECT_EQ(ZlibInflate(out, stream), 0u);
    EXPECT_EQ(out, plain);
}

TEST(ZlibInflate, ReplacesWhateverTheOutputHeld) {
    std::vector<unsigned char> out(100000, 9);
    out.reserve(300000);
    EXPECT_EQ(ZlibInflate(out, ReadBytes(DataPath("runs_l9.z"))), 0u);
    EXPECT_EQ(out, ReadBytes(DataPath("runs.bin")));
}

}  // namespace
