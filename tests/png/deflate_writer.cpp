#include "tests/png/deflate_writer.h"

#include <algorithm>

namespace png_test {

void DeflateWriter::Bits(uint32_t value, unsigned n) {
    for (unsigned i = 0; i < n; ++i, ++bitCount) {
        if (bitCount % 8 == 0) bytes.push_back(0);
        bytes.back() |= ((value >> i) & 1) << (bitCount % 8);
    }
}

void DeflateWriter::Code(uint32_t code, unsigned n) {
    for (unsigned i = n; i-- > 0;) Bits(code >> i, 1);
}

void DeflateWriter::FixedLiteral(unsigned symbol) {
    if (symbol < 144) Code(0x30 + symbol, 8);
    else if (symbol < 256) Code(0x190 + symbol - 144, 9);
    else if (symbol < 280) Code(symbol - 256, 7);
    else Code(0xC0 + symbol - 280, 8);
}

void DeflateWriter::DynamicHeader(unsigned hlit, unsigned hdist, const std::vector<unsigned>& codeLengthSymbols) {
    Bits(hlit - 257, 5);
    Bits(hdist - 1, 5);
    Bits(19 - 4, 4);
    static constexpr unsigned kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    for (unsigned symbol : kOrder) Bits(symbol < 13 ? 4 : 5, 3);
    static constexpr unsigned kRepeatBits[3] = {2, 3, 7};
    for (unsigned entry : codeLengthSymbols) {
        const unsigned symbol = entry & 0xff;
        CodeLength(symbol);
        if (symbol >= 16) Bits(entry >> 8, kRepeatBits[symbol - 16]);
    }
}

void DeflateWriter::Canonical(const std::vector<unsigned>& lengths, unsigned symbol) {
    unsigned count[16] = {}, next[16] = {};
    for (unsigned length : lengths)
        if (length) ++count[length];
    for (unsigned bits = 1; bits < 16; ++bits) next[bits] = (next[bits - 1] + count[bits - 1]) << 1;
    for (unsigned s = 0; s < lengths.size(); ++s) {
        if (lengths[s] == 0) continue;
        if (s == symbol) return Code(next[lengths[s]], lengths[s]);
        ++next[lengths[s]];
    }
}

void DeflateWriter::PadToByte() { bitCount = bytes.size() * 8; }

std::vector<unsigned char> DeflateWriter::Zlib() const {
    std::vector<unsigned char> stream(bytes.size() + 2);
    stream[0] = 0x78;
    stream[1] = 0x9C;
    std::copy(bytes.begin(), bytes.end(), stream.begin() + 2);
    return stream;
}

std::vector<unsigned char> ZerosZlib(uint64_t count) {
    // Literal/length code: 285 (length 258) one bit, the zero byte and the
    // end code two; distance code 0 (distance 1) and 1 one bit each.
    std::vector<unsigned> literal(286, 0);
    literal[0] = literal[256] = 2;
    literal[285] = 1;
    DeflateWriter w;
    w.Block(true, 2);
    w.DynamicHeader(286, 2,
                    {2, 18 | (127 << 8), 18 | (106 << 8), 2, 18 | (17 << 8), 1,  // 0, 1-255, 256, 257-284, 285
                     1, 1});
    w.Canonical(literal, 0);
    uint64_t left = count - 1;
    for (; left >= 258; left -= 258) w.Code(0, 2);  // 285 and distance 0 both have the code 0
    for (; left > 0; --left) w.Canonical(literal, 0);
    w.Canonical(literal, 256);
    return w.Zlib();
}

}  // namespace png_test
