#include "physics/vec2_math.h"

#include <cmath>

namespace {

constexpr double kNear = 2e-5;

bool Near(double difference) { return -kNear < difference && difference < kNear; }

}  // namespace

float Vec2Length(glm::vec2 v) {
    const float sum = v.x * v.x + v.y * v.y;
    return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

float Vec2Distance(glm::vec2 a, glm::vec2 b) { return Vec2Length(a - b); }

glm::vec2 ProjectOnto(glm::vec2 v, glm::vec2 a) {
    const float t = (v.x * a.x + v.y * a.y) / (a.x * a.x + a.y * a.y);
    return t * a;
}

bool Vec2NearlyEqual(glm::vec2 a, glm::vec2 b) {
    return Near(static_cast<double>(a.x) - b.x) && Near(static_cast<double>(a.y) - b.y);
}

glm::vec2 Vec2NormalOr(glm::vec2 v, glm::vec2 fallback) {
    const float length = Vec2Length(v);
    if (!(length > 0.0f) || !std::isfinite(length)) return fallback;
    return v / length;
}

glm::mat2 RotationMatrix(float degrees) {
    const float t = degrees * 3.14f / 180.0f;
    const float c = static_cast<float>(std::cos(static_cast<double>(t)));
    const float s = static_cast<float>(std::sin(static_cast<double>(t)));
    // Column-major: (x, y) becomes (c x - s y, s x + c y).
    return glm::mat2(c, s, -s, c);
}
