#include "physics/json_fields.h"

#include <algorithm>
#include <limits>

namespace {

const Json::Value* Member(const Json::Value& json, const char* key) {
    return json.isObject() ? json.find(key, key + std::char_traits<char>::length(key)) : nullptr;
}

}  // namespace

float ReadFloat(const Json::Value& json, const char* key) {
    const Json::Value* value = Member(json, key);
    if (!value || !(value->isNumeric() || value->isBool())) return 0.0f;
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value->asDouble(), -kMax, kMax));
}

bool ReadBool(const Json::Value& json, const char* key) {
    const Json::Value* value = Member(json, key);
    if (!value || !(value->isNumeric() || value->isBool())) return false;
    return value->asBool();
}
