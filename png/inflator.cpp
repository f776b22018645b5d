#include "png/inflator.h"

#include <algorithm>
#include <cstring>

#include "png/deflate_tables.h"

namespace {

// Room kept past the output position: a whole match plus the overshoot of
// a chunked copy.
constexpr size_t kMaxMatch = 258;
constexpr size_t kOutputSlack = kMaxMatch + 16;
// The farthest a back-reference reaches.
constexpr size_t kWindow = 32768;
// Output handed to the sink at a time; more than a whole stored block.
constexpr size_t kPiece = size_t{1} << 18;

}  // namespace

uint32_t Inflator::Inflate(InflateSink& output, const unsigned char* data, size_t size) {
    bits = BitReader(data, size);
    sink = &output;
    sinkRefused = false;
    buffer.assign(kWindow + kPiece + kOutputSlack, 0);
    outPos = handedOver = 0;

    bool finalBlock = false;
    while (!finalBlock && !error) {
        if (bits.AtOrPastEnd()) {
            error = 52;
            break;
        }
        finalBlock = bits.ReadBitsFromStream(1) != 0;
        const unsigned blockType = bits.ReadBitsFromStream(2);
        if (bits.PastEnd()) error = 52;
        else if (blockType == 3) error = 20;
        else if (blockType == 0) InflateNoCompression();
        else InflateHuffmanBlock(blockType);
    }
    if (!sinkRefused && outPos > handedOver) {
        const uint32_t refused = sink->Take(buffer.data() + handedOver, outPos - handedOver);
        if (!error) error = refused;
    }
    return error;
}

bool Inflator::Flush(size_t& pos) {
    if (pos > handedOver) {
        if ((error = sink->Take(buffer.data() + handedOver, pos - handedOver))) {
            sinkRefused = true;
            return false;
        }
    }
    const size_t keep = std::min(pos, kWindow);
    std::memmove(buffer.data(), buffer.data() + pos - keep, keep);
    pos = handedOver = keep;
    return true;
}

void Inflator::InflateNoCompression() {
    const unsigned char* in = bits.Data();
    const size_t size = bits.Size();
    size_t pos = bits.NextBytePosition();
    if (size - pos < 5) {
        error = 52;
        return;
    }
    const unsigned len = in[pos] | (in[pos + 1] << 8);
    const unsigned nlen = in[pos + 2] | (in[pos + 3] << 8);
    pos += 4;
    if (len + nlen != 65535) {
        error = 21;
        return;
    }
    if (len > size - pos) {
        error = 23;
        return;
    }
    if (buffer.size() - outPos < len + kOutputSlack && !Flush(outPos)) return;
    std::memcpy(buffer.data() + outPos, in + pos, len);
    outPos += len;
    bits.SeekToByte(pos + len);
}

void Inflator::GenerateFixedTrees() {
    std::vector<uint32_t> lengths(288, 8);
    std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
    std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
    literalTree.MakeFromLengths(lengths, 15);
    distanceTree.MakeFromLengths(std::vector<uint32_t>(32, 5), 15);
}

void Inflator::InflateHuffmanBlock(unsigned blockType) {
    using namespace deflate_tables;
    if (blockType == 1) GenerateFixedTrees();
    else GetTreeInflateDynamic();
    if (error) return;

    // The loop works on local copies of the reader and the output: a byte
    // written through a pointer may alias any member, which would then be
    // reloaded after every byte.
    BitReader in = bits;
    size_t pos = outPos;
    unsigned char* const base = buffer.data();
    const size_t room = buffer.size();
    auto decode = [&]() -> uint32_t {
        for (;;) {
            if (room - pos < kOutputSlack && !Flush(pos)) return error;
            const uint32_t symbol = HuffmanDecodeSymbol(literalTree, in);
            if (symbol < 256) {
                base[pos++] = (unsigned char)symbol;
                continue;
            }
            if (symbol == 256) return 0;
            if (symbol > 285) {
                if (symbol == kBadSymbol) return error;
                continue;  // 286 and 287 carry no meaning
            }
            if (in.AtOrPastEnd()) return 51;
            const size_t length = kLengthBase[symbol - 257] + in.ReadBitsFromStream(kLengthExtra[symbol - 257]);
            if (in.PastEnd()) return 51;
            const uint32_t distanceSymbol = HuffmanDecodeSymbol(distanceTree, in);
            if (distanceSymbol == kBadSymbol) return error;
            if (distanceSymbol > 29) return 18;
            if (in.AtOrPastEnd()) return 51;
            const size_t distance =
                kDistanceBase[distanceSymbol] + in.ReadBitsFromStream(kDistanceExtra[distanceSymbol]);
            if (in.PastEnd()) return 51;
            if (distance > pos) return 19;  // before the start of the output
            CopyMatch(base + pos, length, distance);
            pos += length;
        }
    };
    error = decode();
    bits = in;
    outPos = pos;
}

// Copies length bytes from distance bytes back; where the two overlap the
// copy repeats the last distance bytes, as if done one byte at a time.
// Whole chunks may write up to fifteen bytes past the match, into the slack.
void Inflator::CopyMatch(unsigned char* dst, size_t length, size_t distance) {
    const unsigned char* src = dst - distance;
    if (distance >= 16) {
        for (size_t i = 0; i < length; i += 16) std::memcpy(dst + i, src + i, 16);
    } else if (distance == 1) {
        std::memset(dst, src[0], length);
    } else {
        // The bytes repeat with any multiple of the distance as well: once
        // one period of at least eight is written, copy whole chunks.
        const size_t period = distance * ((7 + distance) / distance);
        const size_t head = std::min(length, period);
        for (size_t i = 0; i < head; ++i) dst[i] = src[i];
        for (size_t i = period; i < length; i += 8) std::memcpy(dst + i, dst + i - period, 8);
    }
}

// The rare cases of a symbol: codes longer than one lookup, codes that run
// past the end of the data (10) and bits no code reaches (11).
Inflator::SlowSymbol Inflator::DecodeSymbolSlowly(const HuffmanTree& tree, uint32_t entry, uint64_t buffered,
                                                  uint64_t left) {
    unsigned used = HuffmanTree::EntryBits(entry);
    switch (HuffmanTree::EntryKindOf(entry)) {
        case HuffmanTree::kSymbol:
            return {0, 0, 10};
        case HuffmanTree::kNoCode:
            return {0, 0, used > left ? 10u : 11u};
        case HuffmanTree::kNode:
            break;
    }
    const uint32_t n = tree.NumCodes();
    uint32_t node = HuffmanTree::EntryValue(entry);
    for (;;) {
        if (used + 1 > left) return {0, 0, 10};
        const uint32_t child = tree.Child(node, (buffered >> used) & 1);
        ++used;
        if (child < n) return {child, used, 0};
        node = child - n;
        if (node >= n) return {0, 0, used + 1 > left ? 10u : 11u};
    }
}
