#include "png/zlib_inflate.h"

#include "png/inflator.h"

unsigned ZlibInflate(std::vector<unsigned char>& out, const std::vector<unsigned char>& in) {
    out.clear();
    if (in.size() < 2) return 53;
    const unsigned cmf = in[0];
    const unsigned flg = in[1];
    if ((cmf * 256 + flg) % 31 != 0) return 24;
    if ((cmf & 15) != 8 || (cmf >> 4) > 7) return 25;
    if (flg & 32) return 26;
    Inflator inflator;
    return inflator.Inflate(out, in.data() + 2, in.size() - 2);
}
