#pragma once
// A handle names an entity by its table slot and its id. It is valid while
// that slot holds the same id and is not dead; every operation resolves it
// anew and throws on a stale handle, so a destroyed entity is never reached
// through a reused slot. Ids and slots restart after DestroyAllEntities (every
// level load): handles are not kept across a level load.

#include <cstdint>
#include <string>

#include <glm/vec3.hpp>
#include <json/value.h>

namespace engine {

struct entity_base;

class entity_handle {
public:
    entity_handle() = default;
    entity_handle(uint32_t index, uint32_t id) : index(index), id(id) {}

    // Equal handles name the same entity id; the slot is not compared.
    bool operator==(const entity_handle& other) const { return id == other.id; }
    bool operator!=(const entity_handle& other) const { return id != other.id; }

    bool IsValid() const;
    uint32_t GetId() const { return id; }
    uint32_t GetIndex() const { return index; }

    // References into the table stay valid only until the next CreateEntity.
    entity_base& GetBaseEntity() const;
    glm::vec3& GetPosition() const;
    std::string& GetName() const;

    void SetPosition(float x, float y, float z) const;
    void SetName(const std::string& name) const;
    // x and y to the nearest whole number, halves away from zero; z as is.
    glm::vec3 GetSnappedPosition() const;

    // Creates, deserialises (unless json is null) and initialises a component
    // of the registered type, then attaches it. When the entity already holds
    // one of that type nothing happens: the held one stays.
    void AddComponent(const std::string& typeName, Json::Value json) const;
    bool RemoveComponent(const std::string& typeName) const;
    template <typename T>
    bool HasComponent() const;

    Json::Value Serialize() const;
    void Deserialize(const Json::Value& json) const;
    // Replaces this entity's components, position and name with copies of
    // the source's.
    void CopyFrom(const entity_handle& source) const;

    uint32_t index = 0;
    uint32_t id = 0;
};

}  // namespace engine
