#include "png/zlib_inflate.h"

#include "png/inflator.h"

namespace {

class AppendToVector final : public InflateSink {
public:
    explicit AppendToVector(std::vector<unsigned char>& out) : out(out) {}
    uint32_t Take(const unsigned char* bytes, size_t size) override {
        out.insert(out.end(), bytes, bytes + size);
        return 0;
    }

private:
    std::vector<unsigned char>& out;
};

}  // namespace

unsigned ZlibInflate(InflateSink& sink, const unsigned char* data, size_t size) {
    if (size < 2) return 53;
    const unsigned cmf = data[0];
    const unsigned flg = data[1];
    if ((cmf * 256 + flg) % 31 != 0) return 24;
    if ((cmf & 15) != 8 || (cmf >> 4) > 7) return 25;
    if (flg & 32) return 26;
    Inflator inflator;
    return inflator.Inflate(sink, data + 2, size - 2);
}

unsigned ZlibInflate(std::vector<unsigned char>& out, const std::vector<unsigned char>& in) {
    out.clear();
    AppendToVector append(out);
    return ZlibInflate(append, in.data(), in.size());
}
