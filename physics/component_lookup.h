#pragma once
// Finds a built-in component of an entity without throwing: null for a stale
// handle or a missing component. The pointer is good only until something
// can add or remove components (an event, a script): look it up again after.

#include <glm/vec2.hpp>

#include "core/components/base_component.h"
#include "core/entity/entity_base.h"

template <typename T>
T* FindComponent(const engine::entity_handle& handle) {
    if (!handle.IsValid()) return nullptr;
    auto& held = handle.GetBaseEntity().components;
    auto found = held.find(BaseComponent<T>::ID);
    return found == held.end() ? nullptr : static_cast<T*>(found->second.get());
}

// The centre of the entity's box, else of its circle, else its position.
glm::vec2 ShapeCenter(const engine::entity_handle& handle);
