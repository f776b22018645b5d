#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/bit_reader.h"
#include "png/huffman_tree.h"

// Decodes raw DEFLATE data in one call. Every read that may run past the
// end of the data is checked, with the error of the step it belongs to.
class Inflator {
public:
    // Returns 0 with exactly the decoded bytes in out, or an error code with
    // the bytes decoded before it. The output grows as data is decoded; a
    // capacity reserved in out is the size it grows to before doubling on.
    uint32_t Inflate(std::vector<unsigned char>& out, const unsigned char* data, size_t size);

private:
    static constexpr uint32_t kBadSymbol = UINT32_MAX;

    void InflateNoCompression();
    void InflateHuffmanBlock(unsigned blockType);
    void GenerateFixedTrees();
    void GetTreeInflateDynamic();
    uint32_t ReadCodeLengths(std::vector<uint32_t>& lengths);
    static void CopyMatch(unsigned char* dst, size_t length, size_t distance);
    void EnsureOutputRoom(size_t pos, size_t needed) {
        const size_t least = pos + needed;
        if (least <= out->size()) return;
        const size_t reserved = out->capacity();
        out->resize(least <= reserved ? std::min(2 * least, reserved) : 2 * least);
    }

    // The next symbol of the tree's code, or kBadSymbol with error set.
    uint32_t HuffmanDecodeSymbol(const HuffmanTree& tree, BitReader& in) {
        in.EnsureBits(32);
        const uint32_t entry = tree.Lookup(in.Buffered());
        const unsigned bits = HuffmanTree::EntryBits(entry);
        if (entry < HuffmanTree::kSymbolLimit && bits <= in.BitsLeft()) {
            in.Consume(bits);
            return HuffmanTree::EntryValue(entry);
        }
        const SlowSymbol slow = DecodeSymbolSlowly(tree, entry, in.Buffered(), in.BitsLeft());
        if (slow.error) {
            error = slow.error;
            return kBadSymbol;
        }
        in.Consume(slow.bits);
        return slow.symbol;
    }
    struct SlowSymbol {
        uint32_t symbol, bits, error;
    };
    static SlowSymbol DecodeSymbolSlowly(const HuffmanTree& tree, uint32_t entry, uint64_t buffered, uint64_t left);

    uint32_t error = 0;
    HuffmanTree literalTree, distanceTree, codeLengthTree;
    BitReader bits;
    std::vector<unsigned char>* out = nullptr;
    size_t outPos = 0;
};
