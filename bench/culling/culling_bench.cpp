// Culling a level's lights and shadow casters, beside the same distance
// tests run over plain arrays: the difference is what reaching entities and
// their components costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include <json/value.h>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "graphics/light_culling.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"

namespace {

constexpr int kEntities = 10000;
const light_culling::View kView{{0, 0, 0}, {-249, 140, 0}};

struct Thing {
    float x, y;
    bool moon, caster;
};

// 10,000 entities over 5000 by 5000 units, each with a point light of
// radius 50, every fifth with a moon light, every third with a caster.
const std::vector<Thing>& Things() {
    static const std::vector<Thing> things = [] {
        std::mt19937 random(1);
        std::uniform_real_distribution<float> spread(-2500.0f, 2500.0f);
        std::vector<Thing> made;
        for (int i = 0; i < kEntities; ++i) made.push_back({spread(random), spread(random), i % 5 == 0, i % 3 == 0});
        return made;
    }();
    return things;
}

void MakeLevel() {
    static bool made = false;
    if (made) return;
    made = true;
    components::Register<MoonLight>("MoonLight");
    components::Register<PointLight>("PointLight");
    components::Register<ShadowCaster>("ShadowCaster");
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    events::Register<>("DebugDraw");
    Json::Value light(Json::objectValue);
    light["max_radius"] = 50;
    Json::Value caster(Json::objectValue);
    caster["width"] = 8;
    caster["height"] = 4;
    for (const Thing& thing : Things()) {
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(thing.x, thing.y, 0.0f);
        entity.AddComponent("PointLight", light);
        if (thing.moon) entity.AddComponent("MoonLight", Json::Value(Json::objectValue));
        if (thing.caster) entity.AddComponent("ShadowCaster", caster);
    }
}

void BM_CullLights10k(benchmark::State& state) {
    MakeLevel();
    light_culling::Lists lists, byEntity;
    light_culling::CullLevel(kView, 0.0f, lists);
    light_culling::Cull(kView, engine::GetAllEntities(), 0.0f, byEntity);
    if (lists.pointLights.empty() || lists.pointLights != byEntity.pointLights ||
        lists.moonLights != byEntity.moonLights || lists.shadowCasters != byEntity.shadowCasters) {
        state.SkipWithError("the level's lists differ from those of the walk over every entity");
        return;
    }
    for (auto _ : state) {
        light_culling::CullLevel(kView, 0.0f, lists);
        benchmark::DoNotOptimize(lists.shadowCasters.data());
    }
    state.counters["lights"] = static_cast<double>(lists.pointLights.size());
}
BENCHMARK(BM_CullLights10k);

// The same tests on the same numbers held in one array.
void BM_CullLights10k_Reference(benchmark::State& state) {
    const std::vector<Thing>& things = Things();
    std::vector<int> moons, lights, casters, nearCasters;
    const float r2 = 249.0f * 249.0f + 140.0f * 140.0f;
    for (auto _ : state) {
        moons.clear(), lights.clear(), casters.clear(), nearCasters.clear();
        for (int i = 0; i < kEntities; ++i) {
            const Thing& t = things[i];
            if (t.moon && light_culling::LightDistance2({t.x, t.y}, {0, 0}, 1.0f, 249.0f, 140.0f) < r2)
                moons.push_back(i);
            if (light_culling::LightDistance2({t.x, t.y}, {0, 0}, 50.0f, 249.0f, 140.0f) < r2) lights.push_back(i);
        }
        for (int i = 0; i < kEntities; ++i) {
            const Thing& t = things[i];
            if (!t.caster) continue;
            const float dx = std::max(0.0f, std::fabs(t.x) - 8.0f), dy = std::max(0.0f, std::fabs(t.y) - 4.0f);
            const float d2 = dx * dx + dy * dy;
            if (d2 < r2)
                casters.push_back(i);
            else if (d2 < 5000.0f)
                nearCasters.push_back(i);
        }
        for (int c : nearCasters)
            for (int l : lights)
                if ((things[c].x - things[l].x) * -things[l].x + (things[c].y - things[l].y) * -things[l].y > 0) {
                    casters.push_back(c);
                    break;
                }
        benchmark::DoNotOptimize(casters.data());
    }
}
BENCHMARK(BM_CullLights10k_Reference);

}  // namespace
