#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include <glm/vec3.hpp>

#include "core/components/base_component.h"
#include "core/diagnostics/exception.h"
#include "core/entity/entity_handle.h"

namespace engine {

// One record of the entity table. Reached only through a handle.
struct entity_base {
    // By component type id; every walk over them goes in ascending id.
    std::map<uint32_t, std::unique_ptr<RootComponent>> components;
    std::string name = "Entity";
    glm::vec3 position{0.0f, 0.0f, 0.0f};  // z is the draw depth
    uint32_t id = 0;
    uint32_t index = 0;
    bool dead = false;
    bool queued = false;  // waiting in the deferred-destruction queue

    // The component of built-in class T; throws when the entity has none.
    template <typename T>
    T* Get() {
        auto found = components.find(BaseComponent<T>::ID);
        if (found == components.end()) throw debug::exception("entity_base.Get: component doesn't exist!");
        return static_cast<T*>(found->second.get());
    }

    // By type name; an unregistered name throws the registry's message.
    bool HasComponent(const std::string& typeName) const;
    bool RemoveComponent(const std::string& typeName);
};

template <typename T>
bool entity_handle::HasComponent() const {
    return GetBaseEntity().components.count(BaseComponent<T>::ID) > 0;
}

}  // namespace engine
