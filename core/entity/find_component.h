#pragma once
// Finds a component again from its owner's handle. Listeners keep the
// handle, never the component: by the time one runs, a script may have
// removed the component or destroyed the entity within the same event.

#include "core/entity/entity_base.h"

namespace engine {

// The entity's component of built-in class T, or null when the handle is
// stale or the entity holds none.
template <typename T>
T* FindComponent(const entity_handle& owner) {
    if (!owner.IsValid()) return nullptr;
    auto& held = owner.GetBaseEntity().components;
    const auto found = held.find(BaseComponent<T>::ID);
    // The entry under T's id is always a T: ids are handed out once per name.
    return found == held.end() ? nullptr : static_cast<T*>(found->second.get());
}

}  // namespace engine
