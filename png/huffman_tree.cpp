#include "png/huffman_tree.h"

#include <algorithm>

namespace {

// Codes up to this length resolve in one lookup; longer ones walk on.
constexpr unsigned kMaxLookupBits = 10;
constexpr uint32_t kLongestCode = 15;

uint32_t MakeEntry(HuffmanTree::EntryKind kind, unsigned bits, uint32_t value) {
    return (uint32_t(kind) << 24) | (bits << 16) | value;
}

}  // namespace

unsigned HuffmanTree::MakeFromLengths(const std::vector<uint32_t>& lengths, uint32_t maxLength) {
    const uint32_t n = uint32_t(lengths.size());
    uint32_t count[kLongestCode + 1] = {};
    uint32_t nextCode[kLongestCode + 1] = {};
    unsigned longest = 0;
    for (uint32_t length : lengths) {
        if (length == 0) continue;
        ++count[length];
        longest = std::max<unsigned>(longest, length);
    }
    for (uint32_t bits = 1; bits <= std::min(maxLength, kLongestCode); ++bits)
        nextCode[bits] = (nextCode[bits - 1] + count[bits - 1]) << 1;

    tree.assign(2 * size_t(n), kUnfilled);
    uint32_t nodesFilled = 0;
    for (uint32_t symbol = 0; symbol < n; ++symbol) {
        const uint32_t length = lengths[symbol];
        if (length == 0) continue;
        const uint32_t code = nextCode[length]++;
        // Every code is walked from the root, also after an over-subscribed
        // one ended its walk on a taken branch.
        uint32_t node = 0;
        for (uint32_t i = 0; i < length; ++i) {
            const uint32_t bit = (code >> (length - i - 1)) & 1;
            if (node > n - 2) return 55;
            uint32_t& entry = tree[2 * node + bit];
            if (entry != kUnfilled) {
                // Follows a taken branch; a symbol taken before the last
                // bit (an over-subscribed code) leaves the walk past the
                // last node, which the next bit refuses.
                node = entry - n;
            } else if (i + 1 == length) {
                entry = symbol;
                node = 0;
            } else {
                entry = ++nodesFilled + n;
                node = nodesFilled;
            }
        }
    }
    BuildLookup(longest);
    return 0;
}

void HuffmanTree::BuildLookup(unsigned longestCode) {
    lookupBits = std::clamp(longestCode, 1u, kMaxLookupBits);
    lookupMask = (1u << lookupBits) - 1;
    lookup.assign(size_t(1) << lookupBits, 0);
    FillLookup(0, 0, 0);
}

// Visits the tree down to lookupBits, writing every table slot exactly once.
void HuffmanTree::FillLookup(uint32_t node, unsigned depth, uint32_t prefix) {
    const uint32_t n = NumCodes();
    for (uint32_t bit = 0; bit < 2; ++bit) {
        const uint32_t path = prefix | (bit << depth);
        const unsigned bits = depth + 1;
        const uint32_t entry = Child(node, bit);
        if (entry < n) {
            PutLookup(path, bits, MakeEntry(kSymbol, bits, entry));
        } else if (entry - n >= n) {
            // The walk reads one more bit before it finds no node there.
            PutLookup(path, bits, MakeEntry(kNoCode, bits + 1, 0));
        } else if (bits == lookupBits) {
            PutLookup(path, bits, MakeEntry(kNode, bits, entry - n));
        } else {
            FillLookup(entry - n, bits, path);
        }
    }
}

void HuffmanTree::PutLookup(uint32_t prefix, unsigned bits, uint32_t entry) {
    for (size_t index = prefix; index < lookup.size(); index += size_t(1) << bits) lookup[index] = entry;
}
