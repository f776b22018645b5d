#include "physics/rigid_body.h"

#include "physics/json_fields.h"

Json::Value RigidBody::Serialize() {
    Json::Value json(Json::objectValue);
    json["vel_x"] = static_cast<double>(velocity.x);
    json["vel_y"] = static_cast<double>(velocity.y);
    json["restitution"] = static_cast<double>(restitution);
    return json;
}

void RigidBody::Deserialize(Json::Value json) {
    velocity.x = ReadFloat(json, "vel_x");
    velocity.y = ReadFloat(json, "vel_y");
    restitution = ReadFloat(json, "restitution");
}
