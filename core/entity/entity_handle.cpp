#include <cmath>

#include "core/components/registry.h"
#include "core/entity/entity_internal.h"
#include "core/entity/entity_table.h"

namespace engine {

glm::vec3& entity_handle::GetPosition() const { return GetBaseEntity().position; }

std::string& entity_handle::GetName() const { return GetBaseEntity().name; }

void entity_handle::SetPosition(float x, float y, float z) const { GetBaseEntity().position = {x, y, z}; }

void entity_handle::SetName(const std::string& name) const { GetBaseEntity().name = name; }

glm::vec3 entity_handle::GetSnappedPosition() const {
    const glm::vec3 position = GetPosition();
    return {std::round(position.x), std::round(position.y), position.z};
}

void entity_handle::AddComponent(const std::string& typeName, Json::Value json) const {
    if (!TakesComponents()) return;
    std::unique_ptr<RootComponent> component(components::Create(typeName));
    const uint32_t typeId = component->GetTypeID();
    // A type the entity already holds: the held one stays, and the surplus
    // one is never deserialised or initialised, so it connects no listener
    // under the held one's id.
    if (IsValid() && GetBaseEntity().components.count(typeId) > 0) return;
    component->owner = *this;
    if (!json.isNull()) component->Deserialize(json);
    component->Initialize();
    // A stale owner: the component has connected its listeners by now, so
    // take it down again before reporting.
    if (!IsValid()) {
        component->Remove();
        GetBaseEntity();  // throws the stale-handle message
    }
    auto& held = GetBaseEntity().components;
    // Initialize may have attached one of this type (a script adding it
    // again from inside its own start-up): the first one attached stays.
    if (held.count(typeId) > 0) {
        component->Remove();
        return;
    }
    held.emplace(typeId, std::move(component));
}

bool entity_handle::RemoveComponent(const std::string& typeName) const {
    return GetBaseEntity().RemoveComponent(typeName);
}

bool entity_base::HasComponent(const std::string& typeName) const {
    return components.count(components::GetID(typeName)) > 0;
}

bool entity_base::RemoveComponent(const std::string& typeName) {
    const uint32_t typeId = components::GetID(typeName);
    if (components.count(typeId) == 0) return false;
    RemoveComponentAt(index, typeId);
    return true;
}

void entity_handle::CopyFrom(const entity_handle& source) const {
    RemoveAllComponents(GetBaseEntity().index);
    std::vector<uint32_t> typeIds;
    for (const auto& entry : source.GetBaseEntity().components) typeIds.push_back(entry.first);
    for (uint32_t typeId : typeIds) {
        AddComponent(components::GetName(typeId), Json::Value());
        // Either side may have moved while the new component initialised.
        auto& target = GetBaseEntity().components;
        auto& from = source.GetBaseEntity().components;
        auto made = target.find(typeId);
        auto original = from.find(typeId);
        if (made != target.end() && original != from.end()) made->second->Copy(original->second.get());
    }
    const glm::vec3 position = source.GetPosition();
    SetPosition(position.x, position.y, position.z);
    SetName(source.GetName());
}

}  // namespace engine
