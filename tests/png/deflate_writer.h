#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace png_test {

// Writes DEFLATE bit streams by hand, for streams no encoder would make.
class DeflateWriter {
public:
    // value's n low bits, least significant first (header fields, extra bits).
    void Bits(uint32_t value, unsigned n);
    // A Huffman code of n bits, most significant first.
    void Code(uint32_t code, unsigned n);
    // Block header: BFINAL then BTYPE.
    void Block(bool final, unsigned type) { Bits(final, 1), Bits(type, 2); }
    // Symbols of the fixed code.
    void FixedLiteral(unsigned symbol);
    void FixedDistance(unsigned symbol) { Code(symbol, 5); }
    // A dynamic block header whose code-length code has every one of the 19
    // symbols (0 to 12 four bits, 13 to 18 five), so the lengths can be
    // written freely: each entry is a code-length symbol, or for 16, 17 and
    // 18 the symbol + (repeat bits << 8).
    void DynamicHeader(unsigned hlit, unsigned hdist, const std::vector<unsigned>& codeLengthSymbols);
    // One symbol of that code-length code, without repeat bits.
    void CodeLength(unsigned symbol) { symbol < 13 ? Code(symbol, 4) : Code(26 + symbol - 13, 5); }
    // Encodes a symbol with the canonical code of these lengths.
    void Canonical(const std::vector<unsigned>& lengths, unsigned symbol);
    void PadToByte();

    size_t BitCount() const { return bitCount; }
    // The bytes, behind a zlib header 0x78 0x9C, without a trailer.
    std::vector<unsigned char> Zlib() const;
    const std::vector<unsigned char>& Bytes() const { return bytes; }

private:
    std::vector<unsigned char> bytes;
    size_t bitCount = 0;
};

// A zlib stream of count zero bytes (count at least 1), packed as tightly as
// DEFLATE allows: one literal, then matches of 258 bytes at two bits each.
std::vector<unsigned char> ZerosZlib(uint64_t count);

}  // namespace png_test
