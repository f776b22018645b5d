#pragma once
// 2- and 3-vectors in every file format: {"x", "y"} and {"x", "y", "z"}.
// Written as doubles; read as floats, a missing member reading as 0.

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <json/value.h>

glm::vec2 JsonToVec2(const Json::Value& value);
glm::vec3 JsonToVec3(const Json::Value& value);
Json::Value Vec2ToJson(float x, float y);
Json::Value Vec3ToJson(float x, float y, float z);
