// The shipped courtyard level's frame (its sprites, lights, casters and tile
// map as the level file places them, the camera at the origin) through
// Graphics::Draw: the drawing thread's processor time per frame, with the
// draws and binds of one frame. The reference is the bare GL work of as many
// textured quads as the frame shows sprites and tiles.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include <json/reader.h>

#include "bench/graphics/bench_scene.h"
#include "bench/graphics/frame_timing.h"
#include "bench/graphics/gl_counts.h"
#include "core/entity/entity_table.h"
#include "core/lighting/level_lighting.h"
#include "graphics/camera.h"
#include "graphics/sprite.h"
#include "graphics/tile_map.h"

namespace {

int quads = 0;  // sprites and tiles the level shows

// The level's drawn part: the other components need the rest of the engine.
void LoadCourtyard() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    TheLitScene();

    Json::Value level;
    std::ifstream file(std::filesystem::path(QM_DATA_DIR) / "levels/courtyard.json");
    Json::CharReaderBuilder reader;
    std::string errors;
    if (!Json::parseFromStream(reader, file, &level, &errors)) throw std::runtime_error("courtyard.json: " + errors);
    for (const Json::Value& entry : level["entities"]) {
        const engine::entity_handle entity = engine::CreateEntity();
        const Json::Value& at = entry["pos"];
        entity.SetPosition(at["x"].asFloat(), at["y"].asFloat(), at["z"].asFloat());
        for (const Json::Value& component : entry["components"]) {
            const std::string name = component["__component_name"].asString();
            if (name != "Sprite" && name != "MoonLight" && name != "PointLight" && name != "ShadowCaster") continue;
            entity.AddComponent(name, component);
            quads += name == "Sprite";
        }
    }
    CreateTileMap();
    GetTileMap()->Deserialize(level["tile_map"]);
    ApplyLevelLighting(level["graphics"]);
    std::istringstream tiles(level["tile_map"]["tiles"].asString());
    for (long index = 0; tiles >> index;) quads += index != 0;
    Camera::SetPosition(glm::vec3(0.0f));
    Camera::SetScale(1.0f);
    Graphics::BeginFrame();
}

void CourtyardFrame() { Graphics::Draw(0.016f); }

void BareQuads() {
    unsigned width = 0, height = 0;
    const unsigned texture = Graphics::LoadTexture("flagstone", width, height);
    DrawBareQuads(texture, quads, 16.0f, [](int i) {
        return glm::vec3(static_cast<float>(i % 32 * 16 - 248), static_cast<float>(i / 32 * 16 - 136), 0.0f);
    });
}

template <typename Frame>
void TimeAndCount(benchmark::State& state, const char* name, Frame frame) {
    LoadCourtyard();
    TimeFrames(state, false, 1.0, frame);
    ReportGlCalls(state, name, frame);
    Graphics::EndFrame();
    Graphics::BeginFrame();
}

void BM_CourtyardFrameCpu(benchmark::State& state) { TimeAndCount(state, "BM_CourtyardFrameCpu", CourtyardFrame); }
void BM_CourtyardFrameCpu_Reference(benchmark::State& state) { TimeAndCount(state, "BM_CourtyardFrameCpu_Reference", BareQuads); }

BENCHMARK(BM_CourtyardFrameCpu)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CourtyardFrameCpu_Reference)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
