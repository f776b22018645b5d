#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "png/huffman_tree.h"

namespace {

struct Walk {
    bool found;       // a symbol, else a branch no code reaches
    unsigned bits;    // bits read up to the symbol or the empty branch
    uint32_t symbol;
    uint32_t node;    // where the walk stands after `limit` bits
    bool unfinished;  // still inside the tree after `limit` bits
};

// The plain bit-by-bit walk from the root, reading bits lowest first.
Walk WalkTree(const HuffmanTree& tree, uint32_t bits, unsigned limit) {
    const uint32_t n = tree.NumCodes();
    uint32_t node = 0;
    for (unsigned i = 0; i < limit; ++i) {
        const uint32_t entry = tree.Child(node, (bits >> i) & 1);
        if (entry < n) return {true, i + 1, entry, 0, false};
        node = entry - n;
        if (node >= n) return {false, i + 1, 0, 0, false};
    }
    return {false, limit, 0, node, true};
}

// Complete, incomplete, single-code and over-full length sets.
std::vector<uint32_t> RandomLengths(std::mt19937& random, size_t n, unsigned maxLength) {
    std::vector<uint32_t> lengths(n, 0);
    const unsigned used = std::uniform_int_distribution<unsigned>(1, unsigned(n))(random);
    for (unsigned i = 0; i < used; ++i)
        lengths[random() % n] = std::uniform_int_distribution<unsigned>(1, maxLength)(random);
    return lengths;
}

TEST(HuffmanTree, LookupAgreesWithTheBitByBitWalk) {
    std::mt19937 random(7);
    int built = 0;
    for (int round = 0; round < 600; ++round) {
        const size_t n = round % 3 == 0 ? 19 : round % 3 == 1 ? 32 : 288;
        const unsigned maxLength = n == 19 ? 7 : 15;
        HuffmanTree tree;
        if (tree.MakeFromLengths(RandomLengths(random, n, maxLength), maxLength) != 0) continue;
        ++built;
        for (uint32_t bits = 0; bits < (1u << 15); bits += 1 + random() % 7) {
            const uint32_t entry = tree.Lookup(bits);
            const unsigned entryBits = HuffmanTree::EntryBits(entry);
            switch (HuffmanTree::EntryKindOf(entry)) {
                case HuffmanTree::kSymbol: {
                    const Walk walk = WalkTree(tree, bits, entryBits);
                    ASSERT_TRUE(walk.found);
                    ASSERT_EQ(walk.bits, entryBits);
                    ASSERT_EQ(walk.symbol, HuffmanTree::EntryValue(entry));
                    break;
                }
                case HuffmanTree::kNoCode: {
                    // The empty branch is taken one bit before the walk fails.
                    const Walk walk = WalkTree(tree, bits, entryBits - 1);
                    ASSERT_FALSE(walk.found);
                    ASSERT_FALSE(walk.unfinished);
                    ASSERT_EQ(walk.bits, entryBits - 1);
                    break;
                }
                case HuffmanTree::kNode: {
                    const Walk walk = WalkTree(tree, bits, entryBits);
                    ASSERT_TRUE(walk.unfinished);
                    ASSERT_EQ(walk.node, HuffmanTree::EntryValue(entry));
                    break;
                }
            }
        }
    }
    EXPECT_GT(built, 100);
}

TEST(HuffmanTree, EveryCodeIsWalkedFromTheRoot) {
    std::vector<uint32_t> full(288, 9);
    std::fill(full.begin(), full.begin() + 224, 8);  // 224/256 + 64/512 = 1
    std::vector<uint32_t> eights(288, 8);
    struct Case {
        const char* what;
        std::vector<uint32_t> lengths;
        uint32_t maxLength, error;
        std::vector<uint32_t> symbols;  // of the codes 0..., then 1 and zeros
    } cases[] = {
        {"complete", full, 15, 0, {0, 128}},
        // Over-subscribed: the codes past the first two (and past the first
        // 256) end on taken branches; each later code starts at the root.
        {"nineteen one-bit codes", std::vector<uint32_t>(19, 1), 7, 0, {0, 1}},
        {"288 eight-bit codes", eights, 15, 0, {0, 128}},
        // The third code's first bit reaches symbol 0 with a bit to go.
        {"a symbol inside a code", {1, 1, 2}, 7, 55, {}},
        // More nodes than a tree of nineteen symbols has.
        {"nineteen five-bit codes", std::vector<uint32_t>(19, 5), 7, 55, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HuffmanTree tree;
        ASSERT_EQ(tree.MakeFromLengths(c.lengths, c.maxLength), c.error);
        for (uint32_t first = 0; first < c.symbols.size(); ++first) {
            const Walk walk = WalkTree(tree, first, 15);
            ASSERT_TRUE(walk.found);
            EXPECT_EQ(walk.symbol, c.symbols[first]);
        }
    }
}

}  // namespace
