#include "core/lighting/level_lighting.h"

#include "core/json/json_text.h"
#include "core/json/json_vectors.h"

glm::vec3 moonlight_color{1.0f, 1.0f, 1.0f};
float moonlight_fade_dist = 100.0f;
float moonlight_fade_exponent = 15.0f;
glm::vec3 global_ambient{1.0f, 1.0f, 1.0f};
float global_ambient_intensity = 1.0f;
float attenuation_zero = 0.001f;

namespace {

// A value that is not a number counts as missing.
float NumberOr(const Json::Value& value, float fallback) { return value.isNumeric() ? FiniteFloat(value) : fallback; }

}  // namespace

void ApplyLevelLighting(const Json::Value& graphics) {
    if (!graphics.isObject()) return;
    moonlight_color = JsonToVec3(graphics["moonlight_color"]);
    moonlight_fade_dist = NumberOr(graphics["moonlight_fade_dist"], moonlight_fade_dist);
    moonlight_fade_exponent = NumberOr(graphics["moonlight_fade_exponent"], moonlight_fade_exponent);
    global_ambient = JsonToVec3(graphics["global_ambient"]);
    global_ambient_intensity = NumberOr(graphics["global_ambient_intensity"], 0.0f);
    attenuation_zero = NumberOr(graphics["attenuation_zero"], 0.0f);
}

Json::Value LevelLightingToJson() {
    Json::Value graphics(Json::objectValue);
    graphics["moonlight_color"] = Vec3ToJson(moonlight_color.r, moonlight_color.g, moonlight_color.b);
    graphics["moonlight_fade_dist"] = static_cast<double>(moonlight_fade_dist);
    graphics["moonlight_fade_exponent"] = static_cast<double>(moonlight_fade_exponent);
    graphics["global_ambient"] = Vec3ToJson(global_ambient.r, global_ambient.g, global_ambient.b);
    graphics["global_ambient_intensity"] = static_cast<double>(global_ambient_intensity);
    graphics["attenuation_zero"] = static_cast<double>(attenuation_zero);
    return graphics;
}
