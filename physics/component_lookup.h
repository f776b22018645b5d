#pragma once
#include <glm/vec2.hpp>

#include "core/entity/find_component.h"

// The centre of the entity's box, else of its circle, else its position.
glm::vec2 ShapeCenter(const engine::entity_handle& handle);
