#include "physics/ray.h"

#include <algorithm>

#include "core/entity/find_component.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "physics/vec2_math.h"

namespace {

// The centre of the entity's box, else of its circle, else its position.
glm::vec2 ShapeCenter(const engine::entity_handle& handle) {
    if (const BoxCollider* box = engine::FindComponent<BoxCollider>(handle)) return box->GetCenter();
    if (const CircleCollider* circle = engine::FindComponent<CircleCollider>(handle)) return circle->GetCenter();
    const glm::vec3& position = handle.GetPosition();
    return {position.x, position.y};
}

}  // namespace

void Ray::AddHit(const engine::entity_handle& hit) {
    std::erase_if(hits, [&](const engine::entity_handle& listed) {
        return listed.GetId() == 0 || listed == hit || !listed.IsValid();
    });
    const glm::vec2 from = ShapeCenter(owner);
    const float distance = Vec2Distance(from, ShapeCenter(hit));
    auto place = std::find_if(hits.begin(), hits.end(), [&](const engine::entity_handle& listed) {
        return Vec2Distance(from, ShapeCenter(listed)) >= distance;
    });
    hits.insert(place, hit);
    closestHit = hits.front();
}
