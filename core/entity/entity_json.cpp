#include <vector>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/json/json_vectors.h"

namespace engine {

// A component's Serialize may run script code that creates entities, which
// can move every record: the record is looked up again for each component.
Json::Value entity_handle::Serialize() const {
    const entity_base& entity = GetBaseEntity();
    Json::Value json(Json::objectValue);
    json["pos"] = Vec3ToJson(entity.position.x, entity.position.y, entity.position.z);
    json["name"] = entity.name;
    std::vector<uint32_t> typeIds;
    for (const auto& entry : entity.components) typeIds.push_back(entry.first);
    Json::Value list;  // stays null for an entity without components
    for (uint32_t typeId : typeIds) {
        auto& held = GetBaseEntity().components;
        auto found = held.find(typeId);
        if (found == held.end()) continue;  // removed by an earlier one
        Json::Value saved = found->second->Serialize();
        saved["__component_name"] = components::GetName(typeId);
        list.append(std::move(saved));
    }
    json["components"] = std::move(list);
    return json;
}

void entity_handle::Deserialize(const Json::Value& json) const {
    if (!json.isObject()) return;  // a damaged entry leaves a default entity
    const glm::vec3 position = JsonToVec3(json["pos"]);
    SetPosition(position.x, position.y, position.z);
    // A number or a boolean names the entity in its text form; an array or
    // an object has none and keeps "Entity".
    const Json::Value& name = json["name"];
    const std::string text = name.isConvertibleTo(Json::stringValue) ? name.asString() : "";
    if (!text.empty()) SetName(text);
    const Json::Value& list = json["components"];
    if (!list.isArray()) return;
    for (const Json::Value& saved : list) {
        // An entry without a type name fails in the registry with its message;
        // a name that nothing registered is kept as read (see Adopt).
        const Json::Value typeName = saved.isObject() ? saved["__component_name"] : Json::Value();
        const std::string name = typeName.isString() ? typeName.asString() : "";
        if (!name.empty()) components::Adopt(name);
        AddComponent(name, saved);
    }
}

}  // namespace engine
