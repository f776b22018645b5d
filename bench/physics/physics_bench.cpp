// One physics step over a level of 1,000 entities with colliders (more
// where more than 800 lie in view), of which the given number lie in view,
// beside the bare arithmetic of the same all-pairs circle tests over a plain
// array.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include <glm/vec2.hpp>
#include <json/value.h>

#include "core/engine/register_all.h"
#include "core/entity/entity_table.h"
#include "graphics/camera.h"
#include "graphics/debug_draw.h"
#include "physics/physics.h"

namespace {

constexpr int kEntities = 1000;
constexpr int kFarOffAtLeast = 400;
const glm::ivec2 kView(498, 280);  // kept within 298 by 168 of the camera

struct Placed {
    glm::vec2 at;
    float radius;
};

// Deterministic shapes: the first inView near the camera, the rest far off.
std::vector<Placed> Layout(int inView) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(-240, 240), y(-130, 130), far(2000, 4000), radius(2, 8);
    std::vector<Placed> placed;
    const int entities = std::max(kEntities, inView + kFarOffAtLeast);
    for (int i = 0; i < entities; ++i)
        placed.push_back({i < inView ? glm::vec2(x(random), y(random)) : glm::vec2(far(random), far(random)),
                          radius(random)});
    return placed;
}

Physics& World() {
    static Physics* physics = nullptr;
    if (!physics) {
        components::RegisterAll();
        new DebugDraw();  // registers "DebugDraw"; kept for the program's life
        physics = new Physics();
        physics->Init();
        Camera::SetPosition({0, 0, 0});
    }
    return *physics;
}

// Half boxes, half circles, every other one with a rigid body at rest.
void BuildLevel(int inView) {
    engine::DestroyAllEntities();
    int i = 0;
    for (const Placed& p : Layout(inView)) {
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(p.at.x, p.at.y, 0.0f);
        Json::Value keys(Json::objectValue);
        if (i % 2) {
            keys["Circle Radius"] = p.radius;
            entity.AddComponent("CircleCollider", keys);
        } else {
            keys["Box Width"] = 2 * p.radius;
            keys["Box Height"] = 2 * p.radius;
            entity.AddComponent("BoxCollider", keys);
        }
        if (i % 4 < 2) entity.AddComponent("RigidBody", Json::Value(Json::objectValue));
        ++i;
    }
}

void BM_PhysicsStep(benchmark::State& state) {
    Physics& physics = World();
    BuildLevel(static_cast<int>(state.range(0)));
    for (auto _ : state) physics.Step(0.0f, kView);
}
BENCHMARK(BM_PhysicsStep)->Arg(100)->Arg(200)->Arg(400)->Arg(1600)->Unit(benchmark::kMicrosecond);

// The same culling pass and all-pairs overlap tests on a flat array.
void BM_PhysicsStep_Reference(benchmark::State& state) {
    const std::vector<Placed> placed = Layout(static_cast<int>(state.range(0)));
    std::vector<Placed> candidates;
    for (auto _ : state) {
        candidates.clear();
        for (const Placed& p : placed)
            if (p.at.x - p.radius <= 298.8f && p.at.y - p.radius <= 168.0f) candidates.push_back(p);
        int touching = 0;
        for (size_t i = 0; i < candidates.size(); ++i)
            for (size_t j = i + 1; j < candidates.size(); ++j) {
                const glm::vec2 d = candidates[j].at - candidates[i].at;
                const float r = candidates[i].radius + candidates[j].radius;
                touching += d.x * d.x + d.y * d.y <= r * r;
            }
        benchmark::DoNotOptimize(touching);
    }
}
BENCHMARK(BM_PhysicsStep_Reference)->Arg(100)->Arg(200)->Arg(400)->Arg(1600)->Unit(benchmark::kMicrosecond);

}  // namespace
