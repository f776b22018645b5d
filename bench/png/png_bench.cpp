// Decoding RGBA images of 1024 and 2048 pixels square, and inflating their
// image data alone. Two kinds of picture: texture-like (gradients, flat
// areas, a noisy band) and noisy throughout, which compresses far less.
//
// The references do the same work with zlib: a raw inflate of the same
// stream (no Adler-32 check, which the decoder skips too), and for the whole
// decode that inflate followed by a plain unfiltering of the scanlines.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <map>
#include <random>
#include <stdexcept>
#include <vector>

#include "png/png.h"
#include "png/zlib_inflate.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Encoded {
    Bytes png;
    Bytes idat;       // the zlib stream
    size_t plainSize;  // the filtered scanlines it inflates to
};

enum Kind { kTexture = 0, kNoisy = 1 };

// Texture-like pixels: smooth gradients, flat areas and a noisy band, with
// an alpha edge; or noise over a gradient everywhere.
Bytes MakePixels(unsigned size, int kind) {
    std::mt19937 random(size);
    Bytes rgba(size_t(size) * size * 4);
    for (unsigned y = 0; y < size; ++y) {
        for (unsigned x = 0; x < size; ++x) {
            unsigned char* p = &rgba[(size_t(y) * size + x) * 4];
            const bool flat = kind == kTexture && ((x / 64) + (y / 64)) % 3 == 0;
            const bool noisy = kind == kNoisy || y % 256 < 128;
            const int noise = noisy ? int(random() % (kind == kNoisy ? 96 : 32)) : 0;
            p[0] = flat ? 40 : (unsigned char)(x * 255 / size + noise);
            p[1] = flat ? 90 : (unsigned char)(y * 255 / size + noise);
            p[2] = flat ? 160 : (unsigned char)((x + y) / 8 + noise);
            p[3] = x < size / 16 ? 0 : 255;
        }
    }
    return rgba;
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Each row takes the filter with the smallest sum of absolute values, as
// common encoders choose.
Bytes FilterRows(const Bytes& rgba, unsigned size) {
    const size_t line = size_t(size) * 4;
    Bytes out;
    Bytes candidate(line);
    for (unsigned y = 0; y < size; ++y) {
        const unsigned char* row = &rgba[y * line];
        const unsigned char* up = y ? row - line : nullptr;
        Bytes best;
        long bestCost = -1;
        for (int type = 0; type < 5; ++type) {
            long cost = 0;
            for (size_t i = 0; i < line; ++i) {
                const int a = i >= 4 ? row[i - 4] : 0, b = up ? up[i] : 0, c = up && i >= 4 ? up[i - 4] : 0;
                const int predicted = type == 0 ? 0 : type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : Paeth(a, b, c);
                candidate[i] = (unsigned char)(row[i] - predicted);
                cost += std::abs((signed char)candidate[i]);
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                best.assign(1, (unsigned char)type);
                best.insert(best.end(), candidate.begin(), candidate.end());
            }
        }
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
    const uint32_t length = uint32_t(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back((unsigned char)(length >> shift));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    const uint32_t crc = uint32_t(crc32(0, typed.data(), uInt(typed.size())));
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back((unsigned char)(crc >> shift));
}

const Encoded& Image(unsigned size, int kind) {
    static std::map<std::pair<unsigned, int>, Encoded> cache;
    auto found = cache.find({size, kind});
    if (found != cache.end()) return found->second;
    const Bytes filtered = FilterRows(MakePixels(size, kind), size);
    uLongf zsize = compressBound(uLong(filtered.size()));
    Bytes idat(zsize);
    if (compress2(idat.data(), &zsize, filtered.data(), uLong(filtered.size()), 6) != Z_OK)
        throw std::runtime_error("compress2 failed");
    idat.resize(zsize);

    Bytes png = {137, 80, 78, 71, 13, 10, 26, 10};
    Bytes ihdr = {0, 0, 0, 0, 0, 0, 0, 0, 8, 6, 0, 0, 0};
    for (int i = 0; i < 4; ++i) ihdr[i] = ihdr[4 + i] = (unsigned char)(size >> (24 - 8 * i));
    PutChunk(png, "IHDR", ihdr);
    for (size_t at = 0; at < idat.size(); at += 65536)  // split as encoders do
        PutChunk(png, "IDAT", Bytes(idat.begin() + at, idat.begin() + std::min(idat.size(), at + 65536)));
    PutChunk(png, "IEND", {});
    return cache[{size, kind}] = {png, idat, filtered.size()};
}

const Encoded& Image(const benchmark::State& state) { return Image(unsigned(state.range(0)), int(state.range(1))); }

// zlib's inflate of the DEFLATE data inside the zlib stream, into a buffer
// of the known size; the Adler-32 trailer is not checked.
class RawInflate {
public:
    RawInflate() {
        if (inflateInit2(&stream, -15) != Z_OK) throw std::runtime_error("inflateInit2 failed");
    }
    ~RawInflate() { inflateEnd(&stream); }
    bool Run(const Bytes& zlib, Bytes& out) {
        inflateReset(&stream);
        stream.next_in = const_cast<unsigned char*>(zlib.data() + 2);
        stream.avail_in = uInt(zlib.size() - 2);
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        return inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.avail_out == 0;
    }

private:
    z_stream stream{};
};

// Undoes the row filters of 8-bit RGBA scanlines, byte by byte.
void Unfilter(const Bytes& scanlines, unsigned size, Bytes& rgba) {
    const size_t line = size_t(size) * 4;
    for (unsigned y = 0; y < size; ++y) {
        const unsigned char type = scanlines[y * (line + 1)];
        const unsigned char* in = &scanlines[y * (line + 1) + 1];
        unsigned char* row = &rgba[y * line];
        const unsigned char* up = y ? row - line : nullptr;
        for (size_t i = 0; i < line; ++i) {
            const int a = i >= 4 ? row[i - 4] : 0, b = up ? up[i] : 0, c = up && i >= 4 ? up[i - 4] : 0;
            const int predicted = type == 0 ? 0 : type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : Paeth(a, b, c);
            row[i] = (unsigned char)(in[i] + predicted);
        }
    }
}

void BM_DecodePNG(benchmark::State& state) {
    const Encoded& image = Image(state);
    Bytes pixels;
    unsigned width, height;
    for (auto _ : state) {
        if (decodePNG(pixels, width, height, image.png.data(), image.png.size()) != 0)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["compressed_bytes"] = double(image.idat.size());
}

void DecodeReference(benchmark::State& state) {
    const Encoded& image = Image(state);
    const unsigned size = unsigned(state.range(0));
    RawInflate inflater;
    Bytes scanlines(image.plainSize), pixels(size_t(size) * size * 4);
    for (auto _ : state) {
        if (!inflater.Run(image.idat, scanlines)) state.SkipWithError("zlib failed");
        Unfilter(scanlines, size, pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_ZlibInflate(benchmark::State& state) {
    const Encoded& image = Image(state);
    Bytes out;
    for (auto _ : state) {
        if (ZlibInflate(out, image.idat) != 0) state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
}

void InflateReference(benchmark::State& state) {
    const Encoded& image = Image(state);
    RawInflate inflater;
    Bytes out(image.plainSize);
    for (auto _ : state) {
        if (!inflater.Run(image.idat, out)) state.SkipWithError("zlib failed");
        benchmark::DoNotOptimize(out.data());
    }
}

// Size in pixels, then the kind of picture.
void Images(benchmark::internal::Benchmark* b) {
    b->ArgNames({"size", "noisy"})->Unit(benchmark::kMillisecond);
    for (int kind : {kTexture, kNoisy})
        for (int size : {1024, 2048}) b->Args({size, kind});
}

BENCHMARK(BM_DecodePNG)->Apply(Images);
BENCHMARK(DecodeReference)->Name("BM_DecodePNG_Reference")->Apply(Images);
BENCHMARK(BM_ZlibInflate)->Apply(Images);
BENCHMARK(InflateReference)->Name("BM_ZlibInflate_Reference")->Apply(Images);

}  // namespace
