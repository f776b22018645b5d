#pragma once
// Small 2-vector helpers of the collision code. Lengths take their sum of
// squares in float and the root in double, rounded back to float, so results
// are the same on every build.

#include <glm/mat2x2.hpp>
#include <glm/vec2.hpp>

float Vec2Length(glm::vec2 v);
float Vec2Distance(glm::vec2 a, glm::vec2 b);
// The point v projected on the line through the origin along a (a non-zero).
glm::vec2 ProjectOnto(glm::vec2 v, glm::vec2 a);
// Both components within 2e-5.
bool Vec2NearlyEqual(glm::vec2 a, glm::vec2 b);
// v / |v|, or fallback when v has no length (or no finite one).
glm::vec2 Vec2NormalOr(glm::vec2 v, glm::vec2 fallback);

// Rotation by degrees, with pi taken as 3.14 as the level files expect.
glm::mat2 RotationMatrix(float degrees);
