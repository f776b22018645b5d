#include "core/json/json_values.h"

#include "core/json/json_text.h"

namespace {

bool Readable(const Json::Value& value, Json::ValueType as) { return !value.isNull() && value.isConvertibleTo(as); }

}  // namespace

float JsonFloat(const Json::Value& value, float fallback) {
    return Readable(value, Json::realValue) ? FiniteFloat(value) : fallback;
}

uint32_t JsonUInt(const Json::Value& value, uint32_t fallback) {
    return Readable(value, Json::uintValue) ? value.asUInt() : fallback;
}

bool JsonBool(const Json::Value& value, bool fallback) {
    return Readable(value, Json::booleanValue) ? value.asBool() : fallback;
}

std::string JsonString(const Json::Value& value, const std::string& fallback) {
    return Readable(value, Json::stringValue) ? value.asString() : fallback;
}
