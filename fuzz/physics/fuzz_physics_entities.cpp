// Entities with colliders, rays and rigid bodies from outside bytes, as a
// level load reads them, then stepped, paused and moving, and saved again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include <json/reader.h>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
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
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Json::Value entities;
    try {
        in >> entities;
    } catch (const Json::Exception&) {
        return 0;
    }
    if (!entities.isArray()) return 0;
    // A few dozen entities reach every path; more only fill memory.
    for (Json::ArrayIndex i = 0; i < entities.size() && i < 64; ++i) {
        try {
            engine::CreateEntity().Deserialize(entities[i]);
        } catch (const debug::exception&) {
            // An unknown component name stops the load, as in a level.
        }
    }
    physics.Step(0.0f, glm::ivec2(498, 280));
    physics.Step(1.0f / 60.0f, std::nullopt);
    physics.Step(1.0f / 60.0f, glm::ivec2(0, 0));
    for (const engine::entity_handle& entity : engine::GetAllEntities()) (void)entity.Serialize();
    engine::DestroyAllEntities();
    return 0;
}
