#pragma once
// The level's lighting values, carried by the level file's "graphics" object
// and read by the lighting passes. They are not reset between levels: a
// level without a "graphics" object keeps the values of the level before it.

#include <glm/vec3.hpp>
#include <json/value.h>

extern glm::vec3 moonlight_color;
extern float moonlight_fade_dist;
extern float moonlight_fade_exponent;
extern glm::vec3 global_ambient;
extern float global_ambient_intensity;
extern float attenuation_zero;

// Applies a level's "graphics" object. The fade distance and exponent keep
// their values when missing; every other missing value becomes 0. Anything
// but an object (null included) changes nothing.
void ApplyLevelLighting(const Json::Value& graphics);

// The six values as a "graphics" object.
Json::Value LevelLightingToJson();
