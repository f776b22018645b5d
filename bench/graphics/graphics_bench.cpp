// Texture loading and script-style texture drawing, each beside the bare
// work it is built on: zlib's inflate with a plain upload, and draws with
// uniform locations looked up in advance.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <zlib.h>

#include "bench/graphics/bench_scene.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/graphics.h"

namespace {

void BM_LoadTexture1024(benchmark::State& state) {
    TheScene();
    unsigned width = 0, height = 0;
    for (auto _ : state) {
        Graphics::ClearTextures();
        benchmark::DoNotOptimize(Graphics::LoadTexture("big", width, height));
        glFinish();
    }
}
BENCHMARK(BM_LoadTexture1024)->Unit(benchmark::kMillisecond);

// The same file read, its image data inflated by zlib, the filter bytes
// dropped and the pixels uploaded the same way.
void BM_LoadTexture1024_Reference(benchmark::State& state) {
    TheScene();
    for (auto _ : state) {
        std::ifstream file("textures/big.png", std::ios::binary);
        const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<unsigned char> compressed;
        for (size_t at = 8; at + 8 <= bytes.size();) {
            const size_t length = (size_t{bytes[at]} << 24) | (size_t{bytes[at + 1]} << 16) |
                                  (size_t{bytes[at + 2]} << 8) | bytes[at + 3];
            if (std::equal(bytes.begin() + at + 4, bytes.begin() + at + 8, "IDAT"))
                compressed.insert(compressed.end(), bytes.begin() + at + 8, bytes.begin() + at + 8 + length);
            at += length + 12;
        }
        std::vector<unsigned char> scanlines(kSide * (kSide * 4 + 1));
        uLongf size = scanlines.size();
        uncompress(scanlines.data(), &size, compressed.data(), compressed.size());
        std::vector<unsigned char> rgba(kSide * kSide * 4);
        for (unsigned y = 0; y < kSide; ++y)
            std::copy_n(scanlines.begin() + y * (kSide * 4 + 1) + 1, kSide * 4, rgba.begin() + y * kSide * 4);

        unsigned texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kSide, kSide, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glGenerateMipmap(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &texture);
        glFinish();
    }
}
BENCHMARK(BM_LoadTexture1024_Reference)->Unit(benchmark::kMillisecond);

constexpr int kDraws = 10000;

glm::vec3 DrawPosition(int i) { return glm::vec3(static_cast<float>(i % 200 - 100), static_cast<float>(i / 200 - 25), 0.0f); }

// Only the calls are timed; the GPU finishes the frame outside the clock.
template <typename Frame>
void TimeFrames(benchmark::State& state, Frame frame) {
    for (auto _ : state) {
        frame();
        state.PauseTiming();
        glFinish();
        Graphics::EndFrame();
        Graphics::BeginFrame();
        state.ResumeTiming();
    }
    Graphics::EndFrame();
    state.SetItemsProcessed(state.iterations() * kDraws);
}

void BM_DrawTexture10k(benchmark::State& state) {
    TheScene();  // the window and its context, before the first frame
    unsigned width = 0, height = 0;
    Graphics::BeginFrame();
    const unsigned texture = Graphics::LoadTexture("big", width, height);
    TimeFrames(state, [&] {
        for (int i = 0; i < kDraws; ++i) Graphics::DrawTexture(texture, 16, 16, DrawPosition(i), glm::vec4(1.0f));
    });
}
BENCHMARK(BM_DrawTexture10k)->Unit(benchmark::kMillisecond);

// The bare GL work of one rectangle: two uniforms, the bindings and the draw.
void BM_DrawTexture10k_Reference(benchmark::State& state) {
    TheScene();
    unsigned width = 0, height = 0;
    Graphics::BeginFrame();
    const unsigned texture = Graphics::LoadTexture("big", width, height);
    TimeFrames(state, [&] { DrawBareQuads(texture, kDraws, 16.0f, DrawPosition); });
}
BENCHMARK(BM_DrawTexture10k_Reference)->Unit(benchmark::kMillisecond);

}  // namespace
