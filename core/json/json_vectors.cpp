#include "core/json/json_vectors.h"

#include "core/json/json_text.h"

namespace {

// A boolean reads as 1 or 0; text, arrays and objects have no number and
// read as 0, as a missing member does.
float Member(const Json::Value& value, const char* key) {
    if (!value.isObject()) return 0.0f;
    const Json::Value& member = value[key];
    return member.isConvertibleTo(Json::realValue) ? FiniteFloat(member) : 0.0f;
}

}  // namespace

glm::vec2 JsonToVec2(const Json::Value& value) { return {Member(value, "x"), Member(value, "y")}; }

glm::vec3 JsonToVec3(const Json::Value& value) {
    return {Member(value, "x"), Member(value, "y"), Member(value, "z")};
}

Json::Value Vec2ToJson(float x, float y) {
    Json::Value value(Json::objectValue);
    value["x"] = static_cast<double>(x);
    value["y"] = static_cast<double>(y);
    return value;
}

Json::Value Vec3ToJson(float x, float y, float z) {
    Json::Value value = Vec2ToJson(x, y);
    value["z"] = static_cast<double>(z);
    return value;
}
