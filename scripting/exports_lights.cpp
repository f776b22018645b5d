// Point lights and moon lights from Lua. Positions are world positions: the
// entity's x and y plus the light's offset.
#include <cstdint>

#include "core/lighting/level_lighting.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "scripting/component_access.h"
#include "scripting/export_list.h"

template <>
const char* MissingSuffix<PointLight>() {
    return " on component with no point light";
}
template <>
const char* MissingSuffix<MoonLight>() {
    return " on component with no moon light";
}

lb_vec2 lb_point_light_get_pos(uint32_t index, uint32_t id) {
    return OnComponent<PointLight>(index, id, "get position", lb_vec2{0, 0},
                                   [](PointLight& light) { return ToLua(light.GetPosition()); });
}

float lb_point_light_get_radius(uint32_t index, uint32_t id) {
    return OnComponent<PointLight>(index, id, "get radius", 0.0f,
                                   [](PointLight& light) { return light.GetMaxRadius(); });
}

void lb_point_light_set_ambient_intensity(uint32_t index, uint32_t id, float value) {
    OnComponent<PointLight>(index, id, "set ambient intensity",
                            [&](PointLight& light) { light.ambient_intensity = value; });
}

void lb_point_light_set_attenuation(uint32_t index, uint32_t id, float constant, float linear, float quadratic) {
    OnComponent<PointLight>(index, id, "set attenuation",
                            [&](PointLight& light) { light.attenuation = {constant, linear, quadratic}; });
}

void lb_point_light_set_color(uint32_t index, uint32_t id, float r, float g, float b) {
    OnComponent<PointLight>(index, id, "set color", [&](PointLight& light) { light.color = {r, g, b}; });
}

void lb_point_light_set_diffuse_intensity(uint32_t index, uint32_t id, float value) {
    OnComponent<PointLight>(index, id, "set diffuse intensity",
                            [&](PointLight& light) { light.diffuse_intensity = value; });
}

void lb_point_light_set_offset(uint32_t index, uint32_t id, float x, float y) {
    OnComponent<PointLight>(index, id, "set offset", [&](PointLight& light) { light.offset = {x, y}; });
}

void lb_point_light_set_radius(uint32_t index, uint32_t id, float value) {
    OnComponent<PointLight>(index, id, "set radius", [&](PointLight& light) { light.max_radius = value; });
}

lb_vec2 lb_moon_light_get_pos(uint32_t index, uint32_t id) {
    return OnComponent<MoonLight>(index, id, "get position", lb_vec2{0, 0},
                                  [](MoonLight& light) { return ToLua(light.GetPosition()); });
}

// Every moon light of the level shares the colour: the entity is not looked at.
void lb_moon_light_set_color(uint32_t, uint32_t, float r, float g, float b) { moonlight_color = {r, g, b}; }

// A moon light has no falloff and no outer radius; scripts may still call these.
void lb_moon_light_set_falloff(uint32_t, uint32_t, float) {}

void lb_moon_light_set_inner_radius(uint32_t index, uint32_t id, float value) {
    OnComponent<MoonLight>(index, id, "set inner radius", [&](MoonLight& light) { light.inner_radius = value; });
}

void lb_moon_light_set_intensity(uint32_t index, uint32_t id, float value) {
    OnComponent<MoonLight>(index, id, "set intensity", [&](MoonLight& light) { light.intensity = value; });
}

void lb_moon_light_set_offset(uint32_t index, uint32_t id, float x, float y) {
    OnComponent<MoonLight>(index, id, "set offset", [&](MoonLight& light) { light.offset = {x, y}; });
}

void lb_moon_light_set_outer_radius(uint32_t, uint32_t, float) {}
