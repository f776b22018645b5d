// Hand-written DEFLATE streams for what an encoder never writes.
#include <gtest/gtest.h>

#include <algorithm>

#include "png/zlib_inflate.h"
#include "tests/png/deflate_writer.h"
#include "tests/png/test_data.h"

using png_test::DeflateWriter;
using Bytes = std::vector<unsigned char>;

namespace {

unsigned Inflate(const Bytes& in, Bytes& out) { return ZlibInflate(out, in); }
unsigned InflateError(const Bytes& in) {
    Bytes out;
    return ZlibInflate(out, in);
}
Bytes WithTrailer(Bytes stream) {
    stream.insert(stream.end(), 4, 0);
    return stream;
}

TEST(ZlibHeader, IsCheckedBeforeAnyBlock) {
    EXPECT_EQ(InflateError({}), 53u);
    EXPECT_EQ(InflateError({0x78}), 53u);
    EXPECT_EQ(InflateError({0x78, 0x9C}), 52u);  // valid header, then no block
    EXPECT_EQ(InflateError({0x78, 0x9D}), 24u);
    EXPECT_EQ(InflateError({0x88, 0x1C}), 25u);  // window above 32K
    EXPECT_EQ(InflateError({0x77, 0x09}), 25u);  // method 7
    EXPECT_EQ(InflateError({0x78, 0x20}), 26u);  // preset dictionary
}

TEST(StoredBlocks, CopyTheirBytes) {
    Bytes out;
    EXPECT_EQ(Inflate({0x78, 0x9C, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0, 0, 0, 1}, out), 0u);
    EXPECT_TRUE(out.empty());
    // A block of three bytes, then an empty final one.
    EXPECT_EQ(Inflate({0x78, 0x9C, 0x00, 3, 0, 0xFC, 0xFF, 'a', 'b', 'c', 0x01, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0}, out),
              0u);
    EXPECT_EQ(out, (Bytes{'a', 'b', 'c'}));
}

TEST(StoredBlocks, RefuseBrokenLengths) {
    EXPECT_EQ(InflateError({0x78, 0x9C, 0x01, 3, 0, 0xFC, 0xFE, 'a', 'b', 'c', 0, 0, 0, 0}), 21u);
    EXPECT_EQ(InflateError({0x78, 0x9C, 0x01, 9, 0, 0xF6, 0xFF, 'a', 'b', 'c', 0}), 23u);
    EXPECT_EQ(InflateError({0x78, 0x9C, 0x01, 0, 0, 0xFF, 0xFF}), 52u);  // LEN and NLEN need a fifth byte
}

TEST(FixedBlocks, CopiesBackReferences) {
    DeflateWriter w;
    w.Block(true, 1);
    w.FixedLiteral('x');
    w.FixedLiteral(264);  // length 10
    w.FixedDistance(0);   // distance 1
    w.FixedLiteral('a');
    w.FixedLiteral('b');
    w.FixedLiteral('c');
    w.FixedLiteral(262);  // length 8
    w.FixedDistance(2);   // distance 3
    for (unsigned char c = 0; c < 20; ++c) w.FixedLiteral(c);
    w.FixedLiteral(271);  // length 27 + 3
    w.Bits(3, 2);
    w.FixedDistance(8);  // distance 17 + 3
    w.Bits(3, 3);
    w.FixedLiteral(286);  // meaningless, skipped
    w.FixedLiteral(287);
    w.FixedLiteral(256);
    Bytes out;
    ASSERT_EQ(Inflate(WithTrailer(w.Zlib()), out), 0u);
    Bytes expected(11, 'x');
    for (int i = 0; i < 11; ++i) expected.push_back("abc"[i % 3]);
    for (int i = 0; i < 50; ++i) expected.push_back(i % 20);
    EXPECT_EQ(png_test::FirstDifference(out, expected), "");
}

TEST(FixedBlocks, RefuseBadCodesAndKeepWhatCameBefore) {
    DeflateWriter typeThree;
    typeThree.Block(true, 3);
    EXPECT_EQ(InflateError(WithTrailer(typeThree.Zlib())), 20u);

    DeflateWriter tooFar;
    tooFar.Block(true, 1);
    tooFar.FixedLiteral('a');
    tooFar.FixedLiteral(257);
    tooFar.FixedDistance(1);  // distance 2, one byte written
    Bytes out;
    EXPECT_EQ(Inflate(WithTrailer(tooFar.Zlib()), out), 19u);
    EXPECT_EQ(out, Bytes{'a'});

    DeflateWriter distance30;
    distance30.Block(true, 1);
    distance30.FixedLiteral('a');
    distance30.FixedLiteral(257);
    distance30.FixedDistance(30);
    EXPECT_EQ(InflateError(WithTrailer(distance30.Zlib())), 18u);
}

TEST(FixedBlocks, RefuseDataThatEndsEarly) {
    // The stream stops after a literal: the next code runs out at a byte end.
    DeflateWriter noEnd;
    noEnd.Block(true, 1);
    noEnd.FixedLiteral('a');
    Bytes out;
    EXPECT_EQ(Inflate(noEnd.Zlib(), out), 10u);
    EXPECT_EQ(out, Bytes{'a'});

    // A length code that ends exactly at the end of the data.
    DeflateWriter lengthAtEnd;
    lengthAtEnd.Block(true, 1);
    for (int i = 0; i < 6; ++i) lengthAtEnd.FixedLiteral(200);
    lengthAtEnd.FixedLiteral(257);
    ASSERT_EQ(lengthAtEnd.BitCount(), 64u);
    EXPECT_EQ(InflateError(lengthAtEnd.Zlib()), 51u);

    // Extra bits of a length, then of a distance, running past the end.
    DeflateWriter lengthBits;
    lengthBits.Block(true, 1);
    for (int i = 0; i < 5; ++i) lengthBits.FixedLiteral(200);
    lengthBits.FixedLiteral(269);  // two extra bits, one left
    ASSERT_EQ(lengthBits.BitCount(), 55u);
    EXPECT_EQ(InflateError(lengthBits.Zlib()), 51u);

    DeflateWriter distanceBits;
    distanceBits.Block(true, 1);
    distanceBits.FixedLiteral('a');
    distanceBits.FixedLiteral(257);
    distanceBits.FixedDistance(29);  // thirteen extra bits, one left
    ASSERT_EQ(distanceBits.BitCount(), 23u);
    EXPECT_EQ(InflateError(distanceBits.Zlib()), 51u);
}

// Zeros for `count` lengths, as repeat codes 18.
void Zeros(std::vector<unsigned>& symbols, unsigned count) {
    for (; count >= 11; count -= std::min(count, 138u)) symbols.push_back(18 | ((std::min(count, 138u) - 11) << 8));
    for (; count > 0; --count) symbols.push_back(0);
}

// Code-length symbols for 257 literal/length lengths, then one unused
// distance.
std::vector<unsigned> LengthSymbols(const std::vector<unsigned>& literalLengths) {
    std::vector<unsigned> symbols;
    unsigned zeros = 0;
    for (unsigned length : literalLengths) {
        if (length == 0) {
            ++zeros;
            continue;
        }
        Zeros(symbols, zeros);
        zeros = 0;
        symbols.push_back(length);
    }
    Zeros(symbols, zeros + 1);
    return symbols;
}

// A dynamic block with these literal/length lengths, one distance and no data.
DeflateWriter DynamicBlock(const std::vector<unsigned>& literalLengths) {
    DeflateWriter w;
    w.Block(true, 2);
    w.DynamicHeader(257, 1, LengthSymbols(literalLengths));
    return w;
}

TEST(DynamicBlocks, DecodeWrittenLengths) {
    // 'a' and the end code get one bit each.
    std::vector<unsigned> lengths(257, 0);
    lengths['a'] = lengths[256] = 1;
    DeflateWriter w = DynamicBlock(lengths);
    w.Code(0, 1);
    w.Code(0, 1);
    w.Code(1, 1);
    Bytes out;
    EXPECT_EQ(Inflate(WithTrailer(w.Zlib()), out), 0u);
    EXPECT_EQ(out, (Bytes{'a', 'a'}));
}

// Codes of 1 to 15 bits, longer than a single table step resolves.
TEST(DynamicBlocks, DecodeFifteenBitCodes) {
    std::vector<unsigned> lengths(257, 0);
    for (unsigned s = 0; s < 15; ++s) lengths[s] = s + 1;
    lengths[256] = 15;
    DeflateWriter w = DynamicBlock(lengths);
    for (unsigned s : {14u, 13u, 0u, 9u, 10u, 11u, 256u}) w.Canonical(lengths, s);
    Bytes out;
    EXPECT_EQ(Inflate(WithTrailer(w.Zlib()), out), 0u);
    EXPECT_EQ(out, (Bytes{14, 13, 0, 9, 10, 11}));
}

// A code with a gap: bits that reach the gap are refused (11), unless the
// data ends first (10).
TEST(DynamicBlocks, RefuseBitsOutsideTheCode) {
    // Only the end code, with two bits: "00"; "1" leads nowhere. Nine-bit
    // literals in a fixed block first put the "1" at the end of a byte.
    auto stream = [](unsigned literals, bool moreData) {
        DeflateWriter w;
        w.Block(false, 1);
        for (unsigned i = 0; i < literals; ++i) w.FixedLiteral(255);
        w.FixedLiteral(256);
        std::vector<unsigned> lengths(257, 0);
        lengths[256] = 2;
        w.Block(true, 2);
        w.DynamicHeader(257, 1, LengthSymbols(lengths));
        w.Code(1, 1);
        if (moreData) w.Code(0, 8);
        return w;
    };
    const unsigned literals = (8 - stream(0, false).BitCount() % 8) % 8;
    ASSERT_EQ(stream(literals, false).BitCount() % 8, 0u);
    Bytes out;
    EXPECT_EQ(Inflate(stream(literals, true).Zlib(), out), 11u);
    EXPECT_EQ(out, Bytes(literals, 255));
    EXPECT_EQ(Inflate(stream(literals, false).Zlib(), out), 10u);

    // Codes of 1 to 12 bits and one of 13 leave thirteen ones unused: found
    // past the first table step.
    std::vector<unsigned> lengths(257, 0);
    for (unsigned s = 0; s < 12; ++s) lengths[s] = s + 1;
    lengths[256] = 13;
    DeflateWriter deep = DynamicBlock(lengths);
    deep.Code(0x3FFF, 14);
    EXPECT_EQ(InflateError(WithTrailer(deep.Zlib())), 11u);
}

TEST(DynamicBlocks, RefuseBadCodeLengths) {
    auto error = [](const std::vector<unsigned>& symbols) {
        DeflateWriter w;
        w.Block(true, 2);
        w.DynamicHeader(257, 1, symbols);
        w.Code(0, 16);
        return InflateError(WithTrailer(w.Zlib()));
    };
    std::vector<unsigned> noEnd(257, 0);
    noEnd['a'] = noEnd['b'] = 1;  // the end code's length is 0
    EXPECT_EQ(error(LengthSymbols(noEnd)), 64u);

    EXPECT_EQ(error({16 | (1 << 8)}), 17u);  // repeat with nothing before it

    std::vector<unsigned> endOnly(257, 0);
    endOnly[256] = 1;
    auto overrun = [&](unsigned repeatSymbol) {
        auto symbols = LengthSymbols(endOnly);
        symbols.back() = repeatSymbol;  // fewest repeats where one length is left
        return error(symbols);
    };
    EXPECT_EQ(overrun(16), 13u);
    EXPECT_EQ(overrun(17), 14u);
    EXPECT_EQ(overrun(18), 15u);

    // Nineteen one-bit code-length codes: the first two take the tree and
    // the rest end on taken branches, so the sixteen zero bits read as
    // sixteen zero lengths and the data ends inside the next code.
    DeflateWriter crowded;
    crowded.Block(true, 2);
    crowded.Bits(0, 5);
    crowded.Bits(0, 5);
    crowded.Bits(15, 4);
    for (int i = 0; i < 19; ++i) crowded.Bits(1, 3);
    crowded.Code(0, 16);
    EXPECT_EQ(InflateError(crowded.Zlib()), 10u);
}

TEST(DynamicBlocks, RefuseHeadersThatRunOutOfData) {
    DeflateWriter tiny;
    tiny.Block(true, 2);
    tiny.Bits(0, 13);  // two bytes: the header starts in one of the last two
    EXPECT_EQ(InflateError(tiny.Zlib()), 49u);

    DeflateWriter shortLengths;
    shortLengths.Block(true, 2);
    shortLengths.Bits(0, 21);  // three bytes, not all code-length lengths
    EXPECT_EQ(InflateError(shortLengths.Zlib()), 49u);

    // A repeat code as the last bits of the data, then one with too few bits.
    DeflateWriter repeatAtEnd;
    repeatAtEnd.Block(true, 2);
    repeatAtEnd.DynamicHeader(257, 1, {13, 0});
    repeatAtEnd.CodeLength(18);
    ASSERT_EQ(repeatAtEnd.BitCount(), 88u);
    EXPECT_EQ(InflateError(repeatAtEnd.Zlib()), 50u);

    DeflateWriter repeatBitsShort;
    repeatBitsShort.Block(true, 2);
    repeatBitsShort.DynamicHeader(257, 1, {0});
    repeatBitsShort.CodeLength(18);  // seven repeat bits, five left
    ASSERT_EQ(repeatBitsShort.BitCount(), 83u);
    EXPECT_EQ(InflateError(repeatBitsShort.Zlib()), 50u);
}

}  // namespace
