// One frame of a reference scene (1,000 sprites, 45 point lights and 100
// shadow casters in view over a 64 by 64 tile map) through Graphics::Draw,
// split into the processor time of the calls on this thread (culling,
// sorting, uniforms, draw submission) and the time until the driver has
// drawn it, with the draws and binds of one frame.
// The reference is the bare GL work of as many textured quads: one shader,
// locations looked up in advance, no lists, no lights, no passes.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "bench/graphics/bench_scene.h"
#include "bench/graphics/frame_timing.h"
#include "bench/graphics/gl_counts.h"
#include "core/entity/entity_table.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/sprite.h"
#include "graphics/tile_map.h"

namespace {

constexpr int kSprites = 1000;
constexpr int kTiles = 64;
// At the base view of 498 by 280 units, 16-unit tiles show about 33 by 19.
constexpr int kVisibleTiles = 33 * 19;

unsigned seed = 2024;
float Random(float low, float high) {
    seed = seed * 1103515245u + 12345u;
    return low + (high - low) * static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
}

Json::Value Vec(float x, float y, float z = 0.0f) {
    Json::Value v;
    v["x"] = x;
    v["y"] = y;
    v["z"] = z;
    return v;
}

void BuildScene() {
    static bool built = false;
    if (built) return;
    built = true;
    TheLitScene();

    // 890 lit sprites, 10 unclamped ones (each its own pass), 100 forward.
    for (int i = 0; i < kSprites; ++i) {
        Json::Value sprite;
        sprite["texture"] = "big";
        sprite["environmental"] = i < 900;
        sprite["clamped"] = i < 890 || i >= 900;
        sprite["frame_time"] = 0.1;
        sprite["frames"] = 4;
        sprite["rows"] = 32;
        sprite["columns"] = 32;
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(Random(-240, 240), Random(-140, 120), Random(-0.5f, 0.5f));
        entity.AddComponent("Sprite", sprite);
    }
    for (int i = 0; i < 45; ++i) {
        Json::Value light;
        light["offset"] = Vec(0, 0);
        light["max_radius"] = 150.0;
        light["color"] = Vec(Random(0.5f, 1), Random(0.5f, 1), Random(0.5f, 1));
        light["ambient_intensity"] = 0.1;
        light["diffuse_intensity"] = 1.0;
        light["attenuation"] = Vec(0.2f, 0.0f, 1.0f);
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(Random(-240, 240), Random(-130, 130), 0);
        entity.AddComponent("PointLight", light);
    }
    for (int i = 0; i < 100; ++i) {
        Json::Value caster;
        caster["offset"] = Vec(0, 0);
        caster["width"] = Random(4, 20);
        caster["height"] = Random(4, 12);
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(Random(-240, 240), Random(-130, 130), 0);
        entity.AddComponent("ShadowCaster", caster);
    }
    std::string tiles;
    for (int i = 0; i < kTiles * kTiles; ++i) tiles += "1 ";
    Json::Value map;
    map["tile_width"] = 16;
    map["tile_height"] = 16;
    map["width"] = kTiles;
    map["height"] = kTiles;
    map["tile_textures"].append("big");
    map["tiles"] = tiles;
    CreateTileMap();
    GetTileMap()->Deserialize(map);
    Graphics::BeginFrame();
}

void LitFrame() { Graphics::Draw(0.016f); }

// The same number of squares, textured, with nothing else.
void BareQuads() {
    unsigned width = 0, height = 0;
    const unsigned texture = Graphics::LoadTexture("big", width, height);
    DrawBareQuads(texture, kSprites + kVisibleTiles, 32.0f, [](int i) {
        return glm::vec3(static_cast<float>(i % 40 * 12 - 240), static_cast<float>(i / 40 * 8 - 140), 0.0f);
    });
}

// The lit frame and the bare quads, each with the GL calls of one frame.
template <typename Frame>
void TimeAndCount(benchmark::State& state, const char* name, bool drawn, double divisor, Frame frame) {
    BuildScene();
    TimeFrames(state, drawn, divisor, frame);
    ReportGlCalls(state, name, frame);
    Graphics::EndFrame();
    Graphics::BeginFrame();
}

void BM_LitFrameCpu(benchmark::State& state) { TimeAndCount(state, "BM_LitFrameCpu", false, 1.0, LitFrame); }
void BM_LitFrameCpu_Reference(benchmark::State& state) { TimeAndCount(state, "BM_LitFrameCpu_Reference", false, 1.0, BareQuads); }
void BM_LitFrameCpuPerSprite(benchmark::State& state) { TimeAndCount(state, "BM_LitFrameCpuPerSprite", false, kSprites, LitFrame); }
void BM_LitFrameCpuPerSprite_Reference(benchmark::State& state) { TimeAndCount(state, "BM_LitFrameCpuPerSprite_Reference", false, kSprites, BareQuads); }
void BM_LitFrameTotal(benchmark::State& state) { TimeAndCount(state, "BM_LitFrameTotal", true, 1.0, LitFrame); }
void BM_LitFrameTotal_Reference(benchmark::State& state) { TimeAndCount(state, "BM_LitFrameTotal_Reference", true, 1.0, BareQuads); }

BENCHMARK(BM_LitFrameCpu)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LitFrameCpu_Reference)->UseManualTime()->Unit(benchmark::kMillisecond);
// A fixed count: a per-sprite time would otherwise call for thousands of frames.
BENCHMARK(BM_LitFrameCpuPerSprite)->UseManualTime()->Iterations(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LitFrameCpuPerSprite_Reference)->UseManualTime()->Iterations(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LitFrameTotal)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LitFrameTotal_Reference)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
