#pragma once
// Lights and shadow casters sit at their entity's position plus an offset.

#include <glm/vec2.hpp>

#include "core/entity/entity_handle.h"

// x and y of the owner's position plus the offset; the owner must be live.
glm::vec2 WorldPosition(const engine::entity_handle& owner, glm::vec2 offset);
