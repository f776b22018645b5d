#include "graphics/light_position.h"

#include <glm/vec3.hpp>

glm::vec2 WorldPosition(const engine::entity_handle& owner, glm::vec2 offset) {
    const glm::vec3 position = owner.GetPosition();
    return glm::vec2(position.x + offset.x, position.y + offset.y);
}
