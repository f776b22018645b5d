// Entities with colliders, rays and rigid bodies from outside bytes, as a
// level load reads them, then stepped, paused and moving, and saved again.
#include <cstddef>
#include <cstdint>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "fuzz/entities_from_bytes.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/physics.h"
#include "physics/ray.h"
#include "physics/rigid_body.h"

namespace {

Physics& World() {
    static Physics* physics = [] {
        components::Register<RigidBody>("RigidBody");
        components::Register<CircleCollider>("CircleCollider");
        components::Register<BoxCollider>("BoxCollider");
        components::Register<Ray>("Ray");
        events::Register<>("DebugDraw");
        auto* made = new Physics();
        made->Init();
        return made;
    }();
    return *physics;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Physics& physics = World();
    if (!CreateEntitiesFromBytes(data, size)) return 0;
    physics.Step(0.0f, glm::ivec2(498, 280));
    physics.Step(1.0f / 60.0f, std::nullopt);
    physics.Step(1.0f / 60.0f, glm::ivec2(0, 0));
    for (const engine::entity_handle& entity : engine::GetAllEntities()) (void)entity.Serialize();
    engine::DestroyAllEntities();
    return 0;
}
