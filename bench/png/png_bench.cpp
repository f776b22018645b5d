// Decoding RGBA images of 1024 and 2048 pixels square, and inflating their
// image data alone, each beside zlib's inflate of the same stream.
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

// Texture-like pixels: smooth gradients, flat areas and a noisy band, with
// an alpha edge.
Bytes MakePixels(unsigned size) {
    std::mt19937 random(size);
    Bytes rgba(size_t(size) * size * 4);
    for (unsigned y = 0; y < size; ++y) {
        for (unsigned x = 0; x < size; ++x) {
            unsigned char* p = &rgba[(size_t(y) * size + x) * 4];
            const bool flat = ((x / 64) + (y / 64)) % 3 == 0;
            const int noise = y % 256 < 128 ? int(random() % 32) : 0;
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

const Encoded& Image(unsigned size) {
    static std::map<unsigned, Encoded> cache;
    auto found = cache.find(size);
    if (found != cache.end()) return found->second;
    const Bytes filtered = FilterRows(MakePixels(size), size);
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
    return cache[size] = {png, idat, filtered.size()};
}

void BM_DecodePNG(benchmark::State& state) {
    const Encoded& image = Image(unsigned(state.range(0)));
    Bytes pixels;
    unsigned width, height;
    for (auto _ : state) {
        if (decodePNG(pixels, width, height, image.png.data(), image.png.size()) != 0)
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["compressed_bytes"] = double(image.idat.size());
}

void BM_ZlibInflate(benchmark::State& state) {
    const Encoded& image = Image(unsigned(state.range(0)));
    Bytes out;
    for (auto _ : state) {
        if (ZlibInflate(out, image.idat) != 0) state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
}

// zlib's own inflate into a buffer of the known size.
void ZlibReference(benchmark::State& state) {
    const Encoded& image = Image(unsigned(state.range(0)));
    Bytes out(image.plainSize);
    for (auto _ : state) {
        uLongf size = uLongf(out.size());
        if (uncompress(out.data(), &size, image.idat.data(), uLong(image.idat.size())) != Z_OK)
            state.SkipWithError("zlib failed");
        benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(BM_DecodePNG)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibReference)->Name("BM_DecodePNG_Reference")->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInflate)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibReference)->Name("BM_ZlibInflate_Reference")->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace
