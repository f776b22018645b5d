#include <algorithm>

#include "png/deflate_tables.h"
#include "png/inflator.h"

// Reads the code lengths of a dynamic block and builds its two trees.
void Inflator::GetTreeInflateDynamic() {
    if (size_t(bits.Position() / 8) + 2 >= bits.Size()) {
        error = 49;
        return;
    }
    const unsigned hlit = bits.ReadBitsFromStream(5) + 257;
    const unsigned hdist = bits.ReadBitsFromStream(5) + 1;
    const unsigned hclen = bits.ReadBitsFromStream(4) + 4;

    std::vector<uint32_t> codeLengthLengths(19, 0);
    for (unsigned i = 0; i < hclen; ++i)
        codeLengthLengths[deflate_tables::kCodeLengthOrder[i]] = bits.ReadBitsFromStream(3);
    if (bits.PastEnd()) {
        error = 49;
        return;
    }
    if ((error = codeLengthTree.MakeFromLengths(codeLengthLengths, 7))) return;

    std::vector<uint32_t> lengths(hlit + hdist, 0);
    if ((error = ReadCodeLengths(lengths))) return;

    std::vector<uint32_t> literalLengths(288, 0), distanceLengths(32, 0);
    std::copy(lengths.begin(), lengths.begin() + hlit, literalLengths.begin());
    std::copy(lengths.begin() + hlit, lengths.end(), distanceLengths.begin());
    if (literalLengths[256] == 0) {
        error = 64;
        return;
    }
    if ((error = literalTree.MakeFromLengths(literalLengths, 15))) return;
    error = distanceTree.MakeFromLengths(distanceLengths, 15);
}

// Fills lengths with code lengths decoded by the code-length tree. Returns
// the error.
uint32_t Inflator::ReadCodeLengths(std::vector<uint32_t>& lengths) {
    const size_t count = lengths.size();
    size_t i = 0;
    while (i < count) {
        const uint32_t symbol = HuffmanDecodeSymbol(codeLengthTree, bits);
        if (symbol == kBadSymbol) return error;
        if (symbol <= 15) {
            lengths[i++] = symbol;
            continue;
        }
        if (symbol > 18) return 16;
        if (bits.AtOrPastEnd()) return 50;
        static constexpr unsigned kRepeatBits[3] = {2, 3, 7};
        static constexpr unsigned kRepeatBase[3] = {3, 3, 11};
        static constexpr unsigned kOverrunError[3] = {13, 14, 15};
        const unsigned repeat = kRepeatBase[symbol - 16] + bits.ReadBitsFromStream(kRepeatBits[symbol - 16]);
        if (bits.PastEnd()) return 50;
        if (symbol == 16 && i == 0) return 17;  // nothing to repeat
        const uint32_t value = symbol == 16 ? lengths[i - 1] : 0;
        for (unsigned r = 0; r < repeat; ++r) {
            if (i >= count) return kOverrunError[symbol - 16];
            lengths[i++] = value;
        }
    }
    return 0;
}
