#include "graphics/moon_light.h"

#include "core/json/json_values.h"
#include "core/json/json_vectors.h"
#include "graphics/light_position.h"

Json::Value MoonLight::Serialize() {
    Json::Value json(Json::objectValue);
    json["offset"] = Vec2ToJson(offset.x, offset.y);
    json["intensity"] = static_cast<double>(intensity);
    json["inner_radius"] = static_cast<double>(inner_radius);
    return json;
}

void MoonLight::Deserialize(Json::Value json) {
    if (!json.isObject()) json = Json::Value(Json::objectValue);
    offset = JsonToVec2(json["offset"]);
    intensity = JsonFloat(json["intensity"], 0.0f);
    inner_radius = JsonFloat(json["inner_radius"], 0.0f);
}

glm::vec2 MoonLight::GetPosition() const { return WorldPosition(owner, offset); }
