#include "physics/circle_collider.h"

#include "physics/json_fields.h"

glm::vec2 CircleCollider::GetCenter() const {
    if (!owner.IsValid()) return centerOffset;
    const glm::vec3& position = owner.GetPosition();
    return glm::vec2(position.x, position.y) + centerOffset;
}

Json::Value CircleCollider::Serialize() {
    Json::Value json(Json::objectValue);
    json["Circle Center OffsetX"] = static_cast<double>(centerOffset.x);
    json["Circle Center OffsetY"] = static_cast<double>(centerOffset.y);
    json["Circle Ghost"] = ghost;
    json["Circle Static"] = isStatic;
    json["Circle Radius"] = static_cast<double>(radius);
    return json;
}

void CircleCollider::Deserialize(Json::Value json) {
    centerOffset.x = ReadFloat(json, "Circle Center OffsetX");
    centerOffset.y = ReadFloat(json, "Circle Center OffsetY");
    ghost = ReadBool(json, "Circle Ghost");
    isStatic = ReadBool(json, "Circle Static");
    radius = ReadFloat(json, "Circle Radius");
}
