#pragma once
#include <cstdint>
#include <vector>

// A canonical Huffman code held as a binary tree: two entries per node, the
// child for bit 0 then the child for bit 1. An entry below the number of
// codes n is a decoded symbol, an entry of n or more leads to node
// (entry - n), and kUnfilled marks a branch that no code reaches. Node 0 is
// the root.
//
// Beside the tree sits a lookup table indexed by the next few stream bits
// (first bit read = lowest bit) that resolves most codes in one step; it
// gives exactly what walking the tree bit by bit would give.
class HuffmanTree {
public:
    static constexpr uint32_t kUnfilled = 32767;

    // Lookup entries: the low 16 bits hold a value, bits 16-23 a bit count,
    // the top byte a kind. Symbol entries are below kSymbolLimit.
    enum EntryKind : uint32_t {
        kSymbol = 0,  // value = symbol, count = code length
        kNode = 1,    // code continues below node `value` after `count` bits
        kNoCode = 2,  // no code here; the walk fails once `count` bits exist
    };
    static constexpr uint32_t kSymbolLimit = 1u << 24;
    static uint32_t EntryValue(uint32_t entry) { return entry & 0xffff; }
    static unsigned EntryBits(uint32_t entry) { return (entry >> 16) & 0xff; }
    static EntryKind EntryKindOf(uint32_t entry) { return EntryKind(entry >> 24); }

    // Builds the tree of the canonical code with these lengths (0 = symbol
    // unused, none above maxLength, which is at most 15). 0, or 55 when the
    // codes overflow the tree's nodes.
    unsigned MakeFromLengths(const std::vector<uint32_t>& lengths, uint32_t maxLength);

    uint32_t NumCodes() const { return uint32_t(tree.size() / 2); }
    uint32_t Child(uint32_t node, uint64_t bit) const { return tree[2 * node + bit]; }
    uint32_t Lookup(uint64_t bits) const { return lookup[bits & lookupMask]; }

private:
    void BuildLookup(unsigned longestCode);
    void FillLookup(uint32_t node, unsigned depth, uint32_t prefix);
    void PutLookup(uint32_t prefix, unsigned bits, uint32_t entry);

    std::vector<uint32_t> tree;
    std::vector<uint32_t> lookup;
    unsigned lookupBits = 0;
    uint32_t lookupMask = 0;
};
