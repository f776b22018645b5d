#include "physics/circle_collider.h"

#include "core/json/json_values.h"
#include "graphics/debug_draw.h"

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
    if (!json.isObject()) json = Json::Value(Json::objectValue);  // reads as all keys missing
    centerOffset.x = JsonFloat(json["Circle Center OffsetX"], 0.0f);
    centerOffset.y = JsonFloat(json["Circle Center OffsetY"], 0.0f);
    ghost = JsonBool(json["Circle Ghost"], false);
    isStatic = JsonBool(json["Circle Static"], false);
    radius = JsonFloat(json["Circle Radius"], 0.0f);
}

void CircleCollider::DrawDebug() {
    const glm::vec2 center = GetCenter();
    DebugDraw::SetColor(1.0f, 0.0f, 0.0f, 1.0f);
    DebugDraw::CircleXY(center.x, center.y, radius);
}
