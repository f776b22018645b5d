#include "graphics/point_light.h"

#include "core/json/json_values.h"
#include "core/json/json_vectors.h"
#include "graphics/debug_draw.h"
#include "graphics/light_position.h"
#include "graphics/selection_outline.h"

namespace {

constexpr const char* kListenerBase = "PointLightDrawOultine";

}  // namespace

void PointLight::Initialize() {
    selection_outline::Listen<PointLight>(owner, selection_outline::ListenerId(kListenerBase, owner));
}

void PointLight::Remove() { selection_outline::Stop(hooked, selection_outline::ListenerId(kListenerBase, owner)); }

Json::Value PointLight::Serialize() {
    Json::Value json(Json::objectValue);
    json["offset"] = Vec2ToJson(offset.x, offset.y);
    json["max_radius"] = static_cast<double>(max_radius);
    json["color"] = Vec3ToJson(color.x, color.y, color.z);
    json["ambient_intensity"] = static_cast<double>(ambient_intensity);
    json["diffuse_intensity"] = static_cast<double>(diffuse_intensity);
    json["attenuation"] = Vec3ToJson(attenuation.x, attenuation.y, attenuation.z);
    return json;
}

void PointLight::Deserialize(Json::Value json) {
    if (!json.isObject()) json = Json::Value(Json::objectValue);
    offset = JsonToVec2(json["offset"]);
    max_radius = JsonFloat(json["max_radius"], 0.0f);
    color = JsonToVec3(json["color"]);
    ambient_intensity = JsonFloat(json["ambient_intensity"], 0.0f);
    diffuse_intensity = JsonFloat(json["diffuse_intensity"], 0.0f);
    attenuation = JsonToVec3(json["attenuation"]);
}

glm::vec2 PointLight::GetPosition() const { return WorldPosition(owner, offset); }

void PointLight::DrawSelectionOutline() {
    const glm::vec3 at = owner.GetPosition();
    selection_outline::InColour(glm::vec4(0.5f, 1.0f, 0.0f, 1.0f), [&] { DebugDraw::Circle(at, max_radius); });
}
