#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/bit_reader.h"
#include "png/huffman_tree.h"
#include "png/inflate_sink.h"

// Decodes raw DEFLATE data in one call. Every read that may run past the
// end of the data is checked, with the error of the step it belongs to.
// The output passes through a buffer of fixed size, which keeps the last
// 32 KiB that back-references may reach, and goes on to the sink in pieces,
// so the inflater's own memory does not grow with the output.
class Inflator {
public:
    // Returns 0 once the sink has every decoded byte, or the first error:
    // the sink's own, or a stream error after the sink got the bytes decoded
    // before it.
    uint32_t Inflate(InflateSink& sink, const unsigned char* data, size_t size);

private:
    static constexpr uint32_t kBadSymbol = UINT32_MAX;

    void InflateNoCompression();
    void InflateHuffmanBlock(unsigned blockType);
    void GenerateFixedTrees();
    void GetTreeInflateDynamic();
    uint32_t ReadCodeLengths(std::vector<uint32_t>& lengths);
    static void CopyMatch(unsigned char* dst, size_t length, size_t distance);
    // Hands the bytes up to pos to the sink and moves the window to the
    // start of the buffer; pos becomes the window's end. False when the sink
    // refused them (error is then set).
    bool Flush(size_t& pos);

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
    InflateSink* sink = nullptr;
    bool sinkRefused = false;
    std::vector<unsigned char> buffer;
    size_t outPos = 0;      // where the next decoded byte goes in buffer
    size_t handedOver = 0;  // the bytes before this have gone to the sink
};
