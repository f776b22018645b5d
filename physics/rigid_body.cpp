#include "physics/rigid_body.h"

#include "core/json/json_values.h"

Json::Value RigidBody::Serialize() {
    Json::Value json(Json::objectValue);
    json["vel_x"] = static_cast<double>(velocity.x);
    json["vel_y"] = static_cast<double>(velocity.y);
    json["restitution"] = static_cast<double>(restitution);
    return json;
}

void RigidBody::Deserialize(Json::Value json) {
    if (!json.isObject()) json = Json::Value(Json::objectValue);  // reads as all keys missing
    velocity.x = JsonFloat(json["vel_x"], 0.0f);
    velocity.y = JsonFloat(json["vel_y"], 0.0f);
    restitution = JsonFloat(json["restitution"], 0.0f);
}
