#include "physics/component_lookup.h"

#include "physics/box_collider.h"
#include "physics/circle_collider.h"

glm::vec2 ShapeCenter(const engine::entity_handle& handle) {
    if (const BoxCollider* box = engine::FindComponent<BoxCollider>(handle)) return box->GetCenter();
    if (const CircleCollider* circle = engine::FindComponent<CircleCollider>(handle)) return circle->GetCenter();
    const glm::vec3& position = handle.GetPosition();
    return {position.x, position.y};
}
